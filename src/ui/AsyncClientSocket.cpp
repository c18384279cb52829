#include "ui/AsyncClientSocket.h"

#include "ui/ApplicationErrors.h"
#include "ui/HostLookup.h"

#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetStackPosix.h"

#include <QMetaObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvix {
namespace {

// Failures that Windows Sockets reports through the connect notification, never from connect() itself.
bool IsConnectOutcome(int error)
{
    return error == ECONNREFUSED || error == ETIMEDOUT || error == ENETUNREACH || error == EHOSTUNREACH ||
           error == ECONNRESET;
}

socklen_t AddressLength(const sockaddr_storage& address)
{
    return address.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
}

// The port in network byte order.
std::uint16_t PortOf(const sockaddr_storage& address)
{
    return address.ss_family == AF_INET6 ? reinterpret_cast<const sockaddr_in6&>(address).sin6_port
                                         : reinterpret_cast<const sockaddr_in&>(address).sin_port;
}

void SetPortOf(sockaddr_storage& address, std::uint16_t networkPort)
{
    if (address.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6&>(address).sin6_port = networkPort;
    else
        reinterpret_cast<sockaddr_in&>(address).sin_port = networkPort;
}

bool IsAnyAddress(const sockaddr_storage& address)
{
    if (address.ss_family == AF_INET6)
        return IN6_IS_ADDR_UNSPECIFIED(&reinterpret_cast<const sockaddr_in6&>(address).sin6_addr);
    return reinterpret_cast<const sockaddr_in&>(address).sin_addr.s_addr == htonl(INADDR_ANY);
}

// Address without Host: an IPv6 literal, or IPv4 as inet_addr reads it.
sockaddr_storage AddressFromText(const QString& text)
{
    sockaddr_storage address{};
    const QByteArray bytes = text.toLatin1();
    auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
    if (text.contains(u':') && inet_pton(AF_INET6, bytes.constData(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        return address;
    }
    auto& v4 = reinterpret_cast<sockaddr_in&>(address);
    v4.sin_family = AF_INET;
    v4.sin_addr.s_addr = inet_addr(bytes.constData());
    return address;
}

// A socket connected to itself (its port was free and the system picked it as its own): nothing listened.
bool ConnectedToItself(int fd)
{
    sockaddr_storage local{}, peer{};
    socklen_t localLength = sizeof local, peerLength = sizeof peer;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
        ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0 || local.ss_family != peer.ss_family ||
        PortOf(local) != PortOf(peer))
        return false;
    if (local.ss_family == AF_INET6)
        return IN6_ARE_ADDR_EQUAL(&reinterpret_cast<const sockaddr_in6&>(local).sin6_addr,
                                  &reinterpret_cast<const sockaddr_in6&>(peer).sin6_addr);
    return reinterpret_cast<const sockaddr_in&>(local).sin_addr.s_addr ==
           reinterpret_cast<const sockaddr_in&>(peer).sin_addr.s_addr;
}

} // namespace

template <typename F>
void TAsyncClientSocket::Guarded(F&& f) noexcept
{
    QPointer<TAsyncClientSocket> self(this);
    try {
        f();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (!self || !OnException) {
            HandleApplicationException(error);
            return;
        }
        const TSocketExceptionEvent handler = OnException;
        RunGuarded([&] { handler(this, error); });
    }
}

TAsyncClientSocket::TAsyncClientSocket(QObject* parent) : QObject(parent), connectDeadline_(new QTimer(this))
{
    connectDeadline_->setSingleShot(true);
    connect(connectDeadline_, &QTimer::timeout, this, [this] { ConnectDeadline(); });
    ResetRemote();
}

TAsyncClientSocket::~TAsyncClientSocket()
{
    // Nothing that happens from here on may reach a handler.
    OnLookup = OnConnecting = OnConnect = OnDisconnect = OnRead = OnWrite = nullptr;
    OnError = nullptr;
    OnException = nullptr;
    CancelLookup();
    ReleaseHandle();
}

void TAsyncClientSocket::SetActive(bool value)
{
    if (value == active_ || value == connected_)
        return;
    if (connected_)
        Disconnect(serial_);
    else
        OpenSocket();
}

void TAsyncClientSocket::Open()
{
    if (connected_)
        throw EAsyncSocketError(LoadResString(msg::AsyncAlreadyOpen));
    SetActive(true);
}

void TAsyncClientSocket::Abort()
{
    CancelLookup();
    lookupState_ = LookupState::Idle;
    ++serial_; // queued notifications of the old handle find nothing to report
    ReleaseHandle();
    active_ = false;
}

void TAsyncClientSocket::CheckChangeAllowed() const
{
    if (active_)
        throw EAsyncSocketError(LoadResString(msg::AsyncCannotChangeActive));
}

void TAsyncClientSocket::SetHost(const QString& value)
{
    if (value.compare(host_, Qt::CaseInsensitive) == 0)
        return;
    CheckChangeAllowed();
    host_ = value;
}

void TAsyncClientSocket::SetAddress(const QString& value)
{
    if (value.compare(address_, Qt::CaseInsensitive) == 0)
        return;
    CheckChangeAllowed();
    address_ = value;
}

void TAsyncClientSocket::SetService(const QString& value)
{
    if (value.compare(service_, Qt::CaseInsensitive) == 0)
        return;
    CheckChangeAllowed();
    service_ = value;
}

void TAsyncClientSocket::SetPort(int value)
{
    if (value == port_)
        return;
    CheckChangeAllowed();
    port_ = value;
}

void TAsyncClientSocket::SetClientType(TClientType value)
{
    if (value == clientType_)
        return;
    if (connected_)
        throw EAsyncSocketError(LoadResString(msg::AsyncCannotChangeActive));
    clientType_ = value;
    const bool notify = value == TClientType::ctNonBlocking;
    for (QSocketNotifier* notifier : {connectNotifier_, readNotifier_})
        if (notifier)
            notifier->setEnabled(notify);
}

int TAsyncClientSocket::PeerPort() const
{
    if (!connected_ || fd_ < 0)
        return 0;
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (getpeername(fd_, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        ThrowWindowsError(TranslateErrno(errno), "getpeername");
    return ntohs(PortOf(peer));
}

int TAsyncClientSocket::ReceiveBuf(void* buffer, int count)
{
    if (!connected_ || fd_ < 0 || count <= 0)
        return 0;
    const ssize_t n = ::recv(fd_, buffer, static_cast<size_t>(count), MSG_DONTWAIT);
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
        ThrowWindowsError(TranslateErrno(errno), "recv");
    if (readNotifier_ && clientType_ == TClientType::ctNonBlocking)
        readNotifier_->setEnabled(true);
    return n > 0 ? static_cast<int>(n) : 0;
}

void TAsyncClientSocket::OpenSocket()
{
    if (connected_)
        throw EAsyncSocketError(LoadResString(msg::AsyncAlreadyOpen));
    // A new attempt replaces whatever is left of an earlier one, silently.
    CancelLookup();
    lookupState_ = LookupState::Idle;
    ReleaseHandle();
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        throw EAsyncSocketError(LoadResString(msg::AsyncCannotCreate));
    const std::uint64_t serial = ++serial_;
    QPointer<TAsyncClientSocket> self(this);
    try {
        Raise(OnLookup);
        if (self && serial == serial_)
            RunLookup(host_, address_, service_, static_cast<std::uint16_t>(port_ & 0xFFFF));
    } catch (...) {
        if (self) {
            try {
                Disconnect(serial);
            } catch (...) {
                // The first failure is the one to report.
            }
        }
        throw;
    }
}

void TAsyncClientSocket::RunLookup(const QString& host, const QString& address, const QString& service,
                                   std::uint16_t port)
{
    const std::uint64_t serial = serial_;
    QPointer<TAsyncClientSocket> self(this);
    try {
        for (;;) {
            switch (lookupState_) {
            case LookupState::Idle:
                if (!host.isEmpty()) {
                    savedService_ = service;
                    savedPort_ = port;
                    StartLookup(host, TLookupKind::Host, "WSAASyncGetHostByName");
                    lookupState_ = LookupState::ResolvingAddress;
                    return;
                }
                if (!address.isEmpty()) {
                    lookupState_ = LookupState::ResolvingAddress;
                    remote_ = AddressFromText(address);
                    continue;
                }
                {
                    const int code = RaiseError(TErrorEvent::erLookup, netcode::NoAddress);
                    if (!self)
                        return;
                    Disconnect(serial);
                    if (code != 0)
                        throw EAsyncSocketError(LoadResString(msg::AsyncNoAddress));
                }
                return;
            case LookupState::ResolvingAddress:
                if (!service.isEmpty()) {
                    StartLookup(service, TLookupKind::Service, "WSAASyncGetServByName");
                    lookupState_ = LookupState::ResolvingService;
                    return;
                }
                lookupState_ = LookupState::ResolvingService;
                SetPortOf(remote_, htons(port));
                continue;
            case LookupState::ResolvingService:
                lookupState_ = LookupState::Idle;
                Connect();
                return;
            }
        }
    } catch (...) {
        if (self) {
            try {
                Disconnect(serial);
            } catch (...) {
            }
        }
        throw;
    }
}

void TAsyncClientSocket::StartLookup(const QString& name, TLookupKind kind, const char* api)
{
    CancelLookup();
    pending_ = THostLookup::Start(
        this, name, kind, [this](THostLookup* lookup, const TLookupResult& result) { LookupComplete(lookup, result); });
    if (!pending_)
        ThrowWindowsError(netcode::NoBufferSpace, api);
}

void TAsyncClientSocket::LookupComplete(THostLookup* lookup, const TLookupResult& result)
{
    if (!pending_ || lookup != pending_.get())
        return; // a cancelled or replaced lookup
    pending_.reset();
    Guarded([&] {
        const std::uint64_t serial = serial_;
        if (result.errorCode != 0) {
            QPointer<TAsyncClientSocket> self(this);
            int code = 0;
            try {
                code = RaiseError(TErrorEvent::erLookup, result.errorCode);
            } catch (...) {
                if (self)
                    Disconnect(serial);
                throw;
            }
            if (!self)
                return;
            Disconnect(serial);
            if (code != 0)
                ThrowWindowsError(code, "ASync Lookup");
            return;
        }
        if (lookupState_ == LookupState::ResolvingAddress) {
            candidates_ = result.addresses;
            nextCandidate_ = 1;
            remote_ = candidates_.front();
            RunLookup({}, {}, savedService_, savedPort_);
        } else if (lookupState_ == LookupState::ResolvingService) {
            SetPortOf(remote_, result.port);
            savedPort_ = 0;
            savedService_.clear();
            RunLookup({}, {}, {}, 0);
        }
    });
}

void TAsyncClientSocket::Connect()
{
    const std::uint64_t serial = serial_;
    QPointer<TAsyncClientSocket> self(this);
    Raise(OnConnecting);
    if (!self || serial != serial_ || fd_ < 0)
        return;
    // Windows Sockets refuses these at once; here they would reach the local host.
    if (IsAnyAddress(remote_) || PortOf(remote_) == 0)
        ThrowWindowsError(netcode::AddressNotAvailable, "connect");
    StartConnect(serial);
    lookupState_ = LookupState::Idle;
}

void TAsyncClientSocket::StartConnect(std::uint64_t serial)
{
    sockaddr_storage own{};
    socklen_t ownLength = sizeof own;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&own), &ownLength) == 0 && own.ss_family != remote_.ss_family) {
        const int fd = ::socket(remote_.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            throw EAsyncSocketError(LoadResString(msg::AsyncCannotCreate));
        ::close(fd_);
        fd_ = fd;
    }
    const int flags = fcntl(fd_, F_GETFL);
    if (flags < 0 || fcntl(fd_, F_SETFL, flags | O_NONBLOCK) < 0)
        ThrowWindowsError(TranslateErrno(errno), "WSAAsyncSelect");
    const bool notify = clientType_ == TClientType::ctNonBlocking;
    if (notify) {
        connectNotifier_ = new QSocketNotifier(fd_, QSocketNotifier::Write, this);
        connect(connectNotifier_, &QSocketNotifier::activated, this, [this] { ConnectNotification(); });
    }
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&remote_), AddressLength(remote_)) != 0) {
        const int error = errno;
        if (IsConnectOutcome(error)) {
            // Loopback can answer before connect() returns: deliver it as the notification it is elsewhere.
            if (connectNotifier_)
                connectNotifier_->setEnabled(false);
            if (notify) {
                const int code = TranslateErrno(error);
                QMetaObject::invokeMethod(
                    this, [this, serial, code] { Guarded([&] { ConnectOutcome(serial, code); }); },
                    Qt::QueuedConnection);
            }
        } else if (error != EINPROGRESS && error != EINTR) {
            ThrowWindowsError(TranslateErrno(error), "connect");
        } else if (notify && !connectDeadline_->isActive()) {
            // One bound for the whole connect, whichever address of the name is being tried.
            connectDeadline_->start(ConnectTimeoutMs());
        }
    }
}

bool TAsyncClientSocket::TryNextAddress(std::uint64_t serial)
{
    while (serial == serial_ && fd_ >= 0 && nextCandidate_ < candidates_.size()) {
        if (connectNotifier_) {
            connectNotifier_->setEnabled(false);
            connectNotifier_->deleteLater();
            connectNotifier_ = nullptr;
        }
        // A fresh handle: a socket whose connect failed cannot connect again.
        const std::uint16_t port = PortOf(remote_);
        remote_ = candidates_[nextCandidate_++];
        SetPortOf(remote_, port);
        const int fd = ::socket(remote_.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            continue; // a family this system cannot use
        ::close(fd_);
        fd_ = fd;
        try {
            StartConnect(serial);
            return true;
        } catch (const EAsyncSocketError&) {
            // Refused at once: the next address, if any.
        }
    }
    return false;
}

void TAsyncClientSocket::ConnectDeadline()
{
    if (fd_ < 0 || connected_ || !connectNotifier_ || !connectNotifier_->isEnabled())
        return;
    connectNotifier_->setEnabled(false);
    // Stops the system's own retries; the handle stays, as after any failed attempt.
    ::shutdown(fd_, SHUT_RDWR);
    const std::uint64_t serial = serial_;
    Guarded([&] { ConnectOutcome(serial, netcode::TimedOut); });
}

void TAsyncClientSocket::ConnectNotification()
{
    connectDeadline_->stop();
    if (connectNotifier_)
        connectNotifier_->setEnabled(false);
    if (fd_ < 0)
        return;
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    const std::uint64_t serial = serial_;
    if (!error && ConnectedToItself(fd_)) {
        // Nothing listened there. Let the port go at once: a listener is about to want it.
        if (TryNextAddress(serial))
            return;
        ReleaseHandle();
        Guarded([&] { ReportNotificationError(TErrorEvent::erConnect, netcode::ConnectionRefused); });
        return;
    }
    const int code = error ? TranslateErrno(error) : 0;
    Guarded([&] { ConnectOutcome(serial, code); });
}

void TAsyncClientSocket::ConnectOutcome(std::uint64_t serial, int code)
{
    if (serial != serial_ || fd_ < 0)
        return; // the handle it was about is gone
    if (code != 0) {
        if (code != netcode::TimedOut && TryNextAddress(serial))
            return;
        ReportNotificationError(TErrorEvent::erConnect, code);
        return;
    }
    connected_ = true;
    active_ = true;
    // The notifications that follow a connect exist whatever the handler of OnConnect does.
    if (clientType_ == TClientType::ctNonBlocking) {
        readNotifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(readNotifier_, &QSocketNotifier::activated, this, [this] { ReadNotification(); });
        QMetaObject::invokeMethod(
            this, [this, serial] { WriteNotification(serial); }, Qt::QueuedConnection);
    }
    Raise(OnConnect);
}

void TAsyncClientSocket::WriteNotification(std::uint64_t serial)
{
    if (serial != serial_ || !connected_ || fd_ < 0)
        return;
    Guarded([&] { Raise(OnWrite); });
}

void TAsyncClientSocket::ReadNotification()
{
    if (readNotifier_)
        readNotifier_->setEnabled(false);
    if (fd_ < 0)
        return;
    char byte;
    const ssize_t n = ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    const int error = errno;
    const std::uint64_t serial = serial_;
    Guarded([&] {
        if (n > 0) {
            Raise(OnRead); // armed again by ReceiveBuf
        } else if (n == 0) {
            Disconnect(serial);
        } else if (error == EAGAIN || error == EWOULDBLOCK || error == EINTR) {
            if (readNotifier_)
                readNotifier_->setEnabled(true);
        } else {
            // A broken connection: reported, but only a close ends it.
            ReportNotificationError(TErrorEvent::erDisconnect, TranslateErrno(error));
        }
    });
}

void TAsyncClientSocket::Disconnect(std::uint64_t serial)
{
    CancelLookup();
    lookupState_ = LookupState::Idle;
    if (fd_ < 0 || serial != serial_ || disconnecting_ == serial)
        return;
    disconnecting_ = serial;
    active_ = false;
    QPointer<TAsyncClientSocket> self(this);
    std::exception_ptr handlerError;
    try {
        Raise(OnDisconnect);
    } catch (...) {
        handlerError = std::current_exception();
    }
    if (!self) {
        if (handlerError)
            std::rethrow_exception(handlerError);
        return;
    }
    disconnecting_ = 0;
    int closeError = 0;
    if (serial == serial_)
        closeError = ReleaseHandle();
    if (handlerError)
        std::rethrow_exception(handlerError);
    if (closeError)
        ThrowWindowsError(TranslateErrno(closeError), "closesocket");
}

void TAsyncClientSocket::CancelLookup()
{
    if (pending_) {
        pending_->Cancel();
        pending_.reset();
    }
}

int TAsyncClientSocket::ReleaseHandle()
{
    connectDeadline_->stop();
    // A notifier may be the one whose signal is running: switch it off now, free it later.
    for (QSocketNotifier** notifier : {&connectNotifier_, &readNotifier_}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
    int error = 0;
    if (fd_ >= 0 && ::close(fd_) != 0 && errno != EINTR)
        error = errno;
    fd_ = -1;
    connected_ = false;
    ResetRemote();
    return error;
}

void TAsyncClientSocket::ResetRemote()
{
    remote_ = sockaddr_storage{};
    remote_.ss_family = AF_INET;
    candidates_.clear();
    nextCandidate_ = 0;
}

void TAsyncClientSocket::Raise(const TSocketNotifyEvent& event)
{
    if (event) {
        const TSocketNotifyEvent handler = event; // the handler may reassign the member
        handler(this);
    }
}

int TAsyncClientSocket::RaiseError(TErrorEvent event, int code)
{
    if (OnError) {
        const TSocketErrorEvent handler = OnError;
        handler(this, event, code);
    }
    return code;
}

void TAsyncClientSocket::ReportNotificationError(TErrorEvent event, int code)
{
    const int left = RaiseError(event, code);
    if (left != 0)
        throw EAsyncSocketError(FormatRes(msg::AsyncSocketError, {std::int64_t{left}}));
}

void TAsyncClientSocket::ThrowWindowsError(int code, const char* api)
{
    throw EAsyncSocketError(
        FormatRes(msg::AsyncWindowsError, {SystemErrorText(code), std::int64_t{code}, std::string(api)}));
}

} // namespace tarvix

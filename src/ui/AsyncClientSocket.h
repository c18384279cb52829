#pragma once
// TAsyncClientSocket: one outbound TCP connection attempt that never blocks the UI thread.
//
// Use it from the UI thread only:
//   auto* socket = new TAsyncClientSocket(this);      // e.g. objectName "ClientSocket"
//   socket->SetHost("127.0.0.1");                     // always looked up off the UI thread, even a dotted address;
//   socket->SetPort(port);                            // with Host empty, Address (dotted) is used at once
//   socket->OnConnect = [](TAsyncClientSocket* s) { ...; s->Close(); };
//   socket->OnError = [](TAsyncClientSocket* s, TErrorEvent, int& errorCode) { errorCode = 0; ... };
//   socket->Open();                                   // returns at once; the outcome arrives as an event
//
// Events run on the UI thread: OnLookup inside Open(), then from the event loop OnConnecting, and either
// OnConnect (Active already true) or OnError. Closing a connected socket raises OnDisconnect. Closing while
// the attempt is still under way does nothing: the attempt runs on to OnConnect or OnError.
// Error codes are Windows Sockets numbers: 10061 refused, 11001..11004 lookup failures, 1110 no address,
// 10060 when the connect has neither succeeded nor failed within ConnectTimeoutMs() (relay/NetStack.h).
// Host may be an IPv4 or IPv6 literal or a name; a name's addresses (both families) are tried in the order
// the system gives until one answers, all within the one bound; a failure reports the last attempt's code.
//
// Errors: an OnError handler that leaves errorCode non-zero (or no handler) makes the component raise
// EAsyncSocketError after the handler. Inside Open() that exception reaches the caller. From the event loop it
// goes, like any exception thrown by a handler there, to OnException when assigned, otherwise straight to
// HandleApplicationException (ui/ApplicationErrors.h).
// An attempt can end without OnConnect or OnError: Open() throws (already open, no socket, a connect refused
// at once with Address), or, with Host, the connect is refused at once after the lookup (OnConnecting,
// OnDisconnect, then the exception from the event loop). A user that waits for the outcome should also take
// an exception out of Open() and a call of OnException as the end of the attempt.
//
// The component belongs to the thread that created it (the UI thread); call it from there only.
//
// Destroying the component at any moment (also during a lookup) raises no event and closes its socket.
#include "base/Exceptions.h"

#include <QObject>
#include <QString>

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace tarvix {

class THostLookup;
struct TLookupResult;
enum class TLookupKind;

class EAsyncSocketError : public Exception {
public:
    using Exception::Exception;
};

enum class TClientType { ctNonBlocking = 0, ctBlocking = 1 };

enum class TErrorEvent { erGeneral, erSend, erReceive, erConnect, erDisconnect, erAccept, erLookup };

class TAsyncClientSocket : public QObject {
    Q_OBJECT

public:
    using TSocketNotifyEvent = std::function<void(TAsyncClientSocket* sender)>;
    using TSocketErrorEvent = std::function<void(TAsyncClientSocket* sender, TErrorEvent errorEvent, int& errorCode)>;
    using TSocketExceptionEvent = std::function<void(TAsyncClientSocket* sender, std::exception_ptr error)>;

    explicit TAsyncClientSocket(QObject* parent = nullptr);
    ~TAsyncClientSocket() override;

    // True from just before OnConnect until just before OnDisconnect; false while an attempt is under way.
    bool Active() const { return active_; }
    void SetActive(bool value);
    // Open() also throws "already open" when connected; Close() is SetActive(false).
    void Open();
    void Close() { SetActive(false); }
    // Ends whatever is under way (lookup, connect, connection) at once and silently: no event follows.
    void Abort();

    // Text properties: a new value equal to the old one ignoring case is ignored (the old text stays);
    // a change while Active throws EAsyncSocketError and keeps the old value. The same holds for Port.
    QString Host() const { return host_; }
    void SetHost(const QString& value);
    QString Address() const { return address_; } // IPv4 or IPv6 literal, used only when Host is empty
    void SetAddress(const QString& value);
    QString Service() const { return service_; } // a TCP service name looked up in place of Port
    void SetService(const QString& value);
    int Port() const { return port_; } // only the low 16 bits are used
    void SetPort(int value);

    // ctBlocking asks for no notifications at all; a change while connected throws.
    TClientType ClientType() const { return clientType_; }
    void SetClientType(TClientType value);

    // A value for the user of the component (the probe keeps its row there).
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }

    // The remote port of the established connection; 0 when not connected.
    int PeerPort() const;

    // Reads up to `count` received bytes (0 when none); OnRead comes again once more data arrives.
    int ReceiveBuf(void* buffer, int count);

    // A connection is established (the socket's own flag; Active follows it around the events).
    bool Connected() const { return connected_; }

    TSocketNotifyEvent OnLookup;
    TSocketNotifyEvent OnConnecting;
    TSocketNotifyEvent OnConnect;
    TSocketNotifyEvent OnDisconnect;
    TSocketNotifyEvent OnRead;
    TSocketNotifyEvent OnWrite;
    TSocketErrorEvent OnError;
    // An exception raised while the event loop delivered a notification of this socket (the component's own or
    // a handler's). Unassigned: HandleApplicationException. Typically: note the end, then hand it on there.
    TSocketExceptionEvent OnException;

private:
    enum class LookupState { Idle, ResolvingAddress, ResolvingService };

    void OpenSocket();
    void RunLookup(const QString& host, const QString& address, const QString& service, std::uint16_t port);
    void StartLookup(const QString& name, TLookupKind kind, const char* api);
    void LookupComplete(THostLookup* lookup, const TLookupResult& result);
    void Connect();
    // Connects the handle to remote_, making a socket of its family first when needed.
    void StartConnect(std::uint64_t serial);
    // After a failed attempt: the next address of the name, when there is one.
    bool TryNextAddress(std::uint64_t serial);
    void ConnectNotification();
    void ConnectDeadline();
    void ConnectOutcome(std::uint64_t serial, int code);
    void ReadNotification();
    void WriteNotification(std::uint64_t serial);
    void Disconnect(std::uint64_t serial);
    void CancelLookup();
    int ReleaseHandle(); // returns the errno of a failed close, else 0
    void ResetRemote();

    // Runs f for the event loop: an exception leaving it goes to OnException or the application.
    template <typename F>
    void Guarded(F&& f) noexcept;
    void Raise(const TSocketNotifyEvent& event);
    // Raises OnError; returns the code the handler left.
    int RaiseError(TErrorEvent event, int code);
    // OnError for a notification, then the exception when the code was left non-zero.
    void ReportNotificationError(TErrorEvent event, int code);
    [[noreturn]] static void ThrowWindowsError(int code, const char* api);
    void CheckChangeAllowed() const;

    QString host_;
    QString address_;
    QString service_;
    int port_ = 0;
    int tag_ = 0;
    TClientType clientType_ = TClientType::ctNonBlocking;

    bool active_ = false;
    bool connected_ = false;
    int fd_ = -1;
    std::uint64_t serial_ = 0; // names the current handle in queued notifications: descriptor numbers get reused
    std::uint64_t disconnecting_ = 0;
    sockaddr_storage remote_{};
    std::vector<sockaddr_storage> candidates_; // the name's addresses; remote_ is the one being tried
    std::size_t nextCandidate_ = 0;
    LookupState lookupState_ = LookupState::Idle;
    std::shared_ptr<THostLookup> pending_;
    QString savedService_;
    std::uint16_t savedPort_ = 0;
    QSocketNotifier* connectNotifier_ = nullptr; // children of this object
    QSocketNotifier* readNotifier_ = nullptr;
    QTimer* connectDeadline_ = nullptr; // ends a connect that the remote never answers
};

} // namespace tarvix

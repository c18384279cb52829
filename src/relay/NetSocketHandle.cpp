#include "relay/NetSocketHandle.h"

#include "relay/NetExceptions.h"
#include "relay/NetStack.h"

#include <sys/socket.h>

namespace tarvix {

TNetSocketHandle::TNetSocketHandle(TNetStack& stack, int defaultPort) : stack_(stack), port_(defaultPort) {}

TNetSocketHandle::~TNetSocketHandle()
{
    Shut(true);
}

const std::string& TNetSocketHandle::IP() const
{
    if (localStale_ && fd_ != -1) {
        localStale_ = false;
        try {
            stack_.LocalName(fd_, ip_, port_);
        } catch (const ENetException&) {
        }
    }
    return ip_;
}

int TNetSocketHandle::Port() const
{
    IP();
    return port_;
}

void TNetSocketHandle::OpenSocket(int type, int protocol, int family)
{
    Shut(true);
    const int fd = stack_.NewSocket(family, type, protocol);
    {
        std::lock_guard lock(guard_);
        if (!aborted_) {
            fd_ = fd;
            sendShut_ = false;
            open_.store(true, std::memory_order_release);
            return;
        }
    }
    stack_.CloseDescriptor(fd);
    throw ENetSocketError(netcode::ConnectionAborted);
}

void TNetSocketHandle::Shut(bool resetLocal)
{
    if (fd_ == -1)
        return;
    const bool wasOpen = IsOpen();
    const int fd = fd_;
    {
        std::lock_guard lock(guard_);
        open_.store(false, std::memory_order_release);
        fd_ = -1;
    }
    // The close alone ends the stream: descriptors are close-on-exec and never shared, so this one is the
    // last reference and a shutdown first would only cost a system call.
    stack_.CloseDescriptor(fd);
    if (wasOpen)
        ClearBinding(resetLocal);
}

void TNetSocketHandle::ReleaseDescriptor()
{
    const int fd = fd_;
    {
        std::lock_guard lock(guard_);
        open_.store(false, std::memory_order_release);
        fd_ = -1;
    }
    if (fd != -1)
        stack_.CloseDescriptor(fd);
}

void TNetSocketHandle::ClearBinding(bool resetLocal)
{
    if (fd_ != -1)
        ReleaseDescriptor();
    localStale_ = false;
    sendShut_ = false;
    if (resetLocal) {
        ip_.clear();
        port_ = 0;
    }
    remoteIP_.clear();
    remotePort_ = 0;
}

void TNetSocketHandle::BindLocal()
{
    if (stack_.CheckResult(stack_.BindTo(fd_, ip_, port_), {netcode::AddressInUse}))
        throw ENetCouldNotBindSocket();
    RefreshLocal();
}

void TNetSocketHandle::StartListening(int backlog)
{
    stack_.CheckResult(stack_.ListenOn(fd_, backlog));
}

void TNetSocketHandle::AcceptFrom(int listeningDescriptor)
{
    std::string ip;
    int port = 0;
    const int fd = stack_.AcceptOn(listeningDescriptor, ip, port);
    stack_.CheckResult(fd);
#ifndef __linux__
    // Elsewhere an accepted socket inherits the listener's non-blocking mode; the relay wants it blocking.
    stack_.SetBlocking(fd, true);
#endif
    Shut(true);
    {
        std::lock_guard lock(guard_);
        fd_ = fd;
        sendShut_ = false;
        open_.store(true, std::memory_order_release);
    }
    remoteIP_ = std::move(ip);
    remotePort_ = port;
    localStale_ = true; // read back only when asked: one system call less per accepted client
}

void TNetSocketHandle::SetRemote(const std::string& ip, int port)
{
    remoteIP_ = ip;
    remotePort_ = port;
}

int TNetSocketHandle::Connect(int family)
{
    const int r = stack_.ConnectTo(fd_, family, remoteIP_, remotePort_);
    if (r != -1)
        localStale_ = true; // the peer is the address just connected to; the local end is read when asked
    return r;
}

long TNetSocketHandle::ReceiveBytes(void* buffer, std::size_t length, int flags)
{
    return stack_.ReceiveOn(fd_, buffer, length, flags);
}

long TNetSocketHandle::SendBytes(const void* buffer, std::size_t length, int flags)
{
    return stack_.SendOn(fd_, buffer, length, flags);
}

void TNetSocketHandle::SetOption(int level, int name, int value)
{
    stack_.CheckResult(stack_.SetOption(fd_, level, name, &value, sizeof value));
}

bool TNetSocketHandle::WaitReadable(int timeoutMs)
{
    if (!IsOpen())
        throw ENetConnClosedGracefully();
    std::vector<int> readList{fd_};
    return stack_.WaitSockets(&readList, nullptr, nullptr, timeoutMs) == 1;
}

void TNetSocketHandle::RefreshLocal()
{
    localStale_ = false;
    stack_.LocalName(fd_, ip_, port_);
}

void TNetSocketHandle::RefreshPeer()
{
    stack_.PeerName(fd_, remoteIP_, remotePort_);
}

void TNetSocketHandle::ShutdownSending()
{
    if (fd_ == -1 || sendShut_)
        return;
    sendShut_ = true;
    stack_.ShutdownOn(fd_, SHUT_WR);
}

void TNetSocketHandle::ShutWithReset()
{
    if (fd_ == -1)
        return;
    const linger reset{1, 0};
    stack_.SetOption(fd_, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    sendShut_ = true; // no end of stream first
    Shut(true);
}

void TNetSocketHandle::Abort()
{
    AbortWith(SHUT_RDWR, true);
}

void TNetSocketHandle::Interrupt()
{
    // Shutting the receiving side down also ends a connect still in progress.
    AbortWith(SHUT_RD, false);
}

void TNetSocketHandle::AbortWith(int how, bool markClosed)
{
    std::lock_guard lock(guard_);
    aborted_.store(true);
    if (fd_ != -1 && open_.load())
        stack_.ShutdownOn(fd_, how);
    if (markClosed)
        open_.store(false, std::memory_order_release);
}

TNetSocketHandle& TNetSocketHandles::AddBinding()
{
    items_.push_back(std::make_unique<TNetSocketHandle>(stack_, defaultPort_));
    items_.back()->SetIP(defaultIP_);
    return *items_.back();
}

} // namespace tarvix

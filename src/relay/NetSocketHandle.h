#pragma once
// One socket descriptor with its local and remote address and port (IPv4 dotted text or IPv6 text).
//
// A socket belongs to the thread that uses it. Another thread may only Abort() it: that shuts it down,
// which wakes a wait or a blocked send on it, and marks it not open; the descriptor stays held until the
// owner releases it (Shut or destruction), so its number can never be reused under the owner's feet.
#include <sys/socket.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tarvix {

class TNetStack;

class TNetSocketHandle {
public:
    explicit TNetSocketHandle(TNetStack& stack, int defaultPort = 0);
    virtual ~TNetSocketHandle();
    TNetSocketHandle(const TNetSocketHandle&) = delete;
    TNetSocketHandle& operator=(const TNetSocketHandle&) = delete;

    TNetStack& Stack() const { return stack_; }
    // The descriptor, -1 when none is held. Only for the owning thread.
    int Descriptor() const { return fd_; }
    bool IsOpen() const { return open_.load(std::memory_order_acquire); }

    // Local address; empty means all interfaces. Read back from the system after bind, accept and connect.
    const std::string& IP() const;
    void SetIP(const std::string& ip) { ip_ = ip; }
    int Port() const;
    void SetPort(int port) { port_ = port; }
    const std::string& RemoteIP() const { return remoteIP_; }
    int RemotePort() const { return remotePort_; }

    // Closes what is open, then takes a new socket of the family (AF_INET or AF_INET6).
    void OpenSocket(int type, int protocol = 0, int family = AF_INET);
    // Closes, which ends the stream towards the peer; a descriptor still held after Abort is released silently.
    virtual void Shut(bool resetLocal);
    void ClearBinding(bool resetLocal);
    // Binds to IP and Port; "address in use" raises ENetCouldNotBindSocket, other failures ENetSocketError.
    void BindLocal();
    void StartListening(int backlog);
    void AcceptFrom(int listeningDescriptor);
    void SetRemote(const std::string& ip, int port);
    // Connects to RemoteIP and RemotePort; returns the call's result for the caller to check.
    int Connect(int family);
    long ReceiveBytes(void* buffer, std::size_t length, int flags = 0);
    long SendBytes(const void* buffer, std::size_t length, int flags = 0);
    void SetOption(int level, int name, int value);
    // True when the socket becomes readable within timeoutMs (TNetStack::kWaitForever: no limit).
    bool WaitReadable(int timeoutMs);
    void RefreshLocal();
    void RefreshPeer();

    // No more data towards the peer (it reads end of stream); receiving goes on.
    void ShutdownSending();
    // Closes with a reset instead of an end of stream: the peer learns that the stream was cut.
    void ShutWithReset();
    bool SendingShut() const { return sendShut_; }
    // From any thread: shuts the socket down both ways and marks it not open. It also stays shut: a later
    // OpenSocket on this handle fails with "connection aborted".
    void Abort();
    // From any thread, as Abort, but only the receiving side is shut down: a wait is woken and the peer is
    // told nothing, so the owner can still end the connection with a reset. The socket stays open until
    // the owner closes it.
    void Interrupt();
    bool Aborted() const { return aborted_.load(); }
    // Lets a handle that was aborted open again (a server's binding when it is activated anew).
    void Rearm() { aborted_.store(false); }

private:
    void ReleaseDescriptor();
    void AbortWith(int how, bool markClosed);

    TNetStack& stack_;
    int fd_ = -1;
    std::atomic<bool> open_{false};
    std::atomic<bool> aborted_{false};
    bool sendShut_ = false;
    // Serialises Abort with the owner taking or releasing the descriptor.
    std::mutex guard_;
    mutable std::string ip_;
    mutable int port_ = 0;
    mutable bool localStale_ = false;
    std::string remoteIP_;
    int remotePort_ = 0;
};

// The bindings of a server: the addresses it listens on.
class TNetSocketHandles {
public:
    explicit TNetSocketHandles(TNetStack& stack) : stack_(stack) {}

    int DefaultPort() const { return defaultPort_; }
    void SetDefaultPort(int port) { defaultPort_ = port; }
    // Where new bindings listen: an IPv4 or IPv6 literal; empty: every IPv4 interface.
    const std::string& DefaultIP() const { return defaultIP_; }
    void SetDefaultIP(const std::string& ip) { defaultIP_ = ip; }
    // A new binding on DefaultIP at DefaultPort.
    TNetSocketHandle& AddBinding();
    std::size_t Count() const { return items_.size(); }
    TNetSocketHandle& operator[](std::size_t i) { return *items_[i]; }
    const TNetSocketHandle& operator[](std::size_t i) const { return *items_[i]; }
    void Clear() { items_.clear(); }

private:
    TNetStack& stack_;
    int defaultPort_ = 0;
    std::string defaultIP_;
    std::vector<std::unique_ptr<TNetSocketHandle>> items_;
};

} // namespace tarvix

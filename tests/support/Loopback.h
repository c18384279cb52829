#pragma once
// Loopback TCP sockets for tests and load tools: clients, listeners and free ports on 127.0.0.1, all of which time out.
#include <netinet/in.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tarvix::test {

// 127.0.0.1:port.
sockaddr_in LoopbackAddress(int port);

// Writes every byte to a blocking socket; false when the connection failed first.
bool SendAll(int fd, const void* data, std::size_t size);
// Reads exactly size bytes from a blocking socket; false when the stream ended or failed first.
bool ReceiveAll(int fd, void* data, std::size_t size);

// How a read ended.
enum class End { Data, Eof, Reset, Timeout };

// Owns one socket. Sending times out after kTimeoutMs and every read is bounded, so that a fault fails a test
// instead of hanging it.
class TestSocket {
public:
    static constexpr int kTimeoutMs = 15000;

    TestSocket() = default;
    explicit TestSocket(int fd);
    ~TestSocket();
    TestSocket(TestSocket&& other) noexcept : fd_(other.Release()) {}
    TestSocket& operator=(TestSocket&& other) noexcept;

    int Fd() const { return fd_; }
    bool Valid() const { return fd_ != -1; }
    int Release();
    void Close();
    // Closes with a reset (SO_LINGER 0).
    void Reset();
    void ShutdownSending();

    bool SendAll(const void* data, std::size_t size) { return test::SendAll(fd_, data, size); }
    bool SendAll(const std::string& data) { return SendAll(data.data(), data.size()); }
    // Reads until the peer ends (Eof/Reset) or the time limit; everything read is appended to out.
    End ReadToEnd(std::string& out, int timeoutMs = kTimeoutMs);
    // Reads exactly size bytes unless the stream ends first.
    End ReadExactly(std::string& out, std::size_t size, int timeoutMs = kTimeoutMs);
    // Waits for the next event: data (left unread), end of stream, reset, or nothing within timeoutMs.
    End WaitEvent(int timeoutMs);

private:
    // Appends what arrives to out until it holds target bytes (Data), the stream ends, or the time is up.
    End ReadUntilSize(std::string& out, std::size_t target, int timeoutMs);

    int fd_ = -1;
};

// A client connected to 127.0.0.1:port (blocking connect); invalid when the connect failed, errno telling why.
TestSocket ConnectLoopback(int port);
// A plain blocking client descriptor connected to 127.0.0.1:port, with no time limits (for load tools); -1 with
// errno set when the connect failed.
int ConnectLoopbackDescriptor(int port);
// A client whose connect to 127.0.0.1:port is started and not waited for.
TestSocket ConnectLoopbackNonBlocking(int port);
// A listening socket on 127.0.0.1 with a port chosen by the system.
TestSocket ListenLoopback(int backlog, int& port);
// The same on ::1 alone (IPv6 only).
TestSocket ListenLoopbackV6(int backlog, int& port);
// A client connected to [::1]:port (blocking connect); invalid when the connect failed, errno telling why.
TestSocket ConnectLoopbackV6(int port);
// A loopback port where nothing listens (taken from the system, then freed).
int FreePort();
// Ports where nothing listens, all different (each taken from the system while the others are held).
std::vector<int> FreePorts(int count);

// Bytes a socket has sent that its peer has not acknowledged yet, or not sent at all (-1 when unknown).
long NotTaken(int fd);

// A listener on 127.0.0.1 whose clients a test accepts one by one.
class Listener {
public:
    Listener() : socket_(ListenLoopback(5, port_)) {}
    int Port() const { return port_; }
    // Accepts one pending client (waits up to timeoutMs); its descriptor, or -1.
    int Accept(int timeoutMs = 5000);

private:
    int port_ = 0; // before socket_: filled in while it is made
    TestSocket socket_;
};

} // namespace tarvix::test

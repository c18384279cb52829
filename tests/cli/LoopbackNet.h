#pragma once
// Loopback sockets for the end-to-end tests: an echo server, free ports, blocking client helpers.
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvix::test {

// A port that was free a moment ago (bound to port 0, read, released; the small race is accepted).
int FreePort();

// A socket listening on 127.0.0.1 on a port chosen by the system; closed by the destructor.
class Listener {
public:
    Listener();
    ~Listener();
    int Port() const { return port_; }
    int Fd() const { return fd_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// Echoes every byte back and closes its side after the client's end of stream. Stops and joins in the destructor.
class EchoServer {
public:
    EchoServer();
    ~EchoServer();
    int Port() const { return listener_.Port(); }

private:
    void AcceptLoop();

    Listener listener_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<int> conns_;
    std::vector<std::thread> threads_;
    std::thread acceptor_;
};

// Connected socket to 127.0.0.1:port, -1 when refused. Receives time out after 10 s.
int ConnectLoopback(int port);
bool SendAll(int fd, const std::string& data);
// Reads exactly n bytes; returns what was read before a close, an error or the time limit.
std::string ReceiveExact(int fd, size_t n);
// True when the other side has closed (end of stream or reset) within the time limit.
bool WaitClosed(int fd, std::chrono::milliseconds timeout);

} // namespace tarvix::test

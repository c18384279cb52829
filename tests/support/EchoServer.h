#pragma once
// A remote end on 127.0.0.1 that echoes every byte back, on many connections at once.
#include "support/Loopback.h"

#include <atomic>
#include <thread>

namespace tarvix::test {

// Serves every connection from one thread. End of stream from a client is passed back once its data is echoed;
// then the connection is closed.
class EchoServer {
public:
    EchoServer();
    ~EchoServer();
    EchoServer(const EchoServer&) = delete;
    EchoServer& operator=(const EchoServer&) = delete;
    int Port() const { return port_; }
    int Accepted() const { return accepted_.load(); }
    int Open() const { return open_.load(); }

private:
    void Run();

    int port_ = 0; // before listener_: filled in while it is made
    TestSocket listener_;
    int wakeFd_ = -1;
    std::atomic<int> accepted_{0};
    std::atomic<int> open_{0};
    std::thread thread_;
};

} // namespace tarvix::test

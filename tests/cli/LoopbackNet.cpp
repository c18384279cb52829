#include "LoopbackNet.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace tarvix::test {
namespace {

sockaddr_in Loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

int BoundSocket(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a = Loopback(0);
    socklen_t len = sizeof a;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        throw std::runtime_error("bind to a loopback port");
    port = ntohs(a.sin_port);
    return fd;
}

} // namespace

int FreePort()
{
    int port = 0;
    close(BoundSocket(port));
    return port;
}

Listener::Listener()
{
    fd_ = BoundSocket(port_);
    if (listen(fd_, SOMAXCONN) != 0)
        throw std::runtime_error("listen");
}

Listener::~Listener()
{
    close(fd_);
}

EchoServer::EchoServer() : acceptor_([this] { AcceptLoop(); }) {}

EchoServer::~EchoServer()
{
    stop_ = true;
    acceptor_.join();
    {
        std::lock_guard lock(mutex_);
        for (int fd : conns_)
            shutdown(fd, SHUT_RDWR);  // wakes the echo threads; each closes its own descriptor
    }
    for (auto& t : threads_)
        t.join();
}

void EchoServer::AcceptLoop()
{
    while (!stop_) {
        pollfd p{listener_.Fd(), POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        const int fd = accept4(listener_.Fd(), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard lock(mutex_);
        conns_.push_back(fd);
        threads_.emplace_back([this, fd] {
            char buf[16384];
            for (;;) {
                const ssize_t n = recv(fd, buf, sizeof buf, 0);
                if (n <= 0 || !SendAll(fd, std::string(buf, static_cast<size_t>(n))))
                    break;
            }
            std::lock_guard lock(mutex_);
            std::erase(conns_, fd);
            close(fd);
        });
    }
}

int ConnectLoopback(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in a = Loopback(port);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        close(fd);
        return -1;
    }
    timeval tv{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    return fd;
}

bool SendAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string ReceiveExact(int fd, size_t n)
{
    std::string got;
    char buf[16384];
    while (got.size() < n) {
        const ssize_t r = recv(fd, buf, std::min(sizeof buf, n - got.size()), 0);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        got.append(buf, static_cast<size_t>(r));
    }
    return got;
}

bool WaitClosed(int fd, std::chrono::milliseconds timeout)
{
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(timeout.count())) <= 0)
        return false;
    char c;
    return recv(fd, &c, 1, MSG_DONTWAIT) <= 0;
}

} // namespace tarvix::test

#include "support/EchoServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tarvix::test {

EchoServer::EchoServer() : listener_(ListenLoopback(SOMAXCONN, port_)), wakeFd_(::eventfd(0, EFD_CLOEXEC))
{
    ::fcntl(listener_.Fd(), F_SETFL, O_NONBLOCK);
    thread_ = std::thread([this] { Run(); });
}

EchoServer::~EchoServer()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] auto r = ::write(wakeFd_, &one, sizeof one);
    thread_.join();
    ::close(wakeFd_);
}

void EchoServer::Run()
{
    struct Connection {
        std::string pending;
        bool eof = false;
    };
    std::map<int, Connection> connections;
    std::vector<pollfd> fds;
    std::vector<char> buffer(65536);
    constexpr std::size_t kMaxPending = 1 << 20;

    auto drop = [&](int fd) {
        ::close(fd);
        connections.erase(fd);
        --open_;
    };
    for (;;) {
        fds.clear();
        fds.push_back(pollfd{wakeFd_, POLLIN, 0});
        fds.push_back(pollfd{listener_.Fd(), POLLIN, 0});
        for (auto& [fd, c] : connections) {
            short events = 0;
            if (!c.eof && c.pending.size() < kMaxPending)
                events |= POLLIN;
            if (!c.pending.empty())
                events |= POLLOUT;
            fds.push_back(pollfd{fd, events, 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents)
            break;
        if (fds[1].revents) {
            for (int i = 0; i < 64; ++i) {
                const int fd = ::accept4(listener_.Fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
                if (fd < 0)
                    break;
                connections.emplace(fd, Connection{});
                ++accepted_;
                ++open_;
            }
        }
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            const int fd = fds[i].fd;
            Connection& c = connections[fd];
            bool failed = false;
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                if (!c.eof) {
                    const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
                    if (n > 0)
                        c.pending.append(buffer.data(), static_cast<std::size_t>(n));
                    else if (n == 0)
                        c.eof = true;
                    else if (errno != EAGAIN)
                        failed = true;
                } else if (fds[i].revents & POLLERR) {
                    failed = true;
                }
            }
            if (!failed && !c.pending.empty()) {
                const ssize_t n = ::send(fd, c.pending.data(), c.pending.size(), MSG_NOSIGNAL);
                if (n > 0)
                    c.pending.erase(0, static_cast<std::size_t>(n));
                else if (n < 0 && errno != EAGAIN)
                    failed = true;
            }
            if (failed || (c.eof && c.pending.empty()))
                drop(fd);
        }
    }
    for (auto& [fd, c] : connections)
        ::close(fd);
}

} // namespace tarvix::test

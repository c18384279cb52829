// Echo server for the relay benchmarks: one thread, epoll, echoes every byte back, closes on end of stream.
// Usage: bench_echo [--port P]   (P = 0 lets the system choose; the port is printed on stdout)
#include "BenchTool.h"
#include "support/Loopback.h"

#include <fcntl.h>
#include <sys/epoll.h>

#include <string>
#include <unordered_map>

namespace {

struct Conn {
    std::string pending; // echo not yet accepted by the socket
};

int g_epoll = -1;
std::unordered_map<int, Conn> g_conns;

void Watch(int fd, uint32_t events, int op)
{
    epoll_event ev{};
    ev.events = events;
    ev.data.fd = fd;
    if (epoll_ctl(g_epoll, op, fd, &ev) != 0)
        bench::Die("epoll_ctl");
}

void Drop(int fd)
{
    g_conns.erase(fd);
    close(fd); // also leaves the epoll set
}

void AcceptAll(int listener)
{
    for (;;) {
        const int fd = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE)
                usleep(10000); // the queue stays readable: do not spin on it
            return;            // EAGAIN or a transient failure: epoll will tell us again
        }
        bench::NoDelay(fd);
        g_conns.emplace(fd, Conn{});
        Watch(fd, EPOLLIN | EPOLLRDHUP, EPOLL_CTL_ADD);
    }
}

// Returns false when the connection is finished.
bool Flush(int fd, Conn& c)
{
    while (!c.pending.empty()) {
        const ssize_t w = send(fd, c.pending.data(), c.pending.size(), MSG_NOSIGNAL);
        if (w < 0)
            return errno == EAGAIN || errno == EINTR;
        c.pending.erase(0, static_cast<size_t>(w));
    }
    return true;
}

void Serve(int fd, uint32_t events)
{
    auto it = g_conns.find(fd);
    if (it == g_conns.end())
        return;
    Conn& c = it->second;
    if (!Flush(fd, c))
        return Drop(fd);
    if (c.pending.empty() && (events & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR))) {
        static char buf[65536];
        const ssize_t r = recv(fd, buf, sizeof buf, 0);
        if (r == 0 || (r < 0 && errno != EAGAIN && errno != EINTR))
            return Drop(fd);
        if (r > 0) {
            c.pending.assign(buf, static_cast<size_t>(r));
            if (!Flush(fd, c))
                return Drop(fd);
        }
    }
    // Stop reading while an echo is stuck, so a slow reader cannot make us buffer without bound.
    Watch(fd, c.pending.empty() ? (EPOLLIN | EPOLLRDHUP) : EPOLLOUT, EPOLL_CTL_MOD);
}

} // namespace

int main(int argc, char** argv)
{
    const int port = bench::IntOption(argc, argv, "--port", 0);
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int one = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a = tarvix::test::LoopbackAddress(port);
    if (bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(listener, SOMAXCONN) != 0)
        bench::Die("bind");
    socklen_t len = sizeof a;
    getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    std::printf("%d\n", ntohs(a.sin_port));
    std::fflush(stdout);

    g_epoll = epoll_create1(EPOLL_CLOEXEC);
    Watch(listener, EPOLLIN, EPOLL_CTL_ADD);
    epoll_event events[256];
    for (;;) {
        const int n = epoll_wait(g_epoll, events, 256, -1);
        if (n < 0 && errno != EINTR)
            bench::Die("epoll_wait");
        for (int i = 0; i < n; ++i) {
            if (events[i].data.fd == listener)
                AcceptAll(listener);
            else
                Serve(events[i].data.fd, events[i].events);
        }
    }
}

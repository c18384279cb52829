// Holds many connections open, each checked end to end by a 16-byte echo. Driven by commands on stdin:
//   open N SECS   start N more connections (at most 64 in flight) and work on them for up to SECS
//   wait SECS     keep working on unfinished ones for up to SECS (or until none is left)
//   close N       close N held connections, oldest first
//   quit          close everything and exit (after the status line)
// After each command one line: held H pending P closed C failed F unstarted U
// (closed = ended by the other side before or after its echo, failed = connect error).
#include "BenchTool.h"
#include "support/Loopback.h"

#include <fcntl.h>
#include <sys/epoll.h>

#include <deque>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

enum class State { Connecting, AwaitEcho, Held, Done };

struct Conn {
    State state = State::Done;
    int got = 0;
};

constexpr int kInFlight = 64; // a steady pace: a relay with a short listen queue would otherwise drop SYNs
constexpr char kHello[17] = "hold-open-check!";

int g_port = 0;
int g_epoll = -1;
std::vector<Conn> g_conns; // by descriptor
std::deque<int> g_held;    // oldest first; may hold descriptors already ended (skipped when closing)
long g_pending = 0, g_closed = 0, g_failed = 0, g_unstarted = 0, g_heldCount = 0;

Conn& At(int fd)
{
    if (static_cast<size_t>(fd) >= g_conns.size())
        g_conns.resize(static_cast<size_t>(fd) + 1024);
    return g_conns[static_cast<size_t>(fd)];
}

void Finish(int fd, long& counter)
{
    Conn& c = At(fd);
    if (c.state == State::Held)
        --g_heldCount;
    else
        --g_pending;
    c.state = State::Done;
    ++counter;
    close(fd);
}

void Start()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        bench::Die("socket");
    --g_unstarted;
    ++g_pending;
    const sockaddr_in a = tarvix::test::LoopbackAddress(g_port);
    At(fd) = Conn{State::Connecting, 0};
    if (connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 && errno != EINPROGRESS)
        return Finish(fd, g_failed);
    epoll_event ev{};
    ev.events = EPOLLOUT;
    ev.data.fd = fd;
    epoll_ctl(g_epoll, EPOLL_CTL_ADD, fd, &ev);
}

void Progress(int fd, uint32_t events)
{
    Conn& c = At(fd);
    if (c.state == State::Connecting) {
        int err = 0;
        socklen_t len = sizeof err;
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
        if (err != 0 || send(fd, kHello, 16, MSG_NOSIGNAL) != 16)
            return Finish(fd, g_failed);
        c.state = State::AwaitEcho;
        epoll_event ev{};
        ev.events = EPOLLIN | EPOLLRDHUP;
        ev.data.fd = fd;
        epoll_ctl(g_epoll, EPOLL_CTL_MOD, fd, &ev);
        return;
    }
    if (!(events & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR)))
        return;
    char buf[64];
    const ssize_t r = recv(fd, buf, sizeof buf, 0);
    if (r < 0 && errno == EAGAIN)
        return;
    if (r <= 0 || c.state == State::Held)
        return Finish(fd, g_closed);
    c.got += static_cast<int>(r);
    if (c.got >= 16) {
        c.state = State::Held;
        --g_pending;
        ++g_heldCount;
        g_held.push_back(fd);
    }
}

void Work(double seconds)
{
    const auto t0 = std::chrono::steady_clock::now();
    epoll_event events[512];
    while ((g_pending > 0 || g_unstarted > 0) && bench::SecondsSince(t0) < seconds) {
        while (g_unstarted > 0 && g_pending < kInFlight)
            Start();
        const int n = epoll_wait(g_epoll, events, 512, 50);
        for (int i = 0; i < n; ++i)
            Progress(events[i].data.fd, events[i].events);
    }
    // Notice held connections ended meanwhile by the other side.
    int n;
    while ((n = epoll_wait(g_epoll, events, 512, 0)) > 0)
        for (int i = 0; i < n; ++i)
            Progress(events[i].data.fd, events[i].events);
}

void CloseHeld(long count)
{
    while (count > 0 && !g_held.empty()) {
        const int fd = g_held.front();
        g_held.pop_front();
        if (At(fd).state != State::Held)
            continue;
        At(fd).state = State::Done;
        --g_heldCount;
        close(fd);
        --count;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return std::fprintf(stderr, "usage: bench_hold PORT  (commands on stdin)\n"), 2;
    g_port = std::atoi(argv[1]);
    g_epoll = epoll_create1(EPOLL_CLOEXEC);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string cmd;
        double arg = 0, secs = 0;
        in >> cmd >> arg >> secs;
        if (cmd == "open") {
            g_unstarted += static_cast<long>(arg);
            Work(secs);
        } else if (cmd == "wait") {
            Work(arg);
        } else if (cmd == "close") {
            CloseHeld(static_cast<long>(arg));
        }
        std::printf("held %ld pending %ld closed %ld failed %ld unstarted %ld\n", g_heldCount, g_pending, g_closed,
                    g_failed, g_unstarted);
        std::fflush(stdout);
        if (cmd == "quit")
            break;
    }
}

#include "support/Loopback.h"

#include "support/Waiting.h"

#include <arpa/inet.h>
#include <linux/sockios.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>

namespace tarvix::test {

namespace {

int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Repeats a partial send or receive until every byte has moved; false when the stream ended or failed first.
template <class Step>
bool MoveAll(void* data, std::size_t size, Step step)
{
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = step(p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

sockaddr_in LoopbackAddress(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    return a;
}

bool SendAll(int fd, const void* data, std::size_t size)
{
    return MoveAll(const_cast<void*>(data), size,
                   [fd](char* p, std::size_t n) { return ::send(fd, p, n, MSG_NOSIGNAL); });
}

bool ReceiveAll(int fd, void* data, std::size_t size)
{
    return MoveAll(data, size, [fd](char* p, std::size_t n) { return ::recv(fd, p, n, 0); });
}

// ---- TestSocket -------------------------------------------------------------------------------------

TestSocket::TestSocket(int fd) : fd_(fd)
{
    if (fd_ != -1) {
        timeval tv{kTimeoutMs / 1000, 0};
        setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    }
}

TestSocket::~TestSocket()
{
    Close();
}

TestSocket& TestSocket::operator=(TestSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.Release();
    }
    return *this;
}

int TestSocket::Release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void TestSocket::Close()
{
    if (fd_ != -1)
        ::close(fd_);
    fd_ = -1;
}

void TestSocket::Reset()
{
    linger l{1, 0};
    setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    Close();
}

void TestSocket::ShutdownSending()
{
    ::shutdown(fd_, SHUT_WR);
}

End TestSocket::WaitEvent(int timeoutMs)
{
    pollfd p{fd_, POLLIN, 0};
    const int r = ::poll(&p, 1, timeoutMs);
    if (r <= 0)
        return End::Timeout;
    char c;
    const ssize_t n = ::recv(fd_, &c, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n > 0)
        return End::Data;
    if (n == 0)
        return End::Eof;
    return (errno == EAGAIN || errno == EWOULDBLOCK) ? End::Timeout : End::Reset;
}

End TestSocket::ReadToEnd(std::string& out, int timeoutMs)
{
    return ReadUntilSize(out, std::numeric_limits<std::size_t>::max(), timeoutMs);
}

End TestSocket::ReadExactly(std::string& out, std::size_t size, int timeoutMs)
{
    return ReadUntilSize(out, out.size() + size, timeoutMs);
}

End TestSocket::ReadUntilSize(std::string& out, std::size_t target, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[65536];
    while (out.size() < target) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, RemainingMs(deadline)) <= 0)
            return End::Timeout;
        const std::size_t want = std::min(sizeof buffer, target - out.size());
        const ssize_t n = ::recv(fd_, buffer, want, MSG_DONTWAIT);
        if (n > 0)
            out.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            return End::Eof;
        else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return End::Reset;
    }
    return End::Data;
}

// ---- making sockets ---------------------------------------------------------------------------------

TestSocket ConnectLoopback(int port)
{
    TestSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in a = LoopbackAddress(port);
    if (::connect(s.Fd(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        const int error = errno;
        s.Close();
        errno = error;
    }
    return s;
}

TestSocket ConnectLoopbackV6(int port)
{
    TestSocket s(::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_addr = in6addr_loopback;
    a.sin6_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(s.Fd(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        const int error = errno;
        s.Close();
        errno = error;
    }
    return s;
}

int ConnectLoopbackDescriptor(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const sockaddr_in a = LoopbackAddress(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

TestSocket ConnectLoopbackNonBlocking(int port)
{
    TestSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const sockaddr_in a = LoopbackAddress(port);
    if (::connect(s.Fd(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 && errno != EINPROGRESS)
        s.Close();
    return s;
}

TestSocket ListenLoopback(int backlog, int& port)
{
    TestSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in a = LoopbackAddress(0);
    socklen_t length = sizeof a;
    if (::bind(s.Fd(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 || ::listen(s.Fd(), backlog) != 0 ||
        ::getsockname(s.Fd(), reinterpret_cast<sockaddr*>(&a), &length) != 0) {
        s.Close();
        port = 0;
        return s;
    }
    port = ntohs(a.sin_port);
    return s;
}

TestSocket ListenLoopbackV6(int backlog, int& port)
{
    TestSocket s(::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int on = 1;
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_addr = in6addr_loopback;
    socklen_t length = sizeof a;
    if (::setsockopt(s.Fd(), IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on) != 0 ||
        ::bind(s.Fd(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 || ::listen(s.Fd(), backlog) != 0 ||
        ::getsockname(s.Fd(), reinterpret_cast<sockaddr*>(&a), &length) != 0) {
        s.Close();
        port = 0;
        return s;
    }
    port = ntohs(a.sin6_port);
    return s;
}

int FreePort()
{
    int port = 0;
    ListenLoopback(1, port);
    return port;
}

std::vector<int> FreePorts(int count)
{
    std::vector<TestSocket> held;
    std::vector<int> ports;
    for (int i = 0; i < count; ++i) {
        int port = 0;
        held.push_back(ListenLoopback(1, port));
        ports.push_back(port);
    }
    return ports;
}

long NotTaken(int fd)
{
    int n = 0;
    return ::ioctl(fd, SIOCOUTQ, &n) == 0 ? n : -1;
}

int Listener::Accept(int timeoutMs)
{
    pollfd p{socket_.Fd(), POLLIN, 0};
    if (!socket_.Valid() || ::poll(&p, 1, timeoutMs) != 1)
        return -1;
    return ::accept4(socket_.Fd(), nullptr, nullptr, SOCK_CLOEXEC);
}

} // namespace tarvix::test

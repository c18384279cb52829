#include "RelayTestSupport.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <random>

namespace tarvix::test {

namespace {

sockaddr_in Loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    return a;
}

int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

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

bool TestSocket::SendAll(const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::send(fd_, p, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
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
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[65536];
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, RemainingMs(deadline)) <= 0)
            return End::Timeout;
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0)
            out.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            return End::Eof;
        else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return End::Reset;
    }
}

End TestSocket::ReadExactly(std::string& out, std::size_t size, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const std::size_t target = out.size() + size;
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

TestSocket ConnectLoopback(int port)
{
    TestSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in a = Loopback(port);
    if (::connect(s.Fd(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0)
        s.Close();
    return s;
}

TestSocket ConnectLoopbackNonBlocking(int port)
{
    TestSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const sockaddr_in a = Loopback(port);
    if (::connect(s.Fd(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 && errno != EINPROGRESS)
        s.Close();
    return s;
}

TestSocket ListenLoopback(int backlog, int& port)
{
    TestSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in a = Loopback(0);
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

int FreePort()
{
    int port = 0;
    ListenLoopback(1, port);
    return port;
}

// ---- EchoServer -------------------------------------------------------------------------------------

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

// ---- ScriptedServer ---------------------------------------------------------------------------------

ScriptedServer::ScriptedServer(Handler handler)
    : handler_(std::move(handler)), listener_(ListenLoopback(SOMAXCONN, port_))
{
    thread_ = std::thread([this] { Run(); });
}

ScriptedServer::~ScriptedServer()
{
    stop_ = true;
    thread_.join();
    for (auto& t : handlers_)
        t.join();
}

void ScriptedServer::Run()
{
    while (!stop_) {
        pollfd p{listener_.Fd(), POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(listener_.Fd(), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++accepted_;
        handlers_.emplace_back([this, fd] {
            TestSocket connection(fd);
            handler_(connection);
            connection.Close();
            std::lock_guard lock(lock_);
            ++finished_;
            changed_.notify_all();
        });
    }
}

bool ScriptedServer::WaitFinished(int count, int timeoutMs)
{
    std::unique_lock lock(lock_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return finished_ >= count; });
}

// ---- ReportLog --------------------------------------------------------------------------------------

TConnectionStateEvent ReportLog::Callback()
{
    return [this](TfConnect* sender, bool connected) {
        std::lock_guard lock(lock_);
        reports_.push_back(connected);
        senders_.push_back(sender);
        changed_.notify_all();
    };
}

std::vector<bool> ReportLog::Reports() const
{
    std::lock_guard lock(lock_);
    return reports_;
}

int ReportLog::Count(bool connected) const
{
    std::lock_guard lock(lock_);
    int n = 0;
    for (bool r : reports_)
        n += r == connected;
    return n;
}

bool ReportLog::WaitFor(int trues, int falses, int timeoutMs) const
{
    std::unique_lock lock(lock_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        int t = 0, f = 0;
        for (bool r : reports_)
            (r ? t : f)++;
        return t >= trues && f >= falses;
    });
}

// ---- process ----------------------------------------------------------------------------------------

int CountOpenDescriptors()
{
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                ++count;
        ::closedir(dir);
        --count; // the directory's own descriptor
    }
    return count;
}

double ProcessCpuMs()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

// ---- data -------------------------------------------------------------------------------------------

void ByteStream::Fill(char* data, std::size_t size)
{
    while (size > 0) {
        if (left_ == 0) {
            state_ ^= state_ >> 12;
            state_ ^= state_ << 25;
            state_ ^= state_ >> 27;
            word_ = state_ * 0x2545F4914F6CDD1Dull;
            left_ = 8;
        }
        if (left_ == 8 && size >= 8) {
            std::memcpy(data, &word_, 8);
            data += 8;
            size -= 8;
            left_ = 0;
            continue;
        }
        *data++ = static_cast<char>(word_ >> (8 * (8 - left_)));
        --left_;
        --size;
    }
}

void Checksum::Mix(std::uint64_t word)
{
    hash_ ^= word;
    hash_ *= 0x100000001b3ull;
    hash_ ^= hash_ >> 29;
}

void Checksum::Add(const char* data, std::size_t size)
{
    // Mixes the stream eight bytes at a time, whatever the chunking (little-endian words).
    while (size > 0) {
        if ((count_ & 7) == 0 && size >= 8) {
            std::uint64_t word;
            std::memcpy(&word, data, 8);
            Mix(word);
            data += 8;
            size -= 8;
            count_ += 8;
            continue;
        }
        partial_ |= static_cast<std::uint64_t>(static_cast<unsigned char>(*data++)) << (8 * (count_ & 7));
        --size;
        if ((++count_ & 7) == 0) {
            Mix(partial_);
            partial_ = 0;
        }
    }
}

std::uint64_t Checksum::Value() const
{
    Checksum copy = *this;
    if (copy.count_ & 7)
        copy.Mix(copy.partial_);
    return copy.hash_ ^ copy.count_;
}

// ---- streams ----------------------------------------------------------------------------------------

long NotTaken(int fd)
{
    int n = 0;
    return ::ioctl(fd, SIOCOUTQ, &n) == 0 ? n : -1;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto start = Clock::now();
    while (!done()) {
        if (MsSince(start) > timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::string Pattern(std::size_t size, std::uint64_t seed)
{
    std::string s(size, '\0');
    ByteStream(seed).Fill(s.data(), s.size());
    return s;
}

std::uint64_t SendStream(TestSocket& s, std::size_t total, std::uint64_t seed)
{
    ByteStream stream(seed);
    Checksum sum;
    std::mt19937 sizes(static_cast<unsigned>(seed));
    std::vector<char> chunk(100000);
    while (total > 0) {
        const std::size_t n =
            std::min<std::size_t>(total, std::uniform_int_distribution<std::size_t>(1, chunk.size())(sizes));
        stream.Fill(chunk.data(), n);
        sum.Add(chunk.data(), n);
        if (!s.SendAll(chunk.data(), n))
            break;
        total -= n;
    }
    return sum.Value();
}

std::pair<std::uint64_t, std::uint64_t> ReceiveStream(TestSocket& s, std::uint64_t seed)
{
    Checksum sum;
    std::mt19937 sizes(static_cast<unsigned>(seed));
    std::vector<char> chunk(100000);
    for (;;) {
        const std::size_t want = std::uniform_int_distribution<std::size_t>(1, chunk.size())(sizes);
        const ssize_t n = ::recv(s.Fd(), chunk.data(), want, 0);
        if (n <= 0)
            break;
        sum.Add(chunk.data(), static_cast<std::size_t>(n));
    }
    return {sum.Value(), sum.Count()};
}

} // namespace tarvix::test

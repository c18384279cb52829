#pragma once
// Loopback sockets, remote ends and report logs for the engine's tests. Every socket here times out
// (TestSocket::kTimeoutMs) so that a fault fails a test instead of hanging it.
#include "relay/Connect.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tarvix::test {

using Clock = std::chrono::steady_clock;

inline long MsSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// How a read ended.
enum class End { Data, Eof, Reset, Timeout };

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

    bool SendAll(const void* data, std::size_t size);
    bool SendAll(const std::string& data) { return SendAll(data.data(), data.size()); }
    // Reads until the peer ends (Eof/Reset) or the time limit; everything read is appended to out.
    End ReadToEnd(std::string& out, int timeoutMs = kTimeoutMs);
    // Reads exactly size bytes unless the stream ends first.
    End ReadExactly(std::string& out, std::size_t size, int timeoutMs = kTimeoutMs);
    // Waits for the next event: data (left unread), end of stream, reset, or nothing within timeoutMs.
    End WaitEvent(int timeoutMs);

private:
    int fd_ = -1;
};

// A client connected to 127.0.0.1:port (blocking connect); invalid when the connect failed.
TestSocket ConnectLoopback(int port);
// A client whose connect to 127.0.0.1:port is started and not waited for.
TestSocket ConnectLoopbackNonBlocking(int port);
// A listening socket on 127.0.0.1 with a port chosen by the system.
TestSocket ListenLoopback(int backlog, int& port);
// A loopback port where nothing listens (taken from the system, then freed).
int FreePort();

// Remote end that echoes everything on every connection, many at once, from one thread. End of stream
// from a client is passed back once its data is echoed; then the connection is closed.
class EchoServer {
public:
    EchoServer();
    ~EchoServer();
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

// Remote end that runs a handler on its own thread for each accepted connection.
class ScriptedServer {
public:
    using Handler = std::function<void(TestSocket& connection)>;
    explicit ScriptedServer(Handler handler);
    ~ScriptedServer();
    int Port() const { return port_; }
    int Accepted() const { return accepted_.load(); }
    // Waits until count handlers have returned.
    bool WaitFinished(int count, int timeoutMs = TestSocket::kTimeoutMs);

private:
    void Run();

    Handler handler_;
    int port_ = 0; // before listener_: filled in while it is made
    TestSocket listener_;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::mutex lock_;
    std::condition_variable changed_;
    int finished_ = 0;
    std::vector<std::thread> handlers_;
    std::thread thread_;
};

// The reports of a mapping instance, in arrival order.
class ReportLog {
public:
    TConnectionStateEvent Callback();
    std::vector<bool> Reports() const;
    int Count(bool connected) const;
    // Waits until at least `trues` true and `falses` false reports have arrived.
    bool WaitFor(int trues, int falses, int timeoutMs = TestSocket::kTimeoutMs) const;

private:
    mutable std::mutex lock_;
    mutable std::condition_variable changed_;
    std::vector<bool> reports_;
    std::vector<TfConnect*> senders_;
};

// Polls every 2 ms until done() or the time limit; whether done() came true.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = TestSocket::kTimeoutMs);

// Bytes a socket has sent that its peer has not acknowledged yet, or not sent at all (-1 when unknown).
long NotTaken(int fd);

int CountOpenDescriptors();
// CPU time (user + system) used by the whole process so far, in milliseconds.
double ProcessCpuMs();

// A stream of pseudo-random bytes that both ends can compute, and a checksum over what crossed.
class ByteStream {
public:
    explicit ByteStream(std::uint64_t seed) : state_(seed | 1) {}
    void Fill(char* data, std::size_t size);

private:
    std::uint64_t state_;
    std::uint64_t word_ = 0;
    unsigned left_ = 0;
};

class Checksum {
public:
    void Add(const char* data, std::size_t size);
    std::uint64_t Value() const;
    std::uint64_t Count() const { return count_; }

private:
    void Mix(std::uint64_t word);

    std::uint64_t hash_ = 0xcbf29ce484222325ull;
    std::uint64_t count_ = 0;
    std::uint64_t partial_ = 0;
};

// `size` bytes of the seeded stream.
std::string Pattern(std::size_t size, std::uint64_t seed);
// Sends `total` bytes of the seeded stream in chunks of random sizes; returns their checksum.
std::uint64_t SendStream(TestSocket& s, std::size_t total, std::uint64_t seed);
// Reads to the end of the stream in reads of random sizes; the checksum and the byte count.
std::pair<std::uint64_t, std::uint64_t> ReceiveStream(TestSocket& s, std::uint64_t seed);

} // namespace tarvix::test

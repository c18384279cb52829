// At the process's descriptor limit the listener rests instead of spinning, keeps every waiting client
// queued (the listen backlog is the system's maximum) and takes them all once descriptors are free. Short of
// threads, it refuses clients with a reset at once and serves them again as soon as a thread is free.
#include "ReportLog.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/ProcessCounters.h"
#include "support/Waiting.h"

#include "relay/Connect.h"
#include "relay/NetThreadCache.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

using namespace tarvix;
using namespace tarvix::test;

TEST(TfConnect, AtTheDescriptorLimitTheListenerWaitsWithoutSpinningThenAcceptsAgain)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    struct Restore {
        rlimit limit;
        ~Restore() { setrlimit(RLIMIT_NOFILE, &limit); }
    } restore{saved};

    constexpr int kClients = 40; // far more than a small listen backlog would keep
    rlimit low = saved;
    low.rlim_cur = static_cast<rlim_t>(CountOpenDescriptors() + kClients + 16);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);

    std::vector<TestSocket> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        ASSERT_TRUE(clients.back().Valid());
    }
    // Every descriptor left is taken.
    std::vector<TestSocket> fillers;
    const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_NE(null, -1);
    fillers.emplace_back(null);
    for (;;) {
        const int fd = ::fcntl(null, F_DUPFD_CLOEXEC, 0);
        if (fd == -1) {
            ASSERT_EQ(errno, EMFILE);
            break;
        }
        fillers.emplace_back(fd);
    }

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(static_cast<std::uint16_t>(mapping.LocalPort()));
    for (auto& c : clients) {
        const int r = ::connect(c.Fd(), reinterpret_cast<const sockaddr*>(&to), sizeof to);
        ASSERT_TRUE(r == 0 || errno == EINPROGRESS);
    }
    // The system completes every handshake though nothing can be accepted: all wait in the backlog.
    int established = 0;
    const auto start = Clock::now();
    for (auto& c : clients) {
        pollfd p{c.Fd(), POLLOUT, 0};
        const int left = std::max(0, 2000 - static_cast<int>(MsSince(start)));
        int error = 0;
        socklen_t length = sizeof error;
        if (::poll(&p, 1, left) == 1 && ::getsockopt(c.Fd(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            ++established;
    }
    EXPECT_EQ(established, kClients);

    // The listener meets the limit on every try; it must rest between tries.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double cpuBefore = ProcessCpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    const double cpuUsed = ProcessCpuMs() - cpuBefore;
    EXPECT_LT(cpuUsed, 200.0) << "the listener spins at the descriptor limit";
    EXPECT_EQ(log.Count(true), 0);

    // One descriptor comes free: not enough for a client and its outbound side. Taken, a client would be
    // dropped at once, and the next one with the descriptor it leaves: they must wait in the queue.
    fillers.pop_back();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    for (std::size_t i = 0; i < clients.size(); ++i) {
        pollfd p{clients[i].Fd(), POLLIN, 0};
        EXPECT_EQ(::poll(&p, 1, 0), 0) << "client " << i << " was dropped";
    }
    EXPECT_EQ(log.Count(true), 0);

    // Descriptors become free all at once (closing the fillers one by one would let a client be
    // accepted while its outbound side still finds none and is closed).
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
    fillers.clear();
    for (int i = 0; i < kClients; ++i) {
        ::fcntl(clients[i].Fd(), F_SETFL, 0);
        const std::string message = "client " + std::to_string(i);
        ASSERT_TRUE(clients[i].SendAll(message));
        std::string got;
        ASSERT_EQ(clients[i].ReadExactly(got, message.size()), End::Data) << i;
        EXPECT_EQ(got, message);
    }
    EXPECT_TRUE(log.WaitFor(kClients, 0));
    clients.clear();
    EXPECT_TRUE(log.WaitFor(kClients, kClients));
}

TEST(TfConnect, ShortOfThreadsClientsAreRefusedWithAResetAtFullSpeedAndServedAgainOnceOneIsFree)
{
    EchoServer echo;
    ReportLog log;
    std::mutex reportsLock;
    std::vector<std::uint64_t> shortageReports;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback(), {}, [&](TfConnect*, std::uint64_t refused) {
        std::lock_guard lock(reportsLock);
        shortageReports.push_back(refused);
    });
    TNetThreadCache& cache = TNetThreadCache::Instance();
    struct Restore {
        ~Restore() { TNetThreadCache::Instance().SetThreadLimit(0); }
    } restore;
    cache.SetThreadLimit(cache.ThreadCount() + 4);

    const auto echoes = [](TestSocket& client) {
        std::string got;
        return client.SendAll("x") && client.ReadExactly(got, 1, 5000) == End::Data && got == "x";
    };
    // Held clients take every thread there is (the parked ones first).
    std::vector<TestSocket> held;
    for (;;) {
        ASSERT_LT(held.size(), 200u) << "the thread limit was never met";
        TestSocket client = ConnectLoopback(mapping.LocalPort());
        if (!echoes(client))
            break;
        held.push_back(std::move(client));
    }
    ASSERT_GE(held.size(), 4u);

    // A burst while no thread is free: every client is refused at once with a reset, none waits unanswered.
    constexpr int kRefused = 150;
    const auto start = Clock::now();
    std::vector<TestSocket> refused;
    for (int i = 0; i < kRefused; ++i)
        refused.push_back(ConnectLoopback(mapping.LocalPort()));
    int reset = 0;
    for (TestSocket& client : refused)
        reset += client.WaitEvent(10000) == End::Reset ? 1 : 0;
    EXPECT_EQ(reset, kRefused);
    EXPECT_LT(MsSince(start), kRefused * 100 / 3) << "refusals are throttled";
    {
        std::lock_guard lock(reportsLock);
        EXPECT_EQ(shortageReports, (std::vector<std::uint64_t>{1})) << "reported at the first refusal, then calm";
    }
    EXPECT_EQ(log.Count(true), static_cast<int>(held.size()));

    // One thread comes free: the next client is served, without a pause first.
    held.pop_back();
    ASSERT_TRUE(log.WaitFor(0, 1));
    const auto freed = Clock::now();
    bool served = false;
    while (!served && MsSince(freed) < 5000) {
        TestSocket client = ConnectLoopback(mapping.LocalPort());
        served = echoes(client);
    }
    EXPECT_TRUE(served);
    for (TestSocket& client : held)
        EXPECT_TRUE(echoes(client)) << "a held client lost its relay";
}

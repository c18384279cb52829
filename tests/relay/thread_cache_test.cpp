// Parked peer threads: taken again by later connections of the same or another mapping instance, bounded in
// number and lifetime, and never carrying anything of the instance they served before.
#include "ReportLog.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/Waiting.h"

#include "relay/Connect.h"
#include "relay/NetMappedPortTCP.h"
#include "relay/NetThreadCache.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <mutex>
#include <set>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// The reports of one instance, each with the OS thread that made it.
struct ThreadLog {
    std::mutex lock;
    std::set<pid_t> threads;
    std::vector<TfConnect*> senders;
    int reports = 0;

    TConnectionStateEvent Callback()
    {
        return [this](TfConnect* sender, bool) {
            std::lock_guard guard(lock);
            threads.insert(gettid());
            senders.push_back(sender);
            ++reports;
        };
    }
    int Reports()
    {
        std::lock_guard guard(lock);
        return reports;
    }
};

// One echoed byte through the mapping, one client after another; then waits for every report.
void RelayOneAfterAnother(TfConnect& mapping, ThreadLog& log, int count)
{
    const int reportsBefore = log.Reports();
    for (int i = 0; i < count; ++i) {
        TestSocket c = ConnectLoopback(mapping.LocalPort());
        ASSERT_TRUE(c.SendAll("x"));
        std::string got;
        ASSERT_EQ(c.ReadExactly(got, 1), End::Data) << i;
        c.Close();
        ASSERT_TRUE(WaitUntil([&] { return log.Reports() == reportsBefore + 2 * (i + 1); })) << i;
    }
}

} // namespace

TEST(NetThreadCache, SwitchingAMappingOffAndOnAgainReusesItsThreadsAndReportsOnlyToTheLiveInstance)
{
    EchoServer echo;
    ThreadLog first;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", echo.Port(), first.Callback());
    const int port = mapping->LocalPort();
    RelayOneAfterAnother(*mapping, first, 5);
    // Serial connections find the thread of the previous one waiting in accept or parked.
    EXPECT_LT(first.threads.size(), 5u);

    mapping->CloseMapping();
    // Switched off, no thread waits for its clients any more: all are parked.
    EXPECT_TRUE(WaitUntil([&] { return TNetThreadCache::Instance().ParkedCount() == first.threads.size(); }));
    TfConnect* const firstInstance = mapping.get();
    mapping.reset(); // freed: a parked thread that still pointed at it shows under the address sanitizer
    const int firstReports = first.Reports();

    ThreadLog second;
    TfConnect again(port, "127.0.0.1", echo.Port(), second.Callback());
    RelayOneAfterAnother(again, second, 5);
    EXPECT_EQ(first.Reports(), firstReports);
    for (TfConnect* sender : second.senders)
        EXPECT_EQ(sender, &again);
    for (TfConnect* sender : first.senders)
        EXPECT_EQ(sender, firstInstance);
    std::set<pid_t> shared;
    for (pid_t t : second.threads)
        if (first.threads.count(t))
            shared.insert(t);
    EXPECT_FALSE(shared.empty()); // the same OS threads served both instances
}

TEST(NetThreadCache, KeepsAtMostItsBoundAndLetsIdleThreadsGo)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());
    // More clients at once than the cache keeps: each needs a thread of its own.
    constexpr int kClients = static_cast<int>(TNetThreadCache::kMaxParked) + 20;
    std::vector<TestSocket> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(ConnectLoopback(mapping.LocalPort()));
        ASSERT_TRUE(clients.back().SendAll("y"));
        std::string got;
        ASSERT_EQ(clients.back().ReadExactly(got, 1), End::Data) << i;
    }
    clients.clear();
    ASSERT_TRUE(log.WaitFor(kClients, kClients));
    ASSERT_TRUE(WaitUntil([&] { return mapping.NetMappedPortTCP().PeerCount() == 0; }));
    // Once the threads waiting for a next client have left too, idle.
    EXPECT_TRUE(WaitUntil([&] {
        return TNetThreadCache::Instance().ParkedCount() == TNetThreadCache::kMaxParked &&
               mapping.NetMappedPortTCP().WaitingPeerCount() == 0;
    }));

    TNetThreadCache::Instance().SetParkedLife(std::chrono::milliseconds(1));
    // Threads parked before the change leave after the life they were given; a new one leaves at once.
    TestSocket c = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(c.SendAll("z"));
    std::string got;
    ASSERT_EQ(c.ReadExactly(got, 1), End::Data);
    c.Close();
    ASSERT_TRUE(log.WaitFor(kClients + 1, kClients + 1));
    EXPECT_TRUE(
        WaitUntil([] { return TNetThreadCache::Instance().ParkedCount() == TNetThreadCache::kMaxParked - 1; }, 5000));
    TNetThreadCache::Instance().SetParkedLife(TNetThreadCache::kParkedLife);
}

// The threaded server: bindings, listener, peer threads, deactivation and the thread classes.
#include "support/Loopback.h"
#include "support/ProcessCounters.h"
#include "support/Waiting.h"

#include "relay/NetExceptions.h"
#include "relay/NetTCPServer.h"
#include "relay/NetThreadCache.h"
#include "relay/NetThreadMgrDefault.h"

#include <gtest/gtest.h>

#include <pthread.h>
#include <unistd.h>

#include <future>
#include <mutex>
#include <set>

using namespace tarvix;
using namespace tarvix::test;

namespace {

struct Counters {
    std::atomic<int> connects{0};
    std::atomic<int> disconnects{0};
};

std::shared_ptr<TNetTCPServer> NewServer(Counters& c)
{
    auto server = TNetTCPServer::Create();
    server->SetDefaultPort(0);
    server->OnConnect = [&c](TNetPeerThread&) { ++c.connects; };
    server->OnDisconnect = [&c](TNetPeerThread&) { ++c.disconnects; };
    return server;
}

void Echo(TNetPeerThread& peer)
{
    TNetTCPServerConnection& c = *peer.ClientConnection();
    c.WriteAll(c.ReadAvailable());
}

class CountingThread : public TNetThread {
public:
    std::atomic<int> passes{0};
    std::atomic<bool> before{false}, after{false};
    int failAt = -1;

protected:
    void BeforeLoop() override { before = true; }
    void LoopPass() override
    {
        if (++passes == failAt)
            throw ENetNoExecuteSpecified();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void AfterLoop() override { after = true; }
};

} // namespace

TEST(NetTCPServer, WithoutBindingsListensOnAllInterfacesAtTheDefaultPort)
{
    Counters c;
    auto server = NewServer(c);
    server->OnExecute = Echo;
    server->SetActive(true);
    ASSERT_TRUE(server->Active());
    ASSERT_EQ(server->Bindings().Count(), 1u);
    EXPECT_EQ(server->Bindings()[0].IP(), "0.0.0.0");
    const int port = server->Bindings()[0].Port();
    ASSERT_GT(port, 0);

    TestSocket client = ConnectLoopback(port);
    ASSERT_TRUE(client.SendAll("ping"));
    std::string got;
    EXPECT_EQ(client.ReadExactly(got, 4), End::Data);
    EXPECT_EQ(got, "ping");
    client.Close();
    EXPECT_TRUE(WaitUntil([&] { return c.disconnects == 1; }));
    EXPECT_EQ(c.connects, 1);
    server->Dispose();
}

TEST(NetTCPServer, PlainServerWithoutExecuteClosesEachClient)
{
    Counters c;
    auto server = NewServer(c);
    server->SetActive(true);
    TestSocket client = ConnectLoopback(server->Bindings()[0].Port());
    std::string got;
    EXPECT_EQ(client.ReadToEnd(got), End::Eof);
    EXPECT_EQ(got, "");
    EXPECT_TRUE(WaitUntil([&] { return c.disconnects == 1; }));
    EXPECT_EQ(c.connects, 1);
    EXPECT_TRUE(WaitUntil([&] { return server->PeerCount() == 0; }));
    server->Dispose();
}

TEST(NetTCPServer, IdleDeactivationTakesOnePeerPoll)
{
    Counters c;
    auto server = NewServer(c);
    // A long listener wait must not matter: deactivation wakes it.
    server->SetAcceptPollMs(10000);
    server->SetActive(true);
    const int port = server->Bindings()[0].Port();
    const auto start = Clock::now();
    server->SetActive(false);
    const long ms = MsSince(start);
    EXPECT_GE(ms, 250);
    EXPECT_LE(ms, 600);
    EXPECT_FALSE(server->Active());
    // Deactivation keeps the binding's address and port, and nothing listens there any more.
    EXPECT_EQ(server->Bindings()[0].Port(), port);
    EXPECT_FALSE(ConnectLoopback(port).Valid());
    server->Dispose();
}

TEST(NetTCPServer, DeactivationClosesConnectedClients)
{
    Counters c;
    auto server = NewServer(c);
    server->OnExecute = Echo;
    server->SetActive(true);
    const int port = server->Bindings()[0].Port();
    std::vector<TestSocket> clients;
    for (int i = 0; i < 5; ++i) {
        clients.push_back(ConnectLoopback(port));
        ASSERT_TRUE(clients.back().SendAll("x"));
        std::string got;
        ASSERT_EQ(clients.back().ReadExactly(got, 1), End::Data);
    }
    ASSERT_EQ(server->PeerCount(), 5u);
    const auto start = Clock::now();
    server->SetActive(false);
    EXPECT_LT(MsSince(start), 600);
    EXPECT_EQ(server->PeerCount(), 0u);
    for (auto& client : clients) {
        std::string rest;
        EXPECT_NE(client.ReadToEnd(rest, 2000), End::Timeout);
    }
    EXPECT_EQ(c.disconnects, 5);
    server->Dispose();
}

TEST(NetTCPServer, DeactivationEndsWhenTheLastPeerLeavesNotAtTheNextPoll)
{
    Counters c;
    auto server = NewServer(c);
    server->OnExecute = Echo;
    // A peer slowed down (a busy machine): it leaves 400 ms after its connection was closed.
    server->OnDisconnect = [&c](TNetPeerThread&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        ++c.disconnects;
    };
    server->SetActive(true);
    TestSocket client = ConnectLoopback(server->Bindings()[0].Port());
    ASSERT_TRUE(client.SendAll("x"));
    std::string got;
    ASSERT_EQ(client.ReadExactly(got, 1), End::Data);

    const auto start = Clock::now();
    server->SetActive(false);
    const long ms = MsSince(start);
    EXPECT_GE(ms, 400);
    // Polled in 250 ms steps it would have taken 500 ms.
    EXPECT_LT(ms, 480);
    EXPECT_EQ(server->PeerCount(), 0u);
    EXPECT_EQ(c.disconnects, 1);
    server->Dispose();
}

TEST(NetTCPServer, FinishedPeersWaitingForTheNextClientLeaveWhenIdleAndOnDeactivation)
{
    Counters c;
    auto server = NewServer(c);
    server->OnExecute = Echo;
    std::mutex lock;
    std::set<pid_t> threads;
    server->OnConnect = [&](TNetPeerThread&) {
        std::lock_guard guard(lock);
        threads.insert(gettid());
    };
    server->SetAcceptPollMs(200);
    server->SetActive(true);
    auto serveOne = [&](int port, int disconnects) {
        TestSocket client = ConnectLoopback(port);
        ASSERT_TRUE(client.SendAll("x"));
        std::string got;
        ASSERT_EQ(client.ReadExactly(got, 1), End::Data);
        client.Close();
        ASSERT_TRUE(WaitUntil([&] { return c.disconnects == disconnects; }));
    };
    const int port = server->Bindings()[0].Port();
    // One client after another: the peer of one waits in accept and takes the next itself.
    for (int i = 1; i <= 5; ++i)
        serveOne(port, i);
    // Idle waiting peers leave for the cache; the listener takes the next client again.
    EXPECT_TRUE(WaitUntil([&] {
        std::lock_guard guard(lock);
        return TNetThreadCache::Instance().ParkedCount() == threads.size();
    }));
    serveOne(port, 6);

    // Deactivated while a finished peer waits in accept: as quickly as ever, and nothing listens after.
    const auto start = Clock::now();
    server->SetActive(false);
    EXPECT_LT(MsSince(start), 600);
    EXPECT_FALSE(ConnectLoopback(port).Valid());
    EXPECT_TRUE(WaitUntil([&] {
        std::lock_guard guard(lock);
        return TNetThreadCache::Instance().ParkedCount() == threads.size();
    }));
    server->SetActive(true);
    serveOne(server->Bindings()[0].Port(), 7);
    server->Dispose();
}

TEST(NetTCPServer, TakenPortRaisesAndLeavesTheServerInactive)
{
    int port = 0;
    TestSocket taken = ListenLoopback(1, port);
    const int before = CountOpenDescriptors();
    Counters c;
    auto server = NewServer(c);
    server->SetDefaultPort(port);
    EXPECT_THROW(server->SetActive(true), ENetCouldNotBindSocket);
    EXPECT_FALSE(server->Active());
    EXPECT_EQ(CountOpenDescriptors(), before);
    server.reset();
    EXPECT_EQ(CountOpenDescriptors(), before);
}

TEST(NetTCPServer, StopAllPeersGivesUpAfterTerminateWaitTime)
{
    Counters c;
    auto server = NewServer(c);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    // A pass that does not return when its connection is closed.
    server->OnExecute = [released](TNetPeerThread&) { released.wait_for(std::chrono::seconds(10)); };
    server->SetTerminateWaitTime(1000);
    server->SetActive(true);
    TestSocket client = ConnectLoopback(server->Bindings()[0].Port());
    ASSERT_TRUE(WaitUntil([&] { return c.connects == 1; }));

    const auto start = Clock::now();
    server->SetActive(false);
    const long ms = MsSince(start);
    EXPECT_GE(ms, 1000);
    EXPECT_LT(ms, 2000);
    EXPECT_EQ(server->PeerCount(), 1u);
    release.set_value();
    EXPECT_TRUE(WaitUntil([&] { return server->PeerCount() == 0; }));
    server->Dispose();
    EXPECT_EQ(c.disconnects, 1);
}

TEST(NetTCPServer, PeerThreadsHaveSmallStacksAndComeFromTheThreadManager)
{
    Counters c;
    auto server = NewServer(c);
    std::atomic<std::size_t> stackSize{0};
    std::atomic<std::size_t> live{0};
    server->OnExecute = [&](TNetPeerThread& peer) {
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            std::size_t size = 0;
            pthread_attr_getstacksize(&attr, &size);
            stackSize = size;
            pthread_attr_destroy(&attr);
        }
        live = peer.Server().ThreadMgr()->LiveCount();
        Echo(peer);
    };
    server->SetActive(true);
    EXPECT_TRUE(server->OwnsThreadMgr());
    TestSocket client = ConnectLoopback(server->Bindings()[0].Port());
    ASSERT_TRUE(client.SendAll("a"));
    std::string got;
    ASSERT_EQ(client.ReadExactly(got, 1), End::Data);
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    EXPECT_GE(stackSize.load(), TNetThread::kStackSize); // the sanitizers enlarge small stacks
#else
    EXPECT_EQ(stackSize.load(), TNetThread::kStackSize);
#endif
    EXPECT_EQ(live.load(), 1u);
    std::shared_ptr<TNetThreadMgr> mgr = server->ThreadMgr();
    client.Close();
    EXPECT_TRUE(WaitUntil([&] { return mgr->LiveCount() == 0; }));
    server->Dispose();
    EXPECT_EQ(server->ThreadMgr(), nullptr); // an owned manager goes with deactivation
}

TEST(NetThreadMgr, ThreadClassMustBeSet)
{
    auto mgr = std::make_shared<TNetThreadMgrDefault>();
    try {
        mgr->AcquireThread();
        FAIL() << "made a thread of no class";
    } catch (const ENetThreadClassNotSpecified& e) {
        EXPECT_STREQ(e.what(), "Classe Thread non spécifiée.");
    }
    mgr->ThreadType = [] { return std::make_unique<CountingThread>(); };
    TNetThread* thread = mgr->AcquireThread();
    EXPECT_EQ(mgr->LiveCount(), 1u);
    thread->StartThread();
    mgr->ReturnThread(thread); // from another thread: stopped, joined and destroyed
    EXPECT_EQ(mgr->LiveCount(), 0u);
}

TEST(NetThread, RunsBeforeLoopPassesAndAfterLoopThenStops)
{
    CountingThread t;
    EXPECT_TRUE(t.IsHalted());
    t.StartThread();
    EXPECT_FALSE(t.IsHalted());
    EXPECT_TRUE(WaitUntil([&] { return t.passes > 3; }));
    t.StopAndJoin();
    EXPECT_TRUE(t.before);
    EXPECT_TRUE(t.after);
    EXPECT_TRUE(t.Terminated());
    EXPECT_EQ(t.FailureText(), "");
}

TEST(NetThread, AnExceptionEndsTheLoopWithItsTextAfterAfterLoop)
{
    CountingThread t;
    t.failAt = 3;
    std::string reported;
    t.OnThreadError = [&](TNetThread&, const std::exception& e) { reported = e.what(); };
    t.StartThread();
    t.Join();
    EXPECT_EQ(t.passes, 3);
    EXPECT_TRUE(t.after);
    EXPECT_EQ(t.FailureText(), "Aucun gestionnaire d'exécution n'a été trouvé.");
    EXPECT_EQ(reported, t.FailureText());
}

TEST(NetThread, StoppedBeforeItStartsRunsOnlyAfterLoop)
{
    CountingThread t;
    t.StopAndJoin();
    t.StartThread();
    t.Join();
    EXPECT_EQ(t.passes, 0);
}

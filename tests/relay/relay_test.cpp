// A mapping instance end to end: every way a relayed connection ends, large transfers, failures of the
// remote end, many clients, and deactivation.
#include "ByteStream.h"
#include "ReportLog.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/ProcessCounters.h"
#include "support/ScriptedServer.h"
#include "support/ShortConnectTimeout.h"
#include "support/SilentRemote.h"
#include "support/Waiting.h"

#include "relay/Connect.h"
#include "relay/NetExceptions.h"
#include "relay/NetMappedPortTCP.h"
#include "relay/NetThreadCache.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <malloc.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <future>

using namespace tarvix;
using namespace tarvix::test;

TEST(TfConnect, RelaysBothWaysAndReportsOnePairPerConnection)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());
    ASSERT_GT(mapping.LocalPort(), 0);
    EXPECT_FALSE(mapping.Closing());

    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.Valid());
    const std::string data = Pattern(100000, 1); // more than one chunk of the relay
    ASSERT_TRUE(client.SendAll(data));
    std::string got;
    ASSERT_EQ(client.ReadExactly(got, data.size()), End::Data);
    EXPECT_EQ(got, data);
    client.Close();
    ASSERT_TRUE(log.WaitFor(1, 1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

TEST(TfConnect, LocalhostByNameIsRelayedToo)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "LOCALHOST", echo.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.SendAll("abc"));
    std::string got;
    ASSERT_EQ(client.ReadExactly(got, 3), End::Data);
    EXPECT_EQ(got, "abc");
}

TEST(TfConnect, ClientThatShutsDownItsSendingSideStillGetsTheWholeReply)
{
    // The remote end answers only once the request has ended, as an HTTP/1.0 server or `nc -N` peer does.
    ScriptedServer remote([](TestSocket& c) {
        std::string request;
        if (c.ReadToEnd(request) != End::Eof)
            return;
        c.SendAll(Pattern(1 << 20, request.size()));
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    const std::string request = Pattern(70000, 9);
    ASSERT_TRUE(client.SendAll(request));
    client.ShutdownSending();
    std::string reply;
    EXPECT_EQ(client.ReadToEnd(reply), End::Eof);
    EXPECT_EQ(reply, Pattern(1 << 20, request.size()));
    ASSERT_TRUE(log.WaitFor(1, 1));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

TEST(TfConnect, RemoteThatWritesAndClosesDeliversEverythingToTheClient)
{
    const std::string data = Pattern(300000, 4);
    ScriptedServer remote([&](TestSocket& c) { c.SendAll(data); }); // then closed by the server
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    std::string got;
    EXPECT_EQ(client.ReadToEnd(got), End::Eof);
    EXPECT_EQ(got, data);
    // The client's side stays open for it until it closes in turn.
    EXPECT_EQ(log.Count(false), 0);
    client.Close();
    ASSERT_TRUE(log.WaitFor(1, 1));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

TEST(TfConnect, RemoteThatEndsFirstStillReceivesWhatTheClientSendsAfterwards)
{
    std::promise<std::string> received;
    ScriptedServer remote([&](TestSocket& c) {
        c.SendAll("greeting");
        c.ShutdownSending();
        std::string rest;
        c.ReadToEnd(rest);
        received.set_value(rest);
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    std::string got;
    ASSERT_EQ(client.ReadToEnd(got), End::Eof);
    EXPECT_EQ(got, "greeting");
    const std::string late = Pattern(200000, 5);
    ASSERT_TRUE(client.SendAll(late));
    client.ShutdownSending();
    auto future = received.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(future.get(), late);
    std::string none;
    EXPECT_EQ(client.ReadToEnd(none), End::Eof);
    ASSERT_TRUE(log.WaitFor(1, 1));
}

TEST(TfConnect, ClientThatClosesEndsTheRemoteSide)
{
    std::promise<std::pair<End, std::string>> seen;
    ScriptedServer remote([&](TestSocket& c) {
        std::string data;
        const End end = c.ReadToEnd(data);
        seen.set_value({end, data});
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.SendAll("bye"));
    client.Close();
    auto future = seen.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    const auto [end, data] = future.get();
    EXPECT_EQ(end, End::Eof);
    EXPECT_EQ(data, "bye");
    ASSERT_TRUE(log.WaitFor(1, 1));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

TEST(TfConnect, ResetByTheClientEndsBothSidesAtOnce)
{
    std::promise<void> gotByte;
    std::promise<End> ended;
    ScriptedServer remote([&](TestSocket& c) {
        std::string one;
        c.ReadExactly(one, 1);
        gotByte.set_value();
        std::string rest;
        ended.set_value(c.ReadToEnd(rest, 5000));
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.SendAll("x"));
    ASSERT_EQ(gotByte.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    client.Reset();
    auto future = ended.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(future.get(), End::Reset); // not an end of stream: the remote must not take it as complete
    ASSERT_TRUE(log.WaitFor(1, 1, 5000));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

TEST(TfConnect, ResetByTheRemoteEndsBothSidesAtOnce)
{
    ScriptedServer remote([](TestSocket& c) {
        std::string one;
        c.ReadExactly(one, 1);
        c.SendAll("partial");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        c.Reset();
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.SendAll("x"));
    // The client has not ended its side: only the reset can end the connection here, and it must arrive
    // as a reset, after the data sent before it.
    std::string got;
    ASSERT_EQ(client.ReadExactly(got, 7), End::Data);
    EXPECT_EQ(got, "partial");
    std::string rest;
    EXPECT_EQ(client.ReadToEnd(rest, 5000), End::Reset);
    EXPECT_EQ(rest, "");
    ASSERT_TRUE(log.WaitFor(1, 1, 5000));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

TEST(TfConnect, LargeTransfersBothWaysAtOnceArriveIntact)
{
    constexpr std::size_t kSize = 64u << 20;
    std::promise<StreamEnd> remoteResult;
    ScriptedServer remote([&](TestSocket& c) {
        StreamEnd r;
        std::thread sender([&] {
            r.sent = SendStream(c, kSize, 2);
            c.ShutdownSending();
        });
        std::tie(r.received, r.count) = ReceiveStream(c, 20);
        sender.join();
        remoteResult.set_value(r);
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    StreamEnd mine;
    std::thread sender([&] {
        mine.sent = SendStream(client, kSize, 1);
        client.ShutdownSending();
    });
    std::tie(mine.received, mine.count) = ReceiveStream(client, 10);
    sender.join();
    auto future = remoteResult.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    ExpectBothWaysIntact(future.get(), mine, kSize);
    ASSERT_TRUE(log.WaitFor(1, 1));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

TEST(TfConnect, ConnectionsLeftIdleOrTricklingAfterABurstGiveItsLargeBuffersBack)
{
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' allocators keep accounts of their own";
#endif
    const auto inUse = [] {
        const struct mallinfo2 m = mallinfo2();
        return m.uordblks + m.hblkhd;
    };
    // A keep-alive of one byte a second after the burst is no bulk traffic: it must not keep the buffers.
    for (const bool trickle : {false, true}) {
        SCOPED_TRACE(trickle ? "one byte a second" : "idle");
        EchoServer echo;
        ReportLog log;
        TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());
        constexpr int kConnections = 8;
        const std::string burst(1 << 20, 'b');
        std::string got;
        got.reserve(burst.size());
        std::vector<TestSocket> clients;
        for (int i = 0; i < kConnections; ++i) {
            clients.push_back(ConnectLoopback(mapping.LocalPort()));
            ASSERT_TRUE(clients.back().SendAll(burst));
            ASSERT_EQ(clients.back().ReadExactly(got, burst.size()), End::Data) << i;
            got.clear();
        }
        // Both directions of every connection went over to large chunks; the echo server keeps what it has.
        const std::size_t afterBurst = inUse();
        const std::size_t large = kConnections * 2 * TNetRelayDirection::kBulkChunkSize;
        std::atomic<bool> stop{false};
        std::atomic<int> echoed{0};
        std::thread keepAlive([&] {
            std::string one;
            while (trickle && !stop) {
                for (auto& client : clients) {
                    if (client.SendAll("k") && client.ReadExactly(one, 1, 5000) == End::Data)
                        ++echoed;
                    one.clear();
                }
                for (int i = 0; i < 10 && !stop; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        });
        const bool given = WaitUntil([&] { return inUse() + large * 3 / 4 < afterBurst; },
                                     TNetMappedPortTCP::kBulkBufferKeepMs + 3000);
        stop = true;
        keepAlive.join();
        EXPECT_TRUE(given) << (afterBurst - inUse()) / 1024 << " KiB given back";
        if (trickle) {
            EXPECT_GE(echoed.load(), 2 * kConnections) << "the trickle did not run during the wait";
        }
        // They relay on as before.
        for (auto& client : clients) {
            ASSERT_TRUE(client.SendAll("after"));
            ASSERT_EQ(client.ReadExactly(got, 5), End::Data);
            EXPECT_EQ(got, "after");
            got.clear();
        }
    }
}

TEST(TfConnect, RepliesLargerThanOneChunkAreNotHeldBack)
{
    // A reply a little over one relay chunk leaves in two writes: the second must not wait for the
    // acknowledgement of the first, which the client delays (tens of milliseconds).
    constexpr std::size_t kReply = 40000;
    ScriptedServer remote([](TestSocket& c) {
        const std::string reply(kReply, 'r');
        std::string request;
        while (c.ReadExactly(request, 10) == End::Data) {
            request.clear();
            if (!c.SendAll(reply))
                break;
        }
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    std::vector<long> us;
    for (int i = 0; i < 21; ++i) {
        const auto start = Clock::now();
        ASSERT_TRUE(client.SendAll("0123456789"));
        std::string reply;
        ASSERT_EQ(client.ReadExactly(reply, kReply), End::Data);
        us.push_back(
            static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count()));
    }
    std::sort(us.begin(), us.end());
    EXPECT_LT(us[us.size() / 2], 20000) << "median round trip in microseconds";
}

TEST(TfConnect, AcceptedClientsSendWithoutNagle)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());
    std::promise<int> noDelay;
    mapping.NetMappedPortTCP().OnBeforeClientConnect = [&noDelay](TNetMappedPortTCP&, TNetPeerThread& peer,
                                                                  TNetTCPClient&) {
        int value = -1;
        socklen_t length = sizeof value;
        ::getsockopt(peer.ClientConnection()->Socket().Descriptor(), IPPROTO_TCP, TCP_NODELAY, &value, &length);
        noDelay.set_value(value);
    };
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    auto result = noDelay.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_NE(result.get(), 0);
}

TEST(TfConnect, UnreachableOrUnknownRemoteAcceptsThenClosesWithoutData)
{
    for (const std::string host : {"127.0.0.1", "no-such-host.invalid"}) {
        SCOPED_TRACE(host);
        ReportLog log;
        TfConnect mapping(0, host, FreePort(), log.Callback());
        TestSocket client = ConnectLoopback(mapping.LocalPort());
        ASSERT_TRUE(client.Valid());
        std::string got;
        EXPECT_EQ(client.ReadToEnd(got), End::Eof);
        EXPECT_EQ(got, "");
        ASSERT_TRUE(log.WaitFor(1, 1));
        EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
    }
}

TEST(TfConnect, ClientsRelayIndependentlyTwoThenTwoHundredAtOnce)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());

    TestSocket a = ConnectLoopback(mapping.LocalPort());
    TestSocket b = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(log.WaitFor(2, 0));
    ASSERT_TRUE(b.SendAll("second"));
    ASSERT_TRUE(a.SendAll("first"));
    std::string ga, gb;
    ASSERT_EQ(a.ReadExactly(ga, 5), End::Data);
    ASSERT_EQ(b.ReadExactly(gb, 6), End::Data);
    EXPECT_EQ(ga, "first");
    EXPECT_EQ(gb, "second");
    b.Close();
    ASSERT_TRUE(log.WaitFor(2, 1));
    // The other relay is untouched by the end of this one.
    ASSERT_TRUE(a.SendAll("again"));
    ga.clear();
    ASSERT_EQ(a.ReadExactly(ga, 5), End::Data);
    EXPECT_EQ(ga, "again");
    a.Close();
    ASSERT_TRUE(log.WaitFor(2, 2));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, true, false, false}));

    constexpr int kClients = 200;
    std::vector<TestSocket> clients;
    for (int i = 0; i < kClients; ++i)
        clients.push_back(ConnectLoopbackNonBlocking(mapping.LocalPort()));
    ASSERT_TRUE(log.WaitFor(2 + kClients, 2));
    for (int i = 0; i < kClients; ++i) {
        ::fcntl(clients[i].Fd(), F_SETFL, 0);
        ASSERT_TRUE(clients[i].SendAll(Pattern(1000 + i, i)));
    }
    for (int i = 0; i < kClients; ++i) {
        std::string got;
        ASSERT_EQ(clients[i].ReadExactly(got, 1000 + i), End::Data);
        ASSERT_EQ(got, Pattern(1000 + i, i)) << i;
    }
    clients.clear();
    ASSERT_TRUE(log.WaitFor(2 + kClients, 2 + kClients));
    EXPECT_EQ(log.Count(true), 2 + kClients);
    EXPECT_EQ(log.Count(false), 2 + kClients);
}

TEST(TfConnect, CloseMappingWithConnectionsOpenClosesThemWithoutReports)
{
    EchoServer echo;
    ReportLog log;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", echo.Port(), log.Callback());
    std::vector<TestSocket> clients;
    for (int i = 0; i < 5; ++i) {
        clients.push_back(ConnectLoopback(mapping->LocalPort()));
        ASSERT_TRUE(clients.back().SendAll("x"));
        std::string got;
        ASSERT_EQ(clients.back().ReadExactly(got, 1), End::Data);
    }
    ASSERT_TRUE(log.WaitFor(5, 0));
    const auto start = Clock::now();
    mapping->CloseMapping();
    const long ms = MsSince(start);
    EXPECT_TRUE(mapping->Closing());
    EXPECT_GE(ms, 250);
    // The peers are woken by the close at once: not much longer than an idle deactivation.
    EXPECT_LT(ms, 600);
    EXPECT_EQ(mapping->NetMappedPortTCP().PeerCount(), 0u);
    for (auto& client : clients) {
        std::string rest;
        EXPECT_NE(client.ReadToEnd(rest, 2000), End::Timeout);
    }
    EXPECT_TRUE(WaitUntil([&] { return echo.Open() == 0; }));
    mapping.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(log.Count(true), 5);
    EXPECT_EQ(log.Count(false), 0);
}

TEST(TfConnect, IdleDeactivationTakesAQuarterOfASecondAndTheDestructionNothingMore)
{
    ReportLog log;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", 9, log.Callback());
    const int port = mapping->LocalPort();
    auto start = Clock::now();
    mapping->CloseMapping();
    long ms = MsSince(start);
    EXPECT_GE(ms, 250);
    EXPECT_LE(ms, 600);
    EXPECT_FALSE(ConnectLoopback(port).Valid());
    start = Clock::now();
    mapping.reset();
    EXPECT_LT(MsSince(start), 250); // the peers were waited for once already
}

TEST(TfConnect, TakenPortRaisesTheBindErrorAndLeavesNothingOpen)
{
    int port = 0;
    TestSocket taken = ListenLoopback(1, port);
    const int before = CountOpenDescriptors();
    ReportLog log;
    try {
        TfConnect mapping(port, "127.0.0.1", 80, log.Callback());
        FAIL() << "listened on a taken port";
    } catch (const ENetCouldNotBindSocket& e) {
        EXPECT_STREQ(e.what(), "Impossible d'établir une liaison avec le socket. L'adresse et le port sont déjà "
                               "utilisés.");
    }
    EXPECT_EQ(CountOpenDescriptors(), before);
}

TEST(TfConnect, PortsOutOfRangeAreRefusedNotTruncated)
{
    ReportLog log;
    for (int port : {-1, 65536, 65536 + 80}) {
        try {
            TfConnect mapping(port, "127.0.0.1", 80, log.Callback());
            FAIL() << "listened on port " << port;
        } catch (const ENetSocketError& e) {
            EXPECT_EQ(e.SocketCode(), 10022);
        }
    }
    // A remote port out of range: the client is accepted and closed, as for any remote that fails.
    EchoServer echo;
    TfConnect mapping(0, "127.0.0.1", echo.Port() + 65536, log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    std::string got;
    EXPECT_EQ(client.ReadToEnd(got), End::Eof);
    EXPECT_EQ(echo.Accepted(), 0);
    EXPECT_TRUE(log.WaitFor(1, 1));
}

TEST(TfConnect, PeerStuckInItsOutboundConnectIsEndedByDeactivation)
{
    // A loopback listener with a full accept queue: further connection requests are dropped and connect()
    // keeps retrying until its bound, far beyond this test.
    int port = 0;
    TestSocket full = ListenLoopback(0, port);
    std::vector<TestSocket> fillers;
    for (int i = 0; i < 4; ++i)
        fillers.push_back(ConnectLoopbackNonBlocking(port));
    ReportLog log;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", port, log.Callback());
    TestSocket client = ConnectLoopback(mapping->LocalPort());
    ASSERT_TRUE(log.WaitFor(1, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_EQ(log.Count(false), 0) << "the outbound connect was not stuck";

    const auto start = Clock::now();
    mapping->CloseMapping();
    EXPECT_LT(MsSince(start), 6000);
    // Its outbound socket was shut down too, so it did not linger.
    EXPECT_TRUE(WaitUntil([&] { return mapping->NetMappedPortTCP().PeerCount() == 0; }, 2000));
    std::string rest;
    EXPECT_NE(client.ReadToEnd(rest, 2000), End::Timeout);
    mapping.reset();
    EXPECT_EQ(log.Count(false), 0);
}

TEST(TfConnect, RemoteThatNeverAnswersEndsTheRelayedClientWithinTheConnectBound)
{
    SilentRemote remote;
    ASSERT_NE(remote.Port(), 0);
    const ShortConnectTimeout bound(400);
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.Valid());
    const auto start = Clock::now();
    std::string got;
    EXPECT_EQ(client.ReadToEnd(got, 5000), End::Eof);
    const long ms = MsSince(start);
    EXPECT_GE(ms, 300);
    EXPECT_LT(ms, 5000);
    EXPECT_EQ(got, "");
    ASSERT_TRUE(log.WaitFor(1, 1, 5000));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
    // Its peer is gone, not stuck in the attempt.
    EXPECT_TRUE(WaitUntil([&] { return mapping.NetMappedPortTCP().PeerCount() == 0; }, 2000));
}

TEST(TfConnect, PeerThatOutlivesItsInstanceTouchesNothingFreed)
{
    EchoServer echo;
    ReportLog log;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", echo.Port(), log.Callback());
    // Stands for a name lookup that nothing can interrupt.
    auto entered = std::make_shared<std::promise<void>>();
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    mapping->NetMappedPortTCP().OnBeforeClientConnect = [entered, released](TNetMappedPortTCP&, TNetPeerThread&,
                                                                            TNetTCPClient&) {
        entered->set_value();
        released.wait();
    };
    TestSocket client = ConnectLoopback(mapping->LocalPort());
    ASSERT_EQ(entered->get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    const std::weak_ptr<TNetTCPServer> server = mapping->NetMappedPortTCP().weak_from_this();

    // Deactivation waits its full time for the peer, then goes on without it.
    const auto start = Clock::now();
    mapping->CloseMapping();
    const long ms = MsSince(start);
    EXPECT_GE(ms, 4900);
    EXPECT_LT(ms, 6500);
    EXPECT_EQ(mapping->NetMappedPortTCP().PeerCount(), 1u);
    // Not a second full wait: a stop of the runner must stay within the time it promises.
    const auto destroying = Clock::now();
    mapping.reset();
    EXPECT_LT(MsSince(destroying), 2000);
    EXPECT_FALSE(server.expired()); // the peer still holds what it uses

    release->set_value();
    EXPECT_TRUE(WaitUntil([&] { return server.expired(); }, 5000));
    std::string rest;
    EXPECT_NE(client.ReadToEnd(rest, 2000), End::Timeout);
    EXPECT_EQ(rest, "");
    EXPECT_EQ(echo.Accepted(), 0); // its outbound connect never happened
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true}));
}

TEST(TfConnect, ThousandsOfConnectionsOneAfterAnotherLeaveNoDescriptorBehind)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());
    // Warm up once so that lazily made things (thread stacks, arenas) are in place.
    {
        TestSocket c = ConnectLoopback(mapping.LocalPort());
        ASSERT_TRUE(c.SendAll("w"));
        std::string got;
        ASSERT_EQ(c.ReadExactly(got, 1), End::Data);
    }
    ASSERT_TRUE(WaitUntil([&] { return mapping.NetMappedPortTCP().PeerCount() == 0 && echo.Open() == 0; }));
    // Counted once its thread no longer waits for a next client but is parked, holding nothing.
    ASSERT_TRUE(WaitUntil([] { return TNetThreadCache::Instance().ParkedCount() == 1; }, 5000));
    const int before = CountOpenDescriptors();

    constexpr int kConnections = 10000;
    for (int i = 0; i < kConnections; ++i) {
        TestSocket c = ConnectLoopback(mapping.LocalPort());
        ASSERT_TRUE(c.Valid()) << i;
        const char byte = static_cast<char>(i);
        ASSERT_TRUE(c.SendAll(&byte, 1));
        std::string got;
        ASSERT_EQ(c.ReadExactly(got, 1), End::Data) << i;
        ASSERT_EQ(got[0], byte);
    }
    ASSERT_TRUE(log.WaitFor(kConnections + 1, kConnections + 1, 60000));
    ASSERT_TRUE(WaitUntil([&] { return mapping.NetMappedPortTCP().PeerCount() == 0 && echo.Open() == 0; }));
    // Threads waiting for the next client hold a descriptor each until they leave, idle.
    EXPECT_TRUE(WaitUntil([&] { return CountOpenDescriptors() == before; }, 5000)) << CountOpenDescriptors() - before;
}

TEST(TfConnect, TwoThousandConnectionsHeldAtOnceAllRelay)
{
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback());
    constexpr int kClients = 2000;
    std::vector<TestSocket> clients;
    clients.reserve(kClients);
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(ConnectLoopback(mapping.LocalPort()));
        ASSERT_TRUE(clients.back().Valid()) << i;
    }
    ASSERT_TRUE(log.WaitFor(kClients, 0, 60000));
    EXPECT_EQ(log.Count(false), 0);
    for (int i = 0; i < kClients; ++i)
        ASSERT_TRUE(clients[i].SendAll(std::to_string(i) + ";"));
    for (int i = 0; i < kClients; ++i) {
        const std::string want = std::to_string(i) + ";";
        std::string got;
        ASSERT_EQ(clients[i].ReadExactly(got, want.size()), End::Data) << i;
        ASSERT_EQ(got, want);
    }
    EXPECT_EQ(mapping.NetMappedPortTCP().PeerCount(), static_cast<std::size_t>(kClients));
    clients.clear();
    ASSERT_TRUE(log.WaitFor(kClients, kClients, 60000));
}

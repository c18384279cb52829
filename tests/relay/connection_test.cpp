// Connections and the outbound client: reads, writes, closes, connects, and closing from another thread.
#include "RelayTestSupport.h"
#include "support/SilentRemote.h"

#include "relay/NetExceptions.h"
#include "relay/NetStack.h"
#include "relay/NetTCPClient.h"
#include "relay/NetTCPConnection.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/time.h>

#include <future>
#include <thread>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// A connection accepted from a loopback client, and that client.
struct Pair {
    int port = 0;
    TestSocket listener = ListenLoopback(4, port);
    TestSocket client = ConnectLoopback(port);
    TNetTCPConnection server;

    Pair() { server.Socket().AcceptFrom(listener.Fd()); }
};

} // namespace

TEST(NetTCPConnection, AcceptReadsBothEndsBack)
{
    Pair p;
    ASSERT_TRUE(p.server.IsConnected());
    EXPECT_EQ(p.server.Socket().IP(), "127.0.0.1");
    EXPECT_EQ(p.server.Socket().Port(), p.port);
    EXPECT_EQ(p.server.Socket().RemoteIP(), "127.0.0.1");
    EXPECT_GT(p.server.Socket().RemotePort(), 0);
}

TEST(NetTCPConnection, ReadAvailableAfterThePeerClosedIsEmptyAndCloses)
{
    Pair p;
    ASSERT_TRUE(p.client.SendAll("abc"));
    p.client.Close();
    std::string got;
    for (int i = 0; i < 10 && got.size() < 3; ++i)
        got += p.server.ReadAvailable();
    EXPECT_EQ(got, "abc");
    EXPECT_EQ(p.server.ReadAvailable(), "");
    EXPECT_FALSE(p.server.IsConnected());
    EXPECT_EQ(p.server.Socket().Descriptor(), -1);
    EXPECT_EQ(p.server.ReadAvailable(), "");
}

TEST(NetTCPConnection, ReadAvailableTakesAtMostOneBufferInOrder)
{
    Pair p;
    std::string sent(100000, '\0');
    ByteStream(7).Fill(sent.data(), sent.size());
    ASSERT_TRUE(p.client.SendAll(sent));
    std::string got;
    while (got.size() < sent.size()) {
        const std::string chunk = p.server.ReadAvailable();
        ASSERT_FALSE(chunk.empty());
        ASSERT_LE(chunk.size(), 32768u);
        got += chunk;
    }
    EXPECT_EQ(got, sent);
}

TEST(NetTCPConnection, WriteAllSendsEverythingAndRefusesAClosedConnection)
{
    Pair p;
    std::string data(1 << 20, '\0');
    ByteStream(3).Fill(data.data(), data.size());
    std::string got;
    std::thread reader([&] { p.client.ReadExactly(got, data.size()); });
    p.server.WriteAll(data);
    reader.join();
    EXPECT_EQ(got, data);

    p.server.CloseConnection();
    EXPECT_NO_THROW(p.server.WriteAll("")); // nothing to write: not even a closed connection matters
    EXPECT_THROW(p.server.WriteAll("x"), ENetConnClosedGracefully);
    std::string after;
    EXPECT_EQ(p.client.ReadToEnd(after, 2000), End::Eof);
    EXPECT_EQ(after, "");
}

TEST(NetTCPConnection, ReceiveOnceWaitsForItsTimeLimit)
{
    Pair p;
    const auto start = Clock::now();
    EXPECT_EQ(p.server.ReceiveOnce(false, 200), 0);
    EXPECT_GE(MsSince(start), 190);
    EXPECT_TRUE(p.server.IsConnected());
    ASSERT_TRUE(p.client.SendAll("hello"));
    EXPECT_EQ(p.server.ReceiveOnce(true, 2000), 5);
    EXPECT_EQ(p.server.ExtractInput(2), "he");
    EXPECT_THROW(p.server.ExtractInput(4), ENetNotEnoughDataInBuffer);
    EXPECT_EQ(p.server.ExtractInput(3), "llo");
}

TEST(NetTCPConnection, ClosedPeerRaisesOnlyOnceTheBufferIsEmpty)
{
    Pair p;
    ASSERT_TRUE(p.client.SendAll("xy"));
    p.client.Close();
    EXPECT_EQ(p.server.ReceiveOnce(true, 2000), 2);
    // The peer is gone but data is still buffered: no exception yet.
    EXPECT_NO_THROW(p.server.ReceiveOnce(true, 2000));
    EXPECT_EQ(p.server.ExtractInput(2), "xy");
    EXPECT_THROW(p.server.ReceiveOnce(true, 2000), ENetConnClosedGracefully);
}

TEST(NetTCPConnection, AbortFromAnotherThreadWakesTheWaitAndKeepsTheDescriptorUntilReleased)
{
    Pair p;
    const int before = CountOpenDescriptors();
    auto reader = std::async(std::launch::async, [&] { return p.server.ReadAvailable(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto start = Clock::now();
    p.server.AbortConnection();
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_LT(MsSince(start), 2000);
    EXPECT_EQ(reader.get(), "");
    EXPECT_FALSE(p.server.IsConnected());
    // The owner's IsConnected released the number; the client saw the connection end.
    EXPECT_EQ(p.server.Socket().Descriptor(), -1);
    EXPECT_EQ(CountOpenDescriptors(), before - 1);
    std::string rest;
    EXPECT_NE(p.client.ReadToEnd(rest, 2000), End::Timeout);
}

TEST(NetTCPConnection, AbortWakesABlockedWrite)
{
    Pair p;
    // The client never reads: the write blocks once both buffers are full.
    std::string big(64 << 20, 'z');
    auto writer = std::async(std::launch::async, [&] {
        try {
            p.server.WriteAll(big);
            return 0;
        } catch (const ENetSocketError& e) {
            return e.SocketCode();
        } catch (const ENetConnClosedGracefully&) {
            return 1;
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(writer.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    p.server.AbortConnection();
    ASSERT_EQ(writer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_NE(writer.get(), 0);
    EXPECT_FALSE(p.server.IsConnected());
}

TEST(NetTCPClient, ConnectsToLocalhostInAnyCaseAfterAResolvingStatus)
{
    int port = 0;
    TestSocket listener = ListenLoopback(4, port);
    for (const char* host : {"localhost", "LocalHost"}) {
        TNetTCPClient client;
        std::vector<std::pair<TNetStatus, std::string>> statuses;
        client.OnStatus = [&](TNetComponent*, TNetStatus s, const std::string& text) {
            statuses.emplace_back(s, text);
        };
        client.SetHost(host);
        client.SetPort(port);
        client.Connect();
        EXPECT_TRUE(client.IsConnected());
        EXPECT_EQ(client.Socket().RemoteIP(), "127.0.0.1");
        EXPECT_EQ(client.Socket().RemotePort(), port);
        EXPECT_EQ(client.Socket().IP(), "127.0.0.1");
        EXPECT_GT(client.Socket().Port(), 0);
        ASSERT_EQ(statuses.size(), 3u);
        EXPECT_EQ(statuses[0],
                  std::make_pair(TNetStatus::stResolving, "Résolution du nom d'hôte " + std::string(host) + "."));
        EXPECT_EQ(statuses[1], std::make_pair(TNetStatus::stConnecting, std::string("Connexion à 127.0.0.1.")));
        EXPECT_EQ(statuses[2], std::make_pair(TNetStatus::stConnected, std::string("Connecté.")));
        statuses.clear();
        client.CloseConnection();
        ASSERT_EQ(statuses.size(), 2u);
        EXPECT_EQ(statuses[0], std::make_pair(TNetStatus::stDisconnecting, std::string("Déconnexion de 127.0.0.1.")));
        EXPECT_EQ(statuses[1], std::make_pair(TNetStatus::stDisconnected, std::string("Pas connecté.")));
    }
}

TEST(NetTCPClient, DottedHostRaisesNoResolvingStatus)
{
    int port = 0;
    TestSocket listener = ListenLoopback(4, port);
    TNetTCPClient client;
    bool resolving = false;
    client.OnStatus = [&](TNetComponent*, TNetStatus s, const std::string&) {
        resolving = resolving || s == TNetStatus::stResolving;
    };
    client.SetHost("127.0.0.1");
    client.SetPort(port);
    client.Connect();
    EXPECT_TRUE(client.IsConnected());
    EXPECT_FALSE(resolving);
}

TEST(NetTCPClient, ConnectOnAnOpenClientRaisesAndLeavesItAlone)
{
    int port = 0;
    TestSocket listener = ListenLoopback(4, port);
    TNetTCPClient client;
    client.SetHost("127.0.0.1");
    client.SetPort(port);
    client.Connect();
    const int fd = client.Socket().Descriptor();
    try {
        client.Connect();
        FAIL() << "connected twice";
    } catch (const ENetAlreadyConnected& e) {
        EXPECT_STREQ(e.what(), "Déjà connecté.");
    }
    EXPECT_TRUE(client.IsConnected());
    EXPECT_EQ(client.Socket().Descriptor(), fd);
}

TEST(NetTCPClient, RefusedConnectRaises10061AndLeavesTheClientClosed)
{
    const int before = CountOpenDescriptors();
    TNetTCPClient client;
    client.SetHost("127.0.0.1");
    client.SetPort(FreePort());
    try {
        client.Connect();
        FAIL() << "connected to a closed port";
    } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.SocketCode(), 10061);
        EXPECT_STREQ(e.what(), "Erreur de socket # 10061\r\nConnexion refusée.");
    }
    EXPECT_FALSE(client.IsConnected());
    EXPECT_EQ(client.Socket().Descriptor(), -1);
    EXPECT_EQ(CountOpenDescriptors(), before);
}

TEST(NetTCPClient, ConnectToARemoteThatNeverAnswersTimesOutWithinTheBound)
{
    SilentRemote remote;
    ASSERT_NE(remote.Port(), 0);
    const ShortConnectTimeout bound(300);
    const int before = CountOpenDescriptors();
    TNetTCPClient client;
    client.SetHost("127.0.0.1");
    client.SetPort(remote.Port());
    const auto start = Clock::now();
    try {
        client.Connect();
        FAIL() << "connected to a remote that never answers";
    } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.SocketCode(), 10060);
        EXPECT_STREQ(e.what(), "Erreur de socket # 10060\r\nDélai de connexion dépassé.");
    }
    const long ms = MsSince(start);
    EXPECT_GE(ms, 250);
    EXPECT_LT(ms, 5000);
    EXPECT_EQ(client.Socket().Descriptor(), -1);
    EXPECT_EQ(CountOpenDescriptors(), before);
}

TEST(NetTCPClient, ConnectedSocketKeepsNoTimeOnItsWritesUnlessTheyNeverWait)
{
    // The bound is the connect's alone: a blocking write to a slow reader may wait as long as it must.
    int port = 0;
    TestSocket listener = ListenLoopback(4, port);
    for (const bool writesWait : {true, false}) {
        SCOPED_TRACE(writesWait);
        TNetTCPClient client;
        client.SetHost("127.0.0.1");
        client.SetPort(port);
        client.SetWritesWait(writesWait);
        client.Connect();
        timeval limit{1, 1};
        socklen_t length = sizeof limit;
        ASSERT_EQ(::getsockopt(client.Socket().Descriptor(), SOL_SOCKET, SO_SNDTIMEO, &limit, &length), 0);
        EXPECT_EQ(limit.tv_sec, writesWait ? 0 : kConnectTimeoutMs / 1000);
        EXPECT_EQ(limit.tv_usec, 0);
    }
}

TEST(NetTCPClient, UnknownHostRaisesALookupError)
{
    TNetTCPClient client;
    client.SetHost("no-such-host.invalid");
    client.SetPort(80);
    try {
        client.Connect();
        FAIL() << "an unknown name connected";
    } catch (const ENetSocketError& e) {
        EXPECT_GE(e.SocketCode(), 11001);
        EXPECT_LE(e.SocketCode(), 11004);
    }
    EXPECT_EQ(client.Socket().Descriptor(), -1);
}

TEST(NetTCPClient, AbortEndsAConnectThatIsStuck)
{
    // A listener whose accept queue is full drops further connection requests: connect() waits there.
    int port = 0;
    TestSocket full = ListenLoopback(0, port);
    std::vector<TestSocket> fillers;
    for (int i = 0; i < 4; ++i)
        fillers.push_back(ConnectLoopbackNonBlocking(port));
    TNetTCPClient client;
    client.SetHost("127.0.0.1");
    client.SetPort(port);
    auto connecting = std::async(std::launch::async, [&] {
        try {
            client.Connect();
            return 0;
        } catch (const ENetSocketError& e) {
            return e.SocketCode();
        }
    });
    ASSERT_EQ(connecting.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout) << "not stuck";
    const auto start = Clock::now();
    client.Socket().Abort();
    ASSERT_EQ(connecting.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_LT(MsSince(start), 2000);
    EXPECT_NE(connecting.get(), 0);
    EXPECT_EQ(client.Socket().Descriptor(), -1);
    // Aborted for good: it does not connect again.
    EXPECT_THROW(client.Connect(), ENetSocketError);
}

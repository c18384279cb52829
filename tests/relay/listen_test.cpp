// Where a mapping listens, whom it admits, and how it reaches an IPv6 remote or a name with several
// addresses.
#include "ReportLog.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/Waiting.h"

#include "relay/Connect.h"
#include "relay/NetAddress.h"
#include "relay/NetExceptions.h"
#include "relay/NetMappedPortTCP.h"
#include "relay/NetStack.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

using namespace tarvix;
using namespace tarvix::test;

namespace {

bool HasIPv6Loopback()
{
    int port = 0;
    return ListenLoopbackV6(1, port).Valid();
}

#define REQUIRE_IPV6()                                                                                                 \
    if (!HasIPv6Loopback())                                                                                            \
    GTEST_SKIP() << "this machine has no IPv6 loopback (::1)"

// Sends a line through the mapping and reads its echo.
void ExpectEcho(TestSocket& client, const std::string& line = "ping")
{
    ASSERT_TRUE(client.Valid());
    ASSERT_TRUE(client.SendAll(line));
    std::string got;
    ASSERT_EQ(client.ReadExactly(got, line.size()), End::Data);
    EXPECT_EQ(got, line);
}

// An echo server on [::1] with a port chosen by the system, one connection at a time.
class IPv6Echo {
public:
    IPv6Echo() : listener_(ListenLoopbackV6(8, port_))
    {
        if (!listener_.Valid())
            return;
        thread_ = std::thread([this] {
            const int fd = ::accept(listener_.Fd(), nullptr, nullptr);
            if (fd == -1)
                return;
            accepted_ = true;
            TestSocket c(fd);
            char buffer[4096];
            for (long n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
                if (!c.SendAll(buffer, static_cast<std::size_t>(n)))
                    break;
        });
    }
    ~IPv6Echo()
    {
        ::shutdown(listener_.Fd(), SHUT_RDWR);
        if (thread_.joinable())
            thread_.join();
    }
    int Port() const { return port_; }
    bool Accepted() const { return accepted_; }

private:
    int port_ = 0; // before listener_: filled in while it is made
    TestSocket listener_;
    std::atomic<bool> accepted_{false};
    std::thread thread_;
};

std::string BoundAddress(TfConnect& mapping)
{
    return mapping.NetMappedPortTCP().Bindings()[0].IP();
}

} // namespace

TEST(ListenAddress, ByDefaultEveryIPv4InterfaceOtherwiseTheAddressAlone)
{
    EchoServer echo;
    ReportLog log;
    {
        TfConnect everywhere(0, "127.0.0.1", echo.Port(), log.Callback());
        EXPECT_EQ(BoundAddress(everywhere), "0.0.0.0");
        TestSocket client = ConnectLoopback(everywhere.LocalPort());
        ExpectEcho(client);
    }
    TfConnect local(0, "127.0.0.1", echo.Port(), log.Callback(), {}, {}, {}, {"127.0.0.1", "", {}});
    EXPECT_EQ(BoundAddress(local), "127.0.0.1");
    EXPECT_EQ(local.ListenAddress(), "127.0.0.1");
    TestSocket client = ConnectLoopback(local.LocalPort());
    ExpectEcho(client);
    // Another loopback address of the machine is not listened on.
    TestSocket other(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in a = LoopbackAddress(local.LocalPort());
    a.sin_addr.s_addr = htonl(0x7F000002);
    EXPECT_NE(::connect(other.Fd(), reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
}

TEST(ListenAddress, IPv6LoopbackAndDualStackWildcard)
{
    REQUIRE_IPV6();
    EchoServer echo;
    ReportLog log;
    {
        TfConnect loopback6(0, "127.0.0.1", echo.Port(), log.Callback(), {}, {}, {}, {"::1", "", {}});
        EXPECT_EQ(BoundAddress(loopback6), "::1");
        TestSocket client = ConnectLoopbackV6(loopback6.LocalPort());
        ExpectEcho(client);
        EXPECT_FALSE(ConnectLoopback(loopback6.LocalPort()).Valid()) << "::1 alone takes no IPv4 client";
    }
    TfConnect both(0, "127.0.0.1", echo.Port(), log.Callback(), {}, {}, {}, {"::", "", {}});
    EXPECT_EQ(BoundAddress(both), "::");
    TestSocket client6 = ConnectLoopbackV6(both.LocalPort());
    ExpectEcho(client6);
    TestSocket client4 = ConnectLoopback(both.LocalPort());
    ExpectEcho(client4);
}

TEST(ListenAddress, AnAddressThisMachineDoesNotHaveFailsActivationWithTheSystemsError)
{
    ReportLog log;
    try {
        TfConnect mapping(0, "127.0.0.1", 80, log.Callback(), {}, {}, {}, {"192.0.2.1", "", {}});
        FAIL() << "bound to an address the machine does not have";
    } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.SocketCode(), netcode::AddressNotAvailable);
    }
    EXPECT_THROW(TfConnect(0, "127.0.0.1", 80, log.Callback(), {}, {}, {}, {"not-an-address", "", {}}),
                 ENetSocketError);
    EXPECT_THROW(TfConnect(0, "127.0.0.1", 80, log.Callback(), {}, {}, {}, {"", "10.0.0.0/33", {}}), ENetBadAddress);
}

TEST(AllowFrom, ClientsOutsideAreResetBeforeTheRemoteHearsOfThemAndCounted)
{
    EchoServer echo;
    ReportLog log;
    std::mutex lock;
    std::vector<std::string> refused;
    TfConnectOptions options{"", "10.0.0.0/8, fd00::/8", [&](const std::string& address, int port) {
                                 std::lock_guard g(lock);
                                 refused.push_back(address + ":" + std::to_string(port));
                             }};
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback(), {}, {}, {}, options);
    for (int i = 0; i < 3; ++i) {
        TestSocket client = ConnectLoopback(mapping.LocalPort());
        ASSERT_TRUE(client.Valid());
        std::string got;
        EXPECT_EQ(client.ReadToEnd(got, 5000), End::Reset);
    }
    EXPECT_EQ(echo.Accepted(), 0);
    EXPECT_EQ(mapping.Traffic().refused, 3u);
    EXPECT_EQ(mapping.Traffic().accepted, 0u);
    EXPECT_TRUE(log.Reports().empty()) << "a refused client is never reported as connected";
    std::lock_guard g(lock);
    ASSERT_EQ(refused.size(), 3u);
    EXPECT_EQ(refused[0].rfind("127.0.0.1:", 0), 0u);

    // In place, for the next clients: now admitted.
    mapping.SetAllowFrom("127.0.0.0/8");
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ExpectEcho(client);
    EXPECT_EQ(echo.Accepted(), 1);
}

TEST(AllowFrom, AnIPv4ClientOnADualStackSocketMatchesItsIPv4Network)
{
    REQUIRE_IPV6();
    EchoServer echo;
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", echo.Port(), log.Callback(), {}, {}, {}, {"::", "127.0.0.0/8", {}});
    TestSocket client4 = ConnectLoopback(mapping.LocalPort());
    ExpectEcho(client4);
    TestSocket client6 = ConnectLoopbackV6(mapping.LocalPort());
    ASSERT_TRUE(client6.Valid());
    std::string got;
    EXPECT_EQ(client6.ReadToEnd(got, 5000), End::Reset) << "::1 is outside 127.0.0.0/8";
    EXPECT_EQ(mapping.Traffic().refused, 1u);
}

TEST(Outbound, AnIPv6LiteralRemote)
{
    REQUIRE_IPV6();
    IPv6Echo echo;
    ASSERT_GT(echo.Port(), 0);
    ReportLog log;
    TfConnect mapping(0, "::1", echo.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ExpectEcho(client, "over IPv6");
    EXPECT_TRUE(echo.Accepted());
}

namespace {
// 127.0.0.2 refuses (the echo server listens on 127.0.0.1 alone), then the working address.
std::vector<std::string> TwoAddresses(const std::string& name)
{
    if (name == "two.example")
        return {"127.0.0.2", "127.0.0.1"};
    if (name == "none.example")
        return {"127.0.0.2", "127.0.0.3"};
    return {};
}
} // namespace

TEST(Outbound, ANameWhoseFirstAddressRefusesConnectsThroughTheNextOtherwiseTheLastFailureIsReported)
{
    SetHostLookupForTests(TwoAddresses);
    EchoServer echo;
    ReportLog log;
    {
        TfConnect mapping(0, "two.example", echo.Port(), log.Callback());
        TestSocket client = ConnectLoopback(mapping.LocalPort());
        ExpectEcho(client, "second address");
    }
    TfConnect refusing(0, "none.example", echo.Port(), log.Callback());
    TestSocket client = ConnectLoopback(refusing.LocalPort());
    ASSERT_TRUE(client.Valid());
    std::string got;
    client.ReadToEnd(got, 5000);
    ASSERT_TRUE(WaitUntil([&] { return refusing.Traffic().lastOutboundFailure.has_value(); }, 5000));
    EXPECT_EQ(refusing.Traffic().lastOutboundFailure->socketCode, netcode::ConnectionRefused);
    SetHostLookupForTests(nullptr);
}

TEST(AllowList, ParsesAddressesAndNetworksOfBothFamiliesAndNamesTheBadEntry)
{
    const TNetAllowList list =
        TNetAllowList::Parse(" 127.0.0.0/8, 192.168.1.7/24 ,::1, fd00::/8,, ::ffff:10.0.0.0/104");
    EXPECT_EQ(list.Text(), "127.0.0.0/8, 192.168.1.0/24, ::1, fd00::/8, 10.0.0.0/8");
    EXPECT_TRUE(list.Admits("127.5.6.7"));
    EXPECT_TRUE(list.Admits("192.168.1.200"));
    EXPECT_FALSE(list.Admits("192.168.2.1"));
    EXPECT_TRUE(list.Admits("::1"));
    EXPECT_FALSE(list.Admits("::2"));
    EXPECT_TRUE(list.Admits("fd12:3456::1"));
    EXPECT_FALSE(list.Admits("fe80::1"));
    EXPECT_TRUE(list.Admits("::ffff:192.168.1.9")) << "an IPv4 client seen on a dual-stack socket";
    EXPECT_TRUE(list.Admits("10.200.0.1"));
    EXPECT_FALSE(list.Admits("not an address"));
    EXPECT_TRUE(TNetAllowList::Parse("").Admits("8.8.8.8"));
    EXPECT_TRUE(TNetAllowList::Parse(" , ").Empty());
    EXPECT_FALSE(TNetAllowList::Parse("0.0.0.0/0").Admits("::1")) << "an IPv4 network admits no IPv6 client";
    EXPECT_TRUE(TNetAllowList::Parse("0.0.0.0/0").Admits("203.0.113.9"));

    for (const char* bad : {"10.0.0.0/33", "::/129", "10.0.0.0/", "10.0.0.0/x", "10.0.0", "intranet", "10.0.0.0/-1",
                            "fe80::1%eth0/64", "1.2.3.4/8/8", "256.1.1.1"}) {
        try {
            TNetAllowList::Parse(std::string("127.0.0.1, ") + bad);
            ADD_FAILURE() << bad << " was taken";
        } catch (const ENetBadAddress& e) {
            EXPECT_EQ(e.Entry(), bad);
            EXPECT_NE(std::string(e.what()).find(bad), std::string::npos);
        }
    }
}

TEST(RemoteHost, OnlyTextsThatCanNameSomethingArePlausible)
{
    for (const char* good : {"127.0.0.1", "::1", "fd00::7", "10.1", "localhost", "db-1.example.org", "example.org.",
                             "under_score.local", "3com.com"})
        EXPECT_TRUE(IsPlausibleHost(good)) << good;
    for (const char* bad : {"", "127.0.0.1:80", "999.1.1.1", "1.2.3.4.5", "my host", "-lead.example", "trail-.example",
                            "a..b", "[::1]", "http://example.org", "."})
        EXPECT_FALSE(IsPlausibleHost(bad)) << bad;
}

// The traffic counters of a mapping instance: exact byte counts however a connection ends, the record of
// each ended connection with its end, and the last failed outbound connection.
#include "ByteStream.h"
#include "ReportLog.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/ScriptedServer.h"

#include "relay/Connect.h"
#include "relay/NetStack.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <map>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// The records of the connections that ended, by client port.
class EndLog {
public:
    TConnectionEndedEvent Callback()
    {
        return [this](TfConnect*, const TNetConnectionInfo& info) {
            std::lock_guard lock(lock_);
            byPort_[info.clientPort] = info;
            changed_.notify_all();
        };
    }
    bool WaitFor(std::size_t count)
    {
        std::unique_lock lock(lock_);
        return changed_.wait_for(lock, std::chrono::milliseconds(TestSocket::kTimeoutMs),
                                 [&] { return byPort_.size() >= count; });
    }
    std::map<int, TNetConnectionInfo> Records()
    {
        std::lock_guard lock(lock_);
        return byPort_;
    }
    TNetConnectionInfo First() { return Records().begin()->second; }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    std::map<int, TNetConnectionInfo> byPort_;
};

int LocalPortOf(const TestSocket& s)
{
    sockaddr_in a{};
    socklen_t len = sizeof a;
    ::getsockname(s.Fd(), reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

std::string Bytes(std::size_t size, char first)
{
    std::string s(size, '\0');
    ByteStream(size).Fill(s.data(), s.size());
    s[0] = first;
    return s;
}

// Client half closes (H), or the remote end resets once the client has had everything (R).
constexpr std::size_t kHalfUp = 300000, kHalfDown = 200000, kResetUp = 150001, kResetDown = 70000;

} // namespace

TEST(TfConnectTraffic, ExactCountsAndEndsThroughAHalfClosedAndAResetConnectionAtOnce)
{
    ScriptedServer remote([](TestSocket& c) {
        std::string got;
        if (c.ReadExactly(got, 1) != End::Data)
            return;
        if (got[0] == 'H') {
            // Answers only once the client's stream has ended.
            if (c.ReadToEnd(got) != End::Eof || got.size() != kHalfUp)
                return;
            c.SendAll(Bytes(kHalfDown, 'h'));
        } else {
            if (c.ReadExactly(got, kResetUp - 1) != End::Data)
                return;
            c.SendAll(Bytes(kResetDown, 'r'));
            // One more byte says the client has read it all: the reset then takes nothing from it.
            if (c.ReadExactly(got, 1) != End::Data)
                return;
            c.Reset();
        }
    });
    ReportLog log;
    EndLog ends;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback(), ends.Callback());

    TestSocket halfClosed = ConnectLoopback(mapping.LocalPort());
    TestSocket reset = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(halfClosed.Valid() && reset.Valid());
    std::string halfGot, resetGot;
    End halfEnd = End::Timeout, resetEnd = End::Timeout;
    std::thread half([&] {
        halfClosed.SendAll(Bytes(kHalfUp, 'H'));
        halfClosed.ShutdownSending();
        halfEnd = halfClosed.ReadToEnd(halfGot);
    });
    std::thread cut([&] {
        reset.SendAll(Bytes(kResetUp, 'R'));
        if (reset.ReadExactly(resetGot, kResetDown) == End::Data)
            reset.SendAll("!");
        resetEnd = reset.ReadToEnd(resetGot);
    });
    half.join();
    cut.join();
    EXPECT_EQ(halfEnd, End::Eof);
    EXPECT_EQ(halfGot, Bytes(kHalfDown, 'h'));
    EXPECT_EQ(resetEnd, End::Reset);
    EXPECT_EQ(resetGot, Bytes(kResetDown, 'r'));

    ASSERT_TRUE(log.WaitFor(2, 2));
    const TNetTrafficSnapshot t = mapping.Traffic();
    EXPECT_EQ(t.open, 0u);
    EXPECT_EQ(t.accepted, 2u);
    EXPECT_EQ(t.bytesFromClients, kHalfUp + kResetUp + 1);
    EXPECT_EQ(t.bytesToClients, kHalfDown + kResetDown);
    EXPECT_FALSE(t.lastOutboundFailure);

    ASSERT_TRUE(ends.WaitFor(2));
    auto records = ends.Records();
    const TNetConnectionInfo& h = records[LocalPortOf(halfClosed)];
    EXPECT_EQ(h.clientAddress, "127.0.0.1");
    EXPECT_EQ(h.bytesFromClient, kHalfUp);
    EXPECT_EQ(h.bytesToClient, kHalfDown);
    EXPECT_EQ(h.end, TNetConnectionEnd::ClosedByClient);
    const TNetConnectionInfo& r = records[LocalPortOf(reset)];
    EXPECT_EQ(r.bytesFromClient, kResetUp + 1);
    EXPECT_EQ(r.bytesToClient, kResetDown);
    EXPECT_EQ(r.end, TNetConnectionEnd::Reset);
    EXPECT_GT(r.duration.count(), 0);
}

TEST(TfConnectTraffic, ARemoteThatClosesFirstARefusedRemoteAndDeactivationEachSayHowTheyEnded)
{
    ScriptedServer greeter([](TestSocket& c) { c.SendAll("hello"); });
    EndLog ends;
    TfConnect mapping(0, "127.0.0.1", greeter.Port(), {}, ends.Callback());
    TestSocket first = ConnectLoopback(mapping.LocalPort());
    std::string got;
    ASSERT_EQ(first.ReadToEnd(got), End::Eof);
    first.Close();
    ASSERT_TRUE(ends.WaitFor(1));
    EXPECT_EQ(ends.First().end, TNetConnectionEnd::ClosedByRemote);
    EXPECT_EQ(ends.First().bytesToClient, 5u);

    EndLog refusedEnds;
    TfConnect refused(0, "127.0.0.1", FreePort(), {}, refusedEnds.Callback());
    const auto before = std::chrono::system_clock::now();
    TestSocket dropped = ConnectLoopback(refused.LocalPort());
    ASSERT_TRUE(refusedEnds.WaitFor(1));
    EXPECT_EQ(refusedEnds.First().end, TNetConnectionEnd::RefusedRemote);
    const TNetTrafficSnapshot t = refused.Traffic();
    EXPECT_EQ(t.accepted, 1u);
    ASSERT_TRUE(t.lastOutboundFailure);
    EXPECT_EQ(t.lastOutboundFailure->socketCode, netcode::ConnectionRefused);
    EXPECT_GE(t.lastOutboundFailure->time, before);
    EXPECT_EQ(OutboundFailureKind(t.lastOutboundFailure->socketCode), TNetOutboundFailureKind::Refused);

    EchoServer echo;
    EndLog echoEnds;
    TfConnect echoing(0, "127.0.0.1", echo.Port(), {}, echoEnds.Callback());
    TestSocket open = ConnectLoopback(echoing.LocalPort());
    ASSERT_TRUE(open.SendAll("ping"));
    ASSERT_EQ(open.ReadExactly(got = {}, 4), End::Data);
    echoing.CloseMapping();
    ASSERT_TRUE(echoEnds.WaitFor(1));
    const TNetConnectionInfo d = echoEnds.First();
    EXPECT_EQ(d.end, TNetConnectionEnd::Deactivated);
    EXPECT_EQ(d.bytesFromClient, 4u);
    EXPECT_EQ(d.bytesToClient, 4u);
    EXPECT_EQ(echoing.Traffic().open, 0u);
}

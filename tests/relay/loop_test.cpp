// Connections whose small, frequent messages are moved by the event loops instead of their own threads:
// moving between the two paths mid-stream loses nothing, deactivation reaches every connection in a loop,
// and one remote that stops reading holds up nobody else.
#include "ByteStream.h"
#include "ReportLog.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/ScriptedServer.h"
#include "support/Waiting.h"

#include "relay/Connect.h"
#include "relay/NetMappedPortTCP.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <cstring>
#include <future>
#include <random>
#include <thread>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// How one side ends its stream.
enum class Ending { HalfClose, Reset };

// A stream sent in phases that make the relay move the connection: small messages with pauses (into a
// loop), a burst larger than one chunk (back to the thread), a rest long enough for the bursts' buffers to
// be given back once both sides' bursts are over, small messages again; it ends at a random point of the
// last phase.
struct PhasedSender {
    std::uint64_t seed;
    std::size_t burst;
    std::size_t endAfter; // bytes of the last phase sent before the end
    Ending ending;
    std::atomic<int>* burstsDone; // shared by both sides of the connection

    std::size_t Total() const { return kSmall * kMessages + burst + endAfter; }

    static constexpr std::size_t kSmall = 200;
    static constexpr int kMessages = 40;

    // Sends Total() bytes of the seeded stream, then ends as told; false when the connection failed first.
    bool Run(TestSocket& s) const
    {
        const std::string all = Pattern(Total(), seed);
        std::size_t at = 0;
        const auto small = [&](std::size_t bytes) {
            for (std::size_t sent = 0; sent < bytes; sent += kSmall) {
                const std::size_t n = std::min(kSmall, bytes - sent);
                if (!s.SendAll(all.data() + at, n))
                    return false;
                at += n;
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            return true;
        };
        if (!small(kSmall * kMessages) || !s.SendAll(all.data() + at, burst))
            return false;
        at += burst;
        ++*burstsDone;
        WaitUntil([&] { return *burstsDone == 2; }, 30000);
        std::this_thread::sleep_for(std::chrono::milliseconds(TNetMappedPortTCP::kBulkBufferKeepMs + 300));
        if (!small(endAfter))
            return false;
        if (ending == Ending::HalfClose)
            s.ShutdownSending();
        return true;
    }
};

// What one side received: everything up to the end, and how it ended.
struct Received {
    std::string bytes;
    End end = End::Timeout;
};

// Reads to the end of the stream. A side that ends with a reset does it here once `resetNow` comes true, even
// after the other side's end: the socket must not be closed under this thread's read.
Received ReadAll(TestSocket& s, const std::atomic<bool>& resetNow, bool resets)
{
    Received r;
    const auto start = Clock::now();
    char buffer[16384];
    bool ended = false;
    while (MsSince(start) < 60000) {
        if (resetNow) {
            s.Reset();
            return r;
        }
        pollfd wait{s.Fd(), POLLIN, 0};
        if (ended || ::poll(&wait, 1, 20) <= 0) {
            if (ended)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        const long n = ::recv(s.Fd(), buffer, sizeof buffer, 0);
        if (n > 0) {
            r.bytes.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            r.end = n == 0 ? End::Eof : End::Reset;
            ended = true;
            if (!resets)
                return r;
        }
    }
    return r;
}

// One side of a case: sends in phases on one thread while reading on this one, then ends as told.
Received RunSide(TestSocket& s, const PhasedSender& sender)
{
    std::atomic<bool> reset{false};
    std::thread sending([&] {
        sender.Run(s);
        reset = sender.ending == Ending::Reset;
    });
    Received r = ReadAll(s, reset, sender.ending == Ending::Reset);
    sending.join();
    return r;
}

// The received bytes are the start of the seeded stream: nothing lost, doubled or out of order.
void ExpectPrefixOf(const Received& r, std::size_t total, std::uint64_t seed, const char* what)
{
    ASSERT_LE(r.bytes.size(), total) << what;
    EXPECT_TRUE(r.bytes == Pattern(r.bytes.size(), seed)) << what << ": bytes differ from what was sent";
}

// Sets a socket not to block.
void NonBlocking(int fd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Clients that each send a small message, wait for its echo and send the next, driven from one thread.
class PingPongClients {
public:
    static constexpr std::size_t kMessage = 100;

    PingPongClients(int port, int count)
    {
        for (int i = 0; i < count; ++i) {
            clients_.push_back(ConnectLoopback(port));
            if (!clients_.back().Valid())
                return;
            NonBlocking(clients_.back().Fd());
        }
        echoed_.assign(clients_.size(), 0);
        rounds_.assign(clients_.size(), 0);
        ended_.assign(clients_.size(), End::Data);
    }
    bool AllConnected() const { return !clients_.empty() && clients_.back().Valid(); }
    std::size_t Count() const { return clients_.size(); }

    // Runs round trips until every client has done `rounds` of them, all have ended, or the time is up. A
    // client whose stream ends or is reset stops there. The milliseconds it took.
    long Run(int rounds, int timeoutMs, const std::function<bool(std::size_t)>& active = nullptr)
    {
        const auto start = Clock::now();
        const std::string message = Pattern(kMessage, 77);
        for (std::size_t i = 0; i < clients_.size(); ++i)
            if (ended_[i] == End::Data && rounds_[i] < rounds && (!active || active(i)))
                Send(i, message);
        std::vector<pollfd> wait(clients_.size());
        char buffer[4096];
        while (MsSince(start) < timeoutMs) {
            std::size_t waiting = 0;
            for (std::size_t i = 0; i < clients_.size(); ++i) {
                const bool wanted = ended_[i] == End::Data && rounds_[i] < rounds && (!active || active(i));
                wait[i] = pollfd{wanted ? clients_[i].Fd() : -1, POLLIN, 0};
                waiting += wanted;
            }
            if (waiting == 0)
                break;
            if (::poll(wait.data(), wait.size(), 100) <= 0)
                continue;
            for (std::size_t i = 0; i < clients_.size(); ++i) {
                if (wait[i].revents == 0)
                    continue;
                const long n = ::recv(clients_[i].Fd(), buffer, sizeof buffer, 0);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                    ended_[i] = n == 0 ? End::Eof : (errno == ECONNRESET ? End::Reset : End::Timeout);
                    continue;
                }
                if (n < 0)
                    continue;
                echoed_[i] += static_cast<std::size_t>(n);
                if (echoed_[i] == kMessage) {
                    echoed_[i] = 0;
                    if (++rounds_[i] < rounds)
                        Send(i, message);
                }
            }
        }
        return MsSince(start);
    }

    int Rounds(std::size_t i) const { return rounds_[i]; }
    End Ended(std::size_t i) const { return ended_[i]; }

private:
    void Send(std::size_t i, const std::string& message)
    {
        if (::send(clients_[i].Fd(), message.data(), message.size(), MSG_NOSIGNAL) != static_cast<long>(message.size()))
            ended_[i] = errno == ECONNRESET || errno == EPIPE ? End::Reset : End::Timeout;
    }

    std::vector<TestSocket> clients_;
    std::vector<std::size_t> echoed_;
    std::vector<int> rounds_;
    std::vector<End> ended_;
};

} // namespace

TEST(TfConnectLoop, ConnectionsMovedBetweenThreadAndLoopMidStreamLoseNothingEitherWay)
{
    // Each connection sends both ways at once in phases that move it into a loop, back to its thread and
    // into a loop again; each side ends at a random point, with a half-close or a reset.
    std::mt19937 random(20261209);
    const auto pick = [&](std::size_t lo, std::size_t hi) {
        return std::uniform_int_distribution<std::size_t>(lo, hi)(random);
    };
    struct Case {
        PhasedSender client, remote;
    };
    std::vector<Case> cases;
    std::atomic<int> bursts[4] = {0, 0, 0, 0};
    const Ending endings[][2] = {{Ending::HalfClose, Ending::HalfClose},
                                 {Ending::HalfClose, Ending::Reset},
                                 {Ending::Reset, Ending::HalfClose},
                                 {Ending::HalfClose, Ending::HalfClose}};
    for (std::uint64_t i = 0; i < 4; ++i)
        cases.push_back(
            Case{PhasedSender{100 + i, pick(64 << 10, 1 << 20), pick(2000, 6000), endings[i][0], &bursts[i]},
                 PhasedSender{200 + i, pick(64 << 10, 1 << 20), pick(2000, 6000), endings[i][1], &bursts[i]}});

    std::mutex lock;
    std::vector<Received> atRemote(cases.size());
    ScriptedServer remote([&](TestSocket& c) {
        // The client's first bytes say which case this is.
        std::string id;
        if (c.ReadExactly(id, 1) != End::Data)
            return;
        const auto k = static_cast<std::size_t>(id[0] - '0');
        Received r = RunSide(c, cases[k].remote);
        std::lock_guard guard(lock);
        atRemote[k] = std::move(r);
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    mapping.NetMappedPortTCP().SetLoopAfterPasses(2);

    std::vector<std::future<Received>> atClient;
    for (std::size_t k = 0; k < cases.size(); ++k) {
        atClient.push_back(std::async(std::launch::async, [&, k] {
            TestSocket client = ConnectLoopback(mapping.LocalPort());
            const char id = static_cast<char>('0' + k);
            if (!client.SendAll(&id, 1))
                return Received{};
            return RunSide(client, cases[k].client);
        }));
    }
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE("case " + std::to_string(k));
        const Received fromRemote = atClient[k].get();
        const Case& c = cases[k];
        ExpectPrefixOf(fromRemote, c.remote.Total(), c.remote.seed, "at the client");
        if (c.remote.ending == Ending::HalfClose && c.client.ending == Ending::HalfClose) {
            EXPECT_EQ(fromRemote.end, End::Eof);
            EXPECT_EQ(fromRemote.bytes.size(), c.remote.Total());
        } else if (c.remote.ending == Ending::Reset) {
            EXPECT_EQ(fromRemote.end, End::Reset);
        }
    }
    ASSERT_TRUE(remote.WaitFinished(static_cast<int>(cases.size()), 60000));
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE("case " + std::to_string(k));
        const Case& c = cases[k];
        std::lock_guard guard(lock);
        ExpectPrefixOf(atRemote[k], c.client.Total(), c.client.seed, "at the remote");
        if (c.client.ending == Ending::HalfClose && c.remote.ending == Ending::HalfClose) {
            EXPECT_EQ(atRemote[k].end, End::Eof);
            EXPECT_EQ(atRemote[k].bytes.size(), c.client.Total());
        } else if (c.client.ending == Ending::Reset) {
            EXPECT_EQ(atRemote[k].end, End::Reset);
        }
    }
    // Into a loop, back for the burst, into a loop again: at least twice per connection.
    EXPECT_GE(mapping.NetMappedPortTCP().LoopHandOvers(), 2 * cases.size());
    ASSERT_TRUE(log.WaitFor(static_cast<int>(cases.size()), static_cast<int>(cases.size())));
}

TEST(TfConnectLoop, DeactivationDuringSmallMessagesOnHundredsOfConnectionsResetsEveryOne)
{
    constexpr int kClients = 300;
    EchoServer echo;
    ReportLog log;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", echo.Port(), log.Callback());
    PingPongClients clients(mapping->LocalPort(), kClients);
    ASSERT_TRUE(clients.AllConnected());
    // Enough round trips for every connection to be in a loop, then traffic goes on while the mapping closes.
    clients.Run(TNetMappedPortTCP::kLoopAfterPasses + 2, 30000);
    for (std::size_t i = 0; i < clients.Count(); ++i)
        ASSERT_EQ(clients.Rounds(i), TNetMappedPortTCP::kLoopAfterPasses + 2) << "client " << i;
    EXPECT_GE(mapping->NetMappedPortTCP().LoopHandOvers(), static_cast<std::uint64_t>(kClients));

    const auto start = Clock::now();
    auto closing = std::async(std::launch::async, [&] { mapping->CloseMapping(); });
    clients.Run(1000000, 10000);
    ASSERT_EQ(closing.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    closing.get();
    // The usual wait is at most 5 s; a loaded machine gets a little more.
    EXPECT_LT(MsSince(start), 7000);
    int resets = 0;
    for (std::size_t i = 0; i < clients.Count(); ++i)
        resets += clients.Ended(i) == End::Reset;
    EXPECT_EQ(resets, kClients) << "connections cut with a reset";
    EXPECT_EQ(mapping->NetMappedPortTCP().PeerCount(), 0u);
}

TEST(TfConnectLoop, ARemoteThatStopsReadingSlowsNoOtherConnectionAndIsCutAtTheStuckBound)
{
    // One connection in a loop whose remote stops reading while its client keeps sending small messages:
    // the relay owes it bytes it can never deliver. The others' round trips go on as fast as ever.
    constexpr int kOthers = 40;
    constexpr int kRounds = 200;
    constexpr int kBoundMs = 1500;
    std::atomic<End> silentEnd{End::Data};
    std::promise<void> release, halfClose;
    std::shared_future<void> released = release.get_future().share();
    std::shared_future<void> halfClosing = halfClose.get_future().share();
    std::atomic<bool> stalled{false};
    EchoServer echo;
    ScriptedServer silent([&](TestSocket& c) {
        // A small receive buffer: the path fills quickly once nothing is read.
        const int small = 4096;
        ::setsockopt(c.Fd(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        std::string got;
        if (c.ReadExactly(got, 10 * PingPongClients::kMessage) != End::Data)
            return;
        stalled = true;
        halfClosing.wait_for(std::chrono::seconds(60));
        c.ShutdownSending();
        released.wait_for(std::chrono::seconds(60));
        std::string rest;
        silentEnd = c.ReadToEnd(rest);
    });
    ReportLog log;
    TfConnect toSilent(0, "127.0.0.1", silent.Port(), log.Callback());
    TfConnect toEcho(0, "127.0.0.1", echo.Port(), log.Callback());
    toSilent.NetMappedPortTCP().SetLoopAfterPasses(1);

    TestSocket flooder = ConnectLoopback(toSilent.LocalPort());
    ASSERT_TRUE(flooder.Valid());
    NonBlocking(flooder.Fd());
    std::atomic<bool> stop{false};
    std::atomic<std::size_t> flooded{0};
    std::thread flooding;
    // However the test ends: the flooder stops and the silent remote lets go.
    bool releasedYet = false;
    const std::unique_ptr<void, std::function<void(void*)>> cleanUp(&stop, [&](void*) {
        stop = true;
        if (flooding.joinable())
            flooding.join();
        if (!releasedYet) {
            halfClose.set_value();
            release.set_value();
        }
    });
    flooding = std::thread([&] {
        // Small messages, often: the relay reads each on its own and keeps the connection in its loop.
        const std::string message = Pattern(1000, 9);
        while (!stop) {
            const long n = ::send(flooder.Fd(), message.data(), message.size(), MSG_NOSIGNAL);
            if (n > 0)
                flooded += static_cast<std::size_t>(n);
            std::this_thread::sleep_for(std::chrono::microseconds(n > 0 ? 200 : 2000));
        }
    });
    // Stalled for good: every buffer on its path is full and the relay holds its chunk.
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::size_t before = flooded;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            return stalled && flooded == before;
        },
        30000));
    EXPECT_GE(toSilent.NetMappedPortTCP().LoopHandOvers(), 1u);

    PingPongClients others(toEcho.LocalPort(), kOthers);
    ASSERT_TRUE(others.AllConnected());
    const long ms = others.Run(kRounds, 60000);
    for (std::size_t i = 0; i < others.Count(); ++i)
        ASSERT_EQ(others.Rounds(i), kRounds) << "client " << i;
    // 8,000 round trips take well under a second here; a generous bound for a loaded machine.
    EXPECT_LT(ms, 20000);
    EXPECT_GE(toEcho.NetMappedPortTCP().LoopHandOvers(), static_cast<std::uint64_t>(kOthers));

    // The silent remote ends its side: what the relay owes it will never move, and the stuck bound cuts the
    // connection in the loop as on a thread, with resets both ways.
    stop = true;
    flooding.join();
    toSilent.NetMappedPortTCP().SetStuckLimitMs(kBoundMs);
    releasedYet = true;
    halfClose.set_value();
    ASSERT_TRUE(WaitUntil([&] { return toSilent.NetMappedPortTCP().PeerCount() == 0; }, kBoundMs + 10000));
    // The client read the remote's end first; then the reset makes its sends fail.
    EXPECT_TRUE(WaitUntil(
        [&] {
            const long n = ::send(flooder.Fd(), "x", 1, MSG_NOSIGNAL);
            return n < 0 && (errno == ECONNRESET || errno == EPIPE);
        },
        5000));
    release.set_value();
    ASSERT_TRUE(silent.WaitFinished(1));
    EXPECT_EQ(silentEnd.load(), End::Reset);
}

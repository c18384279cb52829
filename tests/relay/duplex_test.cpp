// Both directions of a relayed connection at once: peers that write without reading, and both sides
// flooding while neither reads. The relay must keep moving whichever way can move.
#include "ByteStream.h"
#include "ReportLog.h"
#include "support/Loopback.h"
#include "support/ProcessCounters.h"
#include "support/ScriptedServer.h"
#include "support/Waiting.h"

#include "relay/Connect.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <atomic>
#include <cstring>
#include <future>

using namespace tarvix;
using namespace tarvix::test;

namespace {

void SetReceiveTimeout(TestSocket& s, int ms)
{
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    ::setsockopt(s.Fd(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

} // namespace

TEST(TfConnectDuplex, PipelinedRequestsToARemoteThatWritesWithoutReadingAllComplete)
{
    // The remote reads one request, then writes its whole reply before it reads the next, as a blocking
    // server does; the client writes every request from one thread and reads the replies on another. A
    // relay that blocks on one direction while the other fills up stalls both ends for good.
    constexpr std::size_t kRequest = 64 * 1024;
    constexpr int kRepeats = 16; // a reply is its request 16 times: 1 MiB
    constexpr int kRequests = 256;
    ScriptedServer remote([](TestSocket& c) {
        std::string request;
        for (;;) {
            request.clear();
            if (c.ReadExactly(request, kRequest) != End::Data)
                return;
            for (int k = 0; k < kRepeats; ++k)
                if (!c.SendAll(request))
                    return;
        }
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.Valid());

    std::thread sender([&] {
        for (int i = 0; i < kRequests; ++i)
            if (!client.SendAll(Pattern(kRequest, 1000 + i)))
                return;
        client.ShutdownSending();
    });
    int complete = 0;
    for (int i = 0; i < kRequests; ++i) {
        std::string reply;
        if (client.ReadExactly(reply, kRequest * kRepeats) != End::Data)
            break;
        const std::string request = Pattern(kRequest, 1000 + i);
        bool same = true;
        for (int k = 0; k < kRepeats && same; ++k)
            same = std::memcmp(reply.data() + k * kRequest, request.data(), kRequest) == 0;
        ASSERT_TRUE(same) << "reply " << i << " is not its request's";
        ++complete;
    }
    EXPECT_EQ(complete, kRequests) << "replies complete before the relay stalled";
    std::string rest;
    EXPECT_EQ(client.ReadToEnd(rest), End::Eof);
    EXPECT_EQ(rest, "");
    sender.join();
    ASSERT_TRUE(log.WaitFor(1, 1));
}

TEST(TfConnectDuplex, BothSidesFloodingWhileNeitherReadsDeliverEverythingOnceTheyRead)
{
    // More each way than all the socket buffers on its path hold, so that both senders block and the relay
    // owes bytes both ways at once.
    constexpr std::size_t kSize = 32u << 20;
    constexpr int kReadTimeoutMs = 20000;
    std::promise<void> startReading;
    std::shared_future<void> reading = startReading.get_future().share();
    std::promise<StreamEnd> remoteResult;
    std::atomic<int> remoteFd{-1};
    ScriptedServer remote([&](TestSocket& c) {
        SetReceiveTimeout(c, kReadTimeoutMs);
        remoteFd = c.Fd();
        StreamEnd r;
        std::thread sender([&] {
            r.sent = SendStream(c, kSize, 4);
            c.ShutdownSending();
        });
        reading.wait_for(std::chrono::seconds(30));
        std::tie(r.received, r.count) = ReceiveStream(c, 40);
        sender.join();
        remoteResult.set_value(r);
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.Valid());
    SetReceiveTimeout(client, kReadTimeoutMs);
    StreamEnd mine;
    std::thread sender([&] {
        mine.sent = SendStream(client, kSize, 3);
        client.ShutdownSending();
    });

    // Once neither side's bytes are taken any more, every buffer on both paths is full and the relay owes
    // both ways. Then it waits: it does not spin on the sides it cannot serve.
    const auto stalled = [](int fd) {
        const long before = NotTaken(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return before > 0 && NotTaken(fd) == before;
    };
    ASSERT_TRUE(WaitUntil([&] { return remoteFd != -1 && stalled(client.Fd()) && stalled(remoteFd); }, 30000));
    const double cpuBefore = ProcessCpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const double cpuUsed = ProcessCpuMs() - cpuBefore;
    startReading.set_value();

    std::tie(mine.received, mine.count) = ReceiveStream(client, 30);
    sender.join();
    auto future = remoteResult.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    ExpectBothWaysIntact(future.get(), mine, kSize);
    EXPECT_LT(cpuUsed, 200.0) << "CPU milliseconds used in 500 ms while nothing could move";
    ASSERT_TRUE(log.WaitFor(1, 1));
    EXPECT_EQ(log.Reports(), (std::vector<bool>{true, false}));
}

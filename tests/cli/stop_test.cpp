// Stops of tarvix-relay, however hurried: every client still relayed learns of the cut from a reset, never
// from a clean end of stream that would pass a cut download for a complete one.
#include "RelayCliFixture.h"
#include "support/Loopback.h"
#include "support/ScriptedServer.h"
#include "support/Waiting.h"

#include <csignal>
#include <thread>

using namespace tarvix::test;

namespace {

TEST_F(RelayCli, RepeatedStopSignalsDuringADownloadResetEveryClient)
{
    constexpr int kDownloads = 3;
    constexpr int kIdle = 150;
    struct Storm {
        int count;
        int gapMs;
    };
    for (const Storm storm : {Storm{2, 20}, Storm{3, 20}, Storm{3, 60}}) {
        SCOPED_TRACE(std::to_string(storm.count) + " signals " + std::to_string(storm.gapMs) + " ms apart");
        // A client that asks with "d" gets bytes without end; one that asks with "i" gets nothing.
        ScriptedServer remote([](TestSocket& c) {
            std::string ask;
            if (c.ReadExactly(ask, 1) != End::Data)
                return;
            if (ask == "d") {
                const std::string block(64 * 1024, 'd');
                while (c.SendAll(block)) {
                }
            } else {
                std::string rest;
                c.ReadToEnd(rest, 60000);
            }
        });
        const int port = FreePort();
        ChildProcess relay(kRelay, {"-q", Argument(port, remote.Port())});
        ASSERT_TRUE(relay.WaitForStderr(kListening, 10s)) << relay.Stderr();

        std::vector<TestSocket> idle;
        for (int i = 0; i < kIdle; ++i) {
            idle.push_back(ConnectLoopback(port));
            ASSERT_TRUE(idle.back().SendAll("i"));
        }
        ASSERT_TRUE(WaitUntil([&] { return remote.Accepted() == kIdle; }, 30000)) << remote.Accepted();
        std::vector<End> downloadEnds(kDownloads, End::Timeout);
        std::vector<std::size_t> downloaded(kDownloads, 0);
        std::vector<std::thread> downloads;
        for (int i = 0; i < kDownloads; ++i)
            downloads.emplace_back([&, i] {
                TestSocket client = ConnectLoopback(port);
                if (!client.SendAll("d"))
                    return;
                std::string got;
                downloadEnds[i] = client.ReadToEnd(got, 30000);
                downloaded[i] = got.size();
            });
        ASSERT_TRUE(WaitUntil([&] { return remote.Accepted() == kIdle + kDownloads; }, 30000));
        std::this_thread::sleep_for(300ms); // the downloads are under way

        for (int i = 0; i < storm.count; ++i) {
            relay.Signal(SIGTERM);
            std::this_thread::sleep_for(std::chrono::milliseconds(storm.gapMs));
        }
        const auto code = relay.WaitExit(30s);
        for (auto& d : downloads)
            d.join();
        ASSERT_TRUE(code.has_value()) << relay.Stderr();
        for (int i = 0; i < kDownloads; ++i) {
            EXPECT_EQ(downloadEnds[i], End::Reset) << "download " << i << " after " << downloaded[i] << " bytes";
            EXPECT_GT(downloaded[i], 0u) << "download " << i;
        }
        int clean = 0;
        for (TestSocket& client : idle)
            clean += client.WaitEvent(5000) == End::Reset ? 0 : 1;
        EXPECT_EQ(clean, 0) << "idle clients that saw anything but a reset";
    }
}

} // namespace

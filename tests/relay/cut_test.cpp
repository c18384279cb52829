// Connections the relay ends itself, by deactivation or because one side will never take what it is
// owed: both sides learn it from a reset, never from an ordinary end of stream.
#include "RelayTestSupport.h"

#include "relay/Connect.h"
#include "relay/NetMappedPortTCP.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/sockios.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <atomic>
#include <future>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::size_t kMiB = 1u << 20;

// Bytes a socket has received and nobody has read yet (-1 when it cannot tell).
long Unread(int fd)
{
    int n = 0;
    return ::ioctl(fd, SIOCINQ, &n) == 0 ? n : -1;
}

} // namespace

TEST(TfConnectCut, DeactivationCutsADownloadWithAReset)
{
    std::atomic<bool> stop{false};
    ScriptedServer remote([&](TestSocket& c) {
        const std::string block = Pattern(64 * 1024, 5);
        while (!stop && c.SendAll(block)) {
        }
    });
    ReportLog log;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping->LocalPort());
    std::string got;
    ASSERT_EQ(client.ReadExactly(got, 4 * kMiB), End::Data);

    auto closing = std::async(std::launch::async, [&] { mapping->CloseMapping(); });
    std::string rest;
    // A clean end here would make the client take a cut download for the whole file.
    EXPECT_EQ(client.ReadToEnd(rest), End::Reset);
    closing.get();
    stop = true;
    EXPECT_TRUE(remote.WaitFinished(1));
}

TEST(TfConnectCut, DeactivationCutsAnUploadWithAResetAtTheRemoteEnd)
{
    std::promise<void> halfway;
    std::promise<End> remoteEnd;
    ScriptedServer remote([&](TestSocket& c) {
        std::string got;
        if (c.ReadExactly(got, 4 * kMiB) == End::Data)
            halfway.set_value();
        std::string rest;
        remoteEnd.set_value(c.ReadToEnd(rest));
    });
    ReportLog log;
    auto mapping = std::make_unique<TfConnect>(0, "127.0.0.1", remote.Port(), log.Callback());
    TestSocket client = ConnectLoopback(mapping->LocalPort());
    std::thread uploader([&] {
        const std::string block = Pattern(64 * 1024, 6);
        while (client.SendAll(block)) {
        }
    });
    ASSERT_EQ(halfway.get_future().wait_for(std::chrono::seconds(15)), std::future_status::ready);
    mapping->CloseMapping();
    auto end = remoteEnd.get_future();
    ASSERT_EQ(end.wait_for(std::chrono::seconds(15)), std::future_status::ready);
    EXPECT_EQ(end.get(), End::Reset);
    uploader.join(); // the client's sending failed too
}

TEST(TfConnectCut, BytesThatNeverMoveAfterTheClientLeftAreCutAtTheBound)
{
    constexpr int kBoundMs = 2000;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<End> remoteEnd;
    // The remote never reads until the test is over.
    ScriptedServer remote([&](TestSocket& c) {
        released.wait_for(std::chrono::seconds(30));
        std::string rest;
        remoteEnd.set_value(c.ReadToEnd(rest));
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    mapping.NetMappedPortTCP().SetStuckLimitMs(kBoundMs);
    std::promise<int> relayFd;
    mapping.NetMappedPortTCP().OnBeforeClientConnect = [&relayFd](TNetMappedPortTCP&, TNetPeerThread& peer,
                                                                  TNetTCPClient&) {
        relayFd.set_value(peer.ClientConnection()->Socket().Descriptor());
    };
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    auto fdFuture = relayFd.get_future();
    ASSERT_EQ(fdFuture.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    const int relaySide = fdFuture.get();
    ::fcntl(client.Fd(), F_SETFL, ::fcntl(client.Fd(), F_GETFL) | O_NONBLOCK);

    // Send in small steps, each taken by the relay's side before the next, until the relay stops reading
    // because it owes the remote more than it takes. Everything sent is then in the relay's hands, so the
    // client's end of stream reaches it too.
    const std::string step(8 * 1024, 'u');
    const long stopped = 2 * static_cast<long>(step.size());
    std::size_t sent = 0;
    for (;;) {
        if (Unread(relaySide) >= stopped) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (Unread(relaySide) >= stopped)
                break;
        }
        ASSERT_LT(sent, 64 * kMiB) << "the relay never stopped reading";
        ASSERT_EQ(::send(client.Fd(), step.data(), step.size(), MSG_NOSIGNAL), static_cast<ssize_t>(step.size()));
        sent += step.size();
        ASSERT_TRUE(WaitUntil([&] { return NotTaken(client.Fd()) == 0; }, 5000));
    }
    client.Close();
    const auto left = Clock::now();

    // The bound runs from the last bytes that moved, a little before the client left.
    std::this_thread::sleep_for(std::chrono::milliseconds(kBoundMs / 4));
    EXPECT_EQ(mapping.NetMappedPortTCP().PeerCount(), 1u) << "cut before the bound";
    ASSERT_TRUE(WaitUntil([&] { return mapping.NetMappedPortTCP().PeerCount() == 0; }, kBoundMs + 10000));
    EXPECT_GE(MsSince(left), kBoundMs / 2);
    ASSERT_TRUE(log.WaitFor(1, 1));

    release.set_value();
    auto end = remoteEnd.get_future();
    ASSERT_EQ(end.wait_for(std::chrono::seconds(15)), std::future_status::ready);
    EXPECT_EQ(end.get(), End::Reset);
}

TEST(TfConnectCut, HalfClosedClientWaitingOnASilentRemoteThatOwesNothingIsNotCut)
{
    constexpr int kBoundMs = 200;
    ScriptedServer remote([](TestSocket& c) {
        std::string request;
        if (c.ReadToEnd(request) != End::Eof)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5 * kBoundMs));
        c.SendAll("reply to " + request);
    });
    ReportLog log;
    TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
    mapping.NetMappedPortTCP().SetStuckLimitMs(kBoundMs);
    TestSocket client = ConnectLoopback(mapping.LocalPort());
    ASSERT_TRUE(client.SendAll("question"));
    client.ShutdownSending();
    std::string reply;
    EXPECT_EQ(client.ReadToEnd(reply), End::Eof);
    EXPECT_EQ(reply, "reply to question");
}

// Connections the relay ends itself, by deactivation or because one side will never take what it is
// owed: both sides learn it from a reset, never from an ordinary end of stream.
#include "ByteStream.h"
#include "ReportLog.h"
#include "support/Loopback.h"
#include "support/ScriptedServer.h"
#include "support/Waiting.h"

#include "relay/Connect.h"
#include "relay/NetMappedPortTCP.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
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

// This process's socket whose local end is 127.0.0.1:localPort and whose remote end has port remotePort;
// -1 when there is none.
int FindSocket(int localPort, int remotePort)
{
    for (int fd = 0; fd < 4096; ++fd) {
        sockaddr_in local{};
        sockaddr_in remote{};
        socklen_t localSize = sizeof local;
        socklen_t remoteSize = sizeof remote;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localSize) == 0 &&
            ::getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &remoteSize) == 0 && local.sin_family == AF_INET &&
            ntohs(local.sin_port) == localPort && ntohs(remote.sin_port) == remotePort)
            return fd;
    }
    return -1;
}

int PeerPort(int fd)
{
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    return ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) == 0 ? ntohs(peer.sin_port) : 0;
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

TEST(TfConnectCut, BytesTheKernelHoldsForARemoteThatNeverReadsAreCutAtTheBound)
{
    // The relay owes nothing itself: everything it read sits in the system's send queue towards a remote
    // that never reads, behind a client that has ended its side (and stays, or has gone).
    constexpr int kBoundMs = 1000;
    for (const bool clientStays : {true, false}) {
        SCOPED_TRACE(clientStays ? "half-closed client" : "closed client");
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        std::promise<int> remoteFd;
        std::promise<End> remoteEnd;
        ScriptedServer remote([&](TestSocket& c) {
            remoteFd.set_value(c.Fd());
            released.wait_for(std::chrono::seconds(30));
            std::string rest;
            remoteEnd.set_value(c.ReadToEnd(rest));
        });
        ReportLog log;
        TfConnect mapping(0, "127.0.0.1", remote.Port(), log.Callback());
        mapping.NetMappedPortTCP().SetStuckLimitMs(kBoundMs);
        TestSocket client = ConnectLoopback(mapping.LocalPort());
        auto remoteFdFuture = remoteFd.get_future();
        ASSERT_EQ(remoteFdFuture.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        const int remoteSide = remoteFdFuture.get();
        const int relayOutbound = FindSocket(PeerPort(remoteSide), remote.Port());
        ASSERT_NE(relayOutbound, -1);

        const std::string step(16 * 1024, 'q');
        long sent = 0;
        const auto allInTheKernel = [&] { return NotTaken(relayOutbound) + Unread(remoteSide) == sent; };
        while (NotTaken(relayOutbound) < 64 * 1024) {
            ASSERT_LT(sent, 4L << 20) << "the relay's send queue never filled";
            ASSERT_TRUE(client.SendAll(step));
            sent += static_cast<long>(step.size());
            ASSERT_TRUE(WaitUntil(allInTheKernel, 5000)) << "the relay kept bytes of its own";
        }
        if (clientStays)
            client.ShutdownSending();
        else
            client.Close();
        const auto ended = Clock::now();

        std::this_thread::sleep_for(std::chrono::milliseconds(kBoundMs / 2));
        EXPECT_EQ(mapping.NetMappedPortTCP().PeerCount(), 1u) << "cut before the bound";
        ASSERT_TRUE(WaitUntil([&] { return mapping.NetMappedPortTCP().PeerCount() == 0; }, kBoundMs + 10000));
        EXPECT_GE(MsSince(ended), kBoundMs * 9 / 10);
        if (clientStays) {
            std::string reply;
            EXPECT_EQ(client.ReadToEnd(reply, 5000), End::Reset);
        }
        release.set_value();
        auto end = remoteEnd.get_future();
        ASSERT_EQ(end.wait_for(std::chrono::seconds(15)), std::future_status::ready);
        EXPECT_EQ(end.get(), End::Reset);
    }
}

#include "relay/NetMappedPortTCP.h"

#include "relay/NetExceptions.h"
#include "relay/NetRelayLoop.h"
#include "relay/NetSelfMapping.h"
#include "relay/NetStack.h"
#include "relay/NetWaitAfterWork.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <optional>

namespace tarvix {

namespace {

#ifdef POLLRDHUP
constexpr short kPeerEnded = POLLRDHUP;
#else
constexpr short kPeerEnded = 0; // the end of a stream is then seen only once it is read
#endif

// What to wait for on one side: readable when nothing is owed the other way (otherwise its end only),
// writable when bytes are owed to it. Errors and resets are reported whatever is asked. A side that has
// hung up (both ways shut) and is asked nothing is left out: it would only report its hang-up again.
pollfd WaitEntry(const TNetSocketHandle& socket, const TNetRelayDirection& from, const TNetRelayDirection& to,
                 bool ended, bool hungUp)
{
    short events = 0;
    if (!from.SourceEnded() && from.Owed() == 0)
        events |= POLLIN;
    else if (!from.SourceEnded() && !ended)
        events |= kPeerEnded;
    if (to.Owed() > 0)
        events |= POLLOUT;
    return pollfd{events == 0 && hungUp ? -1 : socket.Descriptor(), events, 0};
}

// Milliseconds until the stuck bound cuts the connection (0: now), or -1 when it does not apply: no side
// has ended, or nothing is owed, neither here nor in the kernel's send queues.
int StuckWait(const TNetMappedPortTCPData& data, int limitMs)
{
    if (!data.ClientEnded && !data.RemoteEnded)
        return -1;
    auto deadline = TNetRelayDirection::Clock::time_point::max();
    for (const TNetRelayDirection* direction : {&data.FromClient, &data.FromRemote})
        if (direction->Owed() > 0 || direction->KernelQueued() > 0)
            deadline = std::min(deadline, direction->LastProgress() + std::chrono::milliseconds(limitMs));
    if (deadline == TNetRelayDirection::Clock::time_point::max())
        return -1;
    const auto left = deadline - TNetRelayDirection::Clock::now();
    if (left <= left.zero())
        return 0;
    // Rounded up, so that the wait never ends just before the deadline.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

// Once a side has ended, what the kernel holds for a peer is looked at after every pass; no event tells when
// the peer takes it, so a wait for the bound also wakes this often to look again.
void WatchKernelQueues(TNetMappedPortTCPData& data, const TNetSocketHandle& clientSocket,
                       const TNetSocketHandle& remoteSocket)
{
    if (!data.ClientEnded && !data.RemoteEnded)
        return;
    if (data.FromClient.Owed() == 0 && !data.RemoteHungUp)
        data.FromClient.WatchKernelQueue(remoteSocket);
    if (data.FromRemote.Owed() == 0 && !data.ClientHungUp)
        data.FromRemote.WatchKernelQueue(clientSocket);
}

int KernelQueueLookMs(const TNetMappedPortTCPData& data, int limitMs)
{
    const bool held = (data.FromClient.Owed() == 0 && data.FromClient.KernelQueued() > 0) ||
                      (data.FromRemote.Owed() == 0 && data.FromRemote.KernelQueued() > 0);
    return held ? std::max(1, limitMs / 10) : -1;
}

// Lets go of the large buffers idle for kBulkBufferKeepMs; returns the milliseconds until the next one is
// due (rounded up), or -1 when no direction holds one.
int ReleaseIdleBulkBuffers(TNetMappedPortTCPData& data)
{
    int wait = -1;
    std::optional<TNetRelayDirection::Clock::time_point> now;
    for (TNetRelayDirection* direction : {&data.FromClient, &data.FromRemote}) {
        if (!direction->HoldsIdleBulkBuffer())
            continue;
        if (!now)
            now = TNetRelayDirection::Clock::now();
        const auto left =
            direction->LastBulkReceive() + std::chrono::milliseconds(TNetMappedPortTCP::kBulkBufferKeepMs) - *now;
        if (left <= left.zero()) {
            direction->ReleaseIdleBulkBuffer();
            continue;
        }
        const int ms = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
        wait = wait < 0 ? ms : std::min(wait, ms);
    }
    return wait;
}

// The first way a connection ends is how it ended.
void SettleEnd(TNetMappedPortTCPData& data, TNetConnectionEnd end)
{
    if (!data.EndKnown) {
        data.Info.end = end;
        data.EndKnown = true;
    }
}

} // namespace

std::shared_ptr<TNetMappedPortTCP> TNetMappedPortTCP::Create()
{
    return std::make_shared<TNetMappedPortTCP>(CreateKey{});
}

void TNetMappedPortTCP::PeerConnected(TNetPeerThread& peer)
{
    // Counted with its record, before the owner hears of it: the end is counted only where a record is.
    auto record = std::make_unique<TNetMappedPortTCPData>();
    TNetMappedPortTCPData& data = *record;
    const TNetSocketHandle& client = peer.ClientConnection()->Socket();
    data.Info.clientAddress = client.RemoteIP();
    data.Info.clientPort = client.RemotePort();
    data.Info.start = std::chrono::system_clock::now();
    data.Info.startSteady = std::chrono::steady_clock::now();
    peer.SetPayload(std::move(record));
    traffic_.ConnectionAccepted();

    TNetTCPServer::PeerConnected(peer);
    CutWhenOwn(peer, data);

    data.Outbound = std::make_unique<TNetTCPClient>();
    data.Outbound->SetPort(mappedPort_);
    data.Outbound->SetHost(mappedHost_);
    // No Nagle on either side: the relay writes what it has just received, and a chunk held back until
    // the previous one is acknowledged meets the peer's delayed acknowledgement (a 40 ms stall for every
    // reply a little larger than one chunk). The client side has it from the listening socket.
    data.Outbound->SetUseNagle(false);
    data.Outbound->SetWritesWait(false); // the passes send with MSG_DONTWAIT
#ifndef __linux__
    const int one = 1;
    TNetSocketHandle& clientSocket = peer.ClientConnection()->Socket();
    Stack().SetOption(clientSocket.Descriptor(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
#endif
    // Deactivation shuts this socket down too, which also ends a connect still in progress.
    peer.WatchSocket(&data.Outbound->Socket());

    TBeforeClientConnectEvent beforeConnect;
    {
        std::shared_lock lock(eventGuard_);
        beforeConnect = OnBeforeClientConnect;
    }
    if (beforeConnect)
        beforeConnect(*this, peer, *data.Outbound);

    try {
        data.Outbound->Connect();
    } catch (const ENetSocketError& e) {
        // Switched off while connecting is no failure of the remote end.
        if (!peer.Aborted()) {
            traffic_.OutboundFailed(e.SocketCode());
            data.Info.outboundSocketCode = e.SocketCode();
            SettleEnd(data, TNetConnectionEnd::RefusedRemote);
        }
        // Taken and reset before this thread saw it connected (a loop through the relay's own mappings
        // collapses this way): passed on as the reset it is, never as an end of stream.
        if (e.SocketCode() == netcode::ConnectionReset && !peer.Aborted())
            peer.ClientConnection()->CloseWithReset();
        CutWhenAborted(peer);
        throw;
    } catch (...) {
        CutWhenAborted(peer);
        throw;
    }
    const TNetSocketHandle& out = data.Outbound->Socket();
    data.OwnOutbound.Hold({out.IP(), out.Port(), out.RemoteIP(), out.RemotePort()});
    // Once more: the connection that brought this client may have been made while this one was taken.
    CutWhenOwn(peer, data);
}

void TNetMappedPortTCP::CutWhenOwn(TNetPeerThread& peer, TNetMappedPortTCPData& data)
{
    if (!TNetOwnConnection::AnyHeld())
        return;
    const TNetSocketHandle& client = peer.ClientConnection()->Socket();
    if (!TNetOwnConnection::IsOwn({client.RemoteIP(), client.RemotePort(), client.IP(), client.Port()}))
        return;
    // One of this process's own outbound connections came back round: cutting it collapses the chain,
    // every link resetting the one before.
    SettleEnd(data, TNetConnectionEnd::Reset);
    if (data.Outbound)
        data.Outbound->CloseWithReset();
    peer.ClientConnection()->CloseWithReset();
    throw ENetSocketError(netcode::ConnectionAborted);
}

bool TNetMappedPortTCP::PeerExecute(TNetPeerThread& peer)
{
    auto& data = *static_cast<TNetMappedPortTCPData*>(peer.Payload());
    TNetSocketHandle& clientSocket = peer.ClientConnection()->Socket();
    TNetSocketHandle& remoteSocket = data.Outbound->Socket();

    // Deactivation, a failure of either side and the stuck bound all cut the connection: with resets, so
    // that neither side takes what it got for the whole stream.
    bool cut = peer.Aborted() || !clientSocket.IsOpen() || !remoteSocket.IsOpen();
    if (!cut) {
        pollfd waitList[2] = {
            WaitEntry(clientSocket, data.FromClient, data.FromRemote, data.ClientEnded, data.ClientHungUp),
            WaitEntry(remoteSocket, data.FromRemote, data.FromClient, data.RemoteEnded, data.RemoteHungUp),
        };
        int ready = 0;
        if (!data.Started) {
            data.Started = true;
            waitList[0].revents = POLLIN; // a receive that finds nothing only says so
            ready = 1;
        } else {
            ready = WaitAfterWork(data.Moved, NextDeadlineMs(data),
                                  [&](int ms) { return Stack().PollSockets(waitList, 2, ms); });
        }
        if (peer.Aborted())
            cut = true;
        else if (ready < 0)
            cut = Stack().LastError() != netcode::Interrupted;
        if (!cut)
            cut = Relay(peer, data, ready > 0 ? waitList[0].revents : 0, ready > 0 ? waitList[1].revents : 0);
    }
    const std::uint64_t before = data.Info.bytesFromClient + data.Info.bytesToClient;
    CountWritten(data);
    data.Moved = data.Info.bytesFromClient + data.Info.bytesToClient != before;
    if (!cut)
        cut = MaybeRunInLoop(peer, data, data.Moved);
    Conclude(peer, data, cut);
    return true;
}

bool TNetMappedPortTCP::Relay(TNetPeerThread& peer, TNetMappedPortTCPData& data, short clientEvents, short remoteEvents)
{
    TNetSocketHandle& clientSocket = peer.ClientConnection()->Socket();
    TNetSocketHandle& remoteSocket = data.Outbound->Socket();
    constexpr short kFailed = POLLERR | POLLNVAL;
    constexpr short kEnded = POLLHUP | kPeerEnded;
    constexpr short kReadable = POLLIN | kEnded;
    data.ClientEnded = data.ClientEnded || (clientEvents & kEnded);
    data.RemoteEnded = data.RemoteEnded || (remoteEvents & kEnded);
    data.ClientHungUp = data.ClientHungUp || (clientEvents & POLLHUP);
    data.RemoteHungUp = data.RemoteHungUp || (remoteEvents & POLLHUP);
    bool cut = ((clientEvents | remoteEvents) & kFailed) ||
               !data.FromClient.Pump(clientSocket, remoteSocket, clientEvents & kReadable, remoteEvents & POLLOUT,
                                     data.FromRemote.SourceEnded()) ||
               !data.FromRemote.Pump(remoteSocket, clientSocket, remoteEvents & kReadable, clientEvents & POLLOUT,
                                     data.FromClient.SourceEnded()) ||
               peer.Aborted();
    data.ClientEnded = data.ClientEnded || data.FromClient.SourceEnded();
    data.RemoteEnded = data.RemoteEnded || data.FromRemote.SourceEnded();
    if (!cut)
        WatchKernelQueues(data, clientSocket, remoteSocket);
    cut = cut || StuckWait(data, stuckLimitMs_.load(std::memory_order_relaxed)) == 0;
    if (!data.FirstEndKnown && (data.ClientEnded || data.RemoteEnded)) {
        data.FirstEndKnown = true;
        data.FirstEnd = data.ClientEnded ? TNetConnectionEnd::ClosedByClient : TNetConnectionEnd::ClosedByRemote;
    }
    return cut;
}

int TNetMappedPortTCP::NextDeadlineMs(TNetMappedPortTCPData& data)
{
    const int limitMs = stuckLimitMs_.load(std::memory_order_relaxed);
    int waitMs = -1;
    for (const int ms : {StuckWait(data, limitMs), KernelQueueLookMs(data, limitMs), ReleaseIdleBulkBuffers(data)})
        if (ms >= 0)
            waitMs = waitMs < 0 ? ms : std::min(waitMs, ms);
    return waitMs;
}

void TNetMappedPortTCP::Conclude(TNetPeerThread& peer, TNetMappedPortTCPData& data, bool cut)
{
    TNetTCPConnection& client = *peer.ClientConnection();
    TNetTCPClient& outbound = *data.Outbound;
    if (cut) {
        outbound.CloseWithReset();
        client.CloseWithReset();
        SettleEnd(data, TNetConnectionEnd::Reset);
    } else if (data.FromClient.SourceEnded() && data.FromRemote.SourceEnded()) {
        // Both streams ended, everything delivered.
        outbound.CloseConnection();
        client.CloseConnection();
        SettleEnd(data, data.FirstEnd);
    }
}

// A relayed connection as an event loop serves it: the same pass as on its peer thread, one per wake-up.
// It goes back to its thread to be closed, or when a direction turns to bulk transfers, which run faster on
// a thread of their own.
class TNetRelayInLoop : public TNetLoopConnection {
public:
    TNetRelayInLoop(TNetMappedPortTCP& server, TNetPeerThread& peer, TNetMappedPortTCPData& data)
        : server_(server), peer_(peer), data_(data)
    {}
    bool Cut() const { return cut_; }

protected:
    int Interest(pollfd (&wait)[2]) override
    {
        TNetMappedPortTCPData& d = data_;
        wait[0] =
            WaitEntry(peer_.ClientConnection()->Socket(), d.FromClient, d.FromRemote, d.ClientEnded, d.ClientHungUp);
        wait[1] = WaitEntry(d.Outbound->Socket(), d.FromRemote, d.FromClient, d.RemoteEnded, d.RemoteHungUp);
        return server_.NextDeadlineMs(d);
    }

    bool Step(short clientEvents, short remoteEvents) override
    {
        TNetMappedPortTCPData& d = data_;
        cut_ = peer_.Aborted() || !peer_.ClientConnection()->Socket().IsOpen() || !d.Outbound->Socket().IsOpen() ||
               server_.Relay(peer_, d, clientEvents, remoteEvents);
        server_.CountWritten(d);
        const bool bulk = d.FromClient.ChunkSize() != TNetRelayDirection::kChunkSize ||
                          d.FromRemote.ChunkSize() != TNetRelayDirection::kChunkSize;
        return !cut_ && !bulk && !(d.FromClient.SourceEnded() && d.FromRemote.SourceEnded());
    }

    bool Aborted() const override { return peer_.Aborted(); }

private:
    TNetMappedPortTCP& server_;
    TNetPeerThread& peer_;
    TNetMappedPortTCPData& data_;
    bool cut_ = false;
};

bool TNetMappedPortTCP::MaybeRunInLoop(TNetPeerThread& peer, TNetMappedPortTCPData& data, bool moved)
{
    if (data.FromClient.ChunkSize() != TNetRelayDirection::kChunkSize ||
        data.FromRemote.ChunkSize() != TNetRelayDirection::kChunkSize) {
        data.SmallPasses = 0;
        return false;
    }
    if (moved)
        ++data.SmallPasses;
    // A connection winding down, or with bytes on their way, stays where it is.
    const int after = loopAfterPasses_.load(std::memory_order_relaxed);
    if (after < 0 || data.SmallPasses < after || data.ClientEnded || data.RemoteEnded || data.FromClient.Owed() > 0 ||
        data.FromRemote.Owed() > 0 || !TNetLoopConnection::Supported())
        return false;
    data.SmallPasses = 0;
    if (!data.InLoop)
        data.InLoop = std::make_unique<TNetRelayInLoop>(*this, peer, data);
    auto& inLoop = static_cast<TNetRelayInLoop&>(*data.InLoop);
    if (!inLoop.HandToLoop())
        return false;
    loopHandOvers_.fetch_add(1, std::memory_order_relaxed);
    inLoop.WaitUntilBack();
    return inLoop.Cut();
}

void TNetMappedPortTCP::CutWhenAborted(TNetPeerThread& peer)
{
    // Cut by deactivation while connecting: the client learns it with a reset, like any other cut.
    if (peer.Aborted())
        peer.ClientConnection()->CloseWithReset();
}

void TNetMappedPortTCP::CountWritten(TNetMappedPortTCPData& data)
{
    TNetConnectionInfo& info = data.Info;
    if (const std::uint64_t sent = data.FromClient.Sent(); sent != info.bytesFromClient) {
        traffic_.AddFromClient(sent - info.bytesFromClient);
        info.bytesFromClient = sent;
    }
    if (const std::uint64_t sent = data.FromRemote.Sent(); sent != info.bytesToClient) {
        traffic_.AddToClient(sent - info.bytesToClient);
        info.bytesToClient = sent;
    }
}

void TNetMappedPortTCP::PeerDisconnected(TNetPeerThread& peer)
{
    if (auto* data = static_cast<TNetMappedPortTCPData*>(peer.Payload())) {
        data->OwnOutbound.Release();
        TNetConnectionInfo& info = data->Info;
        info.duration = std::chrono::steady_clock::now() - info.startSteady;
        // Deactivation shuts both sides down, which can look like any other end: it comes first.
        if (peer.Aborted())
            info.end = TNetConnectionEnd::Deactivated;
        else if (!data->EndKnown)
            info.end = TNetConnectionEnd::Reset;
        traffic_.ConnectionEnded();
        try {
            std::shared_lock lock(eventGuard_);
            if (OnConnectionEnded)
                OnConnectionEnded(info);
        } catch (...) {
            // A listener's failure must not cost the owner its end-of-connection report.
        }
    }
    TNetTCPServer::PeerDisconnected(peer);
}

void TNetMappedPortTCP::DetachEvents()
{
    TNetTCPServer::DetachEvents();
    std::unique_lock lock(eventGuard_);
    OnBeforeClientConnect = nullptr;
    OnConnectionEnded = nullptr;
    OnClientRefused = nullptr;
}

void TNetMappedPortTCP::SetAllowList(TNetAllowList list)
{
    allowList_.store(list.Empty() ? nullptr : std::make_shared<const TNetAllowList>(std::move(list)));
}

TNetAllowList TNetMappedPortTCP::AllowList() const
{
    const auto list = allowList_.load();
    return list ? *list : TNetAllowList();
}

bool TNetMappedPortTCP::ClientAdmitted(const TNetSocketHandle& client)
{
    const auto list = allowList_.load();
    if (!list)
        return true;
    if (list->Admits(client.RemoteIP()))
        return true;
    traffic_.ClientRefused();
    std::shared_lock lock(eventGuard_);
    if (OnClientRefused)
        OnClientRefused(client.RemoteIP(), client.RemotePort());
    return false;
}

} // namespace tarvix

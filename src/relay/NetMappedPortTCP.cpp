#include "relay/NetMappedPortTCP.h"

#include "relay/NetExceptions.h"
#include "relay/NetStack.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <chrono>

namespace tarvix {

namespace {

// Moves what `from` has to `to`: one receive, then, while each receive fills the whole chunk (more is
// surely waiting), a few more without going back to the wait. Every chunk is written out whole first.
// False when either side failed (reset, error). End of stream from `from` is passed on as a shutdown of
// the sending side towards `to`.
bool Forward(TNetSocketHandle& from, TNetSocketHandle& to, TNetMappedPortTCPData& data, std::size_t& chunkSize,
             bool& fromDone, std::uint64_t& written)
{
    constexpr int kMaxChunksPerPass = 4; // then the other direction gets its turn
    TNetStack& stack = from.Stack();
    for (int chunk = 0; chunk < kMaxChunksPerPass; ++chunk) {
        char* const buffer = data.Buffer.get();
        const long n = from.ReceiveBytes(buffer, chunkSize, chunk ? MSG_DONTWAIT : 0);
        if (n == 0) {
            fromDone = true;
            to.ShutdownSending();
            return true;
        }
        if (n < 0) {
            const int code = stack.LastError();
            return code == netcode::Interrupted || code == netcode::WouldBlock;
        }
        for (long sent = 0; sent < n;) {
            const long w = to.SendBytes(buffer + sent, static_cast<std::size_t>(n - sent), 0);
            if (w > 0) {
                sent += w;
                written += static_cast<std::uint64_t>(w);
            } else if (w != -1 || stack.LastError() != netcode::Interrupted)
                return false;
        }
        if (static_cast<std::size_t>(n) < chunkSize)
            return true;
        if (chunkSize < TNetMappedPortTCPData::kBulkChunkSize) {
            chunkSize = TNetMappedPortTCPData::kBulkChunkSize;
            if (data.BufferSize < chunkSize) {
                data.Buffer = std::make_unique_for_overwrite<char[]>(chunkSize);
                data.BufferSize = chunkSize;
            }
        }
    }
    return true;
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

    data.Outbound = std::make_unique<TNetTCPClient>();
    data.Outbound->SetPort(mappedPort_);
    data.Outbound->SetHost(mappedHost_);
    // No Nagle on either side: the relay writes what it has just received, and a chunk held back until
    // the previous one is acknowledged meets the peer's delayed acknowledgement (a 40 ms stall for every
    // reply a little larger than one chunk). The client side has it from the listening socket.
    data.Outbound->SetUseNagle(false);
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
            SettleEnd(data, TNetConnectionEnd::RefusedRemote);
        }
        throw;
    }
    data.Buffer = std::make_unique_for_overwrite<char[]>(TNetMappedPortTCPData::kChunkSize);
    data.BufferSize = TNetMappedPortTCPData::kChunkSize;
}

bool TNetMappedPortTCP::PeerExecute(TNetPeerThread& peer)
{
    auto& data = *static_cast<TNetMappedPortTCPData*>(peer.Payload());
    TNetTCPConnection& client = *peer.ClientConnection();
    TNetTCPClient& outbound = *data.Outbound;
    TNetSocketHandle& clientSocket = client.Socket();
    TNetSocketHandle& remoteSocket = outbound.Socket();

    // A side whose stream has ended is still watched: a reset or an error on it ends the connection.
    pollfd waitList[2] = {
        {clientSocket.Descriptor(), static_cast<short>(data.ClientDone ? 0 : POLLIN), 0},
        {remoteSocket.Descriptor(), static_cast<short>(data.RemoteDone ? 0 : POLLIN), 0},
    };
    const int ready = Stack().PollSockets(waitList, 2, -1);

    bool failed = false;
    TNetConnectionInfo& info = data.Info;
    const std::uint64_t fromClient = info.bytesFromClient;
    const std::uint64_t toClient = info.bytesToClient;
    if (ready > 0) {
        if (waitList[0].revents)
            failed = data.ClientDone || !Forward(clientSocket, remoteSocket, data, data.ClientChunk, data.ClientDone,
                                                 info.bytesFromClient);
        if (!failed && waitList[1].revents)
            failed = data.RemoteDone ||
                     !Forward(remoteSocket, clientSocket, data, data.RemoteChunk, data.RemoteDone, info.bytesToClient);
    } else if (ready < 0) {
        failed = Stack().LastError() != netcode::Interrupted;
    }
    if (info.bytesFromClient != fromClient)
        traffic_.AddFromClient(info.bytesFromClient - fromClient);
    if (info.bytesToClient != toClient)
        traffic_.AddToClient(info.bytesToClient - toClient);
    if (!data.FirstEndKnown && (data.ClientDone || data.RemoteDone)) {
        data.FirstEndKnown = true;
        data.FirstEnd = data.ClientDone ? TNetConnectionEnd::ClosedByClient : TNetConnectionEnd::ClosedByRemote;
    }

    if (failed) {
        // A reset or an error on one side is passed on as a reset: an end of stream would tell the other
        // side that everything arrived.
        outbound.CloseWithReset();
        client.CloseWithReset();
        SettleEnd(data, TNetConnectionEnd::Reset);
    } else if ((data.ClientDone && data.RemoteDone) || !clientSocket.IsOpen() || !remoteSocket.IsOpen()) {
        if (data.ClientDone && data.RemoteDone)
            SettleEnd(data, data.FirstEnd);
        // Both streams ended, or deactivation.
        outbound.CloseConnection();
        client.CloseConnection();
    }
    return true;
}

void TNetMappedPortTCP::PeerDisconnected(TNetPeerThread& peer)
{
    if (auto* data = static_cast<TNetMappedPortTCPData*>(peer.Payload())) {
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
}

} // namespace tarvix

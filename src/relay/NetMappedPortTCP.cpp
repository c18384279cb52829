#include "relay/NetMappedPortTCP.h"

#include "relay/NetStack.h"

#include <poll.h>

namespace tarvix {

namespace {

// Moves one received chunk from one side to the other. False when either side failed (reset, error).
// End of stream from `from` is passed on as a shutdown of the sending side towards `to`.
bool Forward(TNetSocketHandle& from, TNetSocketHandle& to, char* buffer, bool& fromDone)
{
    TNetStack& stack = from.Stack();
    const long n = from.ReceiveBytes(buffer, TNetMappedPortTCPData::kChunkSize, 0);
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
        if (w > 0)
            sent += w;
        else if (w != -1 || stack.LastError() != netcode::Interrupted)
            return false;
    }
    return true;
}

} // namespace

std::shared_ptr<TNetMappedPortTCP> TNetMappedPortTCP::Create()
{
    return std::make_shared<TNetMappedPortTCP>(CreateKey{});
}

void TNetMappedPortTCP::PeerConnected(TNetPeerThread& peer)
{
    TNetTCPServer::PeerConnected(peer);

    auto record = std::make_unique<TNetMappedPortTCPData>();
    TNetMappedPortTCPData& data = *record;
    peer.SetPayload(std::move(record));
    data.Outbound = std::make_unique<TNetTCPClient>();
    data.Outbound->SetPort(mappedPort_);
    data.Outbound->SetHost(mappedHost_);
    // Deactivation shuts this socket down too, which also ends a connect still in progress.
    peer.WatchSocket(&data.Outbound->Socket());

    TBeforeClientConnectEvent beforeConnect;
    {
        std::shared_lock lock(eventGuard_);
        beforeConnect = OnBeforeClientConnect;
    }
    if (beforeConnect)
        beforeConnect(*this, peer, *data.Outbound);

    data.Outbound->Connect();
    data.Buffer = std::make_unique_for_overwrite<char[]>(TNetMappedPortTCPData::kChunkSize);
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
    if (ready > 0) {
        if (waitList[0].revents)
            failed = data.ClientDone || !Forward(clientSocket, remoteSocket, data.Buffer.get(), data.ClientDone);
        if (!failed && waitList[1].revents)
            failed = data.RemoteDone || !Forward(remoteSocket, clientSocket, data.Buffer.get(), data.RemoteDone);
    } else if (ready < 0) {
        failed = Stack().LastError() != netcode::Interrupted;
    }

    // Both streams ended, a failure on either side, or deactivation: close both.
    if (failed || (data.ClientDone && data.RemoteDone) || !clientSocket.IsOpen() || !remoteSocket.IsOpen()) {
        outbound.CloseConnection();
        client.CloseConnection();
    }
    return true;
}

void TNetMappedPortTCP::DetachEvents()
{
    TNetTCPServer::DetachEvents();
    std::unique_lock lock(eventGuard_);
    OnBeforeClientConnect = nullptr;
}

} // namespace tarvix

#pragma once
// The relay server: every accepted client gets an outbound connection to MappedHost:MappedPort, and its
// peer thread moves bytes both ways until both directions have ended.
#include "relay/NetTCPClient.h"
#include "relay/NetTCPServer.h"
#include "relay/Traffic.h"

#include <functional>
#include <memory>
#include <string>

namespace tarvix {

class TNetMappedPortTCP;

// One relayed connection, owned by its peer thread.
class TNetMappedPortTCPData : public TNetPayload {
public:
    static constexpr std::size_t kChunkSize = TNetTCPConnection::kDefaultBufferSize;
    // A direction whose receives fill the whole chunk is moving bulk data: it goes on in larger chunks,
    // which halves the relay's work per byte. Idle and interactive connections keep the small buffer.
    static constexpr std::size_t kBulkChunkSize = 256 * 1024;

    std::unique_ptr<TNetTCPClient> Outbound;
    // One buffer serves both directions: each chunk is written out whole before the next receive. It
    // grows once, the first time either direction needs the bulk size.
    std::unique_ptr<char[]> Buffer;
    std::size_t BufferSize = 0;
    // Receive size per direction: from the client, from the remote end.
    std::size_t ClientChunk = kChunkSize;
    std::size_t RemoteChunk = kChunkSize;
    // End of stream seen from the client / from the remote end.
    bool ClientDone = false;
    bool RemoteDone = false;
    // Who connected, when, what passed each way and how it ended.
    TNetConnectionInfo Info;
    bool EndKnown = false; // Info.end is settled
    // The stream that ended first, once either has.
    TNetConnectionEnd FirstEnd = TNetConnectionEnd::ClosedByClient;
    bool FirstEndKnown = false;
};

using TBeforeClientConnectEvent =
    std::function<void(TNetMappedPortTCP& sender, TNetPeerThread& thread, TNetTCPClient& client)>;
using TNetConnectionEndedEvent = std::function<void(const TNetConnectionInfo& info)>;

class TNetMappedPortTCP : public TNetTCPServer {
public:
    explicit TNetMappedPortTCP(CreateKey key) : TNetTCPServer(key) { SetAcceptNoDelay(true); }
    static std::shared_ptr<TNetMappedPortTCP> Create();

    // Set before activation.
    const std::string& MappedHost() const { return mappedHost_; }
    void SetMappedHost(const std::string& host) { mappedHost_ = host; }
    int MappedPort() const { return mappedPort_; }
    void SetMappedPort(int port) { mappedPort_ = port; }

    // Called on the peer thread once the outbound client is set up, before it connects. It may block (it
    // runs unguarded, on a copy): whatever it captures must outlive the peers.
    TBeforeClientConnectEvent OnBeforeClientConnect;
    // Called on the peer thread when a relayed connection has ended, before OnDisconnect, also while the
    // server is being deactivated. Set before activation; it must return promptly.
    TNetConnectionEndedEvent OnConnectionEnded;

    // Counters since the server was made; read from any thread.
    const TNetTraffic& Traffic() const { return traffic_; }

    // Reports the client (OnConnect), then connects the outbound side; a failure ends the peer.
    void PeerConnected(TNetPeerThread& peer) override;
    // One relay pass: one wait on both sockets, then at most one chunk each way.
    bool PeerExecute(TNetPeerThread& peer) override;
    // Counts the end and tells OnConnectionEnded, then OnDisconnect.
    void PeerDisconnected(TNetPeerThread& peer) override;

protected:
    void DetachEvents() override;

private:
    std::string mappedHost_;
    int mappedPort_ = 0;
    TNetTraffic traffic_;
};

} // namespace tarvix

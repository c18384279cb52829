#pragma once
// The relay server: every accepted client gets an outbound connection to MappedHost:MappedPort, and its
// peer thread moves bytes both ways until both directions have ended.
#include "relay/NetAddress.h"
#include "relay/NetRelayDirection.h"
#include "relay/NetTCPClient.h"
#include "relay/NetTCPServer.h"
#include "relay/Traffic.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace tarvix {

class TNetMappedPortTCP;

// One relayed connection, owned by its peer thread.
class TNetMappedPortTCPData : public TNetPayload {
public:
    std::unique_ptr<TNetTCPClient> Outbound;
    TNetRelayDirection FromClient; // client to remote end
    TNetRelayDirection FromRemote; // remote end to client
    // The side has ended its stream: seen as soon as it happens, even while its last bytes still wait
    // unread behind bytes owed the other way.
    bool ClientEnded = false;
    bool RemoteEnded = false;
    // The side's socket is shut both ways: nothing more can happen on it.
    bool ClientHungUp = false;
    bool RemoteHungUp = false;
    // The first pass has run: it reads the client without waiting, since a client mostly sends its
    // request before the connection is even taken.
    bool Started = false;
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
// A client outside the allow-list, refused with a reset: its address and port.
using TNetClientRefusedEvent = std::function<void(const std::string& address, int port)>;

class TNetMappedPortTCP : public TNetTCPServer {
public:
    // Once one side has ended, a connection is cut (with resets both ways) when the bytes it owes the
    // other side have not moved for this long: that side will never read them.
    static constexpr int kStuckLimitMs = 5 * 60 * 1000;
    // A direction that moved bulk data keeps its large buffer for the next burst this long, then lets it
    // go: a connection left idle after a download must not hold it for weeks.
    static constexpr int kBulkBufferKeepMs = 2000;

    explicit TNetMappedPortTCP(CreateKey key) : TNetTCPServer(key)
    {
        SetAcceptNoDelay(true);
        SetResetOnStop(true);
    }
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

    // The clients admitted; empty admits everyone. May change while active: it applies to the next client.
    void SetAllowList(TNetAllowList list);
    TNetAllowList AllowList() const;
    // Called on the accepting thread for each refused client; set before activation, must return promptly.
    TNetClientRefusedEvent OnClientRefused;

    // Counters since the server was made; read from any thread.
    const TNetTraffic& Traffic() const { return traffic_; }

    // Reports the client (OnConnect), then connects the outbound side; a failure ends the peer.
    void PeerConnected(TNetPeerThread& peer) override;
    // One relay pass: one wait on both sockets, then each direction moves what it can without blocking.
    bool PeerExecute(TNetPeerThread& peer) override;
    // Counts the end and tells OnConnectionEnded, then OnDisconnect.
    void PeerDisconnected(TNetPeerThread& peer) override;

    // For tests: a shorter bound than kStuckLimitMs.
    void SetStuckLimitMs(int ms) { stuckLimitMs_.store(ms); }
    int StuckLimitMs() const { return stuckLimitMs_.load(); }

protected:
    void DetachEvents() override;
    bool ClientAdmitted(const TNetSocketHandle& client) override;

private:
    static void CutWhenAborted(TNetPeerThread& peer);
    // Adds what each direction has written out since the last call to the connection and the mapping.
    void CountWritten(TNetMappedPortTCPData& data);

    std::string mappedHost_;
    int mappedPort_ = 0;
    TNetTraffic traffic_;
    std::atomic<int> stuckLimitMs_{kStuckLimitMs};
    mutable std::mutex allowLock_;
    std::shared_ptr<const TNetAllowList> allowList_;
};

} // namespace tarvix

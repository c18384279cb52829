#pragma once
// The relay server: every accepted client gets an outbound connection to MappedHost:MappedPort, and its
// peer thread moves bytes both ways until both directions have ended.
#include "relay/NetAddress.h"
#include "relay/NetRelayDirection.h"
#include "relay/NetRelayLoop.h"
#include "relay/NetSelfMapping.h"
#include "relay/NetTCPClient.h"
#include "relay/NetTCPServer.h"
#include "relay/Traffic.h"

#include <atomic>
#include <cstdint>
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
    // Outbound, known as this process's own while it is connected to this machine.
    TNetOwnConnection OwnOutbound;
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
    // The last pass moved bytes (WaitAfterWork).
    bool Moved = false;
    // Passes in a row that moved small messages: enough of them hand the connection to an event loop.
    int SmallPasses = 0;
    // The connection as an event loop serves it, made when it is first handed over.
    std::unique_ptr<TNetLoopConnection> InLoop;
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

    // An established connection whose passes moved small messages this many times in a row is handed to an
    // event loop (TNetLoopConnection), which moves its bytes until it ends or turns to bulk transfers, while
    // its peer thread sleeps; -1 keeps every connection on its thread.
    static constexpr int kLoopAfterPasses = 4;
    void SetLoopAfterPasses(int passes) { loopAfterPasses_.store(passes, std::memory_order_relaxed); }
    int LoopAfterPasses() const { return loopAfterPasses_.load(std::memory_order_relaxed); }
    // How many times a connection was handed to an event loop; from any thread.
    std::uint64_t LoopHandOvers() const { return loopHandOvers_.load(std::memory_order_relaxed); }

protected:
    void DetachEvents() override;
    bool ClientAdmitted(const TNetSocketHandle& client) override;

private:
    friend class TNetRelayInLoop;

    static void CutWhenAborted(TNetPeerThread& peer);
    // The client is one of this process's own outbound connections: a loop, cut with resets.
    void CutWhenOwn(TNetPeerThread& peer, TNetMappedPortTCPData& data);
    // Moves what the sockets' events allow and settles how the connection stands (which side ended, the
    // stuck bound); true when the connection must be cut.
    bool Relay(TNetPeerThread& peer, TNetMappedPortTCPData& data, short clientEvents, short remoteEvents);
    // Closes the connection when it was cut (with resets) or both its streams have ended.
    static void Conclude(TNetPeerThread& peer, TNetMappedPortTCPData& data, bool cut);
    // Milliseconds until the stuck bound or an idle bulk buffer is due (letting go of those due), or -1.
    int NextDeadlineMs(TNetMappedPortTCPData& data);
    // Hands the connection to an event loop when its traffic is small and frequent; returns once it is
    // back, with whether it must be cut.
    bool MaybeRunInLoop(TNetPeerThread& peer, TNetMappedPortTCPData& data, bool moved);
    // Adds what each direction has written out since the last call to the connection and the mapping.
    void CountWritten(TNetMappedPortTCPData& data);

    std::string mappedHost_;
    int mappedPort_ = 0;
    TNetTraffic traffic_;
    std::atomic<int> stuckLimitMs_{kStuckLimitMs};
    std::atomic<std::shared_ptr<const TNetAllowList>> allowList_; // null admits everyone
    std::atomic<int> loopAfterPasses_{kLoopAfterPasses};
    std::atomic<std::uint64_t> loopHandOvers_{0};
};

} // namespace tarvix

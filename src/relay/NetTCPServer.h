#pragma once
// A threaded TCP server: it listens on its bindings, a listener thread accepts clients, and every accepted
// client is served by a peer thread of its own until it ends.
//
// Lifetime: a server is always held by std::shared_ptr (Create) and each running peer holds it too, so a
// peer that outlives deactivation (blocked in a name lookup, say) never touches freed memory. The owner
// calls Dispose before letting go: after it, no event of the server calls anybody.
#include "relay/NetComponent.h"
#include "relay/NetSocketHandle.h"
#include "relay/NetTCPConnection.h"
#include "relay/NetThread.h"
#include "relay/NetThreadMgrDefault.h"
#include "relay/NetWakeup.h"

#include <poll.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <vector>

namespace tarvix {

class TNetTCPServer;
class TNetPeerThread;

using TNetServerThreadEvent = std::function<void(TNetPeerThread& thread)>;

// The server side of one accepted client.
class TNetTCPServerConnection : public TNetTCPConnection {
public:
    explicit TNetTCPServerConnection(TNetTCPServer* server) : server_(server) {}
    TNetTCPServer* Server() const { return server_; }

private:
    TNetTCPServer* server_;
};

class TNetListenerThread : public TNetThread {
public:
    explicit TNetListenerThread(TNetTCPServer& server);

    TNetTCPServer& OwnerServer() const { return server_; }
    // Wait per pass for a pending connection, in milliseconds.
    int AcceptPollMs = 1000;
    // Ends the current wait at once (deactivation).
    void Wake() { wake_.Signal(); }

    // How long the listener rests after a failed accept that would fail again at once (no descriptor or
    // memory left), so that it waits instead of spinning.
    static constexpr int kAcceptRetryMs = 100;

protected:
    void LoopPass() override;
    void AfterLoop() override;

private:
    void PollingPass();
    void AcceptOn(int listeningDescriptor);
    void Pause(int ms);

    TNetTCPServer& server_;
    TNetWakeup wake_;
    std::vector<pollfd> listenList_;
    std::vector<std::size_t> bindingOf_;
};

class TNetPeerThread : public TNetThread {
public:
    TNetPeerThread();

    TNetTCPServerConnection* ClientConnection() const { return client_.get(); }
    TNetTCPServer& Server() const { return *server_; }

    // From another thread (deactivation): shuts down the client connection and every watched socket, or
    // only interrupts them when the server closes its connections itself, with resets.
    void AbortConnections();
    bool Aborted() const { return aborted_.load(); }
    // A further socket of this peer that deactivation shuts down too (the outbound side of a relay). It
    // must live as long as the peer; when the peer was already aborted it is shut down at once.
    void WatchSocket(TNetSocketHandle* socket);

protected:
    void BeforeLoop() override;
    void LoopPass() override;
    void AfterLoop() override;
    // Waits on the server's listening socket for the next client (TNetTCPServer::AcceptForFollowUp).
    TFollowUp FollowUp() override;

private:
    friend class TNetListenerThread;
    friend class TNetTCPServer;

    void StopWatched(TNetSocketHandle& socket);

    std::shared_ptr<TNetTCPServer> server_;
    std::unique_ptr<TNetTCPServerConnection> client_;
    std::atomic<TNetSocketHandle*> watched_{nullptr};
    std::atomic<bool> aborted_{false};
    bool outOfResources_ = false; // its outbound side found no descriptor or memory
    std::size_t peerIndex_ = 0;   // place in the server's peer list
};

class TNetTCPServer : public TNetComponent, public std::enable_shared_from_this<TNetTCPServer> {
protected:
    struct CreateKey {
        explicit CreateKey() = default;
    };

public:
    static constexpr int kPeerPollMs = 250;
    // Peers whose connection has ended and that wait for the next client, at most: they take clients
    // without waking the listener or another thread. Each leaves after one idle AcceptPollMs.
    static constexpr int kMaxWaitingPeers = 8;
    static constexpr int kShortageCalmMs = 1000;

    explicit TNetTCPServer(CreateKey);
    static std::shared_ptr<TNetTCPServer> Create();
    ~TNetTCPServer() override;

    bool Active() const { return active_; }
    // Activation binds, listens and starts the listener (failures raise and leave it inactive);
    // deactivation stops the listener, closes the bindings and the peers' connections and waits for the
    // peers (StopAllPeers). Both on the owner's thread, never on a peer thread.
    void SetActive(bool active);

    TNetSocketHandles& Bindings() { return bindings_; }
    int DefaultPort() const { return bindings_.DefaultPort(); }
    void SetDefaultPort(int port) { bindings_.SetDefaultPort(port); }
    int TerminateWaitTime() const { return terminateWaitTime_; }
    void SetTerminateWaitTime(int ms) { terminateWaitTime_ = ms; }
    int AcceptPollMs() const { return acceptPollMs_; }
    void SetAcceptPollMs(int ms) { acceptPollMs_ = ms; }
    const std::shared_ptr<TNetThreadMgr>& ThreadMgr() const { return threadMgr_; }
    void SetThreadMgr(std::shared_ptr<TNetThreadMgr> mgr) { threadMgr_ = std::move(mgr); }
    bool OwnsThreadMgr() const { return ownsThreadMgr_; }

    // Makes the peer threads; a TNetPeerThread unless changed before activation.
    TNetThreadMgr::TThreadClass PeerClass;

    // Set before activation. They run on peer threads and must return promptly once the peer's
    // connections are closed (deactivation waits for them, and Dispose for those still running).
    TNetServerThreadEvent OnConnect;
    TNetServerThreadEvent OnExecute;
    TNetServerThreadEvent OnDisconnect;
    // Runs on the listener's thread when clients were refused (with a reset) for want of a thread, with how
    // many since the last call: at the first refusal, then at most once per kRefusalReportMs while they go
    // on. Set before activation.
    std::function<void(std::uint64_t refused)> OnThreadShortage;
    static constexpr int kRefusalReportMs = 10000;

    // Hooks called by the peer thread.
    virtual void PeerConnected(TNetPeerThread& peer);
    virtual void PeerDisconnected(TNetPeerThread& peer);
    // One pass; false when there is nothing to run.
    virtual bool PeerExecute(TNetPeerThread& peer);

    // Closes every peer's connections, then waits at most TerminateWaitTime for the peers to end: never
    // less than one 250 ms period, and no longer than the last peer takes after that. Never raises.
    void StopAllPeers();
    std::size_t PeerCount() const;
    // Finished peers now waiting for the next client.
    std::size_t WaitingPeerCount() const;

    // Whether an accepted client may be served; the refused one is closed with a reset by the caller. On
    // the accepting thread, before any event of the client.
    virtual bool ClientAdmitted(const TNetSocketHandle& /*client*/) { return true; }

    // Deactivates (when still active) and lets go of the events: call it before the last owner lets go. A
    // peer still running afterwards only finishes its own clean-up.
    void Dispose();

protected:
    void FireEvent(const TNetServerThreadEvent& event, TNetPeerThread& peer);
    // Accepted connections send without Nagle's delay; set before activation. The listening sockets get
    // the option, which accepted sockets inherit: no system call per connection.
    void SetAcceptNoDelay(bool noDelay) { acceptNoDelay_ = noDelay; }
    bool AcceptNoDelay() const { return acceptNoDelay_; }
    // Deactivation only interrupts the peers' sockets (TNetSocketHandle::Interrupt): each peer then ends
    // its connections with resets itself, rather than the clients reading an ordinary end of stream.
    void SetResetOnStop(bool reset) { resetOnStop_ = reset; }
    virtual void DetachEvents();

    // Guards the events against Dispose: held shared while one runs.
    std::shared_mutex eventGuard_;

private:
    friend class TNetListenerThread;
    friend class TNetPeerThread;

    void Activate();
    void Deactivate();
    // False (and the client reset) when ClientAdmitted refuses it.
    bool AdmitClient(TNetTCPServerConnection& connection);
    void AddPeer(TNetPeerThread* peer);
    void AddPeerLocked(TNetPeerThread* peer);
    void RemovePeer(TNetPeerThread* peer);
    // On the OS thread of a peer that has just ended: waits for the next client and returns its peer,
    // taken over by this OS thread, or nullptr (not mayWait, no room, idle, failure, deactivation).
    TNetPeerThread* AcceptForFollowUp(bool mayWait);
    // The listener leaves the listening socket to the waiting peers while there are any.
    bool ListenerMayRest();
    // Out of descriptors or memory: until kShortageCalmMs after the last shortage seen, peers do not start
    // waiting for clients and the listener takes one only with room for both its sides; near the limit a
    // client taken without that room is dropped at once.
    static bool IsShortage(int code);
    void NoteShortage();
    bool InShortage() const;
    bool InShortageLocked() const;
    // From the listener as it ends: no peer waits for clients any more, none will.
    void EndWaitingPeers();
    // From the listener: one more client refused for want of a thread; reports them now and then.
    void NoteRefusedForThreads();

    bool active_ = false;
    bool acceptNoDelay_ = false;
    bool resetOnStop_ = false;
    TNetSocketHandles bindings_;
    int terminateWaitTime_ = 5000;
    int acceptPollMs_ = 1000;
    std::shared_ptr<TNetThreadMgr> threadMgr_;
    bool ownsThreadMgr_ = false;
    std::unique_ptr<TNetListenerThread> listener_;
    // The one listening socket that finished peers wait on; -1 with several bindings.
    int acceptDescriptor_ = -1;
    mutable std::mutex peersLock_;
    std::condition_variable peersGone_; // signalled when the last peer leaves
    std::vector<TNetPeerThread*> peers_;
    // Under peersLock_: finished peers may wait for clients; how many do; whether the listener does too;
    // which activation this is, process-wide (descriptor numbers come back).
    using TClock = std::chrono::steady_clock;
    bool peersMayWait_ = false;
    int waitingPeers_ = 0;
    std::uint64_t activation_ = 0;
    TClock::time_point shortageUntil_{};
    bool listenerAccepts_ = true;
    std::condition_variable waitingPeersGone_;
    // The listener's own: refusals not reported yet, and when the last report was made.
    std::uint64_t refusedUnreported_ = 0;
    TClock::time_point lastRefusalReport_{};
};

} // namespace tarvix

#include "relay/NetTCPServer.h"

#include "relay/NetAcceptWait.h"
#include "relay/NetAddress.h"
#include "relay/NetExceptions.h"
#include "relay/NetStack.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <thread>
#include <utility>

namespace tarvix {

// ---- listener ---------------------------------------------------------------------------------------

TNetListenerThread::TNetListenerThread(TNetTCPServer& server) : TNetThread(true), server_(server) {}

void TNetListenerThread::LoopPass()
{
    if (!server_.ListenerMayRest()) {
        PollingPass();
        return;
    }
    // Finished peers wait for the clients and take them themselves; the last of them to go wakes this.
    pollfd wake{wake_.Descriptor(), POLLIN, 0};
    if (server_.Stack().PollSockets(&wake, 1, AcceptPollMs) > 0)
        wake_.Drain();
}

void TNetListenerThread::PollingPass()
{
    TNetSocketHandles& bindings = server_.Bindings();
    listenList_.clear();
    bindingOf_.clear();
    for (std::size_t i = 0; i < bindings.Count(); ++i) {
        if (bindings[i].IsOpen()) {
            listenList_.push_back(pollfd{bindings[i].Descriptor(), POLLIN, 0});
            bindingOf_.push_back(i);
        }
    }
    listenList_.push_back(pollfd{wake_.Descriptor(), POLLIN, 0});

    TNetStack& stack = server_.Stack();
    const int n = stack.PollSockets(listenList_.data(), listenList_.size(), AcceptPollMs);
    if (n == -1 && stack.LastError() != netcode::Interrupted)
        Pause(kAcceptRetryMs);
    if (n < 1 || Terminated())
        return;
    if (listenList_.back().revents)
        wake_.Drain();
    for (std::size_t k = 0; k + 1 < listenList_.size() && !Terminated(); ++k)
        if (listenList_[k].revents)
            AcceptOn(listenList_[k].fd);
}

void TNetListenerThread::AcceptOn(int listeningDescriptor)
{
    // Short of descriptors, a client is taken only with room for its outbound side too: otherwise it would
    // be dropped at once, and the next with it, one by one, while it can wait in the queue instead.
    if (server_.InShortage() && !TNetAcceptWait::RoomForAClient(listeningDescriptor)) {
        server_.NoteShortage();
        Pause(kAcceptRetryMs);
        return;
    }
    std::unique_ptr<TNetTCPServerConnection> connection;
    try {
        connection = std::make_unique<TNetTCPServerConnection>(&server_);
        connection->Socket().AcceptFrom(listeningDescriptor);
    } catch (const ENetSocketError& e) {
        switch (e.SocketCode()) {
        case netcode::WouldBlock: // the client went away before it was taken
        case netcode::Interrupted:
        case netcode::ConnectionAborted:
        case netcode::ConnectionReset: return;
        default:
            // Out of descriptors or memory (or the socket is going away): the pending client stays
            // queued, so trying again at once would spin. Rest, then go on accepting.
            if (TNetTCPServer::IsShortage(e.SocketCode()))
                server_.NoteShortage();
            Pause(kAcceptRetryMs);
            return;
        }
    } catch (const std::exception&) {
        Pause(kAcceptRetryMs);
        return;
    }
    if (!server_.AdmitClient(*connection))
        return;

    const std::shared_ptr<TNetThreadMgr> mgr = server_.ThreadMgr();
    TNetPeerThread* peer = nullptr;
    try {
        peer = static_cast<TNetPeerThread*>(mgr->AcquireThread());
    } catch (const std::exception&) {
        connection->CloseWithReset();
        Pause(kAcceptRetryMs); // out of memory
        return;
    }
    peer->server_ = server_.shared_from_this();
    peer->client_ = std::move(connection);
    server_.AddPeer(peer);
    try {
        peer->StartThread();
    } catch (const std::exception&) {
        // No thread left for it: refused at once with a reset, and the next client is taken without a
        // pause, so that none waits for an answer and each gets a thread as soon as one is free again.
        server_.RemovePeer(peer);
        peer->client_->CloseWithReset();
        mgr->ReturnThread(peer);
        server_.NoteRefusedForThreads();
    }
}

void TNetListenerThread::Pause(int ms)
{
    pollfd wake{wake_.Descriptor(), POLLIN, 0};
    if (!Terminated() && server_.Stack().PollSockets(&wake, 1, ms) > 0)
        wake_.Drain();
}

void TNetListenerThread::AfterLoop()
{
    TNetSocketHandles& bindings = server_.Bindings();
    // Stopped by deactivation, which keeps each binding's address and port, whichever thread gets to the
    // socket first; only a listener that failed on its own clears them.
    const bool keepLocal = Terminated();
    if (!keepLocal)
        for (std::size_t i = 0; i < bindings.Count(); ++i)
            bindings[i].Abort(); // ends the waits of finished peers
    // No peer may still wait on a descriptor that is about to be released.
    server_.EndWaitingPeers();
    for (std::size_t i = bindings.Count(); i-- > 0;)
        bindings[i].Shut(!keepLocal);
}

// ---- peer -------------------------------------------------------------------------------------------

TNetPeerThread::TNetPeerThread() : TNetThread(true)
{
    SetDestroysItself();
}

void TNetPeerThread::AbortConnections()
{
    aborted_.store(true);
    const bool reset = server_->resetOnStop_;
    if (client_) {
        if (reset)
            client_->InterruptConnection();
        else
            client_->AbortConnection();
    }
    if (TNetSocketHandle* watched = watched_.load())
        StopWatched(*watched);
}

void TNetPeerThread::WatchSocket(TNetSocketHandle* socket)
{
    // Paired with AbortConnections: either it sees this socket or this sees its abort.
    watched_.store(socket);
    if (socket && aborted_.load())
        StopWatched(*socket);
}

void TNetPeerThread::StopWatched(TNetSocketHandle& socket)
{
    if (server_->resetOnStop_)
        socket.Interrupt();
    else
        socket.Abort();
}

void TNetPeerThread::BeforeLoop()
{
    try {
        server_->PeerConnected(*this);
    } catch (const ENetSocketError& e) {
        outOfResources_ = TNetTCPServer::IsShortage(e.SocketCode());
        throw;
    }
}

void TNetPeerThread::LoopPass()
{
    try {
        if (!server_->PeerExecute(*this))
            throw ENetNoExecuteSpecified();
    } catch (const ENetSocketError& e) {
        if (e.SocketCode() == netcode::ConnectionAborted || e.SocketCode() == netcode::ConnectionReset)
            client_->CloseConnection();
    } catch (const ENetClosedSocket&) {
    }
    if (!client_->IsConnected())
        StopThread();
}

TNetThread::TFollowUp TNetPeerThread::FollowUp()
{
    // Also after an abort: the wait of this OS thread ends there.
    if (!server_)
        return nullptr;
    // Short of descriptors, the next client would be taken only to be dropped: leave them to the listener,
    // which waits for room before it accepts. (Two lambdas: one that holds only the server fits in the
    // function object without an allocation.)
    if (outOfResources_)
        return [server = server_]() -> TNetThread* { return server->AcceptForFollowUp(false); };
    return [server = server_]() -> TNetThread* { return server->AcceptForFollowUp(true); };
}

void TNetPeerThread::AfterLoop()
{
    std::exception_ptr failure;
    try {
        server_->PeerDisconnected(*this);
    } catch (...) {
        failure = std::current_exception();
    }
    if (ThreadMgr())
        ThreadMgr()->ReturnThread(this);
    server_->RemovePeer(this);
    client_.reset();
    if (failure)
        std::rethrow_exception(failure);
}

// ---- server -----------------------------------------------------------------------------------------

TNetTCPServer::TNetTCPServer(CreateKey) : bindings_(Stack())
{
    PeerClass = [] { return std::make_unique<TNetPeerThread>(); };
}

std::shared_ptr<TNetTCPServer> TNetTCPServer::Create()
{
    return std::make_shared<TNetTCPServer>(CreateKey{});
}

TNetTCPServer::~TNetTCPServer()
{
    if (active_)
        Deactivate();
}

void TNetTCPServer::SetActive(bool active)
{
    if (active == active_)
        return;
    if (active)
        Activate();
    else
        Deactivate();
}

void TNetTCPServer::Activate()
{
    if (bindings_.Count() == 0)
        bindings_.AddBinding();
    try {
        for (std::size_t i = 0; i < bindings_.Count(); ++i) {
            TNetSocketHandle& b = bindings_[i];
            b.Rearm();
            const int family = AddressFamilyOf(b.IP());
            if (family == 0)
                throw ENetSocketError(netcode::InvalidArgument);
            b.OpenSocket(SOCK_STREAM, 0, family);
            b.SetOption(SOL_SOCKET, SO_REUSEADDR, 1);
            if (acceptNoDelay_)
                b.SetOption(IPPROTO_TCP, TCP_NODELAY, 1);
            b.BindLocal();
            // The system's maximum: a small backlog drops the connection requests of any burst of clients,
            // and each dropped client stalls a second or more before it tries again.
            b.StartListening(SOMAXCONN);
            // Never blocks in accept when the client is gone before it is taken. Not blocking in accept
            // either: a thread waiting there holds a descriptor, which at the limit would be given to a
            // client that then finds none for its outbound side.
            Stack().CheckResult(Stack().SetBlocking(b.Descriptor(), false));
        }
        acceptDescriptor_ = bindings_.Count() == 1 && TNetAcceptWait::Supported() ? bindings_[0].Descriptor() : -1;
        if (!threadMgr_) {
            threadMgr_ = std::make_shared<TNetThreadMgrDefault>();
            ownsThreadMgr_ = true;
        } else {
            ownsThreadMgr_ = false;
        }
        threadMgr_->ThreadType = PeerClass;
        listener_ = std::make_unique<TNetListenerThread>(*this);
        listener_->AcceptPollMs = acceptPollMs_;
        listener_->StartThread();
        // Last: a peer left over from an earlier activation may already be asking.
        static std::atomic<std::uint64_t> activations{0};
        std::lock_guard lock(peersLock_);
        peersMayWait_ = acceptDescriptor_ >= 0;
        activation_ = ++activations;
    } catch (...) {
        listener_.reset();
        if (ownsThreadMgr_) {
            threadMgr_.reset();
            ownsThreadMgr_ = false;
        }
        for (std::size_t i = bindings_.Count(); i-- > 0;)
            bindings_[i].Shut(false);
        throw;
    }
    active_ = true;
}

void TNetTCPServer::Deactivate()
{
    listener_->StopThread();
    listener_->Wake();
    // Shut down, not closed: the listener still polls these numbers and releases them itself.
    for (std::size_t i = 0; i < bindings_.Count(); ++i)
        bindings_[i].Abort();
    // No peer can be added once the listener has ended, so StopAllPeers sees every one of them.
    listener_->Join();
    listener_.reset();
    StopAllPeers();
    if (ownsThreadMgr_) {
        threadMgr_.reset();
        ownsThreadMgr_ = false;
    }
    active_ = false;
}

void TNetTCPServer::StopAllPeers()
{
    {
        std::lock_guard lock(peersLock_);
        for (TNetPeerThread* peer : peers_)
            peer->AbortConnections();
    }
    const int polls = terminateWaitTime_ / kPeerPollMs;
    if (polls <= 0)
        return;
    // The first look comes after one poll period, however early the peers end; after that the wait ends
    // as soon as the last peer has left rather than at the next period, so a peer slowed down by a busy
    // machine costs its own delay and not a whole period more.
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(kPeerPollMs));
    std::unique_lock lock(peersLock_);
    peersGone_.wait_until(lock, start + std::chrono::milliseconds(polls * kPeerPollMs),
                          [this] { return peers_.empty(); });
}

std::size_t TNetTCPServer::PeerCount() const
{
    std::lock_guard lock(peersLock_);
    return peers_.size();
}

std::size_t TNetTCPServer::WaitingPeerCount() const
{
    std::lock_guard lock(peersLock_);
    return static_cast<std::size_t>(waitingPeers_);
}

void TNetTCPServer::Dispose()
{
    // Deactivation has waited for the peers already: waiting again would double every stop and reload.
    // A peer still running holds the server itself and calls nobody once the events are let go.
    SetActive(false);
    DetachEvents();
}

void TNetTCPServer::DetachEvents()
{
    std::unique_lock lock(eventGuard_);
    OnConnect = nullptr;
    OnExecute = nullptr;
    OnDisconnect = nullptr;
    OnThreadShortage = nullptr;
}

void TNetTCPServer::FireEvent(const TNetServerThreadEvent& event, TNetPeerThread& peer)
{
    std::shared_lock lock(eventGuard_);
    if (event)
        event(peer);
}

void TNetTCPServer::PeerConnected(TNetPeerThread& peer)
{
    FireEvent(OnConnect, peer);
}

void TNetTCPServer::PeerDisconnected(TNetPeerThread& peer)
{
    FireEvent(OnDisconnect, peer);
}

bool TNetTCPServer::PeerExecute(TNetPeerThread& peer)
{
    std::shared_lock lock(eventGuard_);
    if (!OnExecute)
        return false;
    OnExecute(peer);
    return true;
}

void TNetTCPServer::AddPeer(TNetPeerThread* peer)
{
    std::lock_guard lock(peersLock_);
    AddPeerLocked(peer);
}

void TNetTCPServer::AddPeerLocked(TNetPeerThread* peer)
{
    peer->peerIndex_ = peers_.size();
    peers_.push_back(peer);
}

bool TNetTCPServer::ListenerMayRest()
{
    std::lock_guard lock(peersLock_);
    listenerAccepts_ = waitingPeers_ == 0;
    return !listenerAccepts_;
}

TNetPeerThread* TNetTCPServer::AcceptForFollowUp(bool mayWait)
{
    TNetAcceptWait& wait = TNetAcceptWait::OfThisThread();
    std::shared_ptr<TNetThreadMgr> mgr;
    std::uint64_t activation = 0;
    if (!mayWait)
        NoteShortage();
    {
        std::lock_guard lock(peersLock_);
        if (!mayWait || InShortageLocked() || !peersMayWait_ || waitingPeers_ >= kMaxWaitingPeers) {
            wait.End();
            return nullptr;
        }
        ++waitingPeers_;
        mgr = threadMgr_;
        activation = activation_;
    }
    // Any failure and an idle wait only send this OS thread to park: once no peer waits any more, the
    // listener takes the clients again, and their failures with them.
    std::unique_ptr<TNetTCPServerConnection> connection;
    TNetPeerThread* peer = nullptr;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(acceptPollMs_);
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !wait.Wait(activation, acceptDescriptor_, static_cast<int>(left.count())))
            break;
        try {
            connection = std::make_unique<TNetTCPServerConnection>(this);
            connection->Socket().AcceptFrom(acceptDescriptor_);
            if (!AdmitClient(*connection)) {
                connection.reset();
                continue;
            }
            peer = static_cast<TNetPeerThread*>(mgr->AcquireThread());
        } catch (const ENetSocketError& e) {
            connection.reset();
            // Another waiter was quicker, or the client went away before it was taken: wait on.
            if (e.SocketCode() == netcode::WouldBlock || e.SocketCode() == netcode::ConnectionAborted ||
                e.SocketCode() == netcode::ConnectionReset)
                continue;
            if (IsShortage(e.SocketCode()))
                NoteShortage();
        } catch (const std::exception&) {
        }
        break;
    }

    std::unique_lock lock(peersLock_);
    --waitingPeers_;
    const bool runs = peer && peersMayWait_;
    if (runs) {
        peer->server_ = shared_from_this();
        peer->client_ = std::move(connection);
        AddPeerLocked(peer);
    }
    if (waitingPeers_ == 0) {
        waitingPeersGone_.notify_all();
        // Under the lock: the listener outlives the waiting peers, not this call.
        if (!listenerAccepts_ && listener_) {
            listenerAccepts_ = true;
            listener_->Wake();
        }
    }
    lock.unlock();
    if (runs) {
        peer->TakeOverHere();
        return peer;
    }
    wait.End();
    // Taken while the server stops: the client learns it as every other cut client does.
    if (connection && resetOnStop_)
        connection->CloseWithReset();
    if (peer)
        mgr->ReturnThread(peer);
    return nullptr;
}

bool TNetTCPServer::AdmitClient(TNetTCPServerConnection& connection)
{
    if (ClientAdmitted(connection.Socket()))
        return true;
    // Told at once, before anything else happens for it: no outbound connection, no report.
    connection.CloseWithReset();
    return false;
}

bool TNetTCPServer::IsShortage(int code)
{
    return code == netcode::TooManyOpenFiles || code == netcode::NoBufferSpace;
}

bool TNetTCPServer::InShortage() const
{
    std::lock_guard lock(peersLock_);
    return InShortageLocked();
}

bool TNetTCPServer::InShortageLocked() const
{
    return shortageUntil_ != TClock::time_point{} && TClock::now() < shortageUntil_;
}

void TNetTCPServer::NoteShortage()
{
    std::lock_guard lock(peersLock_);
    shortageUntil_ = TClock::now() + std::chrono::milliseconds(kShortageCalmMs);
}

void TNetTCPServer::EndWaitingPeers()
{
    std::unique_lock lock(peersLock_);
    peersMayWait_ = false;
    waitingPeersGone_.wait(lock, [this] { return waitingPeers_ == 0; });
}

void TNetTCPServer::NoteRefusedForThreads()
{
    ++refusedUnreported_;
    const auto now = TClock::now();
    if (lastRefusalReport_ != TClock::time_point{} &&
        now - lastRefusalReport_ < std::chrono::milliseconds(kRefusalReportMs))
        return;
    lastRefusalReport_ = now;
    const std::uint64_t refused = std::exchange(refusedUnreported_, 0);
    try {
        std::shared_lock lock(eventGuard_);
        if (OnThreadShortage)
            OnThreadShortage(refused);
    } catch (...) {
        // The listener goes on whatever the report did.
    }
}

void TNetTCPServer::RemovePeer(TNetPeerThread* peer)
{
    std::lock_guard lock(peersLock_);
    const std::size_t i = peer->peerIndex_;
    if (i >= peers_.size() || peers_[i] != peer)
        return;
    peers_[i] = peers_.back();
    peers_[i]->peerIndex_ = i;
    peers_.pop_back();
    if (peers_.empty())
        peersGone_.notify_all();
}

} // namespace tarvix

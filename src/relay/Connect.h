#pragma once
// One switched-on mapping: listens on its local port on every IPv4 interface at once and relays each
// accepted client to the remote host and port. No Qt here: the desktop program and tarvix-relay share it.
#include "relay/Traffic.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <shared_mutex>
#include <string>

namespace tarvix {

class TfConnect;
class TNetMappedPortTCP;
class TNetPeerThread;

// Runs on the connection's own thread: one call with true per accepted client and one with false when
// its relay ends. It must return promptly and never wait for another thread (hand the report over).
using TConnectionStateEvent = std::function<void(TfConnect* sender, bool connected)>;
// Runs on the connection's own thread when a relayed connection has ended, also while CloseMapping ends
// it, never once the instance is being destroyed. The same rules as above.
using TConnectionEndedEvent = std::function<void(TfConnect* sender, const TNetConnectionInfo& info)>;
// Runs on the mapping's listener thread when clients were refused for want of a thread, with how many since
// the last call: at the first refusal, then at most once every 10 s while it lasts. The same rules as above.
using TThreadShortageEvent = std::function<void(TfConnect* sender, std::uint64_t refused)>;
// Runs on the connection's own thread right after the "connected" report, before the outbound connection is
// made: who the client is. The same rules as above.
using TClientAcceptedEvent = std::function<void(TfConnect* sender, const TNetConnectionInfo& info)>;

class TfConnect {
public:
    // Listens at once (localPort 0: a port chosen by the system, see LocalPort). Raises the engine's
    // exceptions (ENetCouldNotBindSocket when the port is taken, ...) and then leaves nothing behind.
    TfConnect(int localPort, const std::string& mappedHost, int mappedPort, TConnectionStateEvent onConnectionState,
              TConnectionEndedEvent onConnectionEnded = {}, TThreadShortageEvent onThreadShortage = {},
              TClientAcceptedEvent onClientAccepted = {});
    ~TfConnect(); // runs CloseMapping when still needed
    TfConnect(const TfConnect&) = delete;
    TfConnect& operator=(const TfConnect&) = delete;

    // Stops reporting, then deactivates: the listener stops, every relayed connection is closed, and the
    // call waits for the connections' threads (at most about 5 s). No report is made once it has begun.
    // On the owner's thread, never from the report callback.
    void CloseMapping();
    bool Closing() const { return closing_.load(); }

    // The port listened on (the one chosen by the system when 0 was asked for).
    int LocalPort() const { return localPort_; }
    TNetMappedPortTCP& NetMappedPortTCP() const { return *netMappedPortTCP_; }
    // What has passed since activation; from any thread.
    TNetTrafficSnapshot Traffic() const;

private:
    void NetMappedPortTCPConnect(TNetPeerThread& thread);
    void NetMappedPortTCPDisconnect(TNetPeerThread& thread);
    void Report(bool connected);

    std::shared_ptr<TNetMappedPortTCP> netMappedPortTCP_;
    std::atomic<bool> closing_{false};
    // Held shared while a report runs, so that CloseMapping returns only when none is under way.
    std::shared_mutex reportGuard_;
    TConnectionStateEvent onConnectionState_;
    TClientAcceptedEvent onClientAccepted_;
    int localPort_ = 0;
};

} // namespace tarvix

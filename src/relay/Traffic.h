#pragma once
// What passes through one mapping instance: counters the relay threads keep without a lock and anybody may
// read at any time, what is known of each relayed connection when it ends, and the last failed outbound
// connection.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace tarvix {

// How a relayed connection ended.
enum class TNetConnectionEnd {
    ClosedByClient, // the client ended its stream first, and both streams ended
    ClosedByRemote, // the remote end ended its stream first, and both streams ended
    Reset,          // either side was reset or failed
    RefusedRemote,  // the outbound connection could not be made
    Deactivated,    // the mapping was switched off while it was open
};

// Why an outbound connection failed, as a user would put it.
enum class TNetOutboundFailureKind { Refused, HostUnknown, NoAnswer, Other };
TNetOutboundFailureKind OutboundFailureKind(int socketCode);
// The same as a catalogue text ("connection refused by the remote end", ...), for the row's tool tip and the log.
std::string OutboundFailureText(int socketCode);

struct TNetOutboundFailure {
    std::chrono::system_clock::time_point time;
    int socketCode = 0; // the engine's socket error code
};

// One relayed connection. Each field is written by one relay thread only; it is read once the connection
// has ended.
struct TNetConnectionInfo {
    std::string clientAddress;
    int clientPort = 0;
    std::chrono::system_clock::time_point start;
    std::chrono::steady_clock::time_point startSteady;
    std::chrono::steady_clock::duration duration{};
    // What was written out to each side: what that side was handed, whatever the other sent after.
    std::uint64_t bytesFromClient = 0;
    std::uint64_t bytesToClient = 0;
    TNetConnectionEnd end = TNetConnectionEnd::Reset;
    int outboundSocketCode = 0; // why the outbound connection failed (end RefusedRemote)
};

// The counters at one moment. Each value is exact; taken while traffic flows, they need not add up.
struct TNetTrafficSnapshot {
    std::uint64_t open = 0;
    std::uint64_t accepted = 0;
    std::uint64_t bytesFromClients = 0;
    std::uint64_t bytesToClients = 0;
    std::optional<TNetOutboundFailure> lastOutboundFailure;
};

class TNetTraffic {
public:
    void ConnectionAccepted()
    {
        accepted_.fetch_add(1, std::memory_order_relaxed);
        open_.fetch_add(1, std::memory_order_relaxed);
    }
    void ConnectionEnded() { open_.fetch_sub(1, std::memory_order_relaxed); }
    void AddFromClient(std::uint64_t bytes) { fromClients_.fetch_add(bytes, std::memory_order_relaxed); }
    void AddToClient(std::uint64_t bytes) { toClients_.fetch_add(bytes, std::memory_order_relaxed); }
    // Rare: a lock is fine here, and keeps the time and the code together.
    void OutboundFailed(int socketCode);

    TNetTrafficSnapshot Snapshot() const;

private:
    // Each direction on its own cache line: the relay threads of every connection of the mapping add to them.
    alignas(64) std::atomic<std::uint64_t> fromClients_{0};
    alignas(64) std::atomic<std::uint64_t> toClients_{0};
    alignas(64) std::atomic<std::uint64_t> open_{0};
    std::atomic<std::uint64_t> accepted_{0};
    mutable std::mutex failureLock_;
    std::optional<TNetOutboundFailure> lastFailure_;
};

} // namespace tarvix

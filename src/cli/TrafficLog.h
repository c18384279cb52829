#pragma once
// The traffic lines of tarvix-relay: one per ended connection (--log-connections), and one per active
// mapping with its counters, on SIGUSR1 and once at the stop.
#include "relay/Traffic.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace tarvix::cli {

std::string ConnectionEndedLine(const std::string& name, const TNetConnectionInfo& info);
std::string TrafficSummaryLine(const std::string& name, const TNetTrafficSnapshot& traffic);

// SIGUSR1, taken synchronously on a thread of its own: nothing runs inside a signal handler.
class SummarySignal {
public:
    // Blocks SIGUSR1 in the calling thread, and so in every thread started later: make it before any other.
    SummarySignal();
    ~SummarySignal(); // Stop
    SummarySignal(const SummarySignal&) = delete;
    SummarySignal& operator=(const SummarySignal&) = delete;

    // From now on each SIGUSR1 (one that came earlier too) calls onSignal on the signal's thread.
    void Start(std::function<void()> onSignal);
    // Returns once no call runs or will run any more.
    void Stop();

private:
    std::thread thread_;
    std::atomic<bool> stopping_{false};
};

} // namespace tarvix::cli

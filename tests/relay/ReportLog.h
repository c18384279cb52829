#pragma once
// The connected and ended reports of a mapping instance, in arrival order, to wait for and count.
#include "relay/Connect.h"
#include "support/Loopback.h"

#include <condition_variable>
#include <mutex>
#include <vector>

namespace tarvix::test {

// The reports of a mapping instance, in arrival order.
class ReportLog {
public:
    TConnectionStateEvent Callback();
    std::vector<bool> Reports() const;
    int Count(bool connected) const;
    // Waits until at least `trues` true and `falses` false reports have arrived.
    bool WaitFor(int trues, int falses, int timeoutMs = TestSocket::kTimeoutMs) const;

private:
    mutable std::mutex lock_;
    mutable std::condition_variable changed_;
    std::vector<bool> reports_;
    std::vector<TfConnect*> senders_;
};

} // namespace tarvix::test

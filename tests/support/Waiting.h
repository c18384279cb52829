#pragma once
// Bounded waiting for a condition that another thread makes true, without an event loop.
#include "support/Loopback.h"

#include <chrono>
#include <functional>

namespace tarvix::test {

using Clock = std::chrono::steady_clock;

inline long MsSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Polls every 2 ms until done() or the time limit; whether done() came true.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = TestSocket::kTimeoutMs);

} // namespace tarvix::test

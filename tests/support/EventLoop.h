#pragma once
// Bounded waiting on the calling thread's Qt event loop, for tests of objects that live on it.
#include <functional>

namespace tarvix::test {

// Runs the event loop for a while (to see that nothing more arrives).
void ProcessEventsFor(int ms);

// Runs the event loop until done() is true or the time is up; returns done().
bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs = 10000);

} // namespace tarvix::test

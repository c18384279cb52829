#pragma once
// How a relaying thread waits once it has moved bytes. The client or server it has just sent to often answers
// as soon as it runs, which may be on this core: so the thread looks once without waiting and, finding
// nothing, gives its core away once before it sleeps. The next look then serves more for one wake-up.
#include <thread>

namespace tarvix {

// look(ms) waits up to ms milliseconds (-1: no bound) and returns how many are ready (0: none, < 0: failed).
template <class Look>
int WaitAfterWork(bool worked, int waitMs, Look&& look)
{
    if (worked) {
        if (const int n = look(0); n != 0)
            return n;
        std::this_thread::yield();
    }
    return look(waitMs);
}

} // namespace tarvix

#include "support/Waiting.h"

#include <thread>

namespace tarvix::test {

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto start = Clock::now();
    while (!done()) {
        if (MsSince(start) > timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace tarvix::test

#pragma once
// Parked OS threads for self-destroying engine threads: a thread whose work has ended waits a while for
// the next one instead of exiting, which spares each new connection a thread's creation and release.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace tarvix {

class TNetThreadCache {
public:
    using TWork = void (*)(void* argument);

    static constexpr std::size_t kMaxParked = 64;
    static constexpr std::chrono::milliseconds kParkedLife{30000};

    // The one cache of the process; never destroyed, since parked threads may outlive every static.
    static TNetThreadCache& Instance();

    // Runs work(argument) on a parked thread, or on a new detached one with the given stack size. 0 or the
    // error of pthread_create (then nothing runs).
    int Run(TWork work, void* argument, std::size_t stackSize);

    std::size_t ParkedCount() const;
    // For tests: a new OS thread beyond this many of the cache's own fails as the system fails it when it
    // has none left (0: no limit but the system's).
    void SetThreadLimit(std::size_t limit);
    // OS threads of the cache now running work or parked.
    std::size_t ThreadCount() const;
    // How long a parked thread waits before it leaves (tests shorten it).
    void SetParkedLife(std::chrono::milliseconds life);

private:
    struct Parked {
        std::condition_variable wake;
        TWork work = nullptr;
        void* argument = nullptr;
        std::size_t stackSize = 0;
    };

    static void* Entry(void* start);
    void Serve(TWork work, void* argument, std::size_t stackSize);

    mutable std::mutex lock_;
    // The most recently parked last: its stack is the warmest. Shared, so that the thread handing over work
    // can signal after letting go of the lock, even if the parked thread has already moved on.
    std::vector<std::shared_ptr<Parked>> parked_;
    std::chrono::milliseconds parkedLife_ = kParkedLife;
    std::atomic<std::size_t> threads_{0};
    std::atomic<std::size_t> threadLimit_{0};
};

} // namespace tarvix

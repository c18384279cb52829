#pragma once
// Event-loop threads for established connections whose traffic is small and frequent: one per core, each
// waiting with epoll on every socket it serves, so that one wake-up serves every connection that is ready.
// A connection's own thread hands it over and sleeps until the loop gives it back: the thread keeps
// everything else (handlers, record, closing), the loop only moves bytes.
#include <poll.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace tarvix {

class TNetRelayLoop;

// A connection as a loop serves it. From HandToLoop until WaitUntilBack returns, only the loop's thread
// touches it.
class TNetLoopConnection {
public:
    virtual ~TNetLoopConnection() = default;

    // Whether this system has the loops; without them connections stay with their own threads.
    static bool Supported();

    // On the connection's own thread: hands it to the loop with the fewest connections; false when no loop
    // could take it. Then WaitUntilBack sleeps until the loop gives it back (Step said so, or the loop could
    // not watch its sockets).
    bool HandToLoop();
    void WaitUntilBack();

protected:
    // What each of the two sockets waits for (poll bits; fd -1 leaves it out), and the milliseconds until
    // the connection's next deadline, or -1.
    virtual int Interest(pollfd (&wait)[2]) = 0;
    // One step with what each socket reported (both 0: a deadline passed, or deactivation is being looked
    // for). False: the connection goes back to its thread.
    virtual bool Step(short clientEvents, short remoteEvents) = 0;
    // Deactivation has reached the connection: a step runs without waiting for its sockets.
    virtual bool Aborted() const = 0;

private:
    friend class TNetRelayLoop;

    // Handing back, under the lock: the connection's thread may destroy this as soon as it sees it.
    std::mutex lock_;
    std::condition_variable back_;
    bool inLoop_ = false;
    // The loop's bookkeeping, on its thread only.
    int fd_[2] = {-1, -1};
    std::uint32_t watched_[2] = {0, 0}; // events registered with epoll, with kWatched when registered
    short pending_[2] = {0, 0};
    bool touched_ = false;
    bool timed_ = false;
    std::chrono::steady_clock::time_point deadline_{};
    std::size_t index_ = 0;
};

} // namespace tarvix

#include "relay/NetRelayLoop.h"

#include "relay/NetWaitAfterWork.h"
#include "relay/NetWakeup.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sys/epoll.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tarvix {

#ifdef __linux__

static_assert(POLLIN == EPOLLIN && POLLOUT == EPOLLOUT && POLLERR == EPOLLERR && POLLHUP == EPOLLHUP &&
              POLLRDHUP == EPOLLRDHUP);

class TNetRelayLoop {
public:
    // How often every connection is looked at for deactivation, whatever its sockets say: a socket that
    // waits only to send is not woken by the shutdown of its receiving side.
    static constexpr int kSweepMs = 250;

    static TNetRelayLoop* Least();

    bool Adopt(TNetLoopConnection& connection);

private:
    static constexpr std::uint32_t kWatched = 1u << 31;
    using Clock = std::chrono::steady_clock;

    bool Start();
    void Run();
    void TakeIncoming();
    void RunStep(TNetLoopConnection& c, short clientEvents, short remoteEvents);
    // Brings the epoll registrations and the deadline in line with what the connection waits for; false
    // when the system refused.
    bool Watch(TNetLoopConnection& c);
    void Unwatch(TNetLoopConnection& c);
    void Release(TNetLoopConnection& c);
    void Sweep(Clock::time_point now);
    int Timeout(Clock::time_point now) const;

    int epoll_ = -1;
    std::unique_ptr<TNetWakeup> wake_;
    std::atomic<std::size_t> count_{0};
    std::mutex incomingLock_;
    std::vector<TNetLoopConnection*> incoming_;
    bool started_ = false; // under incomingLock_
    // On the loop's thread only.
    std::vector<TNetLoopConnection*> served_;
    std::vector<TNetLoopConnection*> touched_;
    Clock::time_point nextSweep_{};
    Clock::time_point earliest_ = Clock::time_point::max();
};

TNetRelayLoop* TNetRelayLoop::Least()
{
    // Never destroyed: the loops' threads outlive every static.
    static auto* loops = [] {
        const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
        auto* made = new std::vector<std::unique_ptr<TNetRelayLoop>>;
        for (unsigned i = 0; i < cores; ++i)
            made->push_back(std::make_unique<TNetRelayLoop>());
        return made;
    }();
    TNetRelayLoop* least = nullptr;
    for (const auto& loop : *loops)
        if (!least || loop->count_.load(std::memory_order_relaxed) < least->count_.load(std::memory_order_relaxed))
            least = loop.get();
    return least;
}

bool TNetRelayLoop::Start()
{
    // Under incomingLock_.
    if (started_)
        return true;
    try {
        wake_ = std::make_unique<TNetWakeup>();
        epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
        if (epoll_ == -1)
            return false;
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.ptr = nullptr;
        if (::epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_->Descriptor(), &ev) == -1) {
            ::close(epoll_);
            epoll_ = -1;
            return false;
        }
        std::thread([this] { Run(); }).detach();
    } catch (...) {
        if (epoll_ != -1)
            ::close(epoll_);
        epoll_ = -1;
        wake_.reset();
        return false;
    }
    started_ = true;
    return true;
}

bool TNetRelayLoop::Adopt(TNetLoopConnection& connection)
{
    bool first = false;
    {
        std::lock_guard lock(incomingLock_);
        if (!Start())
            return false;
        first = incoming_.empty();
        incoming_.push_back(&connection);
    }
    count_.fetch_add(1, std::memory_order_relaxed);
    // The loop drains its wake-up before it takes what came in: one signal covers everything queued after it.
    if (first)
        wake_->Signal();
    return true;
}

void TNetRelayLoop::Run()
{
    std::vector<epoll_event> events(256);
    const auto wait = [&](int ms) { return ::epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), ms); };
    bool busy = false;
    for (;;) {
        const int n = WaitAfterWork(busy, Timeout(Clock::now()), wait);
        busy = n > 0;
        if (n < 0 && errno != EINTR) {
            // Nothing here fails for long; still, a failure must not turn into a spin.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        for (int i = 0; i < n; ++i) {
            const auto tag = reinterpret_cast<std::uintptr_t>(events[i].data.ptr);
            if (tag == 0) {
                wake_->Drain();
                TakeIncoming();
                continue;
            }
            auto* c = reinterpret_cast<TNetLoopConnection*>(tag & ~std::uintptr_t{1});
            c->pending_[tag & 1] |= static_cast<short>(events[i].events);
            if (!c->touched_) {
                c->touched_ = true;
                touched_.push_back(c);
            }
        }
        // Each connection steps once per wake-up, with what both of its sockets reported.
        for (TNetLoopConnection* c : touched_) {
            c->touched_ = false;
            const short clientEvents = c->pending_[0];
            const short remoteEvents = c->pending_[1];
            c->pending_[0] = c->pending_[1] = 0;
            RunStep(*c, clientEvents, remoteEvents);
        }
        touched_.clear();
        if (!served_.empty()) {
            const auto now = Clock::now();
            if (now >= nextSweep_ || now >= earliest_)
                Sweep(now);
        }
    }
}

int TNetRelayLoop::Timeout(Clock::time_point now) const
{
    if (served_.empty())
        return -1;
    const auto until = std::min(nextSweep_, earliest_);
    if (until <= now)
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count());
}

void TNetRelayLoop::TakeIncoming()
{
    std::vector<TNetLoopConnection*> taken;
    {
        std::lock_guard lock(incomingLock_);
        taken.swap(incoming_);
    }
    if (served_.empty())
        nextSweep_ = Clock::now() + std::chrono::milliseconds(kSweepMs);
    for (TNetLoopConnection* c : taken) {
        c->index_ = served_.size();
        served_.push_back(c);
        c->watched_[0] = c->watched_[1] = 0;
        c->pending_[0] = c->pending_[1] = 0;
        c->touched_ = false;
        // Bytes already waiting are reported at once: the registrations are level-triggered.
        if (!Watch(*c))
            Release(*c);
    }
}

void TNetRelayLoop::RunStep(TNetLoopConnection& c, short clientEvents, short remoteEvents)
{
    if (!c.Step(clientEvents, remoteEvents) || !Watch(c))
        Release(c);
}

bool TNetRelayLoop::Watch(TNetLoopConnection& c)
{
    pollfd wait[2] = {{-1, 0, 0}, {-1, 0, 0}};
    const int waitMs = c.Interest(wait);
    for (int side = 0; side < 2; ++side) {
        std::uint32_t& watched = c.watched_[side];
        const bool wanted = wait[side].fd >= 0;
        const std::uint32_t events = static_cast<std::uint16_t>(wait[side].events);
        if (wanted && (watched & kWatched) && c.fd_[side] == wait[side].fd && (watched & ~kWatched) == events)
            continue;
        if ((watched & kWatched) && (!wanted || c.fd_[side] != wait[side].fd)) {
            ::epoll_ctl(epoll_, EPOLL_CTL_DEL, c.fd_[side], nullptr);
            watched = 0;
        }
        if (!wanted)
            continue;
        epoll_event ev{};
        ev.events = events;
        ev.data.ptr = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(&c) | static_cast<std::uintptr_t>(side));
        const int op = (watched & kWatched) ? EPOLL_CTL_MOD : EPOLL_CTL_ADD;
        if (::epoll_ctl(epoll_, op, wait[side].fd, &ev) == -1)
            return false;
        c.fd_[side] = wait[side].fd;
        watched = events | kWatched;
    }
    c.timed_ = waitMs >= 0;
    if (c.timed_) {
        c.deadline_ = Clock::now() + std::chrono::milliseconds(waitMs);
        earliest_ = std::min(earliest_, c.deadline_);
    }
    return true;
}

void TNetRelayLoop::Unwatch(TNetLoopConnection& c)
{
    for (int side = 0; side < 2; ++side) {
        if (c.watched_[side] & kWatched)
            ::epoll_ctl(epoll_, EPOLL_CTL_DEL, c.fd_[side], nullptr);
        c.watched_[side] = 0;
        c.fd_[side] = -1;
    }
}

void TNetRelayLoop::Release(TNetLoopConnection& c)
{
    // Its sockets leave the epoll set before its thread may close them.
    Unwatch(c);
    const std::size_t i = c.index_;
    served_[i] = served_.back();
    served_[i]->index_ = i;
    served_.pop_back();
    count_.fetch_sub(1, std::memory_order_relaxed);
    std::lock_guard lock(c.lock_);
    c.inLoop_ = false;
    c.back_.notify_one();
}

void TNetRelayLoop::Sweep(Clock::time_point now)
{
    nextSweep_ = now + std::chrono::milliseconds(kSweepMs);
    earliest_ = Clock::time_point::max();
    // Backwards: a connection that leaves takes the last one's place.
    for (std::size_t i = served_.size(); i-- > 0;) {
        TNetLoopConnection& c = *served_[i];
        if (c.Aborted() || (c.timed_ && c.deadline_ <= now))
            RunStep(c, 0, 0);
        else if (c.timed_)
            earliest_ = std::min(earliest_, c.deadline_);
    }
}

bool TNetLoopConnection::Supported()
{
    return true;
}

bool TNetLoopConnection::HandToLoop()
{
    {
        std::lock_guard lock(lock_);
        inLoop_ = true;
    }
    if (TNetRelayLoop::Least()->Adopt(*this))
        return true;
    std::lock_guard lock(lock_);
    inLoop_ = false;
    return false;
}

void TNetLoopConnection::WaitUntilBack()
{
    std::unique_lock lock(lock_);
    back_.wait(lock, [this] { return !inLoop_; });
}

#else

bool TNetLoopConnection::Supported()
{
    return false;
}

bool TNetLoopConnection::HandToLoop()
{
    return false;
}

void TNetLoopConnection::WaitUntilBack() {}

#endif

} // namespace tarvix

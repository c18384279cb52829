#include "relay/NetThreadCache.h"

#include <pthread.h>

#include <cerrno>

#include <algorithm>
#include <memory>

namespace tarvix {

namespace {

struct Start {
    TNetThreadCache::TWork work;
    void* argument;
    std::size_t stackSize;
};

} // namespace

TNetThreadCache& TNetThreadCache::Instance()
{
    static auto* cache = new TNetThreadCache;
    return *cache;
}

int TNetThreadCache::Run(TWork work, void* argument, std::size_t stackSize)
{
    std::shared_ptr<Parked> taken;
    {
        std::lock_guard lock(lock_);
        // Only a thread of the same stack size will do; all of the engine's peers ask for one size.
        for (std::size_t i = parked_.size(); i-- > 0;) {
            if (parked_[i]->stackSize != stackSize)
                continue;
            taken = std::move(parked_[i]);
            parked_.erase(parked_.begin() + static_cast<std::ptrdiff_t>(i));
            taken->work = work;
            taken->argument = argument;
            break;
        }
    }
    if (taken) {
        // Signalled outside the lock: woken under it, the parked thread would only block again on it.
        taken->wake.notify_one();
        return 0;
    }
    if (const std::size_t limit = threadLimit_.load(std::memory_order_relaxed); limit > 0 && threads_.load() >= limit)
        return EAGAIN;
    auto start = std::make_unique<Start>(Start{work, argument, stackSize});
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, stackSize);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    pthread_t handle{};
    ++threads_;
    const int r = pthread_create(&handle, &attr, &TNetThreadCache::Entry, start.get());
    pthread_attr_destroy(&attr);
    if (r == 0)
        start.release();
    else
        --threads_;
    return r;
}

void* TNetThreadCache::Entry(void* start)
{
    const std::unique_ptr<Start> s(static_cast<Start*>(start));
    TNetThreadCache& cache = Instance();
    cache.Serve(s->work, s->argument, s->stackSize);
    --cache.threads_;
    return nullptr;
}

void TNetThreadCache::Serve(TWork work, void* argument, std::size_t stackSize)
{
    const auto self = std::make_shared<Parked>();
    self->stackSize = stackSize;
    for (;;) {
        work(argument);
        std::unique_lock lock(lock_);
        if (parked_.size() >= kMaxParked)
            return;
        self->work = nullptr;
        parked_.push_back(self);
        const bool taken = self->wake.wait_for(lock, parkedLife_, [&] { return self->work != nullptr; });
        if (!taken) {
            parked_.erase(std::find(parked_.begin(), parked_.end(), self));
            return;
        }
        work = self->work;
        argument = self->argument;
    }
}

std::size_t TNetThreadCache::ParkedCount() const
{
    std::lock_guard lock(lock_);
    return parked_.size();
}

void TNetThreadCache::SetThreadLimit(std::size_t limit)
{
    threadLimit_.store(limit);
}

std::size_t TNetThreadCache::ThreadCount() const
{
    return threads_.load();
}

void TNetThreadCache::SetParkedLife(std::chrono::milliseconds life)
{
    std::lock_guard lock(lock_);
    parkedLife_ = life;
}

} // namespace tarvix

#include "cli/SignalWatch.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace tarvix::cli {
namespace {

// The one place that says which signal asks for what.
constexpr struct {
    int signal;
    SignalAction action;
    const char* name;
} kSignals[] = {
    {SIGINT, SignalAction::Stop, "SIGINT"},
    {SIGTERM, SignalAction::Stop, "SIGTERM"},
    {SIGHUP, SignalAction::Reload, "SIGHUP"},
};

sigset_t WatchedSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const auto& s : kSignals)
        sigaddset(&set, s.signal);
    return set;
}

} // namespace

SignalWatch::SignalWatch()
{
    const sigset_t set = WatchedSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

void SignalWatch::Start()
{
    std::lock_guard lock(mutex_);
    if (started_)
        return;
    started_ = true;
    // Never joined: it waits for signals until the process ends, and the watch lives as long as main.
    std::thread([this] { Run(); }).detach();
}

void SignalWatch::Run()
{
    const sigset_t set = WatchedSet();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0)
            continue;
        for (const auto& s : kSignals) {
            if (s.signal != signal)
                continue;
            std::lock_guard lock(mutex_);
            received_.push_back({signal, s.action});
            changed_.notify_all();
        }
    }
}

std::optional<ReceivedSignal> SignalWatch::Wait()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return woken_ || !received_.empty(); });
    if (!received_.empty()) {
        const ReceivedSignal r = received_.front();
        received_.pop_front();
        return r;
    }
    woken_ = false;
    return std::nullopt;
}

std::optional<ReceivedSignal> SignalWatch::Poll()
{
    std::lock_guard lock(mutex_);
    if (received_.empty())
        return std::nullopt;
    const ReceivedSignal r = received_.front();
    received_.pop_front();
    return r;
}

void SignalWatch::PutBack(const ReceivedSignal& received)
{
    std::lock_guard lock(mutex_);
    received_.push_front(received);
    changed_.notify_all();
}

void SignalWatch::Wake()
{
    std::lock_guard lock(mutex_);
    woken_ = true;
    changed_.notify_all();
}

const char* SignalName(int signal)
{
    for (const auto& s : kSignals)
        if (s.signal == signal)
            return s.name;
    return "?";
}

} // namespace tarvix::cli

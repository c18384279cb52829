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
    {SIGUSR1, SignalAction::Summary, "SIGUSR1"},
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
    std::lock_guard lock(state_->mutex);
    if (state_->started)
        return;
    state_->started = true;
    std::thread([state = state_] { Run(state); }).detach();
}

void SignalWatch::Run(const std::shared_ptr<State>& state)
{
    const sigset_t set = WatchedSet();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0)
            continue;
        for (const auto& s : kSignals) {
            if (s.signal != signal)
                continue;
            std::lock_guard lock(state->mutex);
            state->received.push_back({signal, s.action});
            state->changed.notify_all();
        }
    }
}

std::optional<ReceivedSignal> SignalWatch::Wait()
{
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(lock, [this] { return state_->woken || !state_->received.empty(); });
    if (!state_->received.empty()) {
        const ReceivedSignal r = state_->received.front();
        state_->received.pop_front();
        return r;
    }
    state_->woken = false;
    return std::nullopt;
}

std::optional<ReceivedSignal> SignalWatch::Poll()
{
    std::lock_guard lock(state_->mutex);
    if (state_->received.empty())
        return std::nullopt;
    const ReceivedSignal r = state_->received.front();
    state_->received.pop_front();
    return r;
}

void SignalWatch::PutBack(const ReceivedSignal& received)
{
    std::lock_guard lock(state_->mutex);
    state_->received.push_front(received);
    state_->changed.notify_all();
}

void SignalWatch::Wake()
{
    std::lock_guard lock(state_->mutex);
    state_->woken = true;
    state_->changed.notify_all();
}

const char* SignalName(int signal)
{
    for (const auto& s : kSignals)
        if (s.signal == signal)
            return s.name;
    return "?";
}

} // namespace tarvix::cli

#pragma once
// The signals tarvix-relay obeys and what each one asks for. They are blocked in every thread and taken by one
// watching thread, so no work runs inside a signal handler and no relay thread is ever interrupted by them.
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

namespace tarvix::cli {

enum class SignalAction {
    Stop,    // SIGINT, SIGTERM
    Reload,  // SIGHUP
    Summary, // SIGUSR1: the traffic counters
};

struct ReceivedSignal {
    int signal;
    SignalAction action;
};

class SignalWatch {
public:
    // Must run before any thread is started: threads inherit the blocked set. Also ignores SIGPIPE, so a
    // closed standard error cannot kill the relay.
    SignalWatch();
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

    // Starts the watching thread (once); signals that arrived before are delivered then.
    void Start();

    // The next signal, in the order they came; nothing when Wake was called meanwhile.
    std::optional<ReceivedSignal> Wait();
    // The next signal if one is waiting, without blocking.
    std::optional<ReceivedSignal> Poll();
    // Puts a signal back in front, for a caller that must finish something before it can act on it.
    void PutBack(const ReceivedSignal& received);
    // Makes the current or next Wait return without a signal; from any thread.
    void Wake();

private:
    // Shared with the watching thread, which is never joined: a signal that comes while the process ends
    // still finds it.
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<ReceivedSignal> received;
        bool woken = false;
        bool started = false;
    };
    static void Run(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

const char* SignalName(int signal);

} // namespace tarvix::cli

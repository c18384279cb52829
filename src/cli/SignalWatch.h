#pragma once
// The signals tarvix-relay obeys and what each one asks for. They are blocked in every thread and taken by one
// watching thread, so no work runs inside a signal handler and no relay thread is ever interrupted by them.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace tarvix::cli {

enum class SignalAction {
    Stop,   // SIGINT, SIGTERM
    Reload, // SIGHUP
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
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ReceivedSignal> received_;
    bool woken_ = false;
    bool started_ = false;
};

const char* SignalName(int signal);

} // namespace tarvix::cli

#pragma once
// SIGINT, SIGTERM and SIGHUP are blocked in every thread and taken synchronously by Wait(), so no work runs
// inside a signal handler and no relay thread is ever interrupted by them.

namespace tarvix::cli {

class StopSignals {
public:
    // Must run before any thread is started: threads inherit the blocked set. Also ignores SIGPIPE, so a
    // closed standard error cannot kill the relay.
    StopSignals();
    // Blocks until one of the signals arrives (also one that arrived earlier) and returns its number.
    int Wait();
};

const char* SignalName(int signal);

} // namespace tarvix::cli

#include "cli/StopSignals.h"

#include <csignal>
#include <pthread.h>

namespace tarvix::cli {
namespace {

sigset_t StopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

StopSignals::StopSignals()
{
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int StopSignals::Wait()
{
    const sigset_t set = StopSet();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
    return signal;
}

const char* SignalName(int signal)
{
    switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    default: return "?";
    }
}

} // namespace tarvix::cli

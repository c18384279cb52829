#include "cli/TrafficLog.h"

#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <pthread.h>

#include <csignal>

namespace tarvix::cli {
namespace {

int EndTextId(TNetConnectionEnd end)
{
    switch (end) {
    case TNetConnectionEnd::ClosedByClient: return msg::EndClosedByClient;
    case TNetConnectionEnd::ClosedByRemote: return msg::EndClosedByRemote;
    case TNetConnectionEnd::Reset: return msg::EndReset;
    case TNetConnectionEnd::RefusedRemote: return msg::EndRefusedRemote;
    case TNetConnectionEnd::Deactivated: return msg::EndDeactivated;
    }
    return msg::EndReset;
}

std::int64_t Exact(std::uint64_t n)
{
    return static_cast<std::int64_t>(n);
}

sigset_t SummarySet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGUSR1);
    return set;
}

} // namespace

std::string ConnectionEndedLine(const std::string& name, const TNetConnectionInfo& info)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(info.duration).count();
    return FormatRes(msg::CliConnectionEnded,
                     {name, info.clientAddress, std::int64_t{info.clientPort}, std::int64_t{ms},
                      Exact(info.bytesFromClient), Exact(info.bytesToClient), LoadResString(EndTextId(info.end))});
}

std::string TrafficSummaryLine(const std::string& name, const TNetTrafficSnapshot& traffic)
{
    return FormatRes(msg::CliTrafficSummary, {name, Exact(traffic.open), Exact(traffic.accepted),
                                              Exact(traffic.bytesFromClients), Exact(traffic.bytesToClients)});
}

SummarySignal::SummarySignal()
{
    const sigset_t set = SummarySet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

SummarySignal::~SummarySignal()
{
    Stop();
}

void SummarySignal::Start(std::function<void()> onSignal)
{
    if (thread_.joinable())
        return;
    thread_ = std::thread([this, onSignal = std::move(onSignal)] {
        const sigset_t set = SummarySet();
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) != 0)
                continue;
            if (stopping_.load())
                return;
            onSignal();
        }
    });
}

void SummarySignal::Stop()
{
    if (!thread_.joinable())
        return;
    stopping_.store(true);
    // Directed at the thread, which is the one waiting for it.
    pthread_kill(thread_.native_handle(), SIGUSR1);
    thread_.join();
}

} // namespace tarvix::cli

#include "cli/TrafficLog.h"

#include "cli/Console.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Connect.h"

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

void PrintTrafficSummary(const ActiveMappings& mappings)
{
    for (const auto& m : mappings)
        if (m->connect)
            PrintLine(TrafficSummaryLine(m->name, m->connect->Traffic()));
}

} // namespace tarvix::cli

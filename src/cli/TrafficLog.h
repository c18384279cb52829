#pragma once
// The traffic lines of tarvix-relay: one per ended connection (--log-connections), and one per active
// mapping with its counters, on SIGUSR1 and once at the stop.
#include "cli/RelayRunner.h"
#include "relay/Traffic.h"

#include <string>

namespace tarvix::cli {

std::string ConnectionEndedLine(const std::string& name, const TNetConnectionInfo& info);
std::string TrafficSummaryLine(const std::string& name, const TNetTrafficSnapshot& traffic);
// One summary line per mapping, through the status-line writer.
void PrintTrafficSummary(const ActiveMappings& mappings);

} // namespace tarvix::cli

#pragma once
// For --check: the remote host names that do not resolve now, so a typo shows before the first client fails.
#include "cli/MappingSelection.h"

#include <string>
#include <vector>

namespace tarvix::cli {

// One warning per mapping whose remote name does not resolve (or gives no answer within a few seconds),
// naming the file (empty for the command line), the mapping and the reason. Names are looked up side by side.
std::vector<std::string> UnresolvedRemoteWarnings(const std::vector<PlannedMapping>& mappings, const std::string& file);

} // namespace tarvix::cli

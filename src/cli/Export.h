#pragma once
// tarvix-relay --export: the selected mappings as the configuration of an established TCP proxy, so that a
// fleet of those can relay what tarvix-relay relays.
#include "cli/MappingSelection.h"

#include <QString>

#include <string>
#include <vector>

namespace tarvix::cli {

// The whole configuration text. `file` is the settings file the mappings came from (empty when they all come
// from the command line); it and the time are named in a comment at the top. Raises ECliError (ExitBadValue)
// naming the first mapping the target cannot express.
std::string ExportConfiguration(ExportTarget target, const std::vector<PlannedMapping>& mappings, const QString& file);

} // namespace tarvix::cli

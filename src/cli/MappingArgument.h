#pragma once
// A mapping given on the command line as LOCALPORT:HOST:PORT, named by the argument itself.
#include "settings/MappingRecord.h"

#include <QString>

namespace tarvix::cli {

// Raises ECliError (ExitUsage) naming the argument when a part is missing, a port is not a number from 1
// to 65535, or the host is empty or holds spaces or control characters.
MappingRecord ParseMappingArgument(const QString& argument);

} // namespace tarvix::cli

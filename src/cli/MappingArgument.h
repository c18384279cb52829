#pragma once
// A mapping given on the command line as [LISTEN:]LOCALPORT:HOST:PORT, named by the argument itself; IPv6
// addresses in brackets ("[::1]:8080:[fd00::5]:80").
#include "settings/MappingRecord.h"

#include <QString>

namespace tarvix::cli {

// Raises ECliError (ExitUsage) naming the argument when a part is missing, the listen address is not an
// IPv4 or bracketed IPv6 address, a port is not a number from 1 to 65535, or the host is empty, holds spaces
// or control characters, or is bracketed without being an IPv6 address.
MappingRecord ParseMappingArgument(const QString& argument);

} // namespace tarvix::cli

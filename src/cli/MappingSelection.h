#pragma once
// Which mappings of the settings file tarvix-relay activates.
#include "cli/RelayOptions.h"
#include "settings/MappingRecord.h"

#include <QString>

#include <memory>
#include <vector>

namespace tarvix {
class TIniFileEx;
}

namespace tarvix::cli {

// The settings file, read as the desktop program reads it (sections in file order).
// Raises ECliError (ExitSettingsFile) when it is missing or cannot be read.
std::unique_ptr<TIniFileEx> LoadSettings(const QString& path);

// The records to activate, in file order: those named by --mapping (every section of that name), every
// record with --all, otherwise those whose AutoStart is set. Every record is read, so a value that does not
// convert, or a port outside 1..65535, is reported wherever it is. Raises ECliError with ExitBadValue,
// ExitUnknownMapping or ExitNothingToDo.
std::vector<MappingRecord> SelectMappings(const TIniFileEx& ini, const RelayOptions& options);

} // namespace tarvix::cli

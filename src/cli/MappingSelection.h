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

// A mapping to run: one of the settings file, known by its section, or one of the command line.
struct PlannedMapping {
    QString section; // empty for a mapping of the command line
    MappingRecord record;

    bool operator==(const PlannedMapping&) const = default;
};

// The settings file, read as the desktop program reads it (sections in file order).
// Raises ECliError (ExitSettingsFile) when it is missing or cannot be read.
std::unique_ptr<TIniFileEx> LoadSettings(const QString& path);

// The records to activate, in file order: those named by --mapping (every section of that name), every
// record with --all, otherwise those whose AutoStart is set; possibly none. Every record is read, so a value
// that does not convert, or a port outside 1..65535, is reported wherever it is. Raises ECliError with
// ExitBadValue or ExitUnknownMapping.
std::vector<PlannedMapping> SelectMappings(const TIniFileEx& ini, const RelayOptions& options);

// The mappings of the command line, as planned mappings.
std::vector<PlannedMapping> CommandLineMappings(const RelayOptions& options);

} // namespace tarvix::cli

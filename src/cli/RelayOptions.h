#pragma once
// The command line of tarvix-relay.
#include "settings/MappingRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvix::cli {

struct RelayOptions {
    QString iniFile; // empty: the settings file of the desktop program, unless mappings are given below
    bool all = false;
    QStringList mappings; // names given with --mapping, in order, without repeats
    bool quiet = false;
    bool logConnections = false;
    bool check = false;
    bool service = false; // a file without a mapping to start is no error: the relay waits for a reload
    bool help = false;
    bool version = false;
    std::vector<MappingRecord> commandLine; // LOCALPORT:HOST:PORT arguments, in order

    // Whether a settings file is read: always, unless mappings are given on the command line without --ini.
    bool UsesSettingsFile() const { return !iniFile.isEmpty() || commandLine.empty(); }
};

// args without the program name. Accepts "--opt VALUE" and "--opt=VALUE".
// Raises ECliError (ExitUsage) for a command line that cannot be used, before anything starts.
RelayOptions ParseRelayOptions(const QStringList& args);

} // namespace tarvix::cli

#pragma once
// The command line of tarvix-relay.
#include <QString>
#include <QStringList>

namespace tarvix::cli {

struct RelayOptions {
    QString iniFile; // empty: the settings file of the desktop program
    bool all = false;
    QStringList mappings; // names given with --mapping, in order, without repeats
    bool quiet = false;
    bool logConnections = false;
    bool help = false;
};

// args without the program name. Accepts "--opt VALUE" and "--opt=VALUE".
// Raises ECliError (ExitUsage) for a command line that cannot be used.
RelayOptions ParseRelayOptions(const QStringList& args);

} // namespace tarvix::cli

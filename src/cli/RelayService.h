#pragma once
// tarvix-relay from its command line to its exit: reads what to relay, relays it, reloads the settings file
// and stops on signals, and keeps the service manager told how it is doing.
#include <QStringList>

namespace tarvix::cli {

class SignalWatch;

// args without the program name; returns the exit status (ExitCodes.h).
int RunRelay(const QStringList& args, SignalWatch& watch);

} // namespace tarvix::cli

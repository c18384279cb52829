#pragma once
// Exit status of tarvix-relay; scripts rely on these numbers, so they never change meaning.

namespace tarvix::cli {

enum ExitCode : int {
    ExitStopped = 0,        // stopped by SIGINT, SIGTERM or SIGHUP after running; also --help, --check, --export
    ExitInternal = 1,       // an unexpected failure
    ExitUsage = 2,          // a wrong command line
    ExitSettingsFile = 3,   // the settings file is missing or cannot be read
    ExitBadValue = 4,       // a value of the settings file does not convert; a mapping --export cannot express
    ExitUnknownMapping = 5, // --mapping names no mapping of the file
    ExitNothingToDo = 6,    // no mapping selected
    ExitActivation = 7,     // a mapping could not listen (port in use, no socket...)
};

} // namespace tarvix::cli

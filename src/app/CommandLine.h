#pragma once
// The few arguments the desktop program answers without opening a window: --help (-h) and --version.
#include <optional>

namespace tarvix {

// Prints the help or the version on standard output and returns the exit code when the arguments ask for
// one; std::nullopt when the program is to start as usual. Needs no display.
std::optional<int> AnswerCommandLine(int argc, char** argv);

} // namespace tarvix

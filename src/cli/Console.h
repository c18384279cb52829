#pragma once
// Status and error lines of tarvix-relay on standard error, one line each, from any thread. Lines are handed
// to one writer thread, so a reader of standard error that stalls never holds up a relay thread or the stop.
#include <chrono>
#include <string>

namespace tarvix::cli {

// Catalogue texts may hold line breaks; each report stays on one line so logs can be read line by line.
void PrintLine(const std::string& text);
// The same, prefixed with the program name, for errors.
void PrintError(const std::string& text);
// Waits, at most `limit`, until the lines handed over so far are written; false when standard error is stuck.
bool FlushConsole(std::chrono::milliseconds limit);

} // namespace tarvix::cli

#pragma once
// Status and error lines of tarvix-relay on standard error, one line each, safe from any thread.
#include <string>

namespace tarvix::cli {

// Catalogue texts may hold line breaks; each report stays on one line so logs can be read line by line.
void PrintLine(const std::string& text);
// The same, prefixed with the program name, for errors.
void PrintError(const std::string& text);

} // namespace tarvix::cli

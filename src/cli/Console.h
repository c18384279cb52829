#pragma once
// Status and error lines of tarvix-relay on standard error, one line each, from any thread. Lines are handed
// to one writer thread, so a reader of standard error that stalls never holds up a relay thread or the stop.
#include <QString>

#include <chrono>
#include <string>

namespace tarvix::cli {

// How much a line matters, as syslog and the journal rank it.
enum class Priority { Error = 3, Warning = 4, Notice = 5, Info = 6 };

// Catalogue texts may hold line breaks; each report stays on one line so logs can be read line by line.
// Control characters (and DEL, and the C1 controls) are shown escaped as \xNN, so no text read from a file
// or from a peer can send control sequences to a terminal. When standard error is the journal (JOURNAL_STREAM
// names its device and inode), each line starts with its priority as "<N>".
void PrintLine(const std::string& text, Priority priority = Priority::Info);
// The same, prefixed with the program name, for errors.
void PrintError(const std::string& text);
// Waits, at most `limit`, until the lines handed over so far are written; false when standard error is stuck.
bool FlushConsole(std::chrono::milliseconds limit);

// A text of the user's (a name, a section, a value) for a report: past 200 characters it is cut and ends
// with "…", so one wild value cannot flood a log line.
std::string Shown(const QString& text);

} // namespace tarvix::cli

#pragma once
// What in a settings file is almost surely a mistake, although the store reads it without complaint: a
// mapping without LocalPort, Address or Port, an empty Address or one that can name no host, an AutoStart other
// than 0 and 1, a key with spaces around it, a line without "=", two mappings on one local port, a file written
// in UTF-16. One line each, naming file, section and key.
#include <string>
#include <vector>

namespace tarvix {
class TIniFileEx;
}

namespace tarvix::cli {

// The file is read as it was loaded into `ini`; its first bytes are looked at again for the encoding.
std::vector<std::string> SettingsWarnings(const TIniFileEx& ini);

} // namespace tarvix::cli

#pragma once
// What tarvix-relay prints when it has nothing to relay yet: the file it read, a complete mapping to paste
// into it, and the same mapping as a command-line argument.
#include <QString>

namespace tarvix {
class TIniFileEx;
}

namespace tarvix::cli {

// `ini` is the file as loaded, or nullptr when there is none: the example's section must not merge with one
// already there.
void PrintFirstRunHelp(const QString& file, const TIniFileEx* ini);

} // namespace tarvix::cli

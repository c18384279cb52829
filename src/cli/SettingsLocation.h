#pragma once
// Where tarvix-relay looks for the desktop program's settings file when no --ini is given.
#include <QString>

namespace tarvix::cli {

// The settings file of the desktop program "tarvix" installed beside this executable, found by the same
// rule the desktop program uses (beside it, or in the user's configuration folder).
QString DefaultSettingsFile();

} // namespace tarvix::cli

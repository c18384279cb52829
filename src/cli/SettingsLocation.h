#pragma once
// Where tarvix-relay looks for its settings file when no --ini is given.
#include <QString>

namespace tarvix::cli {

// Run as root from the installed program folder: the system's file (/etc/tarvix/tarvix.ini for the package),
// the one the service reads. Otherwise the settings file of the desktop program "tarvix" beside this
// executable, by the rule the desktop program uses (beside it, or in the user's configuration folder). Looking
// it up creates nothing.
QString DefaultSettingsFile();

} // namespace tarvix::cli

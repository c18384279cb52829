#pragma once
// The language of tarvix-relay: the choice stored for the desktop program "tarvix" beside it first, then the
// locale of the environment; the language modules are the desktop program's, installed beside it.
#include <QString>

namespace tarvix {
class TLanguageModule;
}

namespace tarvix::cli {

// The locale name of the messages as the C library would take it: the first of LC_ALL, LC_MESSAGES and LANG
// that is set, without its encoding or modifier ("de_DE.UTF-8" -> "de_DE"); empty for C and POSIX.
QString MessagesLocaleName();

// Chooses and installs the module; returns its file name, empty when French serves.
QString ChooseRelayLanguage(TLanguageModule& module);

} // namespace tarvix::cli

#pragma once
// The language of tarvix-relay: the choice stored for the desktop program "tarvix" beside it first, then the
// languages the environment asks for, as gettext reads them; English when none of them has a module. The
// language modules are the desktop program's, installed beside it.
#include <QString>
#include <QStringList>

namespace tarvix {
class TLanguageModule;
}

namespace tarvix::cli {

// The locales asked for, best first, without encoding or modifier ("de_DE.UTF-8" -> "de_DE"): the entries of
// LANGUAGE, then the first of LC_ALL, LC_MESSAGES and LANG that is set. Empty when that locale is C or POSIX
// (which, as for gettext, also silences LANGUAGE) or when nothing is set.
QStringList WantedLocales();

// Chooses and installs the module; returns its file name, empty when French serves.
QString ChooseRelayLanguage(TLanguageModule& module);

} // namespace tarvix::cli

#pragma once
// The four languages of the program: French built in, the others from language modules.
#include <QString>

#include <span>

class QLocale;

namespace tarvix {

struct TLanguage {
    int tag;                     // position in the language menu
    const char* code;            // stored choice and help document suffix
    const char* caption;         // the menu item's caption, always in its own language
    const char* menuItem;        // object name of the menu item
    const char* moduleExtension; // nullptr for the built-in French
    const char* restartNotice;   // UTF-8, fixed: never taken from a module
};

std::span<const TLanguage> Languages();

// The language of a code, ignoring case; nullptr for an unknown code.
const TLanguage* LanguageByCode(const QString& code);
const TLanguage* LanguageByTag(int tag);
// The language of a locale, whatever its country (de_CH is German); nullptr for any other language.
const TLanguage* LanguageOfLocale(const QLocale& locale);
// The same for a locale abbreviation ("DES" is German).
const TLanguage* LanguageOfAbbreviation(const QString& abbreviation);

// Three letters for a locale as Windows abbreviates it (en_US -> ENU, de_CH -> DES); empty for the C locale.
QString LocaleAbbreviation(const QLocale& locale);

} // namespace tarvix

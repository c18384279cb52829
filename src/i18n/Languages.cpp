#include "i18n/Languages.h"

#include <QLocale>

#include <array>

namespace tarvix {
namespace {

constexpr std::array<TLanguage, 4> kLanguages = {{
    {0, "FR", "Français", "mFrench", nullptr,
     "Redémarrage de TARVIX en français...\rToutes les connections vont être désactivées."},
    {1, "ENU", "English", "mEnglish", "enu",
     "Restart of TARVIX in English...\rAll connections are going to be desactivated."},
    {2, "DEU", "Deutsch", "mGerman", "deu",
     "Wiederbelebung von TARVIX in deutsch...\rAlle Verbindungen werden abgestellt."},
    {3, "ITA", "Italiano", "mItalien", "ita",
     "Il riavviamento di TARVIX in italiano i collegamenti...\rAll sta andando essere chiuso."},
}};

// Windows' abbreviations for the locales people commonly run; others are derived below.
constexpr struct {
    const char* name;
    const char* abbreviation;
} kAbbreviations[] = {
    {"fr_FR", "FRA"}, {"fr_BE", "FRB"}, {"fr_CA", "FRC"}, {"fr_CH", "FRS"}, {"fr_LU", "FRL"}, {"fr_MC", "FRM"},
    {"en_US", "ENU"}, {"en_GB", "ENG"}, {"en_AU", "ENA"}, {"en_CA", "ENC"}, {"en_NZ", "ENZ"}, {"en_IE", "ENI"},
    {"en_ZA", "ENS"}, {"en_IN", "ENN"}, {"en_SG", "ENE"}, {"en_PH", "ENP"}, {"de_DE", "DEU"}, {"de_CH", "DES"},
    {"de_AT", "DEA"}, {"de_LU", "DEL"}, {"de_LI", "DEC"}, {"it_IT", "ITA"}, {"it_CH", "ITS"}, {"es_ES", "ESN"},
    {"es_MX", "ESM"}, {"es_AR", "ESS"}, {"nl_NL", "NLD"}, {"nl_BE", "NLB"}, {"pt_BR", "PTB"}, {"pt_PT", "PTG"},
    {"sv_SE", "SVE"}, {"da_DK", "DAN"}, {"nb_NO", "NOR"}, {"fi_FI", "FIN"}, {"pl_PL", "PLK"}, {"cs_CZ", "CSY"},
    {"ru_RU", "RUS"}, {"ja_JP", "JPN"}, {"zh_CN", "CHS"}, {"zh_TW", "CHT"}, {"ko_KR", "KOR"}, {"tr_TR", "TRK"},
    {"hu_HU", "HUN"}, {"el_GR", "ELL"},
};

} // namespace

std::span<const TLanguage> Languages()
{
    return kLanguages;
}

const TLanguage* LanguageByCode(const QString& code)
{
    for (const TLanguage& language : kLanguages)
        if (code.compare(QLatin1String(language.code), Qt::CaseInsensitive) == 0)
            return &language;
    return nullptr;
}

const TLanguage* LanguageByTag(int tag)
{
    for (const TLanguage& language : kLanguages)
        if (language.tag == tag)
            return &language;
    return nullptr;
}

const TLanguage* LanguageOfLocale(const QLocale& locale)
{
    return LanguageOfAbbreviation(LocaleAbbreviation(locale));
}

const TLanguage* LanguageOfAbbreviation(const QString& abbreviation)
{
    // The abbreviation starts with the language's two letters, as every code does.
    const QString letters = abbreviation.left(2);
    if (letters.size() < 2)
        return nullptr;
    for (const TLanguage& language : kLanguages)
        if (QLatin1String(language.code).startsWith(letters, Qt::CaseInsensitive))
            return &language;
    return nullptr;
}

QString LocaleAbbreviation(const QLocale& locale)
{
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return {};
    const QString name = locale.name(); // "en_US"
    for (const auto& row : kAbbreviations)
        if (name == QLatin1String(row.name))
            return QString::fromLatin1(row.abbreviation);
    // Windows' rule for the rest: the language's two letters and the first of the country.
    const QString language = name.section(u'_', 0, 0);
    const QString country = name.section(u'_', 1, 1);
    if (language.size() != 2)
        return {};
    return (language + country.left(1)).toUpper();
}

} // namespace tarvix

#include "cli/RelayLanguage.h"

#include "base/ExecutablePath.h"
#include "i18n/LanguageModule.h"
#include "i18n/Languages.h"
#include "i18n/LocaleRegistry.h"

#include <QFileInfo>
#include <QLocale>

namespace tarvix::cli {
namespace {

QString Bare(const QString& locale)
{
    return locale.section(u'.', 0, 0).section(u'@', 0, 0);
}

bool IsCLocale(const QString& locale)
{
    return locale == QLatin1String("C") || locale == QLatin1String("POSIX");
}

} // namespace

QStringList WantedLocales()
{
    QString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = Bare(qEnvironmentVariable(variable));
        if (!locale.isEmpty())
            break;
    }
    if (IsCLocale(locale))
        return {};
    QStringList wanted;
    for (const QString& entry : qEnvironmentVariable("LANGUAGE").split(u':', Qt::SkipEmptyParts))
        if (const QString bare = Bare(entry); !bare.isEmpty() && !IsCLocale(bare))
            wanted << bare;
    if (!locale.isEmpty())
        wanted << locale;
    return wanted;
}

QString ChooseRelayLanguage(TLanguageModule& module)
{
    const QString executable = ExecutablePath();
    if (executable.isEmpty())
        return {};
    // The desktop program's path: its stored choice and its modules (tarvix.deu, ...), not copies of our own.
    const QString program = QFileInfo(executable).absolutePath() + QStringLiteral("/tarvix");
    const TLocaleRegistry registry;
    if (const auto stored = registry.StoredCode(program)) {
        const QString file = module.Choose(registry, program, QString());
        if (!file.isEmpty() || stored->compare(QLatin1String(Languages()[0].code), Qt::CaseInsensitive) == 0)
            return file;
    }
    for (const QString& locale : WantedLocales()) {
        const TLanguage* language = LanguageOfLocale(QLocale(locale));
        if (language == &Languages()[0])
            return {}; // French is built in
        if (language && module.Load(PathWithExtension(program, QString::fromLatin1(language->moduleExtension))))
            return module.FileName();
    }
    // An administrator's terminal and the journal read English better than the built-in French.
    const TLanguage& english = Languages()[1];
    module.Load(PathWithExtension(program, QString::fromLatin1(english.moduleExtension)));
    return module.FileName();
}

} // namespace tarvix::cli

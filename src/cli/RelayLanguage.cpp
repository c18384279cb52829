#include "cli/RelayLanguage.h"

#include "base/ExecutablePath.h"
#include "i18n/LanguageModule.h"
#include "i18n/Languages.h"
#include "i18n/LocaleRegistry.h"

#include <QFileInfo>
#include <QLocale>

namespace tarvix::cli {

QString MessagesLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        QString value = qEnvironmentVariable(variable);
        if (value.isEmpty())
            continue;
        value = value.section(u'.', 0, 0).section(u'@', 0, 0);
        if (value == QLatin1String("C") || value == QLatin1String("POSIX"))
            return {};
        return value;
    }
    return {};
}

QString ChooseRelayLanguage(TLanguageModule& module)
{
    const QString executable = ExecutablePath();
    if (executable.isEmpty())
        return {};
    // The desktop program's path: its stored choice and its modules (tarvix.deu, ...), not copies of our own.
    const QString program = QFileInfo(executable).absolutePath() + QStringLiteral("/tarvix");
    const QString locale = MessagesLocaleName();
    const QString abbreviation = locale.isEmpty() ? QString() : LocaleAbbreviation(QLocale(locale));
    return module.Choose(TLocaleRegistry(), program, abbreviation);
}

} // namespace tarvix::cli

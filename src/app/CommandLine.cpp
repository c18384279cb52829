#include "app/CommandLine.h"

#include "app/VersionInfo.h"
#include "i18n/Format.h"
#include "i18n/LanguageModule.h"
#include "i18n/MessageIds.h"
#include "settings/MappingRecord.h"

#include <QCoreApplication>

#include <cstdio>
#include <string_view>

namespace tarvix {

std::optional<int> AnswerCommandLine(int argc, char** argv)
{
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        help = help || arg == "--help" || arg == "-h";
        version = version || arg == "--version";
    }
    if (!help && !version)
        return std::nullopt;
    // Text in the user's language, without a display.
    QCoreApplication core(argc, argv);
    TLanguageModule language;
    language.Choose();
    std::string text;
    if (help)
        text = FormatRes(msg::DesktopHelp, {SettingsFilePath().toStdString()});
    else
        text = "TARVIX Port Mapping " +
               GetVersionInfoValue(QCoreApplication::applicationFilePath(), QStringLiteral("ProductVersion"))
                   .toStdString();
    std::fputs((text + '\n').c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace tarvix

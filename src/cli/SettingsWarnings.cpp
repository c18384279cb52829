#include "cli/SettingsWarnings.h"

#include "cli/Console.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetAddress.h"
#include "settings/IniFileEx.h"
#include "settings/IniText.h"
#include "settings/MappingRecord.h"

#include <QFile>

#include <algorithm>
#include <unordered_map>

namespace tarvix::cli {
namespace {

bool LooksLikeUtf16(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(512);
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return true;
    // Without a byte-order mark: plain ASCII text in UTF-16 has a zero byte beside every character.
    return head.size() >= 4 && head.count('\0') * 4 >= head.size();
}

// A comment by the usual conventions: not a mistake, whatever it holds.
bool IsComment(const QString& line)
{
    const QString t = line.trimmed();
    return t.startsWith(u';') || t.startsWith(u'#');
}

} // namespace

std::vector<std::string> SettingsWarnings(const TIniFileEx& ini)
{
    const std::string file = ini.FileName().toStdString();
    std::vector<std::string> warnings;
    if (LooksLikeUtf16(ini.FileName()))
        warnings.push_back(FormatRes(msg::CliWarnUtf16, {file}));

    const QLatin1StringView keys[] = {record::kName, record::kLocalPort, record::kAddress, record::kPort,
                                      record::kAutoStart};
    std::unordered_map<int, QString> firstOnPort;
    for (int i = 0; i < ini.SectionCount(); ++i) {
        const QString section = ini.SectionName(i);
        const std::string shownSection = Shown(section);
        QStringList spaced;
        for (const QByteArray& raw : ini.SectionRawLines(i)) {
            const QString line = DecodeIniText(raw);
            if (line.trimmed().isEmpty() || IsComment(line))
                continue;
            const qsizetype eq = line.indexOf(u'=');
            if (eq < 0) {
                warnings.push_back(FormatRes(msg::CliWarnNoEquals, {file, shownSection, Shown(line)}));
                continue;
            }
            const QString key = line.left(eq);
            const QString bare = key.trimmed();
            if (bare == key)
                continue;
            const auto known = std::find_if(std::begin(keys), std::end(keys), [&](QLatin1StringView k) {
                return bare.compare(k, Qt::CaseInsensitive) == 0;
            });
            if (known == std::end(keys))
                continue;
            spaced << QString(*known);
            warnings.push_back(
                FormatRes(msg::CliWarnSpacedKey, {file, shownSection, Shown(key), QString(*known).toStdString()}));
        }

        // A key written with spaces was meant as that key: its own warning says so, one line is enough.
        const auto absent = [&](QLatin1StringView key) {
            return !ini.ValueExists(section, key) && !spaced.contains(QString(key));
        };
        if (absent(record::kLocalPort))
            warnings.push_back(FormatRes(msg::CliWarnNoLocalPort, {file, shownSection, record::kDefaultLocalPort}));
        if (absent(record::kAddress))
            warnings.push_back(FormatRes(msg::CliWarnNoAddress, {file, shownSection}));
        else if (ini.ValueExists(section, record::kAddress) &&
                 ini.ReadString(section, record::kAddress, QString()).isEmpty())
            warnings.push_back(FormatRes(msg::CliWarnEmptyAddress, {file, shownSection}));
        else if (const QString address = ini.ReadString(section, record::kAddress, QString());
                 !address.isEmpty() && !IsPlausibleHost(address.toStdString()))
            warnings.push_back(FormatRes(msg::CliWarnImplausibleAddress, {file, shownSection, Shown(address)}));
        if (absent(record::kPort))
            warnings.push_back(FormatRes(msg::CliWarnNoPort, {file, shownSection, record::kDefaultPort}));

        try {
            // Only the lowest byte counts (256 is off): a value other than 0 and 1 may not mean what it seems.
            const int autoStart = ini.ReadInteger(section, record::kAutoStart, 0);
            if (autoStart != 0 && autoStart != 1)
                warnings.push_back(
                    FormatRes(msg::CliWarnAutoStartValue,
                              {file, shownSection, Shown(ini.ReadString(section, record::kAutoStart, QString())),
                               ini.ReadBool(section, record::kAutoStart, false) ? 1 : 0}));
        } catch (const Exception&) {
        }
        try {
            const int port = ini.ReadInteger(section, record::kLocalPort, record::kDefaultLocalPort);
            const auto [first, added] = firstOnPort.emplace(port, section);
            if (!added)
                warnings.push_back(FormatRes(msg::CliWarnSamePort, {file, Shown(first->second), shownSection, port}));
        } catch (const Exception&) {
            // A value that is no number is an error, reported when the mappings are read.
        }
    }
    return warnings;
}

} // namespace tarvix::cli

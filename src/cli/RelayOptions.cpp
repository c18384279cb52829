#include "cli/RelayOptions.h"

#include "cli/CliError.h"
#include "cli/MappingArgument.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <unordered_map>

namespace tarvix::cli {
namespace {

[[noreturn]] void Fail(int id, const QString& arg)
{
    throw ECliError(ExitUsage, FormatRes(id, {arg.toStdString()}));
}

} // namespace

RelayOptions ParseRelayOptions(const QStringList& args)
{
    RelayOptions o;
    bool iniSeen = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString name = arg;
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = arg.indexOf(u'='); arg.startsWith(QLatin1String("--")) && eq > 2) {
            name = arg.left(eq);
            value = arg.mid(eq + 1);
            hasValue = true;
        }
        const bool takesValue = name == QLatin1String("--ini") || name == QLatin1String("--mapping");
        if (hasValue && !takesValue)
            Fail(msg::CliUnknownOption, arg);
        if (takesValue && !hasValue) {
            if (i + 1 >= args.size())
                Fail(msg::CliMissingValue, name);
            value = args[++i];
        }
        if (takesValue && value.isEmpty())
            Fail(msg::CliMissingValue, name);

        if (name == QLatin1String("--ini")) {
            if (iniSeen)
                Fail(msg::CliRepeatedOption, name);
            iniSeen = true;
            o.iniFile = value;
        } else if (name == QLatin1String("--mapping")) {
            if (!o.mappings.contains(value))
                o.mappings << value;
        } else if (name == QLatin1String("--all")) {
            o.all = true;
        } else if (name == QLatin1String("--quiet") || name == QLatin1String("-q")) {
            o.quiet = true;
        } else if (name == QLatin1String("--log-connections")) {
            o.logConnections = true;
        } else if (name == QLatin1String("--check")) {
            o.check = true;
        } else if (name == QLatin1String("--service")) {
            o.service = true;
        } else if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            o.help = true;
        } else if (name == QLatin1String("--version")) {
            o.version = true;
        } else if (arg.startsWith(u'-')) {
            Fail(msg::CliUnknownOption, arg);
        } else {
            o.commandLine.push_back(ParseMappingArgument(arg));
        }
    }
    if (o.all && !o.mappings.isEmpty())
        throw ECliError(ExitUsage, LoadResString(msg::CliAllWithMapping));
    if ((o.all || !o.mappings.isEmpty()) && !o.UsesSettingsFile())
        throw ECliError(ExitUsage, LoadResString(msg::CliSelectionWithoutFile));
    // Only one of two listeners on a port could start; better said now than after the first has started.
    std::unordered_map<int, const MappingRecord*> byPort;
    for (const MappingRecord& r : o.commandLine) {
        const auto [at, added] = byPort.emplace(r.localPort, &r);
        if (!added)
            throw ECliError(ExitUsage, FormatRes(msg::CliArgumentPortTaken,
                                                 {r.name.toStdString(), r.localPort, at->second->name.toStdString()}));
    }
    return o;
}

} // namespace tarvix::cli

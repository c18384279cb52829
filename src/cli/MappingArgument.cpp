#include "cli/MappingArgument.h"

#include "cli/CliError.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

namespace tarvix::cli {
namespace {

int PortOf(const QString& argument, const QString& text)
{
    bool digits = !text.isEmpty() && text.size() <= 5;
    for (const QChar c : text)
        digits = digits && c >= u'0' && c <= u'9';
    const int port = digits ? text.toInt() : 0;
    if (port < 1 || port > 65535)
        throw ECliError(ExitUsage, FormatRes(msg::CliBadArgumentPort, {argument.toStdString(), text.toStdString()}));
    return port;
}

} // namespace

MappingRecord ParseMappingArgument(const QString& argument)
{
    const QStringList parts = argument.split(u':');
    if (parts.size() != 3)
        throw ECliError(ExitUsage, FormatRes(msg::CliBadArgument, {argument.toStdString()}));
    MappingRecord r;
    r.name = argument;
    r.localPort = PortOf(argument, parts[0]);
    r.address = parts[1];
    bool plain = !r.address.isEmpty();
    for (const QChar c : r.address)
        plain = plain && c.isPrint() && !c.isSpace();
    if (!plain)
        throw ECliError(ExitUsage, FormatRes(msg::CliBadArgumentHost, {argument.toStdString()}));
    r.port = PortOf(argument, parts[2]);
    r.autoStart = true;
    return r;
}

} // namespace tarvix::cli

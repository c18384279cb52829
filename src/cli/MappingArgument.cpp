#include "cli/MappingArgument.h"

#include "cli/CliError.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetAddress.h"

namespace tarvix::cli {
namespace {

[[noreturn]] void Fail(int id, const QString& argument)
{
    throw ECliError(ExitUsage, FormatRes(id, {argument.toStdString()}));
}

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

// The parts between colons; a part in brackets (an IPv6 literal) keeps its colons and loses its brackets.
// bracketed tells which parts had them. Empty when the brackets do not pair up.
QStringList SplitParts(const QString& argument, QList<bool>& bracketed)
{
    QStringList parts;
    qsizetype at = 0;
    while (at <= argument.size()) {
        if (at < argument.size() && argument[at] == u'[') {
            const qsizetype close = argument.indexOf(u']', at);
            if (close < 0 || (close + 1 < argument.size() && argument[close + 1] != u':'))
                return {};
            parts << argument.mid(at + 1, close - at - 1);
            bracketed << true;
            at = close + 2;
            continue;
        }
        qsizetype colon = argument.indexOf(u':', at);
        if (colon < 0)
            colon = argument.size();
        const QString part = argument.mid(at, colon - at);
        if (part.contains(u'[') || part.contains(u']'))
            return {};
        parts << part;
        bracketed << false;
        at = colon + 1;
    }
    return parts;
}

} // namespace

MappingRecord ParseMappingArgument(const QString& argument)
{
    QList<bool> bracketed;
    const QStringList parts = SplitParts(argument, bracketed);
    if (parts.size() != 3 && parts.size() != 4)
        Fail(msg::CliBadArgument, argument);
    const qsizetype first = parts.size() - 3; // 1 when a listen address leads
    MappingRecord r;
    r.name = argument;
    if (first == 1) {
        // An IPv6 listen address must come in brackets: "::1:8080:..." could be read several ways.
        const QString& listen = parts[0];
        const bool v6 = listen.contains(u':');
        if (v6 != bracketed[0] || AddressFamilyOf(listen.toStdString()) == 0 || listen.isEmpty())
            throw ECliError(ExitUsage,
                            FormatRes(msg::CliBadArgumentListen, {argument.toStdString(), listen.toStdString()}));
        r.listenAddress = listen;
    }
    if (bracketed[first] || bracketed[first + 2])
        Fail(msg::CliBadArgument, argument);
    r.localPort = PortOf(argument, parts[first]);
    r.address = parts[first + 1];
    bool plain = !r.address.isEmpty();
    for (const QChar c : r.address)
        plain = plain && c.isPrint() && !c.isSpace();
    // Brackets hold an IPv6 address and nothing else.
    if (!plain || (bracketed[first + 1] && !r.address.contains(u':')) ||
        (bracketed[first + 1] && !IsAddressLiteral(r.address.toStdString())))
        Fail(msg::CliBadArgumentHost, argument);
    r.port = PortOf(argument, parts[first + 2]);
    r.autoStart = true;
    return r;
}

} // namespace tarvix::cli

#include "cli/ExportCommon.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetExceptions.h"

#include <QDateTime>
#include <QSet>

#include <sys/socket.h>

namespace tarvix::cli {
namespace {

[[noreturn]] void Refuse(const MappingRecord& r, const char* target, const std::string& reason)
{
    throw ECliError(ExitBadValue, FormatRes(msg::CliExportRefused, {Shown(r.name), target, reason}));
}

// Letters keep their base letter ("é" is "e"); whatever the targets do not take in a name becomes "_".
std::string SafeId(const QString& name)
{
    std::string id;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        if (c.isMark())
            continue;
        const char16_t u = c.unicode();
        const bool plain = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
                           u == u'.' || u == u'_' || u == u'-';
        if (plain)
            id += static_cast<char>(u);
        else if (!c.isLowSurrogate()) // one "_" for a character outside the basic plane
            id += '_';
    }
    return id.empty() ? std::string("mapping") : id;
}

std::string UniqueId(const QString& name, QSet<QString>& taken)
{
    const std::string base = SafeId(name);
    std::string id = base;
    for (int n = 2; taken.contains(QString::fromStdString(id)); ++n)
        id = base + "-" + std::to_string(n);
    taken.insert(QString::fromStdString(id));
    return id;
}

bool IsHostName(const QString& host)
{
    if (host.isEmpty() || host.size() > 253 || host.startsWith(u'-') || host.startsWith(u'.'))
        return false;
    for (const QChar c : host) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'.' ||
                        u == u'-' || u == u'_';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

std::vector<ExportedMapping> PrepareExport(const std::vector<PlannedMapping>& mappings, const char* target)
{
    std::vector<ExportedMapping> out;
    QSet<QString> ids;
    std::vector<const MappingRecord*> earlier;
    for (const PlannedMapping& m : mappings) {
        const MappingRecord& r = m.record;
        ExportedMapping e;
        e.name = Escaped(r.name.toStdString());
        e.localPort = r.localPort;
        e.fromFile = !m.section.isEmpty();

        const std::string listen = r.listenAddress.trimmed().toStdString();
        TNetAddress address;
        if (listen.empty()) {
            e.listen = "0.0.0.0";
        } else if (ParseAddressLiteral(listen, address)) {
            e.listen = BracketedHost(AddressText(address));
        } else {
            Refuse(r, target, FormatRes(msg::ExportBadListen, {Shown(r.listenAddress)}));
        }
        e.dualStack = e.listen == "[::]";

        try {
            e.allow = TNetAllowList::Parse(r.allowFrom.toStdString());
        } catch (const ENetBadAddress& bad) {
            Refuse(r, target, bad.Message());
        }

        // As tarvix-relay connects: "localhost" is IPv4's loopback, a literal is itself, a name is looked up.
        QString host = r.address.trimmed();
        if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
            host = QStringLiteral("127.0.0.1");
        if (ParseAddressLiteral(host.toStdString(), address) && host.indexOf(u'%') < 0) {
            e.remote = BracketedHost(AddressText(address));
            e.remoteIsName = false;
        } else if (IsHostName(host)) {
            e.remote = host.toStdString();
            e.remoteIsName = true;
        } else {
            Refuse(r, target, FormatRes(msg::ExportBadHost, {Shown(r.address)}));
        }
        e.remote += ":" + std::to_string(r.port);

        for (const MappingRecord* other : earlier)
            if (ListenersOverlap(*other, r))
                Refuse(r, target, FormatRes(msg::ExportPortTaken, {r.localPort, Shown(other->name)}));
        earlier.push_back(&r);
        e.id = UniqueId(r.name, ids);
        out.push_back(std::move(e));
    }
    return out;
}

std::string Comment(const std::string& text, const std::string& indent)
{
    std::string out;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        out += indent + "# " + Escaped(text.substr(from, end - from)) + "\n";
        from = end + 1;
    }
    return out;
}

std::string ExportHeader(const char* target, const QString& file, const std::vector<ExportedMapping>& mappings)
{
    const std::string when = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    std::string text = FormatRes(msg::ExportMadeBy, {target, when});
    for (const bool fromFile : {true, false}) {
        std::string names;
        for (const ExportedMapping& m : mappings)
            if (m.fromFile == fromFile)
                names += "\n  \"" + m.name + "\"";
        if (!names.empty())
            text += "\n" +
                    (fromFile ? FormatRes(msg::ExportFromFile, {file.toStdString()})
                              : LoadResString(msg::ExportFromCommandLine)) +
                    names;
    }
    text += "\n" + LoadResString(msg::ExportNotCarried);
    return Comment(text);
}

AllowedNetworks NetworksOf(const TNetAllowList& allow, bool ipv4AsMapped)
{
    AllowedNetworks out;
    for (const TNetAllowList::Network& n : allow.Networks()) {
        if (n.base.family == AF_INET) {
            out.ipv4.push_back(ipv4AsMapped ? "::ffff:" + AddressText(n.base) + "/" + std::to_string(96 + n.prefix)
                                            : AddressText(n.base) + "/" + std::to_string(n.prefix));
        } else {
            out.ipv6.push_back(AddressText(n.base) + "/" + std::to_string(n.prefix));
        }
    }
    return out;
}

} // namespace tarvix::cli

// The haproxy form of the export: one "listen" section per mapping, in TCP mode.
#include "cli/ExportCommon.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

namespace tarvix::cli {
namespace {

std::string Joined(const std::vector<std::string>& items)
{
    std::string out;
    for (const std::string& s : items)
        out += " " + s;
    return out;
}

// haproxy compares an IPv4 client with IPv6 patterns as ::ffff:a.b.c.d, and an IPv6 client with IPv4 patterns
// after taking 6to4 and IPv4-compatible addresses for IPv4. tarvix-relay does neither: IPv4 networks admit
// IPv4 clients (also seen as ::ffff:a.b.c.d on a dual-stack socket), IPv6 networks admit the other IPv6
// clients. So every pattern is written in IPv6 form and the two families are told apart first.
std::string AllowRules(const TNetAllowList& allow)
{
    if (allow.Empty())
        return {};
    const AllowedNetworks networks = NetworksOf(allow, true);
    std::string out = "    acl client_ipv4 src ::ffff:0.0.0.0/96\n";
    if (!networks.ipv4.empty())
        out += "    acl allowed_ipv4 src" + Joined(networks.ipv4) + "\n";
    if (!networks.ipv6.empty())
        out += "    acl allowed_ipv6 src" + Joined(networks.ipv6) + "\n";
    out += networks.ipv4.empty() ? "    tcp-request connection reject if client_ipv4\n"
                                 : "    tcp-request connection reject if client_ipv4 !allowed_ipv4\n";
    out += networks.ipv6.empty() ? "    tcp-request connection reject if !client_ipv4\n"
                                 : "    tcp-request connection reject if !client_ipv4 !allowed_ipv6\n";
    return out;
}

} // namespace

std::string ExportHaproxy(const QString& file, const std::vector<ExportedMapping>& mappings)
{
    std::string out = ExportHeader("haproxy", file, mappings);
    out += "\ndefaults\n"
           "    mode tcp\n";
    out += Comment(LoadResString(msg::ExportConnectComment), "    ");
    out += "    timeout connect 21s\n"
           "    retries 0\n";
    out += Comment(LoadResString(msg::ExportIdleComment), "    ");
    out += "    timeout client 24d\n"
           "    timeout server 24d\n";
    for (const ExportedMapping& m : mappings) {
        out += "\n" + Comment("\"" + m.name + "\"");
        out += "listen " + m.id + "\n";
        out += "    bind " + m.listen + ":" + std::to_string(m.localPort) + (m.dualStack ? " v4v6" : "") + "\n";
        out += AllowRules(m.allow);
        if (m.remoteIsName)
            out += Comment(FormatRes(msg::ExportNameAtStart, {"haproxy"}), "    ");
        out += "    server remote " + m.remote + "\n";
    }
    return out;
}

} // namespace tarvix::cli

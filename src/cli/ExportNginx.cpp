// The nginx form of the export: a whole configuration for "nginx -c", one stream server per mapping.
#include "cli/ExportCommon.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

namespace tarvix::cli {

// nginx checks a client seen as ::ffff:a.b.c.d against the IPv4 rules only, as tarvix-relay does, so the
// networks are written as they are.
std::string ExportNginx(const QString& file, const std::vector<ExportedMapping>& mappings)
{
    std::string out = ExportHeader("nginx", file, mappings);
    out += "\n" + Comment(LoadResString(msg::ExportModuleComment));
    out += "load_module /usr/lib/nginx/modules/ngx_stream_module.so;\n"
           "worker_processes auto;\n";
    out += Comment(LoadResString(msg::ExportWorkerComment));
    out += "worker_rlimit_nofile 8192;\n"
           "events {\n"
           "    worker_connections 4096;\n"
           "}\n"
           "\n"
           "stream {\n";
    out += Comment(LoadResString(msg::ExportConnectComment), "    ");
    out += "    proxy_connect_timeout 21s;\n";
    out += Comment(LoadResString(msg::ExportIdleComment), "    ");
    out += "    proxy_timeout 24d;\n";
    out += Comment(LoadResString(msg::ExportHalfCloseComment), "    ");
    out += "    proxy_half_close on;\n";
    for (const ExportedMapping& m : mappings) {
        out += "\n" + Comment("\"" + m.name + "\"", "    ");
        out += "    server {\n";
        out += "        listen " + m.listen + ":" + std::to_string(m.localPort) + (m.dualStack ? " ipv6only=off" : "") +
               ";\n";
        if (!m.allow.Empty()) {
            const AllowedNetworks networks = NetworksOf(m.allow, false);
            for (const auto* family : {&networks.ipv4, &networks.ipv6})
                for (const std::string& n : *family)
                    out += "        allow " + n + ";\n";
            out += "        deny all;\n";
        }
        if (m.remoteIsName)
            out += Comment(FormatRes(msg::ExportNameAtStart, {"nginx"}), "        ");
        out += "        proxy_pass " + m.remote + ";\n";
        out += "    }\n";
    }
    out += "}\n";
    return out;
}

} // namespace tarvix::cli

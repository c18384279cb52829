#pragma once
// What the exporters share: each mapping checked and put in the terms both targets write, and their comments.
#include "cli/MappingSelection.h"
#include "relay/NetAddress.h"

#include <string>
#include <vector>

namespace tarvix::cli {

struct ExportedMapping {
    std::string name;   // as written in comments: on one line, control characters escaped
    std::string id;     // [A-Za-z0-9._-], unique among the exported mappings
    std::string listen; // "0.0.0.0", "[::]" or the listen address (IPv6 bracketed)
    bool dualStack;     // listens on "::": IPv4 clients too
    int localPort;
    std::string remote;  // "host:port", an IPv6 literal bracketed
    bool remoteIsName;   // a host name, looked up by the proxy
    TNetAllowList allow; // empty: everyone
    bool fromFile;       // else from the command line
};

// Raises ECliError (ExitBadValue) naming the first mapping that cannot be exported to `target`: a listen
// address or allow-list that does not parse, a host that is neither an address nor a host name, or a listener
// that overlaps an earlier mapping's (tarvix-relay would not start that one).
std::vector<ExportedMapping> PrepareExport(const std::vector<PlannedMapping>& mappings, const char* target);

// "# text\n" for each line of the text, at the given indent.
std::string Comment(const std::string& text, const std::string& indent = {});

// The comment at the top: which program made it, when, from which file and which mappings, and what it does
// not carry over.
std::string ExportHeader(const char* target, const QString& file, const std::vector<ExportedMapping>& mappings);

// The networks of an allow-list, "a.b.c.d/n" or "x::y/n", split by family.
struct AllowedNetworks {
    std::vector<std::string> ipv4;
    std::vector<std::string> ipv6;
};
// ipv4AsMapped writes IPv4 networks as the IPv6 networks of their mapped addresses (::ffff:a.b.c.d/96+n).
AllowedNetworks NetworksOf(const TNetAllowList& allow, bool ipv4AsMapped);

// The two targets; `file` as for ExportConfiguration.
std::string ExportHaproxy(const QString& file, const std::vector<ExportedMapping>& mappings);
std::string ExportNginx(const QString& file, const std::vector<ExportedMapping>& mappings);

} // namespace tarvix::cli

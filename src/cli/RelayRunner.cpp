#include "cli/RelayRunner.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "cli/MappingCloser.h"
#include "cli/TrafficLog.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Connect.h"
#include "relay/NetAddress.h"
#include "relay/NetSelfMapping.h"

namespace tarvix::cli {

ActiveMapping::~ActiveMapping() = default;

namespace {

// Above this, a remote that is down would log a line per client: the rest go into one line per second.
constexpr int kOutboundFailuresPerSecond = 10;

} // namespace

RelayRunner::RelayRunner(bool quiet)
    : quiet_(quiet),
      outboundFailures_(kOutboundFailuresPerSecond, Priority::Warning,
                        [](const std::string& name, std::int64_t count, const std::string& reason) {
                            return FormatRes(msg::CliOutboundFailuresLeftOut, {name, count, reason});
                        })
{}

RelayRunner::~RelayRunner()
{
    MappingCloser closer(std::move(active_), nullptr);
}

void RelayRunner::RefuseOntoItself(const PlannedMapping& mapping)
{
    const MappingRecord& r = mapping.record;
    if (!MapsOntoItself(r.listenAddress.toStdString(), r.localPort, r.address.toStdString(), r.port, true))
        return;
    throw ECliError(ExitActivation,
                    FormatRes(msg::CliActivationFailed,
                              {Shown(r.name), r.localPort, FormatRes(msg::SelfMapping, {Shown(r.address), r.port})}));
}

bool RelayRunner::Activate(const PlannedMapping& mapping, int line)
{
    const std::string taken = TryActivate(mapping, line);
    if (!taken.empty())
        PrintLine(taken, Priority::Error);
    return taken.empty();
}

std::string RelayRunner::TryActivate(const PlannedMapping& mapping, int line)
{
    RefuseOntoItself(mapping);
    const MappingRecord& record = mapping.record;
    auto active = std::make_unique<ActiveMapping>();
    active->planned = mapping;
    active->name = Shown(record.name);
    const std::string host = record.address.toStdString();

    for (const auto& other : active_)
        if (ListenersOverlap(other->planned.record, record))
            return FormatRes(msg::CliPortTaken, {active->name, record.localPort, other->name});

    // These run on peer threads, possibly before the constructor below has returned; they touch only *entry
    // and the failure log, which outlive the engine instance (the instance is closed and freed first).
    ActiveMapping* entry = active.get();
    const bool quiet = quiet_;
    auto report = [entry, quiet](TfConnect*, bool connected) {
        const int open = connected ? ++entry->open : --entry->open;
        if (!quiet && !connected)
            PrintLine(FormatRes(msg::CliClientEnded, {entry->name, open}));
    };
    TClientAcceptedEvent accepted;
    if (!quiet)
        accepted = [entry](TfConnect*, const TNetConnectionInfo& info) {
            PrintLine(FormatRes(msg::CliClientAcceptedFrom,
                                {entry->name, info.clientAddress, std::int64_t{info.clientPort}, entry->open.load()}));
        };
    const bool logConnections = logConnections_;
    RateLimitedLog* failures = &outboundFailures_;
    const int remotePort = record.port;
    auto ended = [entry, logConnections, failures, host, remotePort](TfConnect*, const TNetConnectionInfo& info) {
        if (info.end == TNetConnectionEnd::RefusedRemote) {
            const std::string reason = OutboundFailureText(info.outboundSocketCode);
            failures->Print(
                entry->name,
                FormatRes(msg::CliOutboundFailed, {entry->name, info.clientAddress, std::int64_t{info.clientPort}, host,
                                                   std::int64_t{remotePort}, reason}),
                reason);
        }
        if (logConnections)
            PrintLine(ConnectionEndedLine(entry->name, info));
    };

    // Said even when quiet: clients are being turned away.
    auto shortage = [entry](TfConnect*, std::uint64_t refused) {
        PrintLine(FormatRes(msg::CliThreadShortage, {entry->name, static_cast<std::int64_t>(refused)}),
                  Priority::Warning);
    };

    TfConnectOptions options;
    options.listenAddress = record.listenAddress.toStdString();
    options.allowFrom = record.allowFrom.toStdString();
    if (logConnections_)
        options.onRefused = [entry](const std::string& address, int port) {
            PrintLine(FormatRes(msg::CliClientRefused, {entry->name, address, port}));
        };

    try {
        active->connect = std::make_unique<TfConnect>(record.localPort, host, record.port, report, ended, shortage,
                                                      accepted, std::move(options));
    } catch (const Exception& e) {
        throw ECliError(ExitActivation,
                        FormatRes(msg::CliActivationFailed, {active->name, record.localPort, e.Message()}));
    }
    active_.push_back(std::move(active));
    const ActiveMapping& a = *active_.back();
    PrintLine(FormatRes(line, {a.name, a.connect->LocalPort(), Shown(record.address), record.port}), Priority::Notice);
    if (!record.listenAddress.isEmpty())
        PrintLine(FormatRes(msg::CliListenAddress, {a.name, a.connect->ListenAddress()}), Priority::Notice);
    if (!record.allowFrom.isEmpty())
        PrintLine(FormatRes(msg::CliAllowFrom, {a.name, TNetAllowList::Parse(record.allowFrom.toStdString()).Text()}),
                  Priority::Notice);
    return {};
}

ActiveMappings RelayRunner::Take(const std::function<bool(const ActiveMapping&)>& pick)
{
    ActiveMappings taken;
    ActiveMappings kept;
    for (auto& a : active_) {
        if (pick(*a)) {
            taken.push_back(std::move(a));
        } else {
            kept.push_back(std::move(a));
        }
    }
    active_ = std::move(kept);
    return taken;
}

} // namespace tarvix::cli

#include "cli/RelayRunner.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "cli/MappingCloser.h"
#include "cli/TrafficLog.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Connect.h"
#include "relay/NetAddress.h"

namespace tarvix::cli {

ActiveMapping::~ActiveMapping() = default;

RelayRunner::RelayRunner(bool quiet) : quiet_(quiet) {}

RelayRunner::~RelayRunner()
{
    MappingCloser closer(std::move(active_), nullptr);
}

bool RelayRunner::Activate(const PlannedMapping& mapping, int line)
{
    const MappingRecord& record = mapping.record;
    auto active = std::make_unique<ActiveMapping>();
    active->planned = mapping;
    active->name = Shown(record.name);
    const std::string host = record.address.toStdString();

    for (const auto& other : active_) {
        if (ListenersOverlap(other->planned.record, record)) {
            PrintLine(FormatRes(msg::CliPortTaken, {active->name, record.localPort, other->name}));
            return false;
        }
    }

    // Runs on peer threads, possibly before the constructor below has returned; it touches only *entry,
    // which outlives the engine instance (the instance is closed and freed first).
    ActiveMapping* entry = active.get();
    const bool quiet = quiet_;
    auto report = [entry, quiet](TfConnect*, bool connected) {
        const int open = connected ? ++entry->open : --entry->open;
        if (!quiet)
            PrintLine(FormatRes(connected ? msg::CliClientAccepted : msg::CliClientEnded, {entry->name, open}));
    };

    TConnectionEndedEvent ended;
    if (logConnections_)
        ended = [entry](TfConnect*, const TNetConnectionInfo& info) {
            PrintLine(ConnectionEndedLine(entry->name, info));
        };

    // Said even when quiet: clients are being turned away.
    auto shortage = [entry](TfConnect*, std::uint64_t refused) {
        PrintLine(FormatRes(msg::CliThreadShortage, {entry->name, static_cast<std::int64_t>(refused)}));
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
                                                      std::move(options));
    } catch (const Exception& e) {
        throw ECliError(ExitActivation,
                        FormatRes(msg::CliActivationFailed, {active->name, record.localPort, e.Message()}));
    }
    active_.push_back(std::move(active));
    const ActiveMapping& a = *active_.back();
    PrintLine(FormatRes(line, {a.name, a.connect->LocalPort(), Shown(record.address), record.port}));
    if (!record.listenAddress.isEmpty())
        PrintLine(FormatRes(msg::CliListenAddress, {a.name, a.connect->ListenAddress()}));
    if (!record.allowFrom.isEmpty())
        PrintLine(FormatRes(msg::CliAllowFrom, {a.name, TNetAllowList::Parse(record.allowFrom.toStdString()).Text()}));
    return true;
}

ActiveMappings RelayRunner::Take(const std::function<bool(const PlannedMapping&)>& pick)
{
    ActiveMappings taken;
    ActiveMappings kept;
    for (auto& a : active_) {
        if (pick(a->planned)) {
            taken.push_back(std::move(a));
        } else {
            kept.push_back(std::move(a));
        }
    }
    active_ = std::move(kept);
    return taken;
}

} // namespace tarvix::cli

#include "cli/RelayRunner.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "cli/MappingCloser.h"
#include "cli/TrafficLog.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Connect.h"
#include "relay/NetSelfMapping.h"

namespace tarvix::cli {

ActiveMapping::~ActiveMapping() = default;

RelayRunner::RelayRunner(bool quiet) : quiet_(quiet) {}

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
                    FormatRes(msg::CliActivationFailed, {Shown(r.name), r.localPort,
                                                         FormatRes(msg::SelfMapping, {Shown(r.address), r.port})}));
}

bool RelayRunner::Activate(const PlannedMapping& mapping, int line)
{
    RefuseOntoItself(mapping);
    const MappingRecord& record = mapping.record;
    auto active = std::make_unique<ActiveMapping>();
    active->planned = mapping;
    active->name = Shown(record.name);
    const std::string host = record.address.toStdString();

    if (const auto taken = byLocalPort_.find(record.localPort); taken != byLocalPort_.end()) {
        PrintLine(FormatRes(msg::CliPortTaken, {active->name, record.localPort, taken->second->name}));
        return false;
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

    try {
        active->connect = std::make_unique<TfConnect>(record.localPort, host, record.port, report, ended, shortage);
    } catch (const Exception& e) {
        throw ECliError(ExitActivation,
                        FormatRes(msg::CliActivationFailed, {active->name, record.localPort, e.Message()}));
    }
    active_.push_back(std::move(active));
    const ActiveMapping& a = *active_.back();
    byLocalPort_.emplace(record.localPort, &a);
    PrintLine(FormatRes(line, {a.name, a.connect->LocalPort(), Shown(record.address), record.port}));
    return true;
}

ActiveMappings RelayRunner::Take(const std::function<bool(const PlannedMapping&)>& pick)
{
    ActiveMappings taken;
    ActiveMappings kept;
    for (auto& a : active_) {
        if (pick(a->planned)) {
            byLocalPort_.erase(a->planned.record.localPort);
            taken.push_back(std::move(a));
        } else {
            kept.push_back(std::move(a));
        }
    }
    active_ = std::move(kept);
    return taken;
}

} // namespace tarvix::cli

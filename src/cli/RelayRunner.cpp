#include "cli/RelayRunner.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "cli/TrafficLog.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Connect.h"

namespace tarvix::cli {

RelayRunner::RelayRunner(bool quiet) : quiet_(quiet) {}

RelayRunner::~RelayRunner()
{
    DeactivateAll();
}

void RelayRunner::Activate(const MappingRecord& record)
{
    auto active = std::make_unique<Active>();
    active->name = record.name.toStdString();
    const std::string host = record.address.toStdString();

    // Runs on peer threads, possibly before the constructor below has returned; it touches only *entry,
    // which outlives the engine instance (DeactivateAll frees the instance first).
    Active* entry = active.get();
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

    try {
        active->connect = std::make_unique<TfConnect>(record.localPort, host, record.port, report, ended);
    } catch (const Exception& e) {
        throw ECliError(ExitActivation,
                        FormatRes(msg::CliActivationFailed, {active->name, record.localPort, e.Message()}));
    }
    std::lock_guard lock(activeLock_);
    active_.push_back(std::move(active));
    const Active& a = *active_.back();
    PrintLine(FormatRes(msg::CliListening, {a.name, a.connect->LocalPort(), host, record.port}));
}

void RelayRunner::DeactivateAll(bool printSummary)
{
    std::lock_guard lock(activeLock_);
    for (auto& a : active_)
        a->connect->CloseMapping();
    if (printSummary)
        for (const auto& a : active_)
            PrintLine(TrafficSummaryLine(a->name, a->connect->Traffic()));
    for (auto& a : active_)
        a->connect.reset();
    active_.clear();
}

void RelayRunner::PrintSummary() const
{
    std::lock_guard lock(activeLock_);
    for (const auto& a : active_)
        PrintLine(TrafficSummaryLine(a->name, a->connect->Traffic()));
}

} // namespace tarvix::cli

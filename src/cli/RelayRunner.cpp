#include "cli/RelayRunner.h"

#include "cli/CliError.h"
#include "cli/Console.h"
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

    try {
        active->connect = std::make_unique<TfConnect>(record.localPort, host, record.port, report);
    } catch (const Exception& e) {
        throw ECliError(ExitActivation,
                        FormatRes(msg::CliActivationFailed, {active->name, record.localPort, e.Message()}));
    }
    active_.push_back(std::move(active));
    const Active& a = *active_.back();
    PrintLine(FormatRes(msg::CliListening, {a.name, a.connect->LocalPort(), host, record.port}));
}

void RelayRunner::DeactivateAll()
{
    for (auto& a : active_) {
        a->connect->CloseMapping();
        a->connect.reset();
    }
    active_.clear();
}

} // namespace tarvix::cli

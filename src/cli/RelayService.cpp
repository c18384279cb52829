#include "cli/RelayService.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "cli/FirstRun.h"
#include "cli/MappingCloser.h"
#include "cli/MappingSelection.h"
#include "cli/RelayOptions.h"
#include "cli/RelayRunner.h"
#include "cli/ServiceNotify.h"
#include "cli/SettingsLocation.h"
#include "cli/SettingsWarnings.h"
#include "cli/SignalWatch.h"
#include "cli/TrafficLog.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetExitReset.h"
#include "settings/IniFileEx.h"

#include <QFileInfo>
#include <QHash>

#include <cstdio>
#include <cstdlib>

namespace tarvix::cli {
namespace {

using namespace std::chrono_literals;

bool All(const PlannedMapping&)
{
    return true;
}

// A stop asked for while stopping already, or while unwinding a failed start: the process ends now and the
// system releases its sockets, rather than leaving the one who asked waiting.
[[noreturn]] void LeaveNow(const ReceivedSignal& received, int code)
{
    // Before anything that could hold the exit up: the clients still connected must learn of the cut.
    SetConnectionsToResetOnExit();
    PrintLine(FormatRes(msg::CliLeavingNow, {SignalName(received.signal)}));
    FlushConsole(1s);
    std::_Exit(code);
}

// Closes the mappings all at once; a stop signal meanwhile ends the process with `code`.
void CloseObeyingStop(ActiveMappings mappings, SignalWatch& watch, int code)
{
    MappingCloser closer(std::move(mappings), [&watch] { watch.Wake(); });
    while (!closer.Finished())
        if (const auto received = watch.Wait(); received && received->action == SignalAction::Stop)
            LeaveNow(*received, code);
}

// Closes the mappings all at once; signals that come meanwhile are acted on afterwards, in their order.
void CloseDeferringSignals(ActiveMappings mappings, SignalWatch& watch)
{
    std::vector<ReceivedSignal> later;
    {
        MappingCloser closer(std::move(mappings), [&watch] { watch.Wake(); });
        while (!closer.Finished())
            if (const auto received = watch.Wait())
                later.push_back(*received);
    }
    for (auto it = later.rbegin(); it != later.rend(); ++it)
        watch.PutBack(*it);
}

class Relay {
public:
    Relay(const RelayOptions& options, SignalWatch& watch) : options_(options), watch_(watch), runner_(options.quiet)
    {
        runner_.SetLogConnections(options.logConnections);
        if (options.UsesSettingsFile())
            file_ = QFileInfo(options.iniFile.isEmpty() ? DefaultSettingsFile() : options.iniFile).absoluteFilePath();
    }

    int Run()
    {
        std::vector<PlannedMapping> planned = CommandLineMappings(options_);
        if (!file_.isEmpty()) {
            std::unique_ptr<TIniFileEx> ini;
            try {
                ini = LoadSettings(file_);
            } catch (const ECliError& e) {
                if (!options_.commandLine.empty() || QFileInfo::exists(file_))
                    throw;
                PrintError(e.Message());
                PrintFirstRunHelp(file_, nullptr);
                return e.Code();
            }
            warnings_ = PrintWarnings(*ini);
            for (PlannedMapping& m : SelectMappings(*ini, options_))
                planned.push_back(std::move(m));
            if (planned.empty() && !options_.check) {
                PrintError(FormatRes(msg::CliNothingToActivate, {file_.toStdString()}));
                PrintFirstRunHelp(file_, ini.get());
                return ExitNothingToDo;
            }
        }
        if (options_.check) {
            for (const PlannedMapping& m : planned)
                RelayRunner::RefuseOntoItself(m);
            PrintLine(FormatRes(msg::CliCheckDone, {static_cast<std::int64_t>(planned.size()), warnings_}));
            return ExitStopped;
        }
        watch_.Start();
        if (const auto code = Start(planned))
            return *code;
        NotifyService("READY=1\nSTATUS=" + Status());

        for (;;) {
            const auto received = watch_.Wait();
            if (!received)
                continue;
            switch (received->action) {
            case SignalAction::Stop: return Stop(*received);
            case SignalAction::Reload: Reload(*received); break;
            case SignalAction::Summary: PrintTrafficSummary(runner_.Active()); break;
            }
        }
    }

private:
    std::int64_t PrintWarnings(const TIniFileEx& ini)
    {
        const std::vector<std::string> warnings = SettingsWarnings(ini);
        for (const std::string& w : warnings)
            PrintLine(w);
        return static_cast<std::int64_t>(warnings.size());
    }

    std::string Status() const { return FormatRes(msg::CliStatus, {static_cast<std::int64_t>(runner_.Count())}); }

    // Nothing when every mapping listens; otherwise the exit status, after what had started is closed again.
    std::optional<int> Start(const std::vector<PlannedMapping>& planned)
    {
        std::vector<ReceivedSignal> reloads;
        for (const PlannedMapping& m : planned) {
            // A long start (thousands of mappings) must not be deaf to a stop.
            while (const auto received = watch_.Poll()) {
                if (received->action == SignalAction::Stop)
                    return Stop(*received);
                reloads.push_back(*received);
            }
            try {
                runner_.Activate(m, msg::CliListening);
            } catch (const ECliError& e) {
                PrintError(e.Message());
                CloseObeyingStop(runner_.Take(All), watch_, e.Code());
                return e.Code();
            }
        }
        for (auto it = reloads.rbegin(); it != reloads.rend(); ++it)
            watch_.PutBack(*it);
        return std::nullopt;
    }

    int Stop(const ReceivedSignal& received)
    {
        NotifyService("STOPPING=1");
        PrintLine(FormatRes(msg::CliStopping, {SignalName(received.signal)}));
        PrintTrafficSummary(runner_.Active()); // the counters at the stop, once
        CloseObeyingStop(runner_.Take(All), watch_, ExitStopped);
        PrintLine(LoadResString(msg::CliStopped));
        return ExitStopped;
    }

    // Mappings whose five values are unchanged keep listening with their connections; the others are closed,
    // then the changed and the new ones start. A file that cannot be used changes nothing.
    void Reload(const ReceivedSignal& received)
    {
        NotifyService("RELOADING=1");
        const std::string signal = SignalName(received.signal);
        if (file_.isEmpty()) {
            PrintLine(FormatRes(msg::CliReloadNoFile, {signal}));
            NotifyService("READY=1\nSTATUS=" + Status());
            return;
        }
        PrintLine(FormatRes(msg::CliReloading, {signal, file_.toStdString()}));
        std::vector<PlannedMapping> wanted;
        try {
            const auto ini = LoadSettings(file_);
            PrintWarnings(*ini);
            wanted = SelectMappings(*ini, options_);
        } catch (const ECliError& e) {
            PrintError(FormatRes(msg::CliReloadFailed, {e.Message()}));
            NotifyService("READY=1\nSTATUS=" + Status());
            return;
        }

        QHash<QString, const PlannedMapping*> wantedBySection;
        for (const PlannedMapping& m : wanted)
            wantedBySection.insert(m.section, &m);
        const auto same = [&](const PlannedMapping& running) {
            const PlannedMapping* w = wantedBySection.value(running.section);
            return w && *w == running;
        };

        QHash<QString, bool> running; // section -> stays
        for (const auto& a : runner_.Active()) {
            if (a->planned.section.isEmpty())
                continue;
            running.insert(a->planned.section, same(a->planned));
            if (same(a->planned))
                PrintLine(FormatRes(msg::CliReloadUnchanged, {a->name}));
        }
        ActiveMappings leaving =
            runner_.Take([&](const PlannedMapping& p) { return !p.section.isEmpty() && !same(p); });
        std::vector<std::string> removed;
        for (const auto& a : leaving)
            if (!wantedBySection.contains(a->planned.section))
                removed.push_back(a->name);
        CloseDeferringSignals(std::move(leaving), watch_);
        for (const std::string& name : removed)
            PrintLine(FormatRes(msg::CliReloadRemoved, {name}));

        for (const PlannedMapping& m : wanted) {
            const auto was = running.constFind(m.section);
            if (was != running.cend() && *was)
                continue; // unchanged, still listening
            try {
                runner_.Activate(m, was != running.cend() ? msg::CliReloadChanged : msg::CliReloadAdded);
            } catch (const ECliError& e) {
                PrintError(e.Message());
            }
        }
        PrintLine(FormatRes(msg::CliReloadDone, {static_cast<std::int64_t>(runner_.Count())}));
        NotifyService("READY=1\nSTATUS=" + Status());
    }

    const RelayOptions& options_;
    SignalWatch& watch_;
    QString file_; // empty: only mappings of the command line
    RelayRunner runner_;
    std::int64_t warnings_ = 0;
};

} // namespace

int RunRelay(const QStringList& args, SignalWatch& watch)
{
    try {
        const RelayOptions options = ParseRelayOptions(args);
        if (options.help) {
            const std::string help = FormatRes(msg::CliHelp, {DefaultSettingsFile().toStdString()}) + "\n\n" +
                                     LoadResString(msg::CliHelpExitCodes) + "\n\n" +
                                     LoadResString(msg::CliTrafficHelp) + "\n";
            std::fputs(help.c_str(), stdout);
            return ExitStopped;
        }
        Relay relay(options, watch);
        return relay.Run();
    } catch (const ECliError& e) {
        PrintError(e.Message());
        if (e.Code() == ExitUsage)
            PrintError(LoadResString(msg::CliSeeHelp));
        return e.Code();
    } catch (const std::exception& e) {
        PrintError(FormatRes(msg::CliInternalError, {e.what()}));
        return ExitInternal;
    }
}

} // namespace tarvix::cli

#include "cli/RelayService.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "cli/Export.h"
#include "cli/FirstRun.h"
#include "cli/MappingCloser.h"
#include "cli/MappingSelection.h"
#include "cli/RelayOptions.h"
#include "cli/RelayRunner.h"
#include "cli/RemoteNames.h"
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

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tarvix::cli {
namespace {

using namespace std::chrono_literals;

bool All(const ActiveMapping&)
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
            // A check judges the file as a start would: nothing to relay is the same error, unless the service
            // waits for a first mapping.
            if (planned.empty() && !options_.service) {
                PrintError(FormatRes(msg::CliNothingToActivate, {file_.toStdString()}));
                PrintFirstRunHelp(file_, ini.get());
                return ExitNothingToDo;
            }
        }
        if (options_.check) {
            for (const PlannedMapping& m : planned)
                RelayRunner::RefuseOntoItself(m);
            if (planned.empty())
                PrintLine(IdleText(), Priority::Warning);
            const std::vector<std::string> unresolved = UnresolvedRemoteWarnings(planned, file_.toStdString());
            for (const std::string& w : unresolved)
                PrintLine(w, Priority::Warning);
            PrintLine(FormatRes(msg::CliCheckDone, {static_cast<std::int64_t>(planned.size()),
                                                    warnings_ + static_cast<std::int64_t>(unresolved.size())}),
                      Priority::Notice);
            return ExitStopped;
        }
        if (options_.exportTo) {
            if (planned.empty()) { // only with --service, which waits for mappings an export cannot
                PrintError(FormatRes(msg::CliNothingToActivate, {file_.toStdString()}));
                return ExitNothingToDo;
            }
            const std::string text = ExportConfiguration(*options_.exportTo, planned, file_);
            if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0)
                throw ECliError(ExitInternal, FormatRes(msg::CliInternalError, {std::strerror(errno)}));
            return ExitStopped;
        }
        watch_.Start();
        if (const auto code = Start(planned))
            return *code;
        if (planned.empty())
            PrintLine(IdleText(), Priority::Warning);
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
            PrintLine(w, Priority::Warning);
        return static_cast<std::int64_t>(warnings.size());
    }

    std::string IdleText() const { return FormatRes(msg::CliWaitingForMapping, {file_.toStdString()}); }

    std::string Status() const
    {
        const auto active = static_cast<std::int64_t>(runner_.Count());
        if (failedAtReload_ > 0)
            return FormatRes(msg::CliStatusWithFailures, {active, failedAtReload_});
        if (active == 0 && !file_.isEmpty())
            return IdleText();
        return FormatRes(msg::CliStatus, {active});
    }

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
        PrintLine(FormatRes(msg::CliStopping, {SignalName(received.signal)}), Priority::Notice);
        PrintTrafficSummary(runner_.Active()); // the counters at the stop, once
        CloseObeyingStop(runner_.Take(All), watch_, ExitStopped);
        PrintLine(LoadResString(msg::CliStopped), Priority::Notice);
        return ExitStopped;
    }

    // Starts a mapping during a reload; its failure is logged with the mapping's name and the reason.
    bool ActivateNow(const PlannedMapping& m, int line)
    {
        std::string failure;
        try {
            failure = runner_.TryActivate(m, line);
        } catch (const ECliError& e) {
            failure = e.Message();
        }
        if (!failure.empty())
            PrintError(failure);
        return failure.empty();
    }

    void CloseNow(const ActiveMapping* which)
    {
        CloseDeferringSignals(runner_.Take([which](const ActiveMapping& a) { return &a == which; }), watch_);
    }

    // A changed mapping: the new one listens before the old one goes, so that a new one that cannot start
    // leaves the old one running. On the same port the old one must go first, and comes back when the new
    // one cannot start.
    bool Replace(const ActiveMapping* old, const PlannedMapping& wanted)
    {
        const PlannedMapping was = old->planned;
        const std::string name = old->name;
        if (was.record.localPort != wanted.record.localPort) {
            if (!ActivateNow(wanted, msg::CliReloadChanged)) {
                PrintError(FormatRes(msg::CliReloadKeptOld, {name}));
                return false;
            }
            CloseNow(old);
            return true;
        }
        CloseNow(old);
        if (ActivateNow(wanted, msg::CliReloadChanged))
            return true;
        if (ActivateNow(was, msg::CliListening))
            PrintError(FormatRes(msg::CliReloadKeptOld, {name}));
        return false;
    }

    // Mappings whose values are all unchanged keep listening with their connections; removed ones are closed
    // first (their ports may be wanted), then changed ones are replaced and new ones start. A file that cannot
    // be read, or that would leave no mapping, changes nothing; a mapping that cannot start is counted in the
    // status.
    void Reload(const ReceivedSignal& received)
    {
        NotifyService("RELOADING=1");
        const std::string signal = SignalName(received.signal);
        if (file_.isEmpty()) {
            PrintLine(FormatRes(msg::CliReloadNoFile, {signal}), Priority::Warning);
            NotifyService("READY=1\nSTATUS=" + Status());
            return;
        }
        PrintLine(FormatRes(msg::CliReloading, {signal, file_.toStdString()}), Priority::Notice);
        std::vector<PlannedMapping> wanted;
        try {
            const auto ini = LoadSettings(file_);
            PrintWarnings(*ini);
            wanted = SelectMappings(*ini, options_);
        } catch (const ECliError& e) {
            PrintLine(FormatRes(msg::CliReloadFailed, {e.Message()}), Priority::Warning);
            NotifyService("READY=1\nSTATUS=" + Status());
            return;
        }
        if (wanted.empty()) {
            PrintLine(FormatRes(msg::CliReloadFailed, {FormatRes(msg::CliNothingToActivate, {file_.toStdString()})}),
                      Priority::Warning);
            NotifyService("READY=1\nSTATUS=" + Status());
            return;
        }

        // The whole record counts (listen address and allowed clients too), so any change is a change.
        QHash<QString, const PlannedMapping*> wantedBySection;
        for (const PlannedMapping& m : wanted)
            wantedBySection.insert(m.section, &m);
        QHash<QString, const ActiveMapping*> running;
        std::vector<std::string> removed;
        for (const auto& a : runner_.Active()) {
            if (a->planned.section.isEmpty())
                continue;
            running.insert(a->planned.section, a.get());
            if (const PlannedMapping* w = wantedBySection.value(a->planned.section); !w)
                removed.push_back(a->name);
            else if (*w == a->planned)
                PrintLine(FormatRes(msg::CliReloadUnchanged, {a->name}));
        }
        const auto gone = [&](const ActiveMapping& a) {
            return !a.planned.section.isEmpty() && !wantedBySection.contains(a.planned.section);
        };
        CloseDeferringSignals(runner_.Take(gone), watch_);
        for (const std::string& name : removed)
            PrintLine(FormatRes(msg::CliReloadRemoved, {name}), Priority::Notice);

        std::int64_t failed = 0;
        for (const PlannedMapping& m : wanted) {
            const ActiveMapping* old = running.value(m.section);
            if (old && old->planned == m)
                continue; // unchanged, still listening
            if (!(old ? Replace(old, m) : ActivateNow(m, msg::CliReloadAdded)))
                ++failed;
        }
        failedAtReload_ = failed;
        const auto active = static_cast<std::int64_t>(runner_.Count());
        if (failed > 0)
            PrintLine(FormatRes(msg::CliReloadDoneWithFailures, {active, failed}), Priority::Error);
        else
            PrintLine(FormatRes(msg::CliReloadDone, {active}), Priority::Notice);
        NotifyService("READY=1\nSTATUS=" + Status());
    }

    const RelayOptions& options_;
    SignalWatch& watch_;
    QString file_; // empty: only mappings of the command line
    RelayRunner runner_;
    std::int64_t warnings_ = 0;
    std::int64_t failedAtReload_ = 0; // mappings of the last reload that could not start
};

} // namespace

int RunRelay(const QStringList& args, SignalWatch& watch)
{
    try {
        const RelayOptions options = ParseRelayOptions(args);
        if (options.version) {
            std::fputs("tarvix-relay " TARVIX_VERSION "\n", stdout);
            return ExitStopped;
        }
        if (options.help) {
            std::string help = FormatRes(msg::CliHelp, {DefaultSettingsFile().toStdString()}) + "\n";
            for (const int part : {msg::CliListenHelp, msg::CliExportHelp, msg::CliHelpExitCodes, msg::CliTrafficHelp,
                                   msg::CliServiceHelp})
                help += "\n" + LoadResString(part) + "\n";
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

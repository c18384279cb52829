// tarvix-relay: runs mappings of the settings file without the desktop program, until SIGINT, SIGTERM or SIGHUP.
#include "cli/CliError.h"
#include "cli/Console.h"
#include "cli/MappingSelection.h"
#include "cli/RelayOptions.h"
#include "cli/RelayRunner.h"
#include "cli/SettingsLocation.h"
#include "cli/StopSignals.h"
#include "cli/TrafficLog.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "settings/IniFileEx.h"

#include <QCoreApplication>

#include <cstdio>

using namespace tarvix;
using namespace tarvix::cli;

namespace {

int Run(StopSignals& stopSignals, SummarySignal& summarySignal)
{
    try {
        const RelayOptions options = ParseRelayOptions(QCoreApplication::arguments().mid(1));
        if (options.help) {
            std::fputs(FormatRes(msg::CliHelp, {DefaultSettingsFile().toStdString()}).c_str(), stdout);
            std::fputs("\n", stdout);
            std::fputs("\n", stdout);
            std::fputs(LoadResString(msg::CliTrafficHelp).c_str(), stdout);
            std::fputs("\n", stdout);
            return ExitStopped;
        }

        std::vector<MappingRecord> records;
        {
            const auto ini = LoadSettings(options.iniFile.isEmpty() ? DefaultSettingsFile() : options.iniFile);
            records = SelectMappings(*ini, options);
        } // the store is released unsaved: the relay never writes the file

        RelayRunner runner(options.quiet);
        runner.SetLogConnections(options.logConnections);
        for (const MappingRecord& record : records)
            runner.Activate(record); // on failure, unwinding deactivates those already active

        summarySignal.Start([&runner] { runner.PrintSummary(); });
        const int signal = stopSignals.Wait();
        summarySignal.Stop();
        PrintLine(FormatRes(msg::CliStopping, {SignalName(signal)}));
        runner.DeactivateAll(true);
        PrintLine(LoadResString(msg::CliStopped));
        return ExitStopped;
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

} // namespace

int main(int argc, char** argv)
{
    StopSignals stopSignals; // first: every thread started later inherits the blocked signals
    SummarySignal summarySignal;
    QCoreApplication app(argc, argv);
    const int code = Run(stopSignals, summarySignal);
    FlushConsole(std::chrono::seconds(2)); // a stuck standard error must not keep the process alive
    return code;
}

// tarvix-relay: relays the mappings of the settings file, or of its command line, without the desktop program;
// SIGHUP rereads the settings file, SIGINT and SIGTERM stop it.
#include "cli/Console.h"
#include "cli/RelayLanguage.h"
#include "cli/RelayService.h"
#include "cli/SignalWatch.h"
#include "i18n/LanguageModule.h"
#include "relay/NetExitReset.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    tarvix::cli::SignalWatch watch; // first: every thread started later inherits the blocked signals
    QCoreApplication app(argc, argv);
    tarvix::TLanguageModule language;
    tarvix::cli::ChooseRelayLanguage(language);
    const int code = tarvix::cli::RunRelay(QCoreApplication::arguments().mid(1), watch);
    // A connection that outlived the stop was cut all the same.
    tarvix::SetConnectionsToResetOnExit();
    tarvix::cli::FlushConsole(std::chrono::seconds(2)); // a stuck standard error must not keep the process alive
    return code;
}

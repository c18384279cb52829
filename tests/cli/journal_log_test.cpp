// tarvix-relay's log as the journal reads it: a priority on each line when standard error is the journal,
// the client's address in its line, and a remote that fails clients logged once per client, in bounded
// numbers when it fails many.
#include "RelayCliFixture.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/Waiting.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <csignal>
#include <regex>
#include <sstream>

using namespace tarvix::test;

namespace {

int LocalPortOf(const TestSocket& s)
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(s.Fd(), reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

// Runs the relay with JOURNAL_STREAM naming its standard error's device and inode, as the service manager does.
std::vector<std::string> AsJournalStream(std::vector<std::string> args)
{
    args.insert(args.begin(), {"-c", "JOURNAL_STREAM=$(stat -L -c %d:%i /proc/self/fd/2) exec \"$0\" \"$@\"", kRelay});
    return args;
}

TEST_F(RelayCli, JournalLinesCarryTheirPriorityAndTheClientsAddress)
{
    EchoServer echo;
    EchoServer busy;
    const Mapping up{"Haut", FreePort(), echo.Port(), true};
    const Mapping down{"Bas", FreePort(), FreePort(), true}; // nothing listens on its remote port
    const std::string ini = WriteIni(IniText({up, down}) + "[suspect]\r\nligne sans egal\r\n\r\n");

    setenv("JOURNAL_STREAM", "1:1", 1); // another file than standard error: plain lines
    const RunResult plain = RunToEnd(kRelay, {"--ini", ini, "--check"});
    EXPECT_EQ(plain.err.find("<"), std::string::npos) << plain.err;
    unsetenv("JOURNAL_STREAM");

    ChildProcess relay("/bin/sh", AsJournalStream({"--ini", ini}));
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s, 2)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("<4>Attention : " + ini + ", section [suspect] : la ligne"), std::string::npos)
        << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("<5>Connexion \"Haut\" : écoute sur le port"), std::string::npos) << relay.Stderr();

    TestSocket client = ConnectLoopback(up.localPort);
    const std::string accepted =
        "<6>Connexion \"Haut\" : client accepté, 127.0.0.1 port " + std::to_string(LocalPortOf(client)) + " (1";
    EXPECT_TRUE(relay.WaitForStderr(accepted, 10s)) << relay.Stderr();

    // One client through the failing mapping: one warning with its address and the reason.
    TestSocket refused = ConnectLoopback(down.localPort);
    const std::string failure = "<4>Connexion \"Bas\" : client 127.0.0.1 port " + std::to_string(LocalPortOf(refused)) +
                                ", 127.0.0.1 port " + std::to_string(down.port) +
                                " injoignable : connexion refusée par la destination";
    EXPECT_TRUE(relay.WaitForStderr(failure, 30s)) << relay.Stderr(); // generous: sanitizers on a loaded machine

    // A flood of them: at most ten lines a second, the rest counted in a summary line.
    constexpr int kFlood = 60;
    std::vector<TestSocket> flood;
    for (int i = 0; i < kFlood; ++i)
        flood.push_back(ConnectLoopback(down.localPort));
    ASSERT_TRUE(relay.WaitForStderr("autre(s) échec(s) vers la destination en une seconde", 10s)) << relay.Stderr();
    // Every client is either on a line of its own or counted in a summary.
    const std::regex summary("<4>Connexion \"Bas\" : (\\d+) autre\\(s\\) échec\\(s\\)");
    const auto counted = [&] {
        int n = CountOf(relay.Stderr(), " injoignable : ");
        const std::string& err = relay.Stderr();
        for (std::sregex_iterator it(err.begin(), err.end(), summary), end; it != end; ++it)
            n += std::stoi((*it)[1]);
        return n;
    };
    const auto allCounted = [&] {
        relay.WaitForStderr("\x01", 100ms); // reads what has come meanwhile
        return counted() >= kFlood + 1;
    };
    EXPECT_TRUE(WaitUntil(allCounted, 30000)) << relay.Stderr();
    EXPECT_EQ(counted(), kFlood + 1) << relay.Stderr();
    EXPECT_LE(CountOf(relay.Stderr(), " injoignable : "), 1 + 3 * 10) << "the flood was not limited";

    // A change that cannot start is an error.
    Mapping onBusy = up;
    onBusy.localPort = busy.Port();
    WriteIni(IniText({onBusy, down}));
    relay.Signal(SIGHUP);
    EXPECT_TRUE(relay.WaitForStderr("<3>tarvix-relay: Connexion \"Haut\" : la nouvelle version ne démarre pas", 10s))
        << relay.Stderr();

    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
}

} // namespace

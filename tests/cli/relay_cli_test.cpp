// tarvix-relay end to end: the real executable, a settings file of the test, an echo server on 127.0.0.1.
#include "RelayCliFixture.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <regex>
#include <sys/socket.h>
#include <thread>

using namespace tarvix::test;

namespace {

const std::string kBindError =
    "Impossible d'établir une liaison avec le socket. L'adresse et le port sont déjà utilisés.";

TEST_F(RelayCli, RelaysTwoAutoStartMappingsAndStopsCleanlyOnSigterm)
{
    EchoServer echo;
    const Mapping a{"Écho A", FreePort(), echo.Port(), true};
    const Mapping b{"Écho B", FreePort(), echo.Port(), true};
    const Mapping off{"Éteinte", FreePort(), echo.Port(), false};
    const std::string text = IniText({a, off, b});
    const std::string ini = WriteIni(text);

    ChildProcess relay(kRelay, {"--ini", ini});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s, 2)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("\"Écho A\" : écoute sur le port " + std::to_string(a.localPort)), std::string::npos)
        << relay.Stderr();
    EXPECT_EQ(CountOf(relay.Stderr(), "Éteinte"), 0);

    ExpectEchoThrough(a.localPort, 300000);
    ExpectEchoThrough(b.localPort, 70000);
    EXPECT_FALSE(Listens(off.localPort)) << "a mapping without AutoStart must stay off";

    ASSERT_TRUE(relay.WaitForStderr(kEnded, 10s, 2)) << relay.Stderr();
    EXPECT_EQ(CountOf(relay.Stderr(), kAccepted), 2);
    EXPECT_NE(relay.Stderr().find("\"Écho B\" : client terminé (0 ouvert(s))"), std::string::npos) << relay.Stderr();

    relay.Signal(SIGTERM);
    const auto code = relay.WaitExit(10s);
    ASSERT_TRUE(code.has_value()) << "no exit after SIGTERM";
    EXPECT_EQ(*code, 0) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("SIGTERM"), std::string::npos);
    EXPECT_NE(relay.Stderr().find("Connexions désactivées"), std::string::npos);
    EXPECT_EQ(ReadFile(ini), text) << "the settings file must be left byte for byte as it was";
    EXPECT_FALSE(Listens(a.localPort)) << "the port must be released";
    EXPECT_TRUE(relay.Stdout().empty());
}

TEST_F(RelayCli, ChosenMappingRunsAndSigintClosesOpenConnections)
{
    EchoServer echo;
    const Mapping chosen{"Choisie", FreePort(), echo.Port(), false};
    const Mapping other{"Autre", FreePort(), echo.Port(), true};
    const std::string ini = WriteIni(IniText({other, chosen}));

    ChildProcess relay(kRelay, {"--mapping", "Choisie", "--ini=" + ini});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s)) << relay.Stderr();
    EXPECT_FALSE(Listens(other.localPort)) << "--mapping must activate only the named mapping";

    TestSocket held = ConnectLoopback(chosen.localPort);
    ASSERT_TRUE(held.Valid());
    ASSERT_TRUE(held.SendAll("ping"));
    std::string echoed;
    held.ReadExactly(echoed, 4);
    EXPECT_EQ(echoed, "ping");

    const auto start = std::chrono::steady_clock::now();
    relay.Signal(SIGINT);
    const auto code = relay.WaitExit(10s);
    ASSERT_TRUE(code.has_value()) << "no exit after SIGINT with a connection open";
    EXPECT_EQ(*code, 0) << relay.Stderr();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 7s);
    EXPECT_EQ(held.WaitEvent(1000), End::Reset) << "the stop cuts the relayed connection";
    EXPECT_EQ(CountOf(relay.Stderr(), kEnded), 0) << "no report once deactivation has begun";
}

TEST_F(RelayCli, LogsEachEndedConnectionAndPrintsTheCountersOnSigusr1AndAtTheStop)
{
    EchoServer echo;
    const Mapping m{"Compteurs", FreePort(), echo.Port(), true};
    const std::string ini = WriteIni(IniText({m}));
    ChildProcess relay(kRelay, {"--ini", ini, "--log-connections", "--quiet"});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s)) << relay.Stderr();

    constexpr std::size_t kSize = 123457;
    int clientPort = 0;
    {
        TestSocket client = ConnectLoopback(m.localPort);
        ASSERT_TRUE(client.Valid());
        sockaddr_in a{};
        socklen_t len = sizeof a;
        ::getsockname(client.Fd(), reinterpret_cast<sockaddr*>(&a), &len);
        clientPort = ntohs(a.sin_port);
        const std::string data(kSize, 'c');
        std::thread writer([&] {
            client.SendAll(data);
            client.ShutdownSending();
        });
        std::string back;
        EXPECT_EQ(client.ReadToEnd(back), End::Eof);
        writer.join();
        EXPECT_EQ(back.size(), kSize);
    }
    ASSERT_TRUE(relay.WaitForStderr("fermée par le client", 10s)) << relay.Stderr();
    const std::regex ended("Connexion \"Compteurs\" : client 127\\.0\\.0\\.1:(\\d+) terminé après (\\d+) ms, (\\d+) "
                           "octets du client, (\\d+) octets vers le client, fermée par le client\n");
    std::smatch e;
    ASSERT_TRUE(std::regex_search(relay.Stderr(), e, ended)) << relay.Stderr();
    EXPECT_EQ(std::stoi(e[1]), clientPort);
    EXPECT_LT(std::stol(e[2]), 10000);
    EXPECT_EQ(std::stoul(e[3]), kSize);
    EXPECT_EQ(std::stoul(e[4]), kSize);

    const std::string summary = "Connexion \"Compteurs\" : 0 ouverte(s), 1 depuis l'activation, " +
                                std::to_string(kSize) + " octets des clients, " + std::to_string(kSize) +
                                " octets vers les clients\n";
    relay.Signal(SIGUSR1);
    ASSERT_TRUE(relay.WaitForStderr(summary, 10s)) << relay.Stderr();
    relay.Signal(SIGTERM);
    ASSERT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
    EXPECT_EQ(CountOf(relay.Stderr(), summary), 2) << relay.Stderr();
    EXPECT_LT(relay.Stderr().find(summary), relay.Stderr().find("SIGTERM")) << relay.Stderr();
}

TEST_F(RelayCli, AllWithQuietRunsEveryMappingWithoutConnectionLines)
{
    EchoServer echo;
    const Mapping a{"Un", FreePort(), echo.Port(), false};
    const Mapping b{"Deux", FreePort(), echo.Port(), false};
    const std::string ini = WriteIni(IniText({a, b}));

    ChildProcess relay(kRelay, {"--all", "-q", "--ini", ini});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s, 2)) << relay.Stderr();
    ExpectEchoThrough(a.localPort, 1000);
    ExpectEchoThrough(b.localPort, 1000);
    relay.Signal(SIGTERM);
    ASSERT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
    EXPECT_EQ(CountOf(relay.Stderr(), kAccepted) + CountOf(relay.Stderr(), kEnded), 0) << relay.Stderr();
}

TEST_F(RelayCli, DefaultSettingsFileIsTheDesktopProgramsBesideTheExecutable)
{
    // A copy of the executable in a folder of its own: its default file is <folder>/tarvix.ini.
    const fs::path exe = dir_ / "tarvix-relay";
    fs::copy_file(kRelay, exe);

    const RunResult missing = RunToEnd(exe.string(), {});
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find((dir_ / "tarvix.ini").string() + " : Fichier introuvable"), std::string::npos)
        << missing.err;

    EchoServer echo;
    const Mapping m{"Défaut", FreePort(), echo.Port(), true};
    WriteIni(IniText({m}), "tarvix.ini");
    WriteIni(IniText({{"Piège", FreePort(), echo.Port(), true}}), "tarvix-relay.ini");
    ChildProcess relay(exe.string(), {});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("Défaut"), std::string::npos) << relay.Stderr();
    ExpectEchoThrough(m.localPort, 100);
    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();

    const RunResult help = RunToEnd(exe.string(), {"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find((dir_ / "tarvix.ini").string()), std::string::npos) << help.out;
}

TEST_F(RelayCli, HelpDocumentsOptionsAndExitCodes)
{
    const RunResult r = RunToEnd(kRelay, {"--help"});
    EXPECT_EQ(r.code, 0);
    for (const char* word :
         {"--ini", "--all", "--mapping", "--quiet", "Codes de sortie", "SIGTERM", "--log-connections", "SIGUSR1"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    for (int code = 0; code <= 7; ++code)
        EXPECT_NE(r.out.find("\n  " + std::to_string(code) + "  "), std::string::npos) << code;
    EXPECT_TRUE(r.err.empty());
}

TEST_F(RelayCli, WrongCommandLinesExitWithUsageCode)
{
    const std::string ini = WriteIni(IniText({{"A", FreePort(), 80, true}}));
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "Option inconnue : --bogus"},
        {{"--ini"}, "Valeur manquante pour l'option --ini"},
        {{"--mapping="}, "Valeur manquante pour l'option --mapping"},
        {{"--ini", ini, "--ini", ini}, "Option donnée plusieurs fois : --ini"},
        {{"--quiet=yes"}, "Option inconnue : --quiet=yes"},
        {{"--ini", ini, "extra"}, "Connexion incorrecte : extra"},
        {{"--all", "--mapping", "A", "--ini", ini}, "--all et --mapping"},
    };
    for (const auto& [args, message] : cases) {
        const RunResult r = RunToEnd(kRelay, args);
        EXPECT_EQ(r.code, 2) << message << "\n" << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Voir tarvix-relay --help"), std::string::npos) << r.err;
    }
}

TEST_F(RelayCli, MissingOrUnreadableSettingsFile)
{
    const std::string absent = (dir_ / "absent.ini").string();
    const RunResult r = RunToEnd(kRelay, {"--ini", absent});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find(absent + " : Fichier introuvable"), std::string::npos) << r.err;

    const RunResult folder = RunToEnd(kRelay, {"--ini", dir_.string()});
    EXPECT_EQ(folder.code, 3) << folder.err;
    EXPECT_NE(folder.err.find(dir_.string() + " : "), std::string::npos) << folder.err;
}

TEST_F(RelayCli, ValueThatIsNotAnIntegerNamesItsSection)
{
    for (const auto& [key, bad] :
         std::vector<std::pair<std::string, std::string>>{{"LocalPort", "80a"}, {"Port", "x"}, {"AutoStart", "oui"}}) {
        std::string text = IniText({{"Bon", FreePort(), 80, true}, {"Mauvais", 1, 2, true}});
        const std::string line = key + "=" + (key == "LocalPort" ? "1" : key == "Port" ? "2" : "1") + "\r\n";
        const size_t at = text.rfind(line);
        ASSERT_NE(at, std::string::npos) << key;
        text.replace(at, line.size(), key + "=" + bad + "\r\n");
        const std::string ini = WriteIni(text);

        const RunResult r = RunToEnd(kRelay, {"--ini", ini});
        EXPECT_EQ(r.code, 4) << r.err;
        EXPECT_NE(r.err.find("section [4243] : '" + bad + "' n'est pas une valeur entière correcte"), std::string::npos)
            << r.err;
        EXPECT_EQ(CountOf(r.err, kListening), 0) << "nothing may start before the whole file is read";
        EXPECT_EQ(ReadFile(ini), text);
    }
}

TEST_F(RelayCli, PortOutsideTheTcpRangeIsABadValue)
{
    struct Case {
        int localPort;
        int port;
        std::string expected;
    };
    const int free = FreePort();
    for (const Case& c : {Case{70000, 80, "LocalPort=70000"}, Case{0, 80, "LocalPort=0"},
                          Case{free, 65536, "Port=65536"}, Case{free, -1, "Port=-1"}}) {
        const std::string ini = WriteIni(IniText({{"Hors limites", c.localPort, c.port, true}}));
        const RunResult r = RunToEnd(kRelay, {"--ini", ini});
        EXPECT_EQ(r.code, 4) << r.err;
        EXPECT_NE(r.err.find("section [4242] : " + c.expected + " n'est pas un port entre 1 et 65535"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(CountOf(r.err, kListening), 0) << r.err;
    }
}

TEST_F(RelayCli, StalledStandardErrorHoldsUpNeitherRelayNorStop)
{
    EchoServer echo;
    const Mapping m{"Bavarde", FreePort(), echo.Port(), true};
    ChildProcess relay(kRelay, {"--ini", WriteIni(IniText({m}))}, 4096);
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s)) << relay.Stderr();
    // Nobody reads standard error from here on; 300 clients report far more than its pipe holds.
    for (int i = 0; i < 300; ++i) {
        TestSocket s = ConnectLoopback(m.localPort);
        ASSERT_TRUE(s.Valid());
        ASSERT_TRUE(s.SendAll("x"));
        std::string back;
        ASSERT_EQ(s.ReadExactly(back, 1, 5000), End::Data) << "client " << i << " was not relayed";
    }
    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s, false), std::optional<int>(0));
}

TEST_F(RelayCli, UnknownMappingNameAndNothingToActivate)
{
    const std::string ini = WriteIni(IniText({{"Seule", FreePort(), 80, false}}));
    const RunResult unknown = RunToEnd(kRelay, {"--ini", ini, "--mapping", "Seule", "--mapping", "Nulle part"});
    EXPECT_EQ(unknown.code, 5);
    EXPECT_NE(unknown.err.find("Connexion \"Nulle part\" introuvable dans " + ini), std::string::npos) << unknown.err;
    EXPECT_EQ(CountOf(unknown.err, kListening), 0);

    const RunResult none = RunToEnd(kRelay, {"--ini", ini});
    EXPECT_EQ(none.code, 6);
    EXPECT_NE(none.err.find("Aucune connexion à activer dans " + ini), std::string::npos) << none.err;

    const RunResult empty = RunToEnd(kRelay, {"--all", "--ini", WriteIni("", "empty.ini")});
    EXPECT_EQ(empty.code, 6) << empty.err;
}

TEST_F(RelayCli, PortInUseStopsEverythingWithTheBindError)
{
    int busyPort = 0;
    const TestSocket busy = ListenLoopback(5, busyPort);
    const Mapping first{"Libre", FreePort(), 80, true};
    const Mapping second{"Occupée", busyPort, 80, true};
    const std::string text = IniText({first, second});
    const std::string ini = WriteIni(text);

    const RunResult r = RunToEnd(kRelay, {"--ini", ini});
    EXPECT_EQ(r.code, 7) << r.err;
    EXPECT_NE(r.err.find("Connexion \"Occupée\" (port " + std::to_string(busyPort) + ") : " + kBindError),
              std::string::npos)
        << r.err;
    EXPECT_EQ(CountOf(r.err, "\n"), CountOf(r.err, "tarvix-relay: ") + CountOf(r.err, kListening))
        << "every report is one line:\n"
        << r.err;
    // All or nothing: the mapping that did start was deactivated again before the exit.
    EXPECT_FALSE(Listens(first.localPort));
    EXPECT_EQ(ReadFile(ini), text);
}

} // namespace

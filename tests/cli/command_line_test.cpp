// tarvix-relay with mappings given as LOCALPORT:HOST:PORT, and in the user's language.
#include "RelayCliFixture.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"

#include "i18n/LocaleRegistry.h"

#include <QString>

#include <csignal>
#include <cstdlib>

using namespace tarvix::test;

namespace {

TEST_F(RelayCli, CommandLineMappingsRelayWithoutAnySettingsFile)
{
    EchoServer echo;
    const int a = FreePort();
    const int b = FreePort();
    // A copy in a folder of its own: the desktop program's settings file beside it does not exist.
    const fs::path exe = dir_ / "tarvix-relay";
    fs::copy_file(kRelay, exe);

    ChildProcess relay(exe.string(),
                       {Argument(a, echo.Port()), std::to_string(b) + ":localhost:" + std::to_string(echo.Port())});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s, 2)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("\"" + Argument(a, echo.Port()) + "\" : écoute sur le port " + std::to_string(a)),
              std::string::npos)
        << relay.Stderr();
    ExpectEchoThrough(a, 200000);
    ExpectEchoThrough(b, 3000);
    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
    EXPECT_FALSE(fs::exists(dir_ / "tarvix.ini")) << "no settings file is made up";
}

TEST_F(RelayCli, CommandLineAndSettingsFileMappingsRunTogether)
{
    EchoServer echo;
    const Mapping fromFile{"Fichier", FreePort(), echo.Port(), true};
    const int fromArgument = FreePort();
    ChildProcess relay(kRelay, {"--ini", WriteIni(IniText({fromFile})), Argument(fromArgument, echo.Port())});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s, 2)) << relay.Stderr();
    ExpectEchoThrough(fromFile.localPort, 1000);
    ExpectEchoThrough(fromArgument, 1000);
    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
}

TEST_F(RelayCli, MalformedMappingArgumentsAreRefusedBeforeAnyPortOpens)
{
    const int good = FreePort();
    const std::string valid = Argument(good, 80);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"8080:host", "attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT"},
        {"8080:host:80:1:2", "attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT"},
        {"8080:host:80:1", "8080 n'est pas une adresse IPv4 ou une adresse IPv6 entre crochets"},
        {"::1:8080:host:80", "attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT"},
        {"[::1:8080:host:80", "attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT"},
        {"[127.0.0.1]:8080:host:80", "127.0.0.1 n'est pas une adresse IPv4 ou une adresse IPv6 entre crochets"},
        {"[intranet]:8080:host:80", "intranet n'est pas une adresse IPv4"},
        {"localhost:8080:host:80", "localhost n'est pas une adresse IPv4"},
        {"8080:[intranet]:80", "l'hôte est vide ou contient des espaces"},
        {"8080:[::1]x:80", "attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT"},
        {"[::1]:[8080]:host:80", "attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT"},
        {":host:80", "( n'est pas un port entre 1 et 65535)"},
        {"0:host:80", "0 n'est pas un port entre 1 et 65535"},
        {"65536:host:80", "65536 n'est pas un port entre 1 et 65535"},
        {"8080:host:-1", "-1 n'est pas un port entre 1 et 65535"},
        {"8080:host:8o", "8o n'est pas un port entre 1 et 65535"},
        {"8080::80", "l'hôte est vide"},
        {"8080:my host:80", "l'hôte est vide ou contient des espaces"},
        {std::to_string(good) + ":other:81", "le port local " + std::to_string(good) + " est déjà celui de " + valid},
    };
    for (const auto& [argument, reason] : cases) {
        const RunResult r = RunToEnd(kRelay, {valid, argument});
        EXPECT_EQ(r.code, 2) << argument << "\n" << r.err;
        EXPECT_NE(r.err.find("Connexion incorrecte : " + argument), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << argument << "\n" << r.err;
        EXPECT_EQ(CountOf(r.err, kListening), 0) << "nothing may start before every argument is read";
    }
    for (const char* allow : {"10.0.0.0/33", "intranet"}) {
        const RunResult r = RunToEnd(kRelay, {"--allow", allow, valid});
        EXPECT_EQ(r.code, 2) << r.err;
        EXPECT_NE(r.err.find(std::string("Option --allow : Adresse ou réseau incorrect : ") + allow), std::string::npos)
            << r.err;
    }
    // The same port on two different addresses is fine; on an address and the wildcard it is not.
    const RunResult clash = RunToEnd(kRelay, {"127.0.0.1:" + valid, "[::]:" + std::to_string(good) + ":h:80"});
    EXPECT_EQ(clash.code, 2) << clash.err;
    EXPECT_NE(clash.err.find("est déjà celui de 127.0.0.1:" + valid), std::string::npos) << clash.err;
    const RunResult selection = RunToEnd(kRelay, {"--all", valid});
    EXPECT_EQ(selection.code, 2) << selection.err;
    EXPECT_NE(selection.err.find("ajoutez --ini"), std::string::npos) << selection.err;
}

TEST_F(RelayCli, ListenAddressesAndAnAllowListOnTheCommandLine)
{
    EchoServer echo;
    const int local = FreePort();
    const int refusing = FreePort();
    const std::string remote = ":127.0.0.1:" + std::to_string(echo.Port());
    ChildProcess relay(kRelay, {"--log-connections", "--allow", "10.0.0.0/8, 127.0.0.1",
                                "127.0.0.1:" + std::to_string(local) + remote,
                                "127.0.0.1:" + std::to_string(refusing) + ":[::1]:9"});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s, 2)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("écoute sur l'adresse 127.0.0.1"), std::string::npos) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("clients admis : 10.0.0.0/8, 127.0.0.1"), std::string::npos) << relay.Stderr();
    ExpectEchoThrough(local, 5000);
    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();

    // A client outside the list: reset at once, never relayed, and logged with its address.
    ChildProcess strict(
        kRelay, {"--log-connections", "--allow", "192.168.0.0/16", "127.0.0.1:" + std::to_string(local) + remote});
    ASSERT_TRUE(strict.WaitForStderr(kListening, 10s)) << strict.Stderr();
    TestSocket client = ConnectLoopback(local);
    ASSERT_TRUE(client.Valid());
    std::string got;
    EXPECT_EQ(client.ReadToEnd(got, 5000), End::Reset);
    EXPECT_TRUE(strict.WaitForStderr("client 127.0.0.1 port ", 5s)) << strict.Stderr();
    EXPECT_NE(strict.Stderr().find("refusé (hors de la liste AllowFrom)"), std::string::npos) << strict.Stderr();
    EXPECT_EQ(echo.Accepted(), 1) << "only the first run's client reached the remote";
    strict.Signal(SIGTERM);
    EXPECT_EQ(strict.WaitExit(10s), std::optional<int>(0)) << strict.Stderr();
}

TEST_F(RelayCli, AMappingOntoItsOwnPortIsRefusedAtStartAndByTheCheckAlike)
{
    const int port = FreePort();
    const std::string self = Argument(port, port);
    const std::string reason = "L'hôte distant 127.0.0.1 et le port " + std::to_string(port) +
                               " mènent au port d'écoute de la connexion elle-même";
    const RunResult start = RunToEnd(kRelay, {self});
    EXPECT_EQ(start.code, 7) << start.err;
    EXPECT_NE(start.err.find(reason), std::string::npos) << start.err;
    EXPECT_EQ(CountOf(start.err, kListening), 0) << start.err;

    const std::string ini = WriteIni(IniText({{"Boucle", port, port, true, "localhost"}}));
    const RunResult fromFile = RunToEnd(kRelay, {"--ini", ini});
    const RunResult check = RunToEnd(kRelay, {"--ini", ini, "--check"});
    EXPECT_EQ(fromFile.code, 7) << fromFile.err;
    EXPECT_EQ(check.code, fromFile.code) << check.err;
    EXPECT_NE(check.err.find("Connexion \"Boucle\" (port " + std::to_string(port) + ") : L'hôte distant localhost"),
              std::string::npos)
        << check.err;
    EXPECT_FALSE(Listens(port));
}

// The language follows the environment like the desktop program's; a choice stored for "tarvix" beside the
// relay comes first.
TEST_F(RelayCli, LanguageComesFromTheStoredChoiceThenTheEnvironment)
{
    EchoServer echo;
    const auto listeningLine = [&](const char* lang) {
        setenv("LANG", lang, 1);
        const int port = FreePort();
        ChildProcess relay(kRelay, {Argument(port, echo.Port())});
        EXPECT_TRUE(relay.WaitForStderr(std::to_string(port), 10s)) << relay.Stderr();
        relay.Signal(SIGTERM);
        EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
        return relay.Stderr();
    };

    const std::string german = listeningLine("de_DE.UTF-8");
    EXPECT_NE(german.find("lauscht auf Port"), std::string::npos) << german;
    EXPECT_NE(german.find("Weiterleitungen deaktiviert"), std::string::npos) << german;
    setenv("LANG", "de_DE.UTF-8", 1);
    const RunResult help = RunToEnd(kRelay, {"--help"});
    EXPECT_NE(help.out.find("Aufruf: tarvix-relay"), std::string::npos) << help.out;
    setenv("LC_ALL", "it_IT.UTF-8", 1); // LC_ALL comes before LANG
    const RunResult italian = RunToEnd(kRelay, {"--help"});
    EXPECT_NE(italian.out.find("Uso: tarvix-relay"), std::string::npos) << italian.out;
    unsetenv("LC_ALL");

    // As gettext: LANGUAGE first (its first language with a module), silenced by the C locale; C, POSIX and
    // languages without a module give English, not the built-in French.
    for (const char* lang : {"C", "POSIX", "C.UTF-8", "es_ES.UTF-8", "xx_YY.UTF-8"})
        EXPECT_NE(listeningLine(lang).find("listening on port"), std::string::npos) << lang;
    setenv("LANGUAGE", "es:de:fr", 1);
    EXPECT_NE(listeningLine("it_IT.UTF-8").find("lauscht auf Port"), std::string::npos);
    EXPECT_NE(listeningLine("C").find("listening on port"), std::string::npos)
        << "LANGUAGE counts only beside a locale";
    setenv("LANGUAGE", "fr:de", 1);
    EXPECT_NE(listeningLine("de_DE.UTF-8").find(kListening), std::string::npos) << "French is built in";
    unsetenv("LANGUAGE");

    const QString program = QString::fromStdString((fs::canonical(kRelay).parent_path() / "tarvix").string());
    tarvix::TLocaleRegistry(tarvix::TLocaleRegistry::DefaultUserFile(), QString()).WriteUserValue(program, "ENU");
    const std::string english = listeningLine("de_DE.UTF-8");
    EXPECT_NE(english.find("listening on port"), std::string::npos) << english;
}

} // namespace

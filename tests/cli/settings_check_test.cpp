// What tarvix-relay says about its settings file: the help of a first run, warnings about what is almost
// surely a mistake, --check, and text from the file shown safely.
#include "RelayCliFixture.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"

#include <csignal>
#include <sstream>

using namespace tarvix::test;

namespace {

// The lines from the first one that opens a section up to the empty line after it.
std::string ExampleIn(const std::string& output)
{
    std::istringstream in(output);
    std::string line;
    std::string example;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!inside && line.starts_with("["))
            inside = true;
        if (!inside)
            continue;
        if (line.empty())
            break;
        example += line + "\r\n";
    }
    return example;
}

int LocalPortOf(const std::string& example)
{
    const size_t at = example.find("LocalPort=");
    return at == std::string::npos ? 0 : std::stoi(example.substr(at + 10));
}

TEST_F(RelayCli, FirstRunPrintsAnExampleThatRelaysOncePasted)
{
    struct Case {
        std::string file;
        bool exists;
        int code;
    };
    for (const Case& c : {Case{"absent.ini", false, 3}, Case{"vide.ini", true, 6}}) {
        const std::string ini = (dir_ / c.file).string();
        if (c.exists)
            WriteIni("", c.file);
        const RunResult first = RunToEnd(kRelay, {"--ini", ini});
        EXPECT_EQ(first.code, c.code) << first.err;
        EXPECT_NE(first.err.find("écrivez dans " + ini), std::string::npos) << first.err;
        EXPECT_NE(first.err.find("Ou, sans fichier de paramètres : tarvix-relay "), std::string::npos) << first.err;
        const std::string example = ExampleIn(first.err);
        for (const char* key : {"Name=", "LocalPort=", "Address=", "Port=", "AutoStart=1"})
            EXPECT_NE(example.find(std::string("\r\n") + key), std::string::npos) << key << "\n" << first.err;

        WriteIni(example, c.file);
        const int port = LocalPortOf(example);
        ChildProcess relay(kRelay, {"--ini", ini});
        ASSERT_TRUE(relay.WaitForStderr(kListening + " " + std::to_string(port), 10s)) << relay.Stderr();
        EXPECT_TRUE(Listens(port));
        EXPECT_TRUE(relay.WaitForStderr(kAccepted, 10s)) << relay.Stderr();
        relay.Signal(SIGTERM);
        EXPECT_EQ(relay.WaitExit(15s), std::optional<int>(0)) << relay.Stderr();
        EXPECT_EQ(CountOf(relay.Stderr(), "Attention"), 0) << "the example must hold nothing suspicious";
    }
}

TEST_F(RelayCli, SuspiciousSettingsAreNamedAndStillStartAsTheStoreReadsThem)
{
    EchoServer echo;
    const int noPort = FreePort();
    const int shared = FreePort();
    const int spacedValue = FreePort();
    std::ostringstream s;
    s << "[sans-port]\r\nName=SansPort\r\nLocalPort=" << noPort << "\r\nAddress=127.0.0.1\r\nAutoStart=1\r\n\r\n"
      << "[espaces]\r\nName=Espaces\r\nLocalPort = " << spacedValue << "\r\nAddress=127.0.0.1\r\nPort=" << echo.Port()
      << "\r\nAutoStart=0\r\nligne sans egal\r\n; commentaire = rien\r\n\r\n"
      << "[vide]\r\nName=Vide\r\nLocalPort=" << shared << "\r\nAddress=\r\nPort=" << echo.Port()
      << "\r\nAutoStart=0\r\n\r\n"
      << "[premier]\r\nName=Premier\r\nLocalPort=" << shared << "\r\nAddress=127.0.0.1\r\nPort=" << echo.Port()
      << "\r\nAutoStart=1\r\n\r\n"
      << "[sans-adresse]\r\nName=SansAdresse\r\nAutoStart=0\r\n\r\n"
      << "[port-colle]\r\nName=PortColle\r\nLocalPort=" << FreePort() << "\r\nAddress=127.0.0.1:80\r\nPort=80"
      << "\r\nAutoStart=256\r\n\r\n"
      << "[hors-plage]\r\nName=HorsPlage\r\nLocalPort=" << FreePort() << "\r\nAddress=999.1.1.1\r\nPort=80"
      << "\r\nAutoStart=0\r\n";
    const std::string ini = WriteIni(s.str());
    const std::vector<std::string> expected = {
        ini + ", section [sans-port] : pas de clé Port, la connexion relaie vers le port 80",
        ini + ", section [espaces] : la clé \"LocalPort \" a des espaces autour et n'est pas lue comme LocalPort",
        ini + ", section [espaces] : la ligne \"ligne sans egal\" n'a pas de signe =",
        ini + ", section [vide] : Address est vide",
        ini + ", sections [vide] et [premier] : deux connexions sur le port local " + std::to_string(shared),
        ini + ", section [sans-adresse] : pas de clé LocalPort, la connexion écoute sur le port 1024",
        ini + ", section [sans-adresse] : pas de clé Address",
        ini + ", section [sans-adresse] : pas de clé Port",
        // The spaced key reads as no LocalPort at all, so that mapping would listen on 1024 too.
        ini + ", sections [espaces] et [sans-adresse] : deux connexions sur le port local 1024",
        ini + ", section [port-colle] : Address=127.0.0.1:80 n'est ni une adresse ni un nom d'hôte",
        ini + ", section [port-colle] : AutoStart=256 n'est ni 0 ni 1 ; seul son octet de poids faible compte, "
              "il est lu comme 0",
        ini + ", section [hors-plage] : Address=999.1.1.1 n'est ni une adresse ni un nom d'hôte",
    };

    const RunResult check = RunToEnd(kRelay, {"--ini", ini, "--check"});
    EXPECT_EQ(check.code, 0) << "warnings do not fail a check\n" << check.err;
    for (const std::string& line : expected)
        EXPECT_EQ(CountOf(check.err, line), 1) << line << "\n" << check.err;
    EXPECT_EQ(CountOf(check.err, "Attention : "), static_cast<int>(expected.size())) << check.err;
    EXPECT_EQ(CountOf(check.err, "commentaire"), 0) << check.err;
    EXPECT_EQ(CountOf(check.err, "\" : " + kListening), 0) << "--check starts nothing";

    // What starts is what the store reads: without Port the mapping relays to 80; of two mappings on one port
    // the first one listens.
    ChildProcess relay(kRelay, {"--ini", ini});
    ASSERT_TRUE(relay.WaitForStderr("\"Premier\" : " + kListening, 10s)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("\"SansPort\" : écoute sur le port " + std::to_string(noPort) +
                                  ", relais vers 127.0.0.1 port 80"),
              std::string::npos)
        << relay.Stderr();
    ExpectEchoThrough(shared, 1000);
    relay.Signal(SIGTERM);
    EXPECT_TRUE(relay.WaitExit(10s).has_value());
}

TEST_F(RelayCli, Utf16FileIsNamedAndErrorsFailTheCheck)
{
    const std::string text = IniText({{"Large", FreePort(), 80, true}});
    std::string utf16 = "\xFF\xFE";
    for (char c : text)
        utf16 += std::string{c, '\0'};
    const RunResult r = RunToEnd(kRelay, {"--ini", WriteIni(utf16, "utf16.ini"), "--check"});
    EXPECT_NE(r.err.find("utf16.ini semble écrit en UTF-16"), std::string::npos) << r.err;

    std::string bad = IniText({{"Mauvaise", FreePort(), 80, true}});
    bad.replace(bad.find("Port=80"), 7, "Port=quatre-vingts");
    const RunResult error = RunToEnd(kRelay, {"--ini", WriteIni(bad), "--check"});
    EXPECT_EQ(error.code, 4) << error.err;
    EXPECT_NE(error.err.find("'quatre-vingts' n'est pas une valeur entière correcte"), std::string::npos) << error.err;
    EXPECT_EQ(CountOf(error.err, "Vérification terminée"), 0) << error.err;

    EXPECT_EQ(RunToEnd(kRelay, {"--ini", (dir_ / "absent.ini").string(), "--check"}).code, 3);
}

// A typo in a remote name shows at the check, not at the first client; ".invalid" never resolves.
TEST_F(RelayCli, CheckWarnsOfRemoteNamesThatDoNotResolve)
{
    const Mapping known{"Connue", FreePort(), 80, true};
    const Mapping typo{"Faute", FreePort(), 80, true, "nulle-part.invalid"};
    const std::string ini = WriteIni(IniText({known, typo}));
    const RunResult r = RunToEnd(kRelay, {"--ini", ini, "--check", Argument(FreePort(), 80)});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(CountOf(r.err, "ne se résout pas"), 1) << r.err;
    EXPECT_NE(r.err.find(ini + ", section [4243] : l'hôte distant nulle-part.invalid ne se résout pas : "),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("3 connexion(s) à activer, 1 avertissement(s)"), std::string::npos) << r.err;
}

TEST_F(RelayCli, TextFromTheFileIsShownEscapedAndShortened)
{
    EchoServer echo;
    const std::string longName(250, 'n');
    const Mapping hostile{"Rouge\x1b[31m\x07", FreePort(), echo.Port(), true};
    const Mapping wordy{longName, FreePort(), echo.Port(), true};
    std::string text = IniText({hostile, wordy});
    text += "[\x1b]0;titre\x07]\r\nName=x\r\nLocalPort=abc\r\n"; // a bad value in a section with a hostile name
    const std::string ini = WriteIni(text);
    const RunResult r = RunToEnd(kRelay, {"--ini", ini});
    EXPECT_EQ(r.code, 4);
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << "no escape character may reach the terminal";
    EXPECT_EQ(r.err.find('\x07'), std::string::npos);

    std::string fixed = IniText({hostile, wordy});
    ChildProcess relay(kRelay, {"--ini", WriteIni(fixed)});
    ASSERT_TRUE(relay.WaitForStderr(kListening, 10s, 2)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("\"Rouge\\x1b[31m\\x07\" : écoute"), std::string::npos) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("\"" + std::string(199, 'n') + "…\" : écoute"), std::string::npos) << relay.Stderr();
    EXPECT_EQ(relay.Stderr().find(std::string(200, 'n')), std::string::npos);
    relay.Signal(SIGTERM);
    EXPECT_TRUE(relay.WaitExit(10s).has_value());
    EXPECT_EQ(relay.Stderr().find('\x1b'), std::string::npos);
}

} // namespace

TEST_F(RelayCli, BadListenAddressOrAllowListFailsTheCheckNamingKeySectionAndValue)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ListenAddress=192.168.1.300",
         "section [4242] : ListenAddress=192.168.1.300 n'est pas une adresse IPv4 ou IPv6"},
        {"ListenAddress=intranet", "section [4242] : ListenAddress=intranet n'est pas"},
        {"AllowFrom=10.0.0.0/8, 300.1.1.1",
         "section [4242] : AllowFrom=10.0.0.0/8, 300.1.1.1 : Adresse ou réseau incorrect : 300.1.1.1"},
        {"AllowFrom=fd00::/200", "AllowFrom=fd00::/200 : Adresse ou réseau incorrect : fd00::/200"},
    };
    for (const auto& [line, message] : cases) {
        std::string text = IniText({{"A", 8080, 80, true}});
        text.insert(text.find("AutoStart"), line + "\r\n");
        const RunResult r = RunToEnd(kRelay, {"--check", "--ini", WriteIni(text)});
        EXPECT_EQ(r.code, 4) << line << "\n" << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << line << "\n" << r.err;
    }
    std::string good = IniText({{"A", 8080, 80, true}});
    good.insert(good.find("AutoStart"), "ListenAddress=::1\r\nAllowFrom=127.0.0.0/8, ::1\r\n");
    const RunResult r = RunToEnd(kRelay, {"--check", "--ini", WriteIni(good)});
    EXPECT_EQ(r.code, 0) << r.err;
}

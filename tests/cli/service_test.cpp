// tarvix-relay as a service: readiness for the service manager, reload on SIGHUP, and a stop that does not
// grow with the number of mappings.
#include "RelayCliFixture.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"
#include "support/Waiting.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace tarvix::test;

namespace {

// The service manager's end of the readiness protocol: a datagram socket named by NOTIFY_SOCKET.
class NotifySocket {
public:
    explicit NotifySocket(const fs::path& path) : fd_(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
        setenv("NOTIFY_SOCKET", path.c_str(), 1);
    }
    ~NotifySocket() { ::close(fd_); }

    // The next message, empty when none comes in time.
    std::string Next(std::chrono::milliseconds timeout)
    {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0)
            return {};
        char buffer[4096];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    }

    // Reads messages until one holds `needle`; it is returned, empty when none came in time.
    std::string WaitFor(const std::string& needle, std::chrono::milliseconds timeout)
    {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            std::string m = Next(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()));
            if (m.find(needle) != std::string::npos)
                return m;
        }
        return {};
    }

private:
    int fd_;
};

TEST_F(RelayCli, ReadyOnlyOnceEveryPortListensAndStoppingAtSigterm)
{
    NotifySocket manager(dir_ / "notify");
    EchoServer echo;
    const int a = FreePort();
    const int b = FreePort();
    ChildProcess relay(kRelay, {Argument(a, echo.Port()), Argument(b, echo.Port())});

    const std::string ready = manager.WaitFor("READY=1", 10s);
    ASSERT_FALSE(ready.empty()) << relay.Stderr();
    // At this moment, before anything else is waited for, both ports must take clients.
    TestSocket first = ConnectLoopback(a);
    TestSocket second = ConnectLoopback(b);
    EXPECT_TRUE(first.Valid() && second.Valid()) << "READY=1 came before the ports listened";
    EXPECT_NE(ready.find("STATUS=2 connexion(s) active(s)"), std::string::npos) << ready;
    first.Close();
    second.Close();

    relay.Signal(SIGTERM);
    EXPECT_FALSE(manager.WaitFor("STOPPING=1", 10s).empty());
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
}

TEST_F(RelayCli, ReloadKeepsUnchangedMappingsAndTheirConnections)
{
    NotifySocket manager(dir_ / "notify");
    EchoServer echo;
    const Mapping kept{"Gardée", FreePort(), echo.Port(), true};
    const Mapping changed{"Changée", FreePort(), echo.Port(), true};
    const Mapping removed{"Retirée", FreePort(), echo.Port(), true};
    const std::string ini = WriteIni(IniText({kept, changed, removed}));
    ChildProcess relay(kRelay, {"--ini", ini});
    ASSERT_FALSE(manager.WaitFor("READY=1", 10s).empty()) << relay.Stderr();

    TestSocket throughKept = ConnectLoopback(kept.localPort);
    TestSocket throughChanged = ConnectLoopback(changed.localPort);
    std::string back;
    ASSERT_TRUE(throughKept.SendAll("avant"));
    ASSERT_EQ(throughKept.ReadExactly(back, 5), End::Data);
    ASSERT_TRUE(throughChanged.SendAll("avant"));
    ASSERT_EQ(throughChanged.ReadExactly(back, 5), End::Data);

    // Sections keep their ids (4242, 4243): the second one changes its port, the third (4244) goes, a new
    // section comes.
    Mapping moved = changed;
    moved.localPort = FreePort();
    const Mapping added{"Ajoutée", FreePort(), echo.Port(), true};
    WriteIni(IniText({kept, moved}) + IniText({added}, 4300));
    relay.Signal(SIGHUP);
    ASSERT_TRUE(relay.WaitForStderr("Rechargement terminé : 3 connexion(s) active(s)", 10s)) << relay.Stderr();
    EXPECT_FALSE(manager.WaitFor("RELOADING=1", 5s).empty());
    EXPECT_FALSE(manager.WaitFor("READY=1", 5s).empty());
    const std::string& err = relay.Stderr();
    EXPECT_NE(err.find("\"Gardée\" : inchangée"), std::string::npos) << err;
    EXPECT_NE(err.find("\"Changée\" : modifiée, écoute sur le port " + std::to_string(moved.localPort)),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("\"Ajoutée\" : ajoutée, écoute sur le port " + std::to_string(added.localPort)),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("\"Retirée\" : retirée, désactivée"), std::string::npos) << err;

    back.clear();
    ASSERT_TRUE(throughKept.SendAll("après"));
    EXPECT_EQ(throughKept.ReadExactly(back, 6, 5000), End::Data) << "the unchanged mapping's client was cut";
    EXPECT_EQ(back, "après");
    const End cut = throughChanged.WaitEvent(5000);
    EXPECT_TRUE(cut == End::Eof || cut == End::Reset) << "the changed mapping keeps a client of its old values";
    EXPECT_FALSE(Listens(changed.localPort));
    EXPECT_FALSE(Listens(removed.localPort));
    ExpectEchoThrough(moved.localPort, 1000);
    ExpectEchoThrough(added.localPort, 1000);

    // A typo changes nothing: every mapping goes on, and so does the open connection.
    std::string broken = IniText({kept, added});
    const std::string port = "\nPort=" + std::to_string(echo.Port());
    broken.replace(broken.find(port), port.size(), "\nPort=quatre-vingts");
    WriteIni(broken);
    relay.Signal(SIGHUP);
    ASSERT_TRUE(relay.WaitForStderr("Rechargement abandonné, rien n'a changé", 10s)) << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("'quatre-vingts' n'est pas une valeur entière"), std::string::npos) << relay.Stderr();
    for (int port : {kept.localPort, moved.localPort, added.localPort})
        ExpectEchoThrough(port, 100);
    back.clear();
    ASSERT_TRUE(throughKept.SendAll("encore"));
    EXPECT_EQ(throughKept.ReadExactly(back, 6, 5000), End::Data);

    fs::remove(ini);
    relay.Signal(SIGHUP);
    ASSERT_TRUE(relay.WaitForStderr("Rechargement abandonné, rien n'a changé", 10s, 2)) << relay.Stderr();
    ExpectEchoThrough(kept.localPort, 100);

    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
}

// A reload must never lose a running mapping: a change that cannot start (its new port is busy) leaves the old
// one serving its clients and is counted in the status; a file that would leave nothing changes nothing, and
// --check says of it what a start says.
TEST_F(RelayCli, ReloadThatCannotApplyAChangeKeepsTheOldMappingServing)
{
    NotifySocket manager(dir_ / "notify");
    EchoServer echo;
    EchoServer busy; // its port is taken
    const Mapping a{"Alpha", FreePort(), echo.Port(), true};
    const Mapping b{"Beta", FreePort(), echo.Port(), true};
    const std::string ini = WriteIni(IniText({a, b}));
    ChildProcess relay(kRelay, {"--ini", ini});
    ASSERT_FALSE(manager.WaitFor("READY=1", 10s).empty()) << relay.Stderr();
    TestSocket client = ConnectLoopback(a.localPort);
    std::string back;
    ASSERT_TRUE(client.SendAll("un"));
    ASSERT_EQ(client.ReadExactly(back, 2), End::Data);

    Mapping onBusy = a;
    onBusy.localPort = busy.Port();
    WriteIni(IniText({onBusy, b}));
    relay.Signal(SIGHUP);
    ASSERT_TRUE(relay.WaitForStderr("Rechargement terminé : 2 connexion(s) active(s), 1 non appliquée(s)", 10s))
        << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("\"Alpha\" : la nouvelle version ne démarre pas, l'ancienne reste active"),
              std::string::npos)
        << relay.Stderr();
    EXPECT_NE(relay.Stderr().find("\"Alpha\" (port " + std::to_string(busy.Port()) + ") : "), std::string::npos)
        << "the reason is logged with the name\n"
        << relay.Stderr();
    EXPECT_FALSE(manager.WaitFor("STATUS=2 connexion(s) active(s), 1 non appliquée(s)", 5s).empty());
    back.clear();
    ASSERT_TRUE(client.SendAll("deux"));
    EXPECT_EQ(client.ReadExactly(back, 4, 5000), End::Data) << "the old mapping's client was cut";
    ExpectEchoThrough(a.localPort, 1000);

    // Files that would leave no mapping change nothing, and --check refuses them as a start does.
    for (const std::string& nothing : {std::string(), std::string("; rien\r\n# encore rien\r\n")}) {
        WriteIni(nothing);
        const RunResult check = RunToEnd(kRelay, {"--ini", ini, "--check"});
        const RunResult start = RunToEnd(kRelay, {"--ini", ini});
        EXPECT_EQ(check.code, 6) << check.err;
        EXPECT_EQ(check.code, start.code);
        EXPECT_NE(check.err.find("Aucune connexion à activer dans " + ini), std::string::npos) << check.err;
        relay.Signal(SIGHUP);
        ASSERT_TRUE(relay.WaitForStderr("Rechargement abandonné, rien n'a changé : Aucune connexion à activer", 10s,
                                        nothing.empty() ? 1 : 2))
            << relay.Stderr();
    }
    ExpectEchoThrough(a.localPort, 100);
    ExpectEchoThrough(b.localPort, 100);

    // A change that can start replaces the old one as before, and the status forgets the failure.
    Mapping moved = a;
    moved.localPort = FreePort();
    WriteIni(IniText({moved, b}));
    relay.Signal(SIGHUP);
    ASSERT_TRUE(relay.WaitForStderr("Rechargement terminé : 2 connexion(s) active(s)\n", 10s)) << relay.Stderr();
    EXPECT_FALSE(manager.WaitFor("STATUS=2 connexion(s) active(s)", 5s).empty());
    ExpectEchoThrough(moved.localPort, 1000);
    EXPECT_FALSE(Listens(a.localPort));
    const End cut = client.WaitEvent(5000);
    EXPECT_TRUE(cut == End::Eof || cut == End::Reset) << "the replaced mapping keeps a client of its old values";

    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
}

// The service before its first mapping: ready, saying so in its status, and relaying after a reload.
TEST_F(RelayCli, ServiceWithoutMappingWaitsForAReload)
{
    NotifySocket manager(dir_ / "notify");
    const std::string ini = WriteIni("; rien pour l'instant\r\n");
    EXPECT_EQ(RunToEnd(kRelay, {"--ini", ini, "--service", "--check"}).code, 0);
    ChildProcess relay(kRelay, {"--ini", ini, "--all", "--service"});
    const std::string ready = manager.WaitFor("READY=1", 10s);
    EXPECT_NE(ready.find("STATUS=Aucune connexion à activer dans " + ini + " : en attente d'un rechargement"),
              std::string::npos)
        << ready << relay.Stderr();

    EchoServer echo;
    const Mapping m{"Première", FreePort(), echo.Port(), false};
    WriteIni(IniText({m}));
    relay.Signal(SIGHUP);
    ASSERT_TRUE(relay.WaitForStderr("Rechargement terminé : 1 connexion(s) active(s)", 10s)) << relay.Stderr();
    ExpectEchoThrough(m.localPort, 1000);
    relay.Signal(SIGTERM);
    EXPECT_EQ(relay.WaitExit(10s), std::optional<int>(0)) << relay.Stderr();
}

// Closing a mapping waits a while for its connections' threads: one after another, 200 mappings would take
// well over a minute to stop (past the service manager's stop timeout).
TEST_F(RelayCli, ManyIdleMappingsStopAboutAsFastAsOne)
{
    constexpr int kMappings = 200;
    std::vector<std::string> args = {"-q"};
    for (int port : FreePorts(kMappings))
        args.push_back(Argument(port, 9));
    ChildProcess relay(kRelay, args);
    // Generous limits: sanitizer builds on a loaded machine are slow, and one after another the stop would
    // still take 100 s.
    ASSERT_TRUE(relay.WaitForStderr(kListening, 90s, kMappings)) << relay.Stderr();

    const auto start = Clock::now();
    relay.Signal(SIGTERM);
    const auto code = relay.WaitExit(60s);
    ASSERT_TRUE(code.has_value()) << "still stopping after 60 s";
    EXPECT_EQ(*code, 0) << relay.Stderr();
    EXPECT_LT(MsSince(start), 40000) << "the stop grows with the number of mappings";
    std::printf("stopping %d idle mappings took %ld ms\n", kMappings, MsSince(start));
}

// A start that runs out of descriptors part way closes what it started; a stop asked for meanwhile is obeyed.
TEST_F(RelayCli, StartFailingAtTheDescriptorLimitEndsPromptlyOnSigterm)
{
    std::vector<std::string> args = {"-c", "ulimit -n 80 && exec \"$0\" \"$@\"", kRelay, "-q"};
    for (int port : FreePorts(120))
        args.push_back(Argument(port, 9));
    ChildProcess relay("/bin/sh", args);
    ASSERT_TRUE(relay.WaitForStderr("tarvix-relay: Connexion", 30s)) << relay.Stderr();
    ASSERT_GT(CountOf(relay.Stderr(), kListening), 10) << "too few mappings started for the test to tell\n"
                                                       << relay.Stderr();
    const auto start = Clock::now();
    relay.Signal(SIGTERM);
    const auto code = relay.WaitExit(30s);
    ASSERT_TRUE(code.has_value()) << "the unwinding ignored SIGTERM";
    EXPECT_EQ(*code, 7) << relay.Stderr();
    EXPECT_LT(MsSince(start), 5000) << relay.Stderr();
}

} // namespace

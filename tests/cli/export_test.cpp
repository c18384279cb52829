// tarvix-relay --export: the configurations pass haproxy's and nginx's own checks, and the real programs relay
// every mapping and refuse whom tarvix-relay refuses.
#include "RelayCliFixture.h"
#include "support/EchoServer.h"
#include "support/Loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <thread>

using namespace tarvix::test;

namespace {

enum class Target { Haproxy, Nginx };

const char* TargetName(Target t)
{
    return t == Target::Haproxy ? "haproxy" : "nginx";
}

// The program, or an empty text when it is not installed.
std::string ProgramOf(Target t)
{
    if (t == Target::Haproxy)
        return fs::exists("/usr/sbin/haproxy") ? "/usr/sbin/haproxy" : "";
    const bool stream = fs::exists("/usr/lib/nginx/modules/ngx_stream_module.so");
    return fs::exists("/usr/sbin/nginx") && stream ? "/usr/sbin/nginx" : "";
}

#define SKIP_WITHOUT(target)                                                                                           \
    if (ProgramOf(target).empty())                                                                                     \
    GTEST_SKIP() << TargetName(target) << " (with nginx, its stream module) is not installed; "                        \
                 << "scripts/setup-proxies installs it"

// The program's own check of a configuration file.
RunResult Check(Target t, const fs::path& config, const fs::path& dir)
{
    if (t == Target::Haproxy)
        return RunToEnd(ProgramOf(t), {"-c", "-f", config.string()});
    return RunToEnd(ProgramOf(t), {"-t", "-c", config.string(), "-p", dir.string(), "-e", "stderr", "-g",
                                   "pid " + (dir / "nginx.pid").string() + ";"});
}

// The program in the foreground, one process, on the configuration.
std::unique_ptr<ChildProcess> Start(Target t, const fs::path& config, const fs::path& dir)
{
    if (t == Target::Haproxy)
        return std::make_unique<ChildProcess>(ProgramOf(t), std::vector<std::string>{"-db", "-f", config.string()});
    return std::make_unique<ChildProcess>(
        ProgramOf(t),
        std::vector<std::string>{"-c", config.string(), "-p", dir.string(), "-e", "stderr", "-g",
                                 "daemon off; master_process off; pid " + (dir / "nginx.pid").string() + ";"});
}

// Whether a socket of this machine listens on the port, read from the kernel's tables: a test connection
// would be relayed and reach the remote, which the tests count.
bool SomeoneListensOn(int port)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, ":%04X", port);
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::ifstream in(table);
        std::string local, remote, state;
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            std::string slot;
            fields >> slot >> local >> remote >> state;
            if (state == "0A" && local.size() > 5 && local.compare(local.size() - 5, 5, hex) == 0)
                return true;
        }
    }
    return false;
}

TestSocket Connect(const std::string& ip, int port)
{
    sockaddr_storage a{};
    socklen_t size = 0;
    if (ip.find(':') == std::string::npos) {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&a);
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<uint16_t>(port));
        inet_pton(AF_INET, ip.c_str(), &v4->sin_addr);
        size = sizeof *v4;
    } else {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&a);
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<uint16_t>(port));
        inet_pton(AF_INET6, ip.c_str(), &v6->sin6_addr);
        size = sizeof *v6;
    }
    TestSocket s(::socket(a.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (::connect(s.Fd(), reinterpret_cast<const sockaddr*>(&a), size) != 0)
        s.Close();
    return s;
}

// Sends a block of random bytes, ends the sending side, then reads until the end: the whole block must come
// back, then the end of stream.
void ExpectEchoAfterHalfClose(const std::string& ip, int port, std::size_t size)
{
    SCOPED_TRACE(ip + " port " + std::to_string(port));
    TestSocket s = Connect(ip, port);
    ASSERT_TRUE(s.Valid()) << "refused";
    std::string data(size, '\0');
    std::mt19937 rng(static_cast<unsigned>(port));
    for (auto& c : data)
        c = static_cast<char>(rng());
    bool sent = false;
    // Sent from a thread, so a proxy that echoes before the end does not stall on a full pipe.
    std::thread writer([&] {
        sent = s.SendAll(data);
        s.ShutdownSending();
    });
    std::string back;
    const End end = s.ReadToEnd(back);
    writer.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(end, End::Eof);
    EXPECT_EQ(back.size(), size);
    EXPECT_TRUE(back == data) << "the relayed bytes differ";
}

// A client the proxy must not let through: no byte back, and the remote never sees it.
void ExpectRefused(const std::string& ip, int port, const EchoServer& echo)
{
    SCOPED_TRACE(ip + " port " + std::to_string(port));
    const int before = echo.Accepted();
    TestSocket s = Connect(ip, port);
    ASSERT_TRUE(s.Valid()) << "the proxy does not listen";
    s.SendAll(std::string("refuse me"));
    s.ShutdownSending();
    std::string back;
    const End end = s.ReadToEnd(back, 5000);
    EXPECT_TRUE(end == End::Eof || end == End::Reset);
    EXPECT_EQ(back, "");
    EXPECT_EQ(echo.Accepted(), before) << "the remote was reached";
}

std::string Section(int id, const std::string& name, int localPort, int port, const std::string& extra,
                    const std::string& address = "127.0.0.1")
{
    return "[" + std::to_string(id) + "]\r\nName=" + name + "\r\nLocalPort=" + std::to_string(localPort) +
           "\r\nAddress=" + address + "\r\nPort=" + std::to_string(port) + "\r\nAutoStart=1\r\n" + extra + "\r\n";
}

class Export : public RelayCli, public ::testing::WithParamInterface<Target> {
protected:
    // Exports to a file; the test fails unless the export succeeds.
    fs::path Exported(const std::vector<std::string>& args, const std::string& name)
    {
        std::vector<std::string> all{"--export", TargetName(GetParam())};
        all.insert(all.end(), args.begin(), args.end());
        const RunResult r = RunToEnd(kRelay, all);
        EXPECT_EQ(r.code, 0) << r.err;
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << r.out;
        return p;
    }
};

TEST_P(Export, TheProxyRelaysEveryMappingAndRefusesWhomTheRelayRefuses)
{
    SKIP_WITHOUT(GetParam());
    EchoServer echo;
    // The proxy binds ports the test chose from the system a moment earlier; another program may take one
    // meanwhile, so a start that fails is tried again on new ports.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const std::vector<int> p = FreePorts(6);
        const std::string ini = WriteIni(
            Section(1, "Écoute locale", p[0], echo.Port(), "ListenAddress=127.0.0.1\r\n") +
            // IPv4 clients come in on the dual-stack socket as ::ffff:127.0.0.1.
            Section(2, "Admis", p[1], echo.Port(), "ListenAddress=::\r\nAllowFrom=::ffff:127.0.0.0/104, ::1\r\n") +
            // ::/0 admits IPv6 clients only: an IPv4 client is outside this list.
            Section(3, "Refusé", p[2], echo.Port(), "ListenAddress=::\r\nAllowFrom=10.0.0.0/8, ::/0\r\n") +
            Section(4, "Simple", p[3], echo.Port(), ""));
        const fs::path config =
            Exported({"--ini", ini, "--allow", "127.0.0.0/8, ::1",
                      std::to_string(p[4]) + ":localhost:" + std::to_string(echo.Port()),
                      "[::1]:" + std::to_string(p[5]) + ":127.0.0.1:" + std::to_string(echo.Port())},
                     "proxy.conf");
        const RunResult check = Check(GetParam(), config, dir_);
        ASSERT_EQ(check.code, 0) << check.out << check.err << ReadFile(config);

        const auto proxy = Start(GetParam(), config, dir_);
        bool listening = false;
        for (int i = 0; i < 100 && !listening; ++i) {
            listening = std::all_of(p.begin(), p.end(), SomeoneListensOn);
            if (!listening && proxy->WaitExit(50ms))
                break; // a port was taken: try again
        }
        if (!listening) {
            ASSERT_LT(attempt, 3) << "the proxy did not start: " << proxy->Stderr() << ReadFile(config);
            continue;
        }
        const int accepted = echo.Accepted();
        ExpectEchoAfterHalfClose("127.0.0.1", p[0], 1 << 20);
        ExpectEchoAfterHalfClose("127.0.0.1", p[1], 1 << 20);
        ExpectEchoAfterHalfClose("::1", p[1], 100000);
        ExpectEchoAfterHalfClose("::1", p[2], 100000);
        ExpectEchoAfterHalfClose("127.0.0.1", p[3], 1 << 20);
        ExpectEchoAfterHalfClose("127.0.0.1", p[4], 100000);
        ExpectEchoAfterHalfClose("::1", p[5], 100000);
        EXPECT_EQ(echo.Accepted(), accepted + 7);

        ExpectRefused("127.0.0.1", p[2], echo);
        EXPECT_FALSE(Connect("::1", p[0]).Valid()) << "the listen address is 127.0.0.1 alone";
        return;
    }
}

TEST_P(Export, NamesOfEveryKindGiveAcceptedDistinctSections)
{
    SKIP_WITHOUT(GetParam());
    const std::vector<std::string> names{"a b",  "a_b",   "a\"b",  "a'b",  "#1",   "a;b", "{b}",
                                         "a}b{", "Ça va", "Ca va", "名前", "日本", "\\",  ""};
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += Section(static_cast<int>(i), names[i], 20000 + static_cast<int>(i), 80, "");
    const fs::path config = Exported({"--ini", WriteIni(text), "--all"}, "names.conf");
    const RunResult check = Check(GetParam(), config, dir_);
    ASSERT_EQ(check.code, 0) << check.out << check.err << ReadFile(config);

    const std::string out = ReadFile(config);
    for (const std::string& name : names)
        EXPECT_NE(out.find("# \"" + name + "\"\n"), std::string::npos) << name;
    // Every mapping keeps a section of its own (haproxy: by a name of its own) and its port.
    const bool haproxy = GetParam() == Target::Haproxy;
    const std::string opening = haproxy ? "\nlisten " : "\n    server {\n";
    std::set<std::string> sections;
    for (auto at = out.find(opening); at != std::string::npos; at = out.find(opening, at + 1))
        sections.insert(out.substr(at, out.find('\n', at + 1) - at));
    EXPECT_EQ(CountOf(out, opening), static_cast<int>(names.size())) << out;
    if (haproxy) {
        EXPECT_EQ(sections.size(), names.size()) << out;
    }
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(CountOf(out, ":" + std::to_string(20000 + i) + (haproxy ? "\n" : ";")), 1) << i;
}

TEST_P(Export, WhatCannotBeExpressedIsRefusedByNameAndNothingIsPrinted)
{
    const std::string good = Section(1, "Bon", 20001, 80, "");
    const struct {
        std::string section;
        std::string named;
    } cases[] = {
        {Section(2, "Hôte bizarre", 20002, 80, "", "intranet;deny all"), "\"Hôte bizarre\""},
        {Section(2, "Même port", 20001, 81, ""), "\"Même port\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        const RunResult r =
            RunToEnd(kRelay, {"--export", TargetName(GetParam()), "--ini", WriteIni(good + c.section), "--all"});
        EXPECT_EQ(r.code, 4) << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const RunResult unknown = RunToEnd(kRelay, {"--export", "squid", "1:127.0.0.1:2"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("squid"), std::string::npos) << unknown.err;
    EXPECT_EQ(RunToEnd(kRelay, {"--export", TargetName(GetParam()), "--check", "1:127.0.0.1:2"}).code, 2);
}

INSTANTIATE_TEST_SUITE_P(Targets, Export, ::testing::Values(Target::Haproxy, Target::Nginx),
                         [](const auto& info) { return std::string(TargetName(info.param)); });

} // namespace

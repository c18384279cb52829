// The socket stack: error texts and codes, address text, name resolution, the socket wait, binding.
#include "RelayTestSupport.h"

#include "relay/NetExceptions.h"
#include "relay/NetSocketHandle.h"
#include "relay/NetStack.h"
#include "relay/NetStackPosix.h"
#include "relay/NetTCPConnection.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

using namespace tarvix;
using namespace tarvix::test;

TEST(NetStack, ErrorTextHasTheCodeThenTheTableText)
{
    EXPECT_EQ(TNetStack::ErrorText(10061), "Erreur de socket # 10061\r\nConnexion refusée.");
    EXPECT_EQ(TNetStack::ErrorText(10054),
              "Erreur de socket # 10054\r\nConnexion réinitialisée par l'homologue (peer).");
    // The table's texts are kept as they are: a trailing space, no final full stop.
    EXPECT_EQ(TNetStack::ErrorText(10035), "Erreur de socket # 10035\r\nL'opération risquerait de bloquer. ");
    EXPECT_EQ(TNetStack::ErrorText(10066), "Erreur de socket # 10066\r\nRépertoire non vide");
    // Outside the table (a failed name lookup): the first line and an empty second one.
    EXPECT_EQ(TNetStack::ErrorText(11001), "Erreur de socket # 11001\r\n");
    EXPECT_EQ(TNetStack::ErrorText(0), "Erreur de socket # 0\r\n");
}

TEST(NetStack, SocketErrorCarriesCodeAndText)
{
    const ENetSocketError e(10060);
    EXPECT_EQ(e.SocketCode(), 10060);
    EXPECT_STREQ(e.what(), "Erreur de socket # 10060\r\nDélai de connexion dépassé.");
}

TEST(NetStack, SystemErrorsAreReportedUnderWindowsSocketsCodes)
{
    EXPECT_EQ(TranslateErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(TranslateErrno(ETIMEDOUT), 10060);
    EXPECT_EQ(TranslateErrno(ECONNRESET), 10054);
    EXPECT_EQ(TranslateErrno(ECONNABORTED), 10053);
    EXPECT_EQ(TranslateErrno(EADDRINUSE), 10048);
    EXPECT_EQ(TranslateErrno(EADDRNOTAVAIL), 10049);
    EXPECT_EQ(TranslateErrno(ENETUNREACH), 10051);
    EXPECT_EQ(TranslateErrno(EHOSTUNREACH), 10065);
    EXPECT_EQ(TranslateErrno(EMFILE), 10024);
    EXPECT_EQ(TranslateErrno(ENFILE), 10024);
    EXPECT_EQ(TranslateErrno(EINTR), 10004);
    EXPECT_EQ(TranslateErrno(EWOULDBLOCK), 10035);
    EXPECT_EQ(TranslateErrno(EAGAIN), 10035);
    EXPECT_EQ(TranslateErrno(EINPROGRESS), 10036);
    EXPECT_EQ(TranslateErrno(ENOTCONN), 10057);
    EXPECT_EQ(TranslateErrno(EPIPE), 10058);
    EXPECT_EQ(TranslateErrno(ENOBUFS), 10055);
    EXPECT_EQ(TranslateErrno(EACCES), 10013);
}

// The engine and the interface's client socket once translated these differently.
TEST(NetStack, ErrorsWithoutAnObviousWindowsSocketsCodeReadAsTheUserShouldSeeThem)
{
    // A connection cut by a protocol error, or refused by a firewall rule.
    EXPECT_EQ(TranslateErrno(EPROTO), 10053);
    EXPECT_EQ(TranslateErrno(EPERM), 10013);
    // No counterpart: the system's own number, never a neighbour's message. Shifted into the Windows Sockets
    // range these would read "connection refused", "address in use" and "would block".
    for (const int error : {ENODATA, ELNRNG, EDEADLK, ENOSPC}) {
        SCOPED_TRACE(error);
        EXPECT_EQ(TranslateErrno(error), error);
        EXPECT_EQ(TNetStack::ErrorText(TranslateErrno(error)), "Erreur de socket # " + std::to_string(error) + "\r\n");
        EXPECT_EQ(SystemErrorText(TranslateErrno(error)), std::strerror(error));
    }
    // A service name that is known, but not for TCP: the name has no data of the kind asked for.
    EXPECT_EQ(TranslateLookupError(EAI_SERVICE, 0), netcode::NoData);
    EXPECT_EQ(TranslateLookupError(EAI_NONAME, 0), netcode::HostNotFound);
    EXPECT_EQ(TranslateLookupError(EAI_FAIL, 0), netcode::NoRecovery);
    // A lookup that failed in the system says why; without a reason it is still a failure, never 0.
    EXPECT_EQ(TranslateLookupError(EAI_SYSTEM, EMFILE), 10024);
    EXPECT_EQ(TranslateLookupError(EAI_SYSTEM, 0), netcode::NoRecovery);
}

TEST(NetStack, SystemTextIsTheCataloguesWhereItHasOneElseThePlatforms)
{
    EXPECT_EQ(SystemErrorText(TranslateErrno(ECONNREFUSED)), "Connexion refusée.");
    EXPECT_EQ(SystemErrorText(TranslateErrno(ETIMEDOUT)), "Délai de connexion dépassé.");
    EXPECT_EQ(SystemErrorText(netcode::HostNotFound), gai_strerror(EAI_NONAME));
    EXPECT_FALSE(SystemErrorText(netcode::NoData).empty());
}

TEST(NetStack, ASocketConnectedToItselfIsRecognised)
{
    // Bound to a port and connected to that same port: the simultaneous open a probe can run into.
    const int port = FreePort();
    TestSocket self(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    ASSERT_TRUE(self.Valid());
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(self.Fd(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::connect(self.Fd(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_TRUE(SocketConnectedToItself(self.Fd()));

    int serverPort = 0;
    TestSocket server = ListenLoopback(5, serverPort);
    TestSocket client = ConnectLoopback(serverPort);
    ASSERT_TRUE(client.Valid());
    EXPECT_FALSE(SocketConnectedToItself(client.Fd()));
}

TEST(NetStack, DottedQuadNeedsFourNumbersUpTo255)
{
    EXPECT_TRUE(TNetStack::IsDottedQuad("192.168.0.1"));
    EXPECT_TRUE(TNetStack::IsDottedQuad("0.0.0.0"));
    EXPECT_TRUE(TNetStack::IsDottedQuad("255.255.255.255"));
    EXPECT_FALSE(TNetStack::IsDottedQuad("192.168.0"));
    EXPECT_FALSE(TNetStack::IsDottedQuad("192.168.0.256"));
    EXPECT_FALSE(TNetStack::IsDottedQuad("192.168.0.1.5"));
    EXPECT_FALSE(TNetStack::IsDottedQuad("192.168..1"));
    EXPECT_FALSE(TNetStack::IsDottedQuad("a.b.c.d"));
    EXPECT_FALSE(TNetStack::IsDottedQuad("1.2.3.-4"));
    EXPECT_FALSE(TNetStack::IsDottedQuad("localhost"));
    EXPECT_FALSE(TNetStack::IsDottedQuad(""));
}

TEST(NetStack, AddressTextAndBytesConvertBothWays)
{
    EXPECT_EQ(TNetStack::AddressToText({10, 0, 255, 1}), "10.0.255.1");
    EXPECT_EQ(TNetStack::TextToAddress("192.168.0.1"), (TNetAddressBytes{192, 168, 0, 1}));
    EXPECT_THROW(TNetStack::TextToAddress("192.168.0"), ENetSocketError);
}

TEST(NetStack, ResolveTakesLocalhostAndDottedAddressesWithoutLookup)
{
    TNetStackPosix stack;
    EXPECT_EQ(stack.Resolve("localhost"), "127.0.0.1");
    EXPECT_EQ(stack.Resolve("LocalHost"), "127.0.0.1");
    EXPECT_EQ(stack.Resolve("LOCALHOST"), "127.0.0.1");
    // A dotted address is taken as it is, even one no name lookup would give.
    EXPECT_EQ(stack.Resolve("10.20.30.40"), "10.20.30.40");
}

TEST(NetStack, ResolveLooksNamesUpAndReportsFailuresAsLookupCodes)
{
    TNetStackPosix stack;
    EXPECT_EQ(stack.Resolve("127.1"), "127.0.0.1"); // not a dotted quad: the system reads it
    try {
        stack.Resolve("no-such-host.invalid");
        FAIL() << "an unknown name resolved";
    } catch (const ENetSocketError& e) {
        // Host not found, or (no name server) try again / no data: the lookup codes, never a success.
        EXPECT_GE(e.SocketCode(), 11001);
        EXPECT_LE(e.SocketCode(), 11004);
        EXPECT_EQ(std::string(e.what()), "Erreur de socket # " + std::to_string(e.SocketCode()) + "\r\n");
    }
}

TEST(NetStack, CheckResultRaisesUnlessTheCodeIsIgnored)
{
    TNetStackPosix stack;
    EXPECT_FALSE(stack.CheckResult(0));
    EXPECT_FALSE(stack.CheckResult(5));
    char c;
    ASSERT_EQ(stack.ReceiveOn(-1, &c, 1, 0), -1);
    EXPECT_EQ(stack.LastError(), 10009);
    EXPECT_TRUE(stack.CheckResult(-1, {10009}));
    EXPECT_THROW(stack.CheckResult(-1, {10048}), ENetSocketError);
}

TEST(NetStack, WaitSocketsHonoursItsTimeLimit)
{
    TNetStackPosix stack;
    int port = 0;
    TestSocket listener = ListenLoopback(1, port);
    std::vector<int> readList{listener.Fd()};
    const auto start = Clock::now();
    EXPECT_EQ(stack.WaitSockets(&readList, nullptr, nullptr, 1500), 0);
    const long ms = MsSince(start);
    EXPECT_GE(ms, 1490); // one second and a half
    EXPECT_LT(ms, 3000);
    EXPECT_TRUE(readList.empty());
}

TEST(NetStack, WaitSocketsWithoutLimitReturnsWhenOneIsReady)
{
    TNetStackPosix stack;
    int port = 0;
    TestSocket listener = ListenLoopback(4, port);
    TestSocket idle = ListenLoopback(4, port);
    int readyPort = 0;
    TestSocket ready = ListenLoopback(4, readyPort);
    std::thread client([readyPort] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        TestSocket s = ConnectLoopback(readyPort);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });
    std::vector<int> readList{idle.Fd(), ready.Fd(), listener.Fd()};
    const auto start = Clock::now();
    EXPECT_EQ(stack.WaitSockets(&readList, nullptr, nullptr, TNetStack::kWaitForever), 1);
    EXPECT_GE(MsSince(start), 150);
    EXPECT_EQ(readList, std::vector<int>{ready.Fd()});
    client.join();
}

TEST(NetStack, WaitSocketsRefusesMoreThan64PerList)
{
    TNetStackPosix stack;
    std::vector<int> readList(64, 0);
    std::vector<int> many(65, 0);
    EXPECT_NO_THROW(stack.WaitSockets(nullptr, &readList, nullptr, 0));
    EXPECT_THROW(stack.WaitSockets(&many, nullptr, nullptr, 0), ENetStackSetSizeExceeded);
}

TEST(NetStack, BindOnATakenPortRaisesItsOwnClass)
{
    int port = 0;
    TestSocket taken = ListenLoopback(1, port);
    TNetStackPosix stack;
    TNetSocketHandle handle(stack, port);
    handle.OpenSocket(SOCK_STREAM);
    try {
        handle.BindLocal();
        FAIL() << "bound a taken port";
    } catch (const ENetSocketError&) {
        FAIL() << "a taken port must not raise the generic socket error";
    } catch (const ENetCouldNotBindSocket& e) {
        EXPECT_STREQ(e.what(), "Impossible d'établir une liaison avec le socket. L'adresse et le port sont déjà "
                               "utilisés.");
    }
}

TEST(NetStack, BindOnAnAddressNotHereRaisesTheSocketError)
{
    TNetStackPosix stack;
    TNetSocketHandle handle(stack, 0);
    handle.OpenSocket(SOCK_STREAM);
    handle.SetIP("192.0.2.1"); // documentation range: never a local address
    try {
        handle.BindLocal();
        FAIL() << "bound a foreign address";
    } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.SocketCode(), 10049);
    }
}

TEST(NetStack, BindReadsThePortChosenBySystemBack)
{
    TNetStackPosix stack;
    TNetSocketHandle handle(stack, 0);
    handle.OpenSocket(SOCK_STREAM);
    handle.BindLocal();
    EXPECT_EQ(handle.IP(), "0.0.0.0");
    EXPECT_GT(handle.Port(), 0);
    handle.Shut(true);
    EXPECT_FALSE(handle.IsOpen());
    EXPECT_EQ(handle.Descriptor(), -1);
    EXPECT_EQ(handle.Port(), 0);
}

TEST(NetStack, SharedStackLivesWithTheComponents)
{
    const bool noneBefore = SharedStack() == nullptr;
    TNetStack* first = nullptr;
    {
        TNetTCPConnection a;
        TNetTCPConnection b;
        first = SharedStack();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(&a.Stack(), first);
        EXPECT_EQ(&b.Stack(), first);
    }
    if (noneBefore) {
        EXPECT_EQ(SharedStack(), nullptr);
    }
}

TEST(NetStack, DescriptorLimitIsRaisedToTheHardLimit)
{
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    if (saved.rlim_max < 256)
        GTEST_SKIP() << "hard descriptor limit too low to lower it";
    rlimit lowered = saved;
    lowered.rlim_cur = 128;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    RaiseDescriptorLimit();
    rlimit now{};
    getrlimit(RLIMIT_NOFILE, &now);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(now.rlim_cur, saved.rlim_max);
}

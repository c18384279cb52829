// The event-loop client socket: lookup, connect, time limits, disconnects, errors, and no descriptor left behind.
#include "CapturedErrors.h"
#include "support/Application.h"
#include "support/EventLoop.h"
#include "support/Loopback.h"
#include "support/ProcessCounters.h"
#include "support/ShortConnectTimeout.h"
#include "support/SilentRemote.h"

#include "relay/NetStack.h"
#include "ui/ApplicationErrors.h"
#include "ui/AsyncClientSocket.h"
#include "ui/HostLookup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace tarvix {
namespace {

using test::CapturedErrors;
using test::FreePort;
using test::Listener;
using test::ProcessEventsFor;
using test::ProcessEventsUntil;
using Events = std::vector<std::string>;

// Records every event of a socket in order. The error handler consumes the code unless told otherwise.
struct Recorder {
    Events events;
    bool consume = true;
    bool activeInConnect = false;
    bool activeInDisconnect = true;
    int peerPortInConnect = -1;
    bool closeInConnect = false;

    void Attach(TAsyncClientSocket& s)
    {
        s.OnLookup = [this](TAsyncClientSocket*) { events.push_back("lookup"); };
        s.OnConnecting = [this](TAsyncClientSocket*) { events.push_back("connecting"); };
        s.OnConnect = [this](TAsyncClientSocket* sender) {
            events.push_back("connect");
            activeInConnect = sender->Active();
            peerPortInConnect = sender->PeerPort();
            if (closeInConnect)
                sender->Close();
        };
        s.OnDisconnect = [this](TAsyncClientSocket* sender) {
            events.push_back("disconnect");
            activeInDisconnect = sender->Active();
        };
        s.OnWrite = [this](TAsyncClientSocket*) { events.push_back("write"); };
        s.OnRead = [this](TAsyncClientSocket*) { events.push_back("read"); };
        s.OnError = [this](TAsyncClientSocket*, TErrorEvent event, int& code) {
            events.push_back("error:" + std::to_string(static_cast<int>(event)) + ":" + std::to_string(code));
            if (consume)
                code = 0;
        };
    }
    bool Has(const std::string& e) const { return std::find(events.begin(), events.end(), e) != events.end(); }
    bool Ended() const
    {
        return std::any_of(events.begin(), events.end(),
                           [](const std::string& e) { return e == "connect" || e.rfind("error:", 0) == 0; });
    }
};

const std::string kRefused = "error:3:10061"; // erConnect, WSAECONNREFUSED

class AsyncClientSocketTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication<QApplication>("test_ui"); }
};

TEST_F(AsyncClientSocketTest, ProbeOfAFreePortEndsInRefusedWithoutConnectOrDisconnect)
{
    CapturedErrors shown;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("127.0.0.1");
    socket.SetPort(FreePort());
    socket.Open();
    // The host is looked up even when it is a dotted address: nothing but OnLookup inside the call.
    EXPECT_EQ(r.events, (Events{"lookup"}));
    EXPECT_FALSE(socket.Active());
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    ProcessEventsFor(100);
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", kRefused}));
    EXPECT_FALSE(socket.Active());
    EXPECT_FALSE(socket.Connected());
    EXPECT_TRUE(shown.Texts().empty());
}

TEST_F(AsyncClientSocketTest, ProbeOfARemoteThatNeverAnswersEndsTimedOutWithinTheBound)
{
    test::SilentRemote remote;
    ASSERT_NE(remote.Port(), 0);
    const test::ShortConnectTimeout bound(300);
    CapturedErrors shown;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("127.0.0.1");
    socket.SetPort(remote.Port());
    const auto start = std::chrono::steady_clock::now();
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 250);
    ProcessEventsFor(400); // one outcome only
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", "error:3:10060"}));
    EXPECT_FALSE(socket.Active());
    EXPECT_TRUE(shown.Texts().empty());

    // The socket is free for the next attempt, which a listening port answers.
    Listener server;
    r.events.clear();
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    EXPECT_TRUE(r.Has("connect"));
}

TEST_F(AsyncClientSocketTest, ConnectionMadeInTimeOutlivesTheBound)
{
    const test::ShortConnectTimeout bound(150);
    Listener server;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("127.0.0.1");
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    ProcessEventsFor(400);
    EXPECT_TRUE(socket.Active());
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", "connect", "write"}));
}

TEST_F(AsyncClientSocketTest, AddressWithoutHostConnectsInsideTheOpeningCall)
{
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetAddress("127.0.0.1");
    socket.SetPort(FreePort());
    socket.Open();
    EXPECT_EQ(r.events, (Events{"lookup", "connecting"}));
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    EXPECT_EQ(r.events.back(), kRefused);
}

TEST_F(AsyncClientSocketTest, BusyPortConnectsWithPeerPortAndClosingInTheHandlerDisconnects)
{
    Listener server;
    ASSERT_GT(server.Port(), 0);
    TAsyncClientSocket socket;
    Recorder r;
    r.closeInConnect = true;
    r.Attach(socket);
    socket.SetHost("127.0.0.1");
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    ProcessEventsFor(100); // the write notification queued after the connect must find the socket closed
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", "connect", "disconnect"}));
    EXPECT_TRUE(r.activeInConnect);
    EXPECT_FALSE(r.activeInDisconnect);
    EXPECT_EQ(r.peerPortInConnect, server.Port());
    EXPECT_FALSE(socket.Active());
    EXPECT_EQ(socket.PeerPort(), 0);
}

TEST_F(AsyncClientSocketTest, ConnectedSocketWritesThenSeesThePeerClose)
{
    Listener server;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("localhost");
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has("write"); }));
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", "connect", "write"}));
    EXPECT_TRUE(socket.Active());

    const int peer = server.Accept();
    ASSERT_GE(peer, 0);
    ASSERT_EQ(::write(peer, "hi", 2), 2);
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has("read"); }));
    char buffer[8] = {};
    EXPECT_EQ(socket.ReceiveBuf(buffer, sizeof buffer), 2);
    EXPECT_EQ(std::string(buffer, 2), "hi");

    ::close(peer);
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has("disconnect"); }));
    EXPECT_FALSE(r.activeInDisconnect);
    EXPECT_FALSE(socket.Active());
    EXPECT_FALSE(socket.Connected());
}

TEST_F(AsyncClientSocketTest, ClosingAConnectedSocketRaisesDisconnectOnce)
{
    Listener server;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    int nested = 0;
    socket.OnDisconnect = [&](TAsyncClientSocket* s) {
        r.events.push_back("disconnect");
        if (++nested == 1)
            s->Close(); // closing again from the handler does not recurse
    };
    socket.SetHost("127.0.0.1");
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return socket.Active(); }));
    socket.Close();
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(socket.Active());
    socket.Close(); // closing a closed socket does nothing
    ProcessEventsFor(50);
    EXPECT_EQ(std::count(r.events.begin(), r.events.end(), "disconnect"), 1);
}

TEST_F(AsyncClientSocketTest, BrokenConnectionIsReportedButStaysOpenUntilClosed)
{
    Listener server;
    CapturedErrors shown;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetAddress("127.0.0.1");
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return socket.Active(); }));
    const int peer = server.Accept();
    ASSERT_GE(peer, 0);
    linger abort{1, 0}; // a reset instead of an orderly close
    ASSERT_EQ(setsockopt(peer, SOL_SOCKET, SO_LINGER, &abort, sizeof abort), 0);
    ::close(peer);
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has("error:4:10054"); })); // erDisconnect, WSAECONNRESET
    EXPECT_FALSE(r.Has("disconnect"));
    EXPECT_TRUE(socket.Active());
    socket.Close();
    EXPECT_TRUE(r.Has("disconnect"));
    EXPECT_FALSE(socket.Active());
    EXPECT_TRUE(shown.Texts().empty());
}

TEST_F(AsyncClientSocketTest, UnknownHostFailsInTheLookupThenDisconnects)
{
    CapturedErrors shown;
    TAsyncClientSocket socket;
    Recorder r;
    int code = 0;
    r.Attach(socket);
    socket.OnError = [&](TAsyncClientSocket*, TErrorEvent event, int& errorCode) {
        r.events.push_back(event == TErrorEvent::erLookup ? "error:lookup" : "error:other");
        code = errorCode;
        errorCode = 0;
    };
    socket.SetHost("no-such-host.invalid");
    socket.SetPort(80);
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has("disconnect"); }, 20000));
    EXPECT_EQ(r.events, (Events{"lookup", "error:lookup", "disconnect"}));
    EXPECT_GE(code, netcode::HostNotFound);
    EXPECT_LE(code, netcode::NoData);
    EXPECT_TRUE(shown.Texts().empty());
}

TEST_F(AsyncClientSocketTest, EmptyHostAndAddressFailInsideTheOpeningCall)
{
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    EXPECT_NO_THROW(socket.Open());
    EXPECT_EQ(r.events, (Events{"lookup", "error:6:1110", "disconnect"}));

    r.events.clear();
    r.consume = false;
    try {
        socket.Open();
        ADD_FAILURE() << "no exception";
    } catch (const EAsyncSocketError& e) {
        EXPECT_STREQ(e.what(), "Aucune adresse spécifiée");
    }
    EXPECT_EQ(r.events, (Events{"lookup", "error:6:1110", "disconnect"}));
    EXPECT_FALSE(socket.Active());
}

TEST_F(AsyncClientSocketTest, ErrorCodeLeftNonZeroReachesTheApplicationsErrorDisplay)
{
    CapturedErrors shown;
    TAsyncClientSocket socket;
    Recorder r;
    r.consume = false;
    r.Attach(socket);
    socket.SetHost("127.0.0.1");
    socket.SetPort(FreePort());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !shown.Texts().empty(); }));
    EXPECT_EQ(shown.Texts(), (std::vector<std::string>{"Erreur socket asynchrone 10061"}));
    EXPECT_EQ(r.events.back(), kRefused);

    // A failed lookup left unconsumed names the lookup.
    r.events.clear();
    socket.SetHost("no-such-host.invalid");
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return shown.Texts().size() == 2; }, 20000));
    EXPECT_NE(shown.Texts()[1].find("avec l'API 'ASync Lookup'"), std::string::npos) << shown.Texts()[1];
    EXPECT_NE(shown.Texts()[1].find("Erreur socket Windows : "), std::string::npos);
}

TEST_F(AsyncClientSocketTest, HandlerExceptionFromTheEventLoopGoesToTheErrorDisplay)
{
    CapturedErrors shown;
    Listener server;
    TAsyncClientSocket socket;
    socket.OnConnect = [](TAsyncClientSocket*) { throw Exception("handler failed"); };
    socket.SetHost("127.0.0.1");
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !shown.Texts().empty(); }));
    EXPECT_EQ(shown.Texts()[0], "handler failed");
    EXPECT_TRUE(socket.Active());
    socket.Close();
    EXPECT_FALSE(socket.Active());
}

TEST_F(AsyncClientSocketTest, ConnectRefusedAtOnceIsReportedOnlyByTheException)
{
    CapturedErrors shown;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("0.0.0.0");
    socket.SetPort(FreePort());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !shown.Texts().empty(); }));
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", "disconnect"}));
    EXPECT_NE(shown.Texts()[0].find("(10049), avec l'API 'connect'"), std::string::npos) << shown.Texts()[0];

    // A user that waits for the outcome learns of the end through OnException.
    std::vector<std::string> seen;
    socket.OnException = [&](TAsyncClientSocket* sender, std::exception_ptr error) {
        EXPECT_EQ(sender, &socket);
        seen.push_back(ExceptionText(error));
    };
    r.events.clear();
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", "disconnect"}));
    EXPECT_EQ(seen[0], shown.Texts()[0]);
    EXPECT_EQ(shown.Texts().size(), 1u);

    // With Address the same failure reaches the caller of the opening.
    r.events.clear();
    socket.SetHost("");
    socket.SetAddress("0.0.0.0");
    EXPECT_THROW(socket.Open(), EAsyncSocketError);
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", "disconnect"}));
    EXPECT_EQ(shown.Texts().size(), 1u);
}

TEST_F(AsyncClientSocketTest, PropertiesRefuseChangesWhileActiveAndCompareTextWithoutCase)
{
    Listener server;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("LocalHost");
    socket.SetHost("localhost");
    EXPECT_EQ(socket.Host(), "LocalHost");
    socket.SetPort(server.Port() + 65536); // only the low 16 bits count
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return socket.Active(); }));
    EXPECT_EQ(r.peerPortInConnect, server.Port());

    for (auto change : std::vector<std::function<void()>>{
             [&] { socket.SetPort(1); }, [&] { socket.SetHost("other"); }, [&] { socket.SetAddress("1.2.3.4"); },
             [&] { socket.SetService("http"); }, [&] { socket.SetClientType(TClientType::ctBlocking); }}) {
        try {
            change();
            ADD_FAILURE() << "a change while active was accepted";
        } catch (const EAsyncSocketError& e) {
            EXPECT_STREQ(e.what(), "Modification de valeur impossible lorsque le socket est actif");
        }
    }
    EXPECT_EQ(socket.Port(), server.Port() + 65536);
    EXPECT_EQ(socket.Host(), "LocalHost");
    EXPECT_NO_THROW(socket.SetHost("LOCALHOST")); // equal ignoring case: no change, no error
    EXPECT_NO_THROW(socket.SetActive(true));      // the value it has
    try {
        socket.Open();
        ADD_FAILURE() << "opening a connected socket was accepted";
    } catch (const EAsyncSocketError& e) {
        EXPECT_STREQ(e.what(), "Socket déjà ouvert");
    }
    socket.Close();

    // After a failed attempt the socket is not active, and changes are accepted.
    socket.SetPort(FreePort());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has(kRefused); }));
    EXPECT_NO_THROW(socket.SetPort(2));
    EXPECT_EQ(socket.Port(), 2);
}

TEST_F(AsyncClientSocketTest, ClosingDuringTheAttemptChangesNothing)
{
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("127.0.0.1");
    socket.SetPort(FreePort());
    socket.Open();
    socket.SetActive(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    EXPECT_EQ(r.events, (Events{"lookup", "connecting", kRefused}));
}

TEST_F(AsyncClientSocketTest, LookupFailureDoesNotSpoilTheNextAttempt)
{
    // After a failed lookup the next opening looks the new host up again instead of reusing stale state.
    Listener server;
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetHost("no-such-host.invalid");
    socket.SetPort(server.Port());
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has("disconnect"); }, 20000));
    r.events.clear();
    socket.SetHost("127.0.0.1");
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
    EXPECT_EQ(Events(r.events.begin(), r.events.begin() + 3), (Events{"lookup", "connecting", "connect"}));
}

TEST_F(AsyncClientSocketTest, ServiceNameIsLookedUpInPlaceOfThePort)
{
    TAsyncClientSocket socket;
    Recorder r;
    r.Attach(socket);
    socket.SetAddress("127.0.0.1");
    socket.SetService("no-such-service-name");
    socket.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return r.Has("disconnect"); }));
    EXPECT_EQ(r.events, (Events{"lookup", "error:6:11004", "disconnect"}));
}

TEST_F(AsyncClientSocketTest, TenProbesLeaveNoDescriptorOpen)
{
    const int before = test::CountOpenDescriptors();
    {
        TAsyncClientSocket socket;
        Recorder r;
        r.Attach(socket);
        socket.SetHost("127.0.0.1");
        for (int i = 0; i < 10; ++i) {
            r.events.clear();
            socket.SetPort(FreePort());
            socket.Open();
            ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
            ASSERT_EQ(r.events.back(), kRefused);
        }
        // The failed attempt's socket stays until the next opening or the end of the component.
        EXPECT_LE(test::CountOpenDescriptors(), before + 1);
    }
    EXPECT_EQ(test::CountOpenDescriptors(), before);
}

// A listener on ::1 alone, with a port chosen by the system.
class ListenerV6 {
public:
    ListenerV6() : socket_(test::ListenLoopbackV6(5, port_)) {}
    int Port() const { return port_; }

private:
    int port_ = 0;
    test::TestSocket socket_;
};

sockaddr_storage LoopbackAddress(int family)
{
    sockaddr_storage address{};
    if (family == AF_INET6) {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
        v6.sin6_family = AF_INET6;
        v6.sin6_addr = in6addr_loopback;
    } else {
        auto& v4 = reinterpret_cast<sockaddr_in&>(address);
        v4.sin_family = AF_INET;
        v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    return address;
}

TEST_F(AsyncClientSocketTest, IPv6LiteralsConnectAndRefuseLikeIPv4)
{
    ListenerV6 server;
    ASSERT_GT(server.Port(), 0);
    {
        TAsyncClientSocket socket;
        Recorder r;
        r.closeInConnect = true;
        r.Attach(socket);
        socket.SetHost("::1");
        socket.SetPort(server.Port());
        socket.Open();
        ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
        EXPECT_EQ(r.events, (Events{"lookup", "connecting", "connect", "disconnect"}));
        EXPECT_EQ(r.peerPortInConnect, server.Port());
    }
    int closedPort = 0;
    {
        ListenerV6 gone;
        closedPort = gone.Port();
    }
    for (const bool byAddress : {false, true}) {
        TAsyncClientSocket socket;
        Recorder r;
        r.Attach(socket);
        if (byAddress)
            socket.SetAddress("::1");
        else
            socket.SetHost("::1");
        socket.SetPort(closedPort);
        socket.Open();
        ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
        EXPECT_EQ(r.events.back(), kRefused) << byAddress;
    }
}

TEST_F(AsyncClientSocketTest, ANameWhoseFirstAddressRefusesConnectsThroughTheNext)
{
    // The name stands for 127.0.0.1 first, then ::1; only ::1 listens on the port.
    SetResolveFunction([](const std::string&, TLookupKind) {
        TLookupResult result;
        result.addresses = {LoopbackAddress(AF_INET), LoopbackAddress(AF_INET6)};
        return result;
    });
    ListenerV6 server;
    ASSERT_GT(server.Port(), 0);
    const int before = test::CountOpenDescriptors();
    {
        TAsyncClientSocket socket;
        Recorder r;
        r.closeInConnect = true;
        r.Attach(socket);
        socket.SetHost("both.test");
        socket.SetPort(server.Port());
        socket.Open();
        ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
        EXPECT_EQ(r.events, (Events{"lookup", "connecting", "connect", "disconnect"}));
        EXPECT_EQ(r.peerPortInConnect, server.Port());
    }
    {
        // When every address refuses, the last refusal is reported, once.
        int closedPort = 0;
        {
            ListenerV6 gone;
            closedPort = gone.Port();
        }
        TAsyncClientSocket socket;
        Recorder r;
        r.Attach(socket);
        socket.SetHost("both.test");
        socket.SetPort(closedPort);
        socket.Open();
        ASSERT_TRUE(ProcessEventsUntil([&] { return r.Ended(); }));
        ProcessEventsFor(100);
        EXPECT_EQ(r.events, (Events{"lookup", "connecting", kRefused}));
    }
    SetResolveFunction(nullptr);
    EXPECT_EQ(test::CountOpenDescriptors(), before);
}

// A resolver that holds every lookup until released.
struct HeldResolver {
    static inline std::mutex mutex;
    static inline std::condition_variable changed;
    static inline bool released = false;
    static inline int running = 0;

    static TLookupResult Resolve(const std::string& name, TLookupKind kind)
    {
        std::unique_lock lock(mutex);
        ++running;
        changed.notify_all();
        changed.wait(lock, [] { return released; });
        --running;
        changed.notify_all();
        lock.unlock();
        return ResolveWithSystem(name, kind);
    }
    static void Release()
    {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
    static bool WaitRunning(int n)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), [n] { return running == n; });
    }
};

TEST_F(AsyncClientSocketTest, DestroyedDuringTheLookupRaisesNothing)
{
    HeldResolver::released = false;
    SetResolveFunction(&HeldResolver::Resolve);
    auto events = std::make_shared<Events>();
    const int before = test::CountOpenDescriptors();
    auto socket = std::make_unique<TAsyncClientSocket>();
    socket->OnLookup = [events](TAsyncClientSocket*) { events->push_back("lookup"); };
    socket->OnConnecting = [events](TAsyncClientSocket*) { events->push_back("connecting"); };
    socket->OnError = [events](TAsyncClientSocket*, TErrorEvent, int& code) { events->push_back("error"), code = 0; };
    socket->OnDisconnect = [events](TAsyncClientSocket*) { events->push_back("disconnect"); };
    socket->SetHost("127.0.0.1");
    socket->SetPort(FreePort());
    socket->Open();
    ASSERT_TRUE(HeldResolver::WaitRunning(1));
    socket.reset();
    EXPECT_EQ(test::CountOpenDescriptors(), before);
    HeldResolver::Release();
    ASSERT_TRUE(HeldResolver::WaitRunning(0));
    ProcessEventsFor(100);
    SetResolveFunction(nullptr);
    EXPECT_EQ(*events, (Events{"lookup"}));
}

TEST_F(AsyncClientSocketTest, LookupResultQueuedForADestroyedSocketIsDropped)
{
    std::atomic<int> resolved{0};
    static std::atomic<int>* counter = nullptr;
    counter = &resolved;
    SetResolveFunction([](const std::string& name, TLookupKind kind) {
        auto result = ResolveWithSystem(name, kind);
        ++*counter;
        return result;
    });
    auto events = std::make_shared<Events>();
    auto socket = std::make_unique<TAsyncClientSocket>();
    socket->OnConnecting = [events](TAsyncClientSocket*) { events->push_back("connecting"); };
    socket->OnError = [events](TAsyncClientSocket*, TErrorEvent, int& code) { events->push_back("error"), code = 0; };
    socket->SetHost("127.0.0.1");
    socket->SetPort(FreePort());
    socket->Open();
    for (int i = 0; i < 500 && resolved == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // the result is posted by now
    socket.reset();
    ProcessEventsFor(100);
    SetResolveFunction(nullptr);
    EXPECT_EQ(resolved, 1);
    EXPECT_TRUE(events->empty());
}

} // namespace
} // namespace tarvix

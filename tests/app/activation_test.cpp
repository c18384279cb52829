// The activation controller: probe outcomes, row states, the icon sum-up, deactivation and failures.
#include "MainWindowFixture.h"
#include "app/RowToolTip.h"
#include "support/EchoServer.h"
#include "support/EventLoop.h"

#include "base/Exceptions.h"
#include "ui_Main.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// A socket bound to 127.0.0.1:port without listening: a probe is refused, but the port cannot be taken.
class BoundOnly {
public:
    BoundOnly()
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~BoundOnly() { Release(); }
    int Port() const { return port_; }
    void Release()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    int port_ = 0;
};

} // namespace

using MainWindowActivationTest = MainTest;

TEST_F(MainWindowActivationTest, ABusyPortIsReportedOnlyWhileTheWindowIsVisible)
{
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    WriteSettings(Section("1", "Busy", holder.serverPort(), "127.0.0.1", 9, false));
    auto main = Start();
    ASSERT_FALSE(main->isVisible());
    main->ToggleMapping(0);
    EXPECT_EQ(main->Row(0)->state, msProbing);
    EXPECT_TRUE(main->ProbeBusy());
    ASSERT_TRUE(Settled(*main));
    EXPECT_EQ(main->Row(0)->state, msPortBusy);
    EXPECT_FALSE(main->Row(0)->instance);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(main->ApplicationIconIndex(), 5);

    main->show();
    main->ToggleMapping(0); // no instance: a new probe
    ASSERT_TRUE(Settled(*main));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(messages_[0].title, QStringLiteral("Erreur"));
    EXPECT_EQ(messages_[0].text,
              QStringLiteral("Connexion \"Busy\"\r\rLe Port %1 est déjà utilisé").arg(holder.serverPort()));
}

TEST_F(MainWindowActivationTest, AWaitingActivationStartsOnlyAfterThePortBusyMessageIsClosed)
{
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    WriteSettings(Section("1", "Busy", holder.serverPort(), "127.0.0.1", 9, false) +
                  Section("2", "Free", FreePort(), "127.0.0.1", 9, false));
    auto main = Start();
    main->show();
    bool busyDuringMessage = false;
    std::size_t probesDuringMessage = 0;
    SetMessageResponder([&](const MessageRequest& r) {
        messages_.push_back(r);
        busyDuringMessage = main->ProbeBusy();
        probesDuringMessage = probes_.size();
        return mrOk;
    });
    main->ToggleMapping(0);
    main->ToggleMapping(1); // waits, dispatching, behind the first probe and its message
    ASSERT_TRUE(Settled(*main));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(busyDuringMessage);
    EXPECT_EQ(probesDuringMessage, 1u);
    const std::vector<std::pair<int, bool>> order{{0, true}, {0, false}, {1, true}, {1, false}};
    EXPECT_EQ(probes_, order);
    EXPECT_EQ(main->Row(0)->state, msPortBusy);
    EXPECT_EQ(main->Row(1)->state, msListening);
}

TEST_F(MainWindowActivationTest, AMappingThatCannotTakeItsPortShowsTheErrorAndReleasesTheProbe)
{
    BoundOnly blocker;
    WriteSettings(Section("1", "Blocked", blocker.Port(), "127.0.0.1", 9, false));
    auto main = Start();
    main->ToggleMapping(0);
    ASSERT_TRUE(Settled(*main));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtError);
    // The mapping, its port and the system's reason; the row's tool tip keeps the reason.
    const QString reason = QStringLiteral("Impossible d'établir une liaison avec le socket");
    EXPECT_TRUE(messages_[0].text.startsWith(
        QStringLiteral("Connexion \"Blocked\" (port %1) : activation impossible\r\r").arg(blocker.Port())))
        << messages_[0].text.toStdString();
    EXPECT_TRUE(messages_[0].text.contains(reason)) << messages_[0].text.toStdString();
    EXPECT_EQ(main->Row(0)->state, msPortBusy);
    EXPECT_FALSE(main->Row(0)->instance);
    EXPECT_FALSE(main->ProbeBusy());
    EXPECT_TRUE(RowToolTipText(*main, 0).contains(QStringLiteral("Activation impossible : ") + reason))
        << RowToolTipText(*main, 0).toStdString();

    blocker.Release();
    main->ToggleMapping(0);
    ASSERT_TRUE(Settled(*main));
    EXPECT_EQ(main->Row(0)->state, msListening);
    EXPECT_TRUE(main->Row(0)->instance);
    EXPECT_FALSE(RowToolTipText(*main, 0).contains(QStringLiteral("Activation impossible")));
}

TEST_F(MainWindowActivationTest, TheProbeLooksWhereTheMappingWillListen)
{
    // Something serves the port on ::1 only.
    int port = 0;
    const TestSocket held = ListenLoopbackV6(5, port);
    ASSERT_GT(port, 0);
    const auto listening = [](QByteArray section, const char* address) {
        return section.insert(section.size() - 2, QByteArray("ListenAddress=") + address + "\r\n");
    };
    WriteSettings(listening(Section("1", "Six", port, "127.0.0.1", 9, false), "::1") +
                  listening(Section("2", "Every", port, "127.0.0.1", 9, false), "::") +
                  listening(Section("3", "Four", port, "127.0.0.1", 9, false), "127.0.0.1"));
    auto main = Start();
    main->show();
    for (int i = 0; i < 3; ++i) {
        main->ToggleMapping(i);
        ASSERT_TRUE(Settled(*main));
    }
    EXPECT_EQ(main->Row(0)->state, msPortBusy);
    EXPECT_EQ(main->Row(1)->state, msPortBusy); // "::" is probed on the IPv6 loopback
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0].text, QStringLiteral("Connexion \"Six\"\r\rLe Port %1 est déjà utilisé").arg(port));
    EXPECT_EQ(main->Row(2)->state, msListening);
    EXPECT_TRUE(main->Row(2)->instance);
}

TEST_F(MainWindowActivationTest, DeactivatingWithAConnectionOpenIgnoresTheInstancesLaterReports)
{
    EchoServer echo;
    const int port = FreePort();
    WriteSettings(Section("1", "E", port, "127.0.0.1", echo.Port(), true));
    auto main = Start();
    ASSERT_TRUE(Settled(*main));
    Client client(port);
    ASSERT_EQ(client.RoundTrip("x"), QByteArray("x"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return main->Row(0)->state == msConnectionOpen; }));
    main->ToggleMapping(0);
    EXPECT_EQ(main->Row(0)->state, msInactive);
    EXPECT_FALSE(main->Row(0)->instance);
    EXPECT_EQ(main->Row(0)->openConnections, 0);
    client.Close();
    QTest::qWait(300);
    EXPECT_EQ(main->Row(0)->state, msInactive);
    EXPECT_EQ(main->ApplicationIconIndex(), 5);

    // Activated again, the row counts its own connections from zero.
    main->ToggleMapping(0);
    ASSERT_TRUE(Settled(*main));
    Client again(port);
    ASSERT_EQ(again.RoundTrip("y"), QByteArray("y"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return main->Row(0)->openConnections == 1; }));
    again.Close();
    ASSERT_TRUE(ProcessEventsUntil([&] { return main->Row(0)->state == msListening; }));
}

TEST_F(MainWindowActivationTest, DeactivateAllStopsInstancesAndKeepsOtherStates)
{
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    const int activePort = FreePort();
    WriteSettings(Section("1", "Active", activePort, "127.0.0.1", 9, true) +
                  Section("2", "Busy", holder.serverPort(), "127.0.0.1", 9, true) +
                  Section("3", "Never", FreePort(), "127.0.0.1", 9, false));
    auto main = Start();
    ASSERT_TRUE(Settled(*main));
    ASSERT_EQ(main->Row(0)->state, msListening);
    ASSERT_EQ(main->Row(1)->state, msPortBusy);
    main->Form().aDesactivateAll->trigger();
    EXPECT_EQ(main->Row(0)->state, msInactive);
    EXPECT_EQ(main->Row(1)->state, msPortBusy);
    EXPECT_EQ(main->Row(2)->state, msInactive);
    EXPECT_EQ(main->ApplicationIconIndex(), 5);
    EXPECT_FALSE(Client(activePort).Connected());
}

TEST_F(MainWindowActivationTest, ARowDeletedWhileItsProbeRunsLeavesNoTraceAndNoBusyFlag)
{
    WriteSettings(Section("1", "A", FreePort(), "127.0.0.1", 9, false) +
                  Section("2", "B", FreePort(), "127.0.0.1", 9, false));
    auto main = Start();
    main->show();
    main->Form().List->setCurrentItem(main->Row(0));
    main->ToggleMapping(0);
    ASSERT_TRUE(main->ProbeBusy());
    answer_ = mrYes;
    main->Form().aDelete->trigger();
    ASSERT_EQ(main->RowCount(), 1);
    ASSERT_TRUE(Settled(*main));
    EXPECT_EQ(main->Row(0)->text(0), QStringLiteral("B"));
    EXPECT_EQ(main->Row(0)->state, msInactive);
    EXPECT_FALSE(main->Row(0)->instance);
}

TEST_F(MainWindowActivationTest, TheStopSequenceStopsEveryMappingAndEndsTheLoop)
{
    const int port = FreePort();
    WriteSettings(Section("1", "A", port, "127.0.0.1", 9, true));
    auto main = Start();
    ASSERT_TRUE(Settled(*main));
    ASSERT_TRUE(main->Row(0)->instance);
    const QByteArray before = SettingsBytes();
    QTimer::singleShot(0, [&] { main->StopApplication(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(main->Row(0)->instance);
    EXPECT_EQ(main->Row(0)->state, msInactive);
    EXPECT_FALSE(Client(port).Connected());
    main.reset(); // the store goes without being saved
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(MainWindowActivationTest, AnErrorEscapingAHandlerIsShownAndTheProgramGoesOn)
{
    bool after = false;
    QTimer::singleShot(0, [] { throw Exception("Quelque chose a échoué"); });
    QTimer::singleShot(10, [&] { after = true; });
    ASSERT_TRUE(ProcessEventsUntil([&] { return after; }));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(messages_[0].text, QStringLiteral("Quelque chose a échoué"));
}

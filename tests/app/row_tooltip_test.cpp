// The tool tip of a list row: name and target always, the traffic of an active mapping in the language of
// the texts, and why its remote end could not be reached.
#include "MainWindowFixture.h"
#include "support/EchoServer.h"
#include "support/EventLoop.h"

#include "app/RowToolTip.h"
#include "i18n/LanguageModule.h"
#include "relay/Connect.h"
#include "ui_Main.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

#include <sys/socket.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// Hovers over row `index` as the user would and returns the tip shown, as plain text.
QString HoverTip(TfMain& main, int index)
{
    QTreeWidget* list = main.Form().List;
    const QPoint at = list->visualItemRect(main.Row(index)).center();
    QHelpEvent hover(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &hover);
    if (!QToolTip::isVisible())
        return {};
    QTextDocument shown;
    shown.setHtml(QToolTip::text());
    return shown.toPlainText();
}

class RowToolTipTest : public MainTest {
protected:
    ~RowToolTipTest() override { QToolTip::hideText(); }

    // An echo mapping, a mapping whose remote end refuses, and one never switched on.
    std::unique_ptr<TfMain> StartThree()
    {
        WriteSettings(Section("1", "Echo <b>not bold</b> with a name longer than the list shows", echoPort_,
                              "127.0.0.1", echo_.Port(), true) +
                      Section("2", "Refused", refusedPort_, "127.0.0.1", FreePort(), true) +
                      Section("3", "Off", FreePort(), "10.1.2.3", 8080, false));
        auto main = Start();
        main->show();
        EXPECT_TRUE(Settled(*main));
        return main;
    }

    // 40,000 bytes each way through the echo mapping, then the client is closed, and a client of the refused
    // mapping is dropped; waits until both rows have heard of the ends.
    void Traffic(TfMain& main)
    {
        {
            Client client(echoPort_);
            ASSERT_TRUE(client.Connected());
            ASSERT_EQ(client.RoundTrip(QByteArray(40000, 'x')).size(), 40000);
        }
        Client dropped(refusedPort_);
        ASSERT_TRUE(ProcessEventsUntil([&] {
            return main.Row(0)->instance->Traffic().open == 0 && main.Row(1)->instance->Traffic().accepted == 1 &&
                   main.Row(1)->instance->Traffic().open == 0;
        }));
    }

    EchoServer echo_;
    int echoPort_ = FreePort();
    int refusedPort_ = FreePort();
};

} // namespace

TEST_F(RowToolTipTest, ShowsNameTargetTrafficAndTheRefusedRemoteInFrench)
{
    auto main = StartThree();
    ASSERT_TRUE(main->Row(0)->instance && main->Row(1)->instance);
    Traffic(*main);

    EXPECT_EQ(HoverTip(*main, 0).toStdString(),
              QStringLiteral("Echo <b>not bold</b> with a name longer than the list shows\n→ 127.0.0.1:%1\n"
                             "0 connexions ouvertes, 1 depuis l'activation — reçus 39,1 Ko, envoyés 39,1 Ko")
                  .arg(echo_.Port())
                  .toStdString());

    const QStringList refused = HoverTip(*main, 1).split(QLatin1Char('\n'));
    ASSERT_EQ(refused.size(), 4) << refused.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(refused[2], QStringLiteral("0 connexions ouvertes, 1 depuis l'activation — reçus 0 o, envoyés 0 o"));
    EXPECT_TRUE(refused[3].startsWith(QStringLiteral("Dernier échec vers la destination à ")));
    EXPECT_TRUE(refused[3].endsWith(QStringLiteral(" : connexion refusée par la destination")))
        << refused[3].toStdString();

    EXPECT_EQ(HoverTip(*main, 2), QStringLiteral("Off\n→ 10.1.2.3:8080"));

    // While the tip stays up it follows the traffic.
    const QString before = HoverTip(*main, 0);
    Client client(echoPort_);
    ASSERT_TRUE(client.Connected());
    EXPECT_TRUE(ProcessEventsUntil([&] {
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        return shown.toPlainText().contains(QStringLiteral("1 connexion ouverte, 2 depuis l'activation"));
    })) << QToolTip::text().toStdString();
}

TEST_F(RowToolTipTest, SpeaksTheLanguageOfTheModuleWithItsNumberFormat)
{
    TLanguageModule module;
    ASSERT_TRUE(module.Load(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix.enu")));
    auto main = StartThree();
    ASSERT_TRUE(main->Row(0)->instance && main->Row(1)->instance);
    Traffic(*main);

    EXPECT_TRUE(HoverTip(*main, 0).endsWith(
        QStringLiteral("\n0 connections open, 1 since activation — received 39.1 KB, sent 39.1 KB")))
        << HoverTip(*main, 0).toStdString();
    EXPECT_TRUE(HoverTip(*main, 1).endsWith(QStringLiteral(": connection refused by the remote end")))
        << HoverTip(*main, 1).toStdString();
    EXPECT_EQ(HoverTip(*main, 2), QStringLiteral("Off\n→ 10.1.2.3:8080"));
    main.reset(); // before the module goes
}

TEST_F(MainTest, ListenAddressAndAllowedClientsReachTheEngineAndTheTip)
{
    // Two mappings on ::1: one admits ::1, the other only 10.0.0.0/8.
    EchoServer echo;
    const std::vector<int> ports = FreePorts(2);
    const auto access = [](QByteArray section, const char* lines) {
        return section.insert(section.size() - 2, QByteArray(lines));
    };
    WriteSettings(access(Section("1", "Admits", ports[0], "127.0.0.1", echo.Port(), true),
                         "ListenAddress=::1\r\nAllowFrom=::1\r\n") +
                  access(Section("2", "Refuses", ports[1], "127.0.0.1", echo.Port(), true),
                         "ListenAddress=::1\r\nAllowFrom=10.0.0.0/8\r\n"));
    auto main = Start();
    ASSERT_TRUE(Settled(*main));
    ASSERT_TRUE(main->Row(0)->instance && main->Row(1)->instance);
    // Listening on ::1, not on 127.0.0.1.
    EXPECT_FALSE(Client(ports[0]).Connected());
    {
        TestSocket admitted = ConnectLoopbackV6(ports[0]);
        ASSERT_TRUE(admitted.Valid());
        ASSERT_TRUE(admitted.SendAll("six"));
        std::string back;
        EXPECT_EQ(admitted.ReadExactly(back, 3, 5000), End::Data);
        EXPECT_EQ(back, "six");
    }
    const int acceptedBefore = echo.Accepted();
    {
        TestSocket refused = ConnectLoopbackV6(ports[1]);
        ASSERT_TRUE(refused.Valid());
        std::string nothing;
        EXPECT_NE(refused.ReadToEnd(nothing, 5000), End::Timeout);
        EXPECT_TRUE(nothing.empty());
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return main->Row(1)->instance->Traffic().refused == 1; }));
    EXPECT_EQ(echo.Accepted(), acceptedBefore);

    const QString admits = RowToolTipText(*main, 0);
    EXPECT_TRUE(admits.contains(QStringLiteral("Écoute sur ::1\nClients admis : ::1"))) << admits.toStdString();
    EXPECT_TRUE(admits.contains(QStringLiteral("\n0 clients refusés"))) << admits.toStdString();
    const QString refuses = RowToolTipText(*main, 1);
    EXPECT_TRUE(refuses.contains(QStringLiteral("Clients admis : 10.0.0.0/8"))) << refuses.toStdString();
    EXPECT_TRUE(refuses.contains(QStringLiteral("\n1 client refusé"))) << refuses.toStdString();
}

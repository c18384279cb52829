// The whole path a user takes: a new mapping through the dialog, activation, relayed bytes, edit, delete,
// "Tout désactiver" and the stop sequence.
#include "MainWindowFixture.h"
#include "support/EchoServer.h"
#include "support/EventLoop.h"

#include "editor/NewModify.h"
#include "editor/SpinEdit.h"
#include "settings/IniFileEx.h"
#include "ui/ActionLabel.h"
#include "ui_Main.h"
#include "ui_NewModify.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// Answers the next editor dialog with fill(), which ends it.
void OnNextDialog(std::function<void(TfNewModify&)> fill)
{
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<TfNewModify*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(*dialog);
    });
}

void Fill(TfNewModify& d, const QString& name, int listenPort, const QString& address, int port)
{
    auto& f = d.Form();
    f.eName->setText(name);
    f.eListenPort->setValue(listenPort);
    f.eAddress->setText(address);
    f.ePort->setValue(port);
}

void Select(TfMain& main, int index)
{
    QTreeWidget* list = main.Form().List;
    const QRect r = list->visualItemRect(list->topLevelItem(index));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

using MainWindowFlowTest = MainTest;

TEST_F(MainWindowFlowTest, NewActivateRelayModifyDeleteAndStop)
{
    EchoServer echo;
    auto main = Start();
    auto& f = main->Form();
    ASSERT_TRUE(main->isVisible());

    // New mapping through the dialog, saved with its button.
    const int port1 = FreePort();
    OnNextDialog([&](TfNewModify& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Ajouter"));
        Fill(d, QStringLiteral("Echo"), port1, QStringLiteral("127.0.0.1"), echo.Port());
        QTest::mouseClick(d.Form().bSave, Qt::LeftButton);
    });
    QTest::mouseClick(f.lNew, Qt::LeftButton);
    ASSERT_EQ(main->RowCount(), 1);
    TMappingItem* row = main->Row(0);
    EXPECT_EQ(row->text(0), QStringLiteral("Echo"));
    EXPECT_EQ(row->text(1), QString::number(port1));
    EXPECT_EQ(row->state, msInactive);
    EXPECT_TRUE(row->isSelected());
    EXPECT_EQ(main->SelectedItem(), row);
    EXPECT_TRUE(f.aActivate->isEnabled() && f.aModify->isEnabled() && f.aDelete->isEnabled());
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Activer"));
    const QString section = main->Settings().SectionName(0);
    EXPECT_EQ(SettingsBytes(), QStringLiteral("[%1]\r\nName=Echo\r\nLocalPort=%2\r\nAddress=127.0.0.1\r\nPort=%3\r\n"
                                              "AutoStart=0\r\n\r\n")
                                   .arg(section)
                                   .arg(port1)
                                   .arg(echo.Port())
                                   .toUtf8());

    // Activate through the link label: probing, then listening.
    QTest::mouseClick(f.lActive, Qt::LeftButton);
    ASSERT_TRUE(Settled(*main));
    EXPECT_EQ(row->state, msListening);
    EXPECT_EQ(main->ApplicationIconIndex(), 6);
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Désactiver"));
    EXPECT_EQ(f.aActivate->property("imageIndex").toInt(), 5);

    // Real bytes through it; two clients, one leaves: the row stays "connection open".
    {
        Client first(port1);
        ASSERT_TRUE(first.Connected());
        EXPECT_EQ(first.RoundTrip("hello through the relay"), QByteArray("hello through the relay"));
        ASSERT_TRUE(ProcessEventsUntil([&] { return row->state == msConnectionOpen; }));
        EXPECT_EQ(main->ApplicationIconIndex(), 7);
        {
            Client second(port1);
            EXPECT_EQ(second.RoundTrip(QByteArray(100000, 'x')), QByteArray(100000, 'x'));
            ASSERT_TRUE(ProcessEventsUntil([&] { return row->openConnections == 2; }));
        }
        ASSERT_TRUE(ProcessEventsUntil([&] { return row->openConnections == 1; }));
        EXPECT_EQ(row->state, msConnectionOpen);
        EXPECT_EQ(main->ApplicationIconIndex(), 7);
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return row->state == msListening; }));
    EXPECT_EQ(main->ApplicationIconIndex(), 6);

    // Modify the active mapping: it restarts on the new local port.
    const int port2 = FreePort();
    OnNextDialog([&](TfNewModify& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Modifier"));
        EXPECT_EQ(d.Form().eName->text(), QStringLiteral("Echo"));
        d.Form().eName->setText(QStringLiteral("Echo 2"));
        d.Form().eListenPort->setValue(port2);
        QTest::mouseClick(d.Form().bSave, Qt::LeftButton);
    });
    // A double-click is a press, a release, then the double-click itself.
    QTest::mouseClick(f.List->viewport(), Qt::LeftButton, {}, f.List->visualItemRect(row).center());
    QTest::mouseDClick(f.List->viewport(), Qt::LeftButton, {}, f.List->visualItemRect(row).center());
    ASSERT_TRUE(Settled(*main));
    EXPECT_EQ(row->text(0), QStringLiteral("Echo 2"));
    EXPECT_EQ(row->text(1), QString::number(port2));
    EXPECT_EQ(row->state, msListening);
    EXPECT_FALSE(Client(port1).Connected());
    {
        Client c(port2);
        EXPECT_EQ(c.RoundTrip("again"), QByteArray("again"));
    }

    // Delete: "No" keeps it, "Yes" stops it and removes it from the file on disk.
    answer_ = mrNo;
    f.aDelete->trigger();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(messages_[0].text, QStringLiteral("Suppression de \"Echo 2\"\r\rConfirmez ?"));
    EXPECT_EQ(main->RowCount(), 1);
    answer_ = mrYes;
    f.aDelete->trigger();
    EXPECT_EQ(main->RowCount(), 0);
    EXPECT_FALSE(Client(port2).Connected());
    EXPECT_FALSE(SettingsBytes().contains(section.toUtf8()));
    EXPECT_TRUE(main->Settings().Sections().isEmpty());
    EXPECT_FALSE(f.aActivate->isEnabled() || f.aModify->isEnabled() || f.aDelete->isEnabled());
    EXPECT_EQ(main->SelectedItem(), nullptr);
    EXPECT_EQ(main->ApplicationIconIndex(), 5);

    // The stop sequence: a notice, every mapping stopped, the loop ends with 0.
    QTimer::singleShot(0, [&] { f.aQuit->trigger(); });
    EXPECT_EQ(QApplication::exec(), 0);
    auto* notice = main->findChild<QMessageBox*>(QStringLiteral("StopNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QStringLiteral("TARVIX Port Mapping\n\nArrêt en cours. Attendez SVP..."));
    EXPECT_TRUE(notice->buttons().isEmpty());
    EXPECT_TRUE(main->Stopping());
}

TEST_F(MainWindowFlowTest, AnEditOfNameOrAutoStartKeepsTheMappingAndItsConnectionsAnEditOfWhereRestartsIt)
{
    EchoServer echo;
    const int port = FreePort();
    WriteSettings(Section("1", "Echo", port, "127.0.0.1", echo.Port(), true));
    auto main = Start();
    ASSERT_TRUE(Settled(*main));
    TMappingItem* row = main->Row(0);
    ASSERT_TRUE(row->instance);
    Select(*main, 0);
    const auto edit = [&](std::function<void(TfNewModify&)> change) {
        OnNextDialog([change](TfNewModify& d) {
            change(d);
            QTest::mouseClick(d.Form().bSave, Qt::LeftButton);
        });
        main->Form().aModify->trigger();
        return Settled(*main);
    };

    Client open(port);
    ASSERT_EQ(open.RoundTrip("before"), QByteArray("before"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return row->state == msConnectionOpen; }));
    const std::uint64_t instance = row->instanceId;
    ASSERT_TRUE(edit([](TfNewModify& d) {
        d.Form().eName->setText(QStringLiteral("Echo renamed"));
        d.Form().cbAutoStart->setChecked(false);
    }));
    EXPECT_EQ(row->text(0), QStringLiteral("Echo renamed"));
    EXPECT_EQ(row->instanceId, instance);
    EXPECT_EQ(row->state, msConnectionOpen);
    EXPECT_EQ(open.RoundTrip("still open"), QByteArray("still open"));

    // The remote port, then the local port: restarted each time, the open connection cut.
    EchoServer other;
    ASSERT_TRUE(edit([&](TfNewModify& d) { d.Form().ePort->setValue(other.Port()); }));
    EXPECT_NE(row->instanceId, instance);
    EXPECT_EQ(row->state, msListening);
    EXPECT_NE(open.RoundTrip("after"), QByteArray("after"));
    const int port2 = FreePort();
    const std::uint64_t second = row->instanceId;
    ASSERT_TRUE(edit([&](TfNewModify& d) { d.Form().eListenPort->setValue(port2); }));
    EXPECT_NE(row->instanceId, second);
    EXPECT_EQ(Client(port2).RoundTrip("moved"), QByteArray("moved"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowFlowTest, SelectionDrivesTheRowActions)
{
    WriteSettings(Section("1", "Off", FreePort(), "127.0.0.1", 9, false) +
                  Section("2", "On", FreePort(), "127.0.0.1", 9, true));
    auto main = Start();
    auto& f = main->Form();
    main->show();
    ASSERT_TRUE(Settled(*main));
    ASSERT_TRUE(main->Row(1)->instance);

    Select(*main, 0);
    EXPECT_EQ(main->SelectedItem(), main->Row(0));
    EXPECT_TRUE(f.aActivate->isEnabled() && f.aModify->isEnabled() && f.aDelete->isEnabled());
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Activer"));
    EXPECT_EQ(f.lActive->text(), QStringLiteral("Activer"));
    Select(*main, 1);
    EXPECT_EQ(main->SelectedItem(), main->Row(1));
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Désactiver"));
    EXPECT_EQ(f.aActivate->property("imageIndex").toInt(), 5);
    EXPECT_EQ(main->ListMenu()->findChild<QAction*>(QStringLiteral("mActive"))->text(), QStringLiteral("Désactiver"));
    f.List->clearSelection();
    EXPECT_EQ(main->SelectedItem(), nullptr);
    EXPECT_FALSE(f.aActivate->isEnabled() || f.aModify->isEnabled() || f.aDelete->isEnabled());
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Activer"));
    // A disabled link label ignores clicks.
    QTest::mouseClick(f.lActive, Qt::LeftButton);
    EXPECT_TRUE(main->Row(1)->instance);

    // "Tout désactiver" puts the caption back and keeps the enabled state.
    Select(*main, 1);
    f.aDesactivateAll->trigger();
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Activer"));
    EXPECT_TRUE(f.aActivate->isEnabled());
    EXPECT_EQ(main->Row(1)->state, msInactive);

    // Editing an inactive row changes its caption and port and leaves it inactive.
    Select(*main, 0);
    OnNextDialog([](TfNewModify& d) {
        d.Form().eName->setText(QStringLiteral("Renamed"));
        d.Form().eListenPort->setValue(4321);
        QTest::mouseClick(d.Form().bSave, Qt::LeftButton);
    });
    f.aModify->trigger();
    EXPECT_EQ(main->Row(0)->text(0), QStringLiteral("Renamed"));
    EXPECT_EQ(main->Row(0)->text(1), QStringLiteral("4321"));
    EXPECT_EQ(main->Row(0)->state, msInactive);
    EXPECT_TRUE(probes_.size() == 2u); // only the auto-start probed
    // Cancel changes nothing.
    const QByteArray before = SettingsBytes();
    OnNextDialog([](TfNewModify& d) {
        d.Form().eName->setText(QStringLiteral("ignored"));
        QTest::mouseClick(d.Form().bCancel, Qt::LeftButton);
    });
    f.aModify->trigger();
    EXPECT_EQ(main->Row(0)->text(0), QStringLiteral("Renamed"));
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(MainWindowFlowTest, ADeletionThatCannotBeSavedIsReportedAndListAndStoreStayInStep)
{
    WriteSettings(Section("1", "First", 4001, "h", 9, false) + Section("2", "Second", 4002, "h", 9, false));
    auto main = Start();
    main->show();
    Select(*main, 0);
    answer_ = mrYes;
    ASSERT_TRUE(dir_.remove()); // the folder is gone: the file cannot be written
    QTest::mouseClick(main->Form().lDelete, Qt::LeftButton);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(messages_[1].type, TMsgDlgType::mtError);
    ASSERT_EQ(main->RowCount(), 1);
    EXPECT_EQ(main->Row(0)->text(0), QStringLiteral("Second"));
    EXPECT_EQ(main->Settings().Sections(), QStringList{QStringLiteral("2")});
    EXPECT_EQ(main->SelectedItem(), nullptr);
}

// The main window at start-up: rows from the settings file, auto-started probes, hiding to the tray, the version.
#include "MainWindowFixture.h"

#include "app/VersionInfo.h"
#include "settings/IniFileEx.h"
#include "ui/TrayIcon.h"
#include "ui_Main.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace tarvix;
using namespace tarvix::test;

namespace {

QAction* Item(QMenu* menu, const char* name)
{
    return menu->findChild<QAction*>(QLatin1String(name));
}

} // namespace

using MainWindowStartupTest = MainTest;

TEST_F(MainWindowStartupTest, WithoutASettingsFileTheWindowShowsAnEmptyList)
{
    auto main = Start();
    auto& f = main->Form();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("TARVIX Port Mapping"));
    EXPECT_EQ(main->size(), QSize(476, 353));
    EXPECT_EQ(main->minimumSize(), main->maximumSize());
    EXPECT_EQ(main->RowCount(), 0);
    EXPECT_TRUE(f.aDesactivateAll->isEnabled());
    EXPECT_FALSE(f.aActivate->isEnabled());
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Activer"));
    EXPECT_EQ(f.aActivate->property("imageIndex").toInt(), 6);
    EXPECT_FALSE(f.aModify->isEnabled());
    EXPECT_FALSE(f.aDelete->isEnabled());
    EXPECT_TRUE(f.aNew->isEnabled());
    EXPECT_EQ(main->SelectedItem(), nullptr);
    EXPECT_FALSE(main->ProbeBusy());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(main->TrayIcon()->Hint(), QStringLiteral("TARVIX Port Mapping"));
    // This executable carries the same version record as the program.
    EXPECT_EQ(Item(main->TrayMenu(), "mTitle")->text(), QStringLiteral("TARVIX Port Mapping (V1.2)"));
    EXPECT_FALSE(Item(main->TrayMenu(), "mTitle")->isEnabled());
    EXPECT_FALSE(QFile::exists(SettingsPath())); // nothing written at start
}

TEST_F(MainWindowStartupTest, TheFormHoldsItsComponentsWhereTheyBelong)
{
    auto main = Start();
    auto& f = main->Form();
    EXPECT_EQ(f.Image1->geometry(), QRect(8, 8, 145, 135));
    ASSERT_FALSE(f.Image1->pixmap().isNull());
    EXPECT_EQ(f.Image1->pixmap().size(), QSize(145, 135));
    EXPECT_EQ(f.List->geometry(), QRect(176, 8, 292, 285));
    EXPECT_EQ(f.Bevel1->geometry(), QRect(0, 311, 476, 2));
    EXPECT_EQ(f.lClose->geometry().right(), 459); // ends at 460
    EXPECT_EQ(f.lClose->y(), 328);
    const struct {
        QWidget* label;
        int top;
        QAction* action;
    } labels[] = {{f.lActive, 168, f.aActivate}, {f.lDesactivateAll, 184, f.aDesactivateAll},
                  {f.lNew, 216, f.aNew},         {f.lModify, 232, f.aModify},
                  {f.lDelete, 248, f.aDelete},   {f.lHelp, 280, f.aHelp}};
    for (const auto& l : labels) {
        EXPECT_EQ(l.label->pos(), QPoint(8, l.top)) << l.label->objectName().toStdString();
        EXPECT_EQ(l.label->isEnabled(), l.action->isEnabled()) << l.label->objectName().toStdString();
    }
    EXPECT_EQ(f.List->headerItem()->text(0), QStringLiteral("Connexion"));
    EXPECT_EQ(f.List->headerItem()->text(1), QStringLiteral("Port"));
    EXPECT_GE(f.List->header()->sectionSize(1), 40);
    EXPECT_GT(f.List->header()->sectionSize(1), f.List->fontMetrics().horizontalAdvance(QStringLiteral("65535")));
    EXPECT_EQ(f.List->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(f.List->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(f.List->palette().color(QPalette::Base), f.List->palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(main->palette().color(QPalette::Window), QColor(Qt::white));

    const struct {
        QAction* action;
        const char* category;
        const char* caption;
        int image;
    } actions[] = {
        {f.aActivate, "Main", "Activer", 6},
        {f.aOpen, "Application", "Ouvrir", 12},
        {f.aDesactivateAll, "Application", "Tout désactiver", 5},
        {f.aNew, "Main", "Nouveau", 13},
        {f.aModify, "Main", "Modifier", 13},
        {f.aDelete, "Main", "Supprimer", 13},
        {f.aHelp, "Main", "Aide", -1},
        {f.aClose, "Main", "Fermer", -1},
        {f.aOnTheWeb, "Application", "TARVIX sur le web", 8},
        {f.aQuit, "Application", "Quitter", 9},
    };
    for (const auto& a : actions) {
        EXPECT_EQ(a.action->property("category").toString(), QLatin1String(a.category));
        EXPECT_EQ(a.action->text(), QString::fromUtf8(a.caption));
        EXPECT_EQ(a.action->property("imageIndex").toInt(), a.image) << a.caption;
    }

    const auto names = [](QMenu* menu) {
        QStringList list;
        for (QAction* a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return list;
    };
    EXPECT_EQ(names(main->ListMenu()), QStringList({"mActive", "mDesactivateAll2", "-", "mNew", "mModify", "mDelete",
                                                    "-", "mLanguage2", "mOnTheWeb2", "mAutostart2", "-", "mQuit2"}));
    // With a notification area the list menu keeps to the rows.
    emit main->ListMenu()->aboutToShow();
    EXPECT_FALSE(Item(main->ListMenu(), "mQuit2")->isVisible());
    EXPECT_FALSE(f.pWindowCommands->isVisible());
    EXPECT_EQ(names(main->TrayMenu()), QStringList({"mTitle", "-", "mOpen", "mDesactivateAll", "-", "mLanguage",
                                                    "mOnTheWeb", "-", "mAutostart", "mQuit"}));
    QMenu* languages = Item(main->TrayMenu(), "mLanguage")->menu();
    ASSERT_NE(languages, nullptr);
    EXPECT_EQ(names(languages), QStringList({"mFrench", "mEnglish", "mGerman", "mItalien"}));
    EXPECT_TRUE(Item(languages, "mFrench")->isChecked());
    EXPECT_EQ(Item(main->TrayMenu(), "mOpen")->text(), QStringLiteral("Ouvrir"));
    EXPECT_EQ(Item(main->ListMenu(), "mActive")->isEnabled(), false);
}

TEST_F(MainWindowStartupTest, SectionsGiveRowsInFileOrderAndTheWindowStaysHidden)
{
    WriteSettings("[20]\r\nName=Zeta\r\nLocalPort=2000\r\n\r\n[3]\r\nLocalPort=3000\r\n\r\n[10]\r\nName=Ten\r\n\r\n");
    auto main = Start();
    EXPECT_FALSE(main->isVisible());
    ASSERT_EQ(main->RowCount(), 3);
    const char* expected[][2] = {{"Zeta", "2000"}, {"", "3000"}, {"Ten", "1024"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(main->Row(i)->text(0), QLatin1String(expected[i][0]));
        EXPECT_EQ(main->Row(i)->text(1), QLatin1String(expected[i][1]));
        EXPECT_EQ(main->Row(i)->state, msInactive);
    }
    EXPECT_TRUE(probes_.empty());
    EXPECT_TRUE(main->Form().aDesactivateAll->isEnabled());
    // Only the tray icon shows, with the window's own icon.
    EXPECT_EQ(main->TrayIcon()->Icon().cacheKey(), main->windowIcon().cacheKey());
}

TEST_F(MainWindowStartupTest, ThreeAutoStartedMappingsAreProbedOneAfterAnotherInSectionOrder)
{
    QTcpServer holder; // holds the second mapping's port
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    const int ports[] = {FreePort(), holder.serverPort(), FreePort()};
    WriteSettings(Section("7", "A", ports[0], "127.0.0.1", 9, true) +
                  Section("3", "B", ports[1], "127.0.0.1", 9, true) +
                  Section("5", "C", ports[2], "127.0.0.1", 9, true) + Section("1", "D", FreePort(), "x", 9, false));
    auto main = Start();
    ASSERT_TRUE(Settled(*main));
    EXPECT_FALSE(main->isVisible());
    const std::vector<std::pair<int, bool>> order{{0, true}, {0, false}, {1, true}, {1, false}, {2, true}, {2, false}};
    EXPECT_EQ(probes_, order);
    EXPECT_EQ(main->Row(0)->state, msListening);
    EXPECT_EQ(main->Row(1)->state, msPortBusy);
    EXPECT_EQ(main->Row(2)->state, msListening);
    EXPECT_EQ(main->Row(3)->state, msInactive);
    EXPECT_TRUE(main->Row(0)->instance && main->Row(2)->instance);
    EXPECT_FALSE(main->Row(1)->instance);
    EXPECT_EQ(main->ApplicationIconIndex(), 6);
    EXPECT_TRUE(messages_.empty()); // hidden window: the row image is the only sign
    EXPECT_TRUE(main->Form().aDesactivateAll->isEnabled());
}

TEST_F(MainWindowStartupTest, ALocalPortThatIsNotAnIntegerStopsStartUpAtThatRow)
{
    WriteSettings(Section("1", "A", FreePort(), "h", 9, true) + "[2]\r\nName=B\r\nLocalPort=abc\r\n\r\n" +
                  Section("3", "C", FreePort(), "h", 9, true));
    auto main = Start();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(messages_[0].text, QStringLiteral("'abc' n'est pas une valeur entière correcte"));
    EXPECT_EQ(main->RowCount(), 1);
    EXPECT_TRUE(probes_.empty()); // the automatic starts come after the rows
    EXPECT_FALSE(main->Form().aDesactivateAll->isEnabled());
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainWindowStartupTest, ClosingOnlyHidesAndOpenBringsTheWindowBack)
{
    auto main = Start();
    ASSERT_TRUE(main->isVisible());
    EXPECT_FALSE(main->close());
    EXPECT_FALSE(main->isVisible());
    main->Form().aOpen->trigger();
    EXPECT_TRUE(main->isVisible());
    main->Form().aClose->trigger();
    EXPECT_FALSE(main->isVisible());
    main->TrayIcon()->OnDblClick(main->TrayIcon());
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowStartupTest, WithoutANotificationAreaTheWindowCarriesTheTrayCommandsAndItsCloseBoxQuits)
{
    TTrayIcon::SetAvailableOverride(false);
    const int port = FreePort();
    WriteSettings(Section("1", "A", port, "127.0.0.1", 9, true));
    auto main = Start();
    ASSERT_TRUE(Settled(*main));
    ASSERT_TRUE(main->Row(0)->instance);
    EXPECT_TRUE(main->isVisible());
    auto& f = main->Form();
    // "Quitter" under the list, and the tray menu's commands in the list menu (also opened by the banner).
    EXPECT_TRUE(f.lQuit->isVisible());
    EXPECT_EQ(f.lQuit->text(), QStringLiteral("Quitter"));
    emit main->ListMenu()->aboutToShow();
    for (const char* name : {"mLanguage2", "mOnTheWeb2", "mAutostart2", "mQuit2"})
        EXPECT_TRUE(Item(main->ListMenu(), name)->isVisible()) << name;
    EXPECT_EQ(Item(main->ListMenu(), "mLanguage2")->menu(), Item(main->TrayMenu(), "mLanguage")->menu());
    // "Fermer" only takes the window down; the program runs on.
    f.aClose->trigger();
    EXPECT_TRUE(main->isMinimized());
    EXPECT_FALSE(main->Stopping());
    main->aOpenExecute();
    EXPECT_FALSE(main->isMinimized());

    // The close box runs the stop sequence: its notice, every mapping stopped, the loop ended.
    QTimer::singleShot(0, [&] { main->close(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(main->Stopping());
    EXPECT_NE(main->findChild<QWidget*>(QStringLiteral("StopNotice")), nullptr);
    EXPECT_FALSE(main->Row(0)->instance);
    EXPECT_FALSE(Client(port).Connected());
}

TEST_F(MainWindowStartupTest, WithoutANotificationAreaTheLinkLabelQuits)
{
    TTrayIcon::SetAvailableOverride(false);
    auto main = Start();
    ASSERT_TRUE(main->Form().lQuit->isVisible());
    QTimer::singleShot(0, [&] { QTest::mouseClick(main->Form().lQuit, Qt::LeftButton); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(main->Stopping());
}

TEST(VersionInfo, TheBuildEmbedsTheFileVersion)
{
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix"), QStringLiteral("FileVersion")),
              QStringLiteral("1.2"));
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix"), QStringLiteral("ProductName")),
              QStringLiteral("TARVIX Port Mapping"));
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix"), QStringLiteral("Nothing")), QString());
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral("/nonexistent/file"), QStringLiteral("FileVersion")), QString());
    // A file without a record.
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("FileVersion\0"
                "9.9\0",
                16);
    plain.close();
    EXPECT_EQ(GetVersionInfoValue(plain.fileName(), QStringLiteral("FileVersion")), QString());
}

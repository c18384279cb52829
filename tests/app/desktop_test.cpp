// The program on a Linux desktop: tray clicks, the wait for a late notification area, start with the session,
// the end of the session.
#include "MainWindowFixture.h"
#include "support/EchoServer.h"
#include "support/EventLoop.h"

#include "app/Autostart.h"
#include "app/SessionEnd.h"
#include "ui/TrayIcon.h"
#include "ui_Main.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>

#include <unistd.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

QAction* Item(QMenu* menu, const char* name)
{
    return menu->findChild<QAction*>(QLatin1String(name));
}

// XDG_CONFIG_HOME pointed at a folder of the test's own for its lifetime.
class ConfigHome {
public:
    ConfigHome() : old_(qgetenv("XDG_CONFIG_HOME")), had_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    }
    ~ConfigHome()
    {
        if (had_)
            qputenv("XDG_CONFIG_HOME", old_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString Entry() const { return dir_.filePath(QStringLiteral("autostart/org.tarvix.PortMapping.desktop")); }
    QString Path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray old_;
    bool had_;
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

using MainWindowDesktopTest = MainTest;

TEST_F(MainWindowDesktopTest, LeftMiddleAndDoubleClickOnTheTrayIconEachShowTheWindow)
{
    WriteSettings(Section("1", "A", FreePort(), "h", 9, false));
    auto main = Start();
    ASSERT_FALSE(main->isVisible());
    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::DoubleClick}) {
        main->hide();
        QTest::qWait(TTrayIcon::kOpenClickIntervalMs + 30); // a gesture of its own
        emit main->TrayIcon()->Native()->activated(reason);
        EXPECT_TRUE(main->isVisible()) << reason;
    }
    // The right click only brings the menu.
    main->hide();
    QTest::qWait(TTrayIcon::kOpenClickIntervalMs + 30);
    emit main->TrayIcon()->Native()->activated(QSystemTrayIcon::Context);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainWindowDesktopTest, ALateNotificationAreaIsWaitedForBeforeTheWindowIsShown)
{
    WriteSettings(Section("1", "A", FreePort(), "h", 9, false));
    trayWaitMs_ = 400;
    TTrayIcon::SetAvailableOverride(false);
    {
        // It never comes: the window is shown once the wait is over.
        auto main = Start();
        EXPECT_FALSE(main->isVisible());
        EXPECT_TRUE(main->TrayIcon()->WaitingForTray());
        EXPECT_TRUE(ProcessEventsUntil([&] { return main->isVisible(); }, 5000));
        EXPECT_FALSE(main->TrayIcon()->WaitingForTray());
    }
    {
        // It comes during the wait: the program stays in the notification area.
        auto main = Start();
        QTest::qWait(100);
        TTrayIcon::SetAvailableOverride(true);
        EXPECT_TRUE(ProcessEventsUntil([&] { return !main->TrayIcon()->WaitingForTray(); }, 5000));
        QTest::qWait(trayWaitMs_);
        EXPECT_FALSE(main->isVisible());
    }
}

TEST_F(MainWindowDesktopTest, StartWithTheSessionWritesAndRemovesTheAutostartEntry)
{
    ConfigHome home;
    auto main = Start();
    QMenu* tray = main->TrayMenu();
    QAction* item = Item(tray, "mAutostart");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("Démarrer avec la session"));
    EXPECT_TRUE(item->isCheckable());
    // Just above "Quitter".
    const QList<QAction*> items = tray->actions();
    const qsizetype at = items.indexOf(item);
    ASSERT_GE(at, 1);
    ASSERT_LT(at + 1, items.size());
    EXPECT_EQ(items[at + 1]->objectName(), QStringLiteral("mQuit"));
    EXPECT_TRUE(items[at - 1]->isSeparator());

    emit tray->aboutToShow();
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(item->isChecked());
    const QByteArray entry = ReadAll(home.Entry());
    const QByteArray exe = QCoreApplication::applicationFilePath().toUtf8();
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    for (const QByteArray& line :
         QByteArrayList{"Type=Application", "Exec=" + exe, "TryExec=" + exe, "X-GNOME-Autostart-enabled=true",
                        "X-KDE-autostart-after=panel", "X-LXQt-Need-Tray=true"})
        EXPECT_TRUE(entry.contains("\n" + line + "\n")) << line.toStdString();
    // Written whole and renamed into place: nothing else is left in the folder.
    EXPECT_EQ(QDir(QFileInfo(home.Entry()).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(QFile::exists(home.Entry()));

    // A path that needs quoting in Exec.
    EXPECT_TRUE(
        AutostartEntry(QStringLiteral("/opt/my apps/tar$vix")).contains("\nExec=\"/opt/my apps/tar\\\\$vix\"\n"));
}

TEST(Autostart, TheEntryNamesTheProgramByItsPublicName)
{
    // An installed package: the program in lib/tarvix, a link to it in bin on the search path.
    QTemporaryDir root;
    const QString lib = root.filePath(QStringLiteral("lib/tarvix"));
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString other = root.filePath(QStringLiteral("other"));
    ASSERT_TRUE(QDir().mkpath(lib) && QDir().mkpath(bin) && QDir().mkpath(other));
    const QString program = lib + QStringLiteral("/tarvix");
    {
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
    }
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ASSERT_TRUE(QFile::link(program, bin + QStringLiteral("/tarvix")));
    EXPECT_EQ(AutostartProgram(program, {bin}), QStringLiteral("tarvix"));
    EXPECT_TRUE(AutostartEntry(AutostartProgram(program, {bin})).contains("\nExec=tarvix\n"));
    // Another copy under that name on the path, or none at all: the path that started this one.
    const QString copy = other + QStringLiteral("/tarvix");
    ASSERT_TRUE(QFile::copy(program, copy));
    EXPECT_EQ(AutostartProgram(copy, {bin}), copy);
    EXPECT_EQ(AutostartProgram(program, {other + QStringLiteral("/none")}), program);
}

TEST_F(MainWindowDesktopTest, AnAutostartEntryHiddenOrSwitchedOffReadsAsOff)
{
    ConfigHome home;
    auto main = Start();
    QMenu* tray = main->TrayMenu();
    QAction* item = Item(tray, "mAutostart");
    QDir().mkpath(QFileInfo(home.Entry()).path());
    const auto write = [&](const QByteArray& text) {
        QFile f(home.Entry());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    write(AutostartEntry(QStringLiteral("/usr/lib/tarvix/tarvix")));
    emit tray->aboutToShow();
    EXPECT_TRUE(item->isChecked());
    write(AutostartEntry(QStringLiteral("/usr/lib/tarvix/tarvix")) + "Hidden=true\n");
    emit tray->aboutToShow();
    EXPECT_FALSE(item->isChecked());
    write("[Desktop Entry]\nExec=tarvix\nX-GNOME-Autostart-enabled=false\n");
    emit tray->aboutToShow();
    EXPECT_FALSE(item->isChecked());
    // The keys count in the entry's own group only.
    write("[Desktop Entry]\nExec=tarvix\n[Desktop Action x]\nHidden=true\n");
    emit tray->aboutToShow();
    EXPECT_TRUE(item->isChecked());
}

TEST_F(MainWindowDesktopTest, AnAutostartEntryThatCannotBeWrittenIsReportedAndTheItemStaysOff)
{
    ConfigHome home;
    auto main = Start();
    QAction* item = Item(main->TrayMenu(), "mAutostart");
    // A file where the folder should be stops everyone, root included.
    {
        QFile blocker(home.Path(QStringLiteral("autostart")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    item->trigger();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtError);
    EXPECT_TRUE(
        messages_[0].text.startsWith(QStringLiteral("Le démarrage avec la session ne peut pas être enregistré")));
    EXPECT_FALSE(item->isChecked());

    // A folder that cannot be written (permissions do not stop root).
    if (::geteuid() != 0) {
        messages_.clear();
        QFile::remove(home.Path(QStringLiteral("autostart")));
        const QString folder = home.Path(QStringLiteral("autostart"));
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        item->trigger();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].type, TMsgDlgType::mtError);
        EXPECT_FALSE(item->isChecked());
        EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
}

TEST_F(MainWindowDesktopTest, ASessionSaveLeavesTheProgramRunningAndAQuitRequestStopsIt)
{
    EchoServer echo;
    const int port = FreePort();
    WriteSettings(Section("1", "A", port, "127.0.0.1", echo.Port(), true));
    auto main = Start();
    TSessionEnd sessionEnd([&] { main->StopApplication(); });
    ASSERT_TRUE(Settled(*main));
    ASSERT_TRUE(main->Row(0)->instance);
    const QByteArray before = SettingsBytes();

    // What the session manager sends for a save, and before a logout.
    QGuiApplicationPrivate::instance()->commitData();
    QTest::qWait(50);
    EXPECT_FALSE(main->Stopping());
    EXPECT_TRUE(main->Row(0)->instance);
    EXPECT_EQ(Client(port).RoundTrip("still here"), QByteArray("still here"));

    // The logout itself: the platform asks the application to quit.
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    QTimer failsafe; // never hang on a failure
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    failsafe.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(main->Stopping());
    EXPECT_FALSE(main->Row(0)->instance);
    EXPECT_FALSE(Client(port).Connected());
    main.reset();
    EXPECT_EQ(SettingsBytes(), before);
}

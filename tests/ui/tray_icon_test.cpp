// The tray icon: clicks and their gestures, its menu, hint and image, and the window it hides and gives back.
#include "CapturedErrors.h"
#include "support/Application.h"
#include "support/EventLoop.h"

#include "ui/ImageList.h"
#include "ui/TrayIcon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

namespace tarvix {
namespace {

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication<QApplication>("test_ui"); }
    void TearDown() override { TTrayIcon::SetAvailableOverride(std::nullopt); }
};

TEST_F(TrayIconTest, HintShowsItsFirst63CharactersAndKeepsTheWholeText)
{
    TTrayIcon tray;
    const QString seventy = QString(70, QLatin1Char('x')).replace(0, 5, QStringLiteral("début"));
    tray.SetHint(seventy);
    EXPECT_EQ(tray.Hint(), seventy);
    EXPECT_EQ(tray.ShownHint(), seventy.left(63));
    EXPECT_EQ(tray.ShownHint().size(), 63);

    const QString exact(63, QLatin1Char('y'));
    tray.SetHint(exact);
    EXPECT_EQ(tray.ShownHint(), exact);

    tray.SetHint(QString());
    EXPECT_TRUE(tray.ShownHint().isEmpty());

    // A character outside the basic plane is never cut in half.
    const QString emoji =
        QString(62, QLatin1Char('z')) + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("tail");
    EXPECT_EQ(TTrayIcon::CutHint(emoji), QString(62, QLatin1Char('z')));
}

TEST_F(TrayIconTest, IconSetWhileDisabledIsShownOnceEnabled)
{
    TTrayIcon tray;
    const QIcon icon = ImageListIcon(images::SomeConnected);
    tray.SetIcon(icon);
    EXPECT_FALSE(tray.Enabled());
    EXPECT_EQ(tray.Native()->icon().cacheKey(), icon.cacheKey());
    tray.SetEnabled(true);
    EXPECT_TRUE(tray.Enabled());
    EXPECT_EQ(tray.Native()->icon().cacheKey(), icon.cacheKey());
    tray.SetEnabled(false);
    EXPECT_FALSE(tray.Native()->isVisible());
}

TEST_F(TrayIconTest, ClicksBecomeEventsAndTheMenuIsTheTrayMenu)
{
    TTrayIcon tray;
    QMenu pmTray;
    tray.SetPopupMenu(&pmTray);
    EXPECT_EQ(tray.Native()->contextMenu(), &pmTray);
    int clicks = 0, doubleClicks = 0, rightClicks = 0;
    tray.OnClick = [&](TTrayIcon* sender) {
        EXPECT_EQ(sender, &tray);
        ++clicks;
    };
    tray.OnDblClick = [&](TTrayIcon*) { ++doubleClicks; };
    tray.OnRightClick = [&](TTrayIcon*) { ++rightClicks; };
    emit tray.Native()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(rightClicks, 1);
    EXPECT_EQ(doubleClicks, 0);
    emit tray.Native()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(clicks, 0);
    emit tray.Native()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(rightClicks, 1);
}

TEST_F(TrayIconTest, LeftMiddleAndDoubleClicksOpenOncePerGesture)
{
    // Each of them alone opens: D-Bus notification areas never report a double-click.
    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::DoubleClick}) {
        TTrayIcon tray;
        int opened = 0;
        tray.OnDblClick = [&](TTrayIcon*) { ++opened; };
        emit tray.Native()->activated(reason);
        EXPECT_EQ(opened, 1) << reason;
    }

    // An X tray reports a double-click as a left click followed by the double-click: one opening.
    TTrayIcon tray;
    int opened = 0;
    tray.OnDblClick = [&](TTrayIcon*) { ++opened; };
    emit tray.Native()->activated(QSystemTrayIcon::Trigger);
    emit tray.Native()->activated(QSystemTrayIcon::DoubleClick);
    emit tray.Native()->activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(opened, 1);
    // A click after the interval is a new gesture.
    test::ProcessEventsFor(TTrayIcon::kOpenClickIntervalMs + 30);
    emit tray.Native()->activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(opened, 2);
    // A right click never opens.
    test::ProcessEventsFor(TTrayIcon::kOpenClickIntervalMs + 30);
    emit tray.Native()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(opened, 2);
}

TEST_F(TrayIconTest, HandlerExceptionGoesToTheErrorDisplay)
{
    test::CapturedErrors shown;
    TTrayIcon tray;
    tray.OnDblClick = [](TTrayIcon*) { throw std::runtime_error("cannot open"); };
    emit tray.Native()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(shown.Texts(), (std::vector<std::string>{"cannot open"}));
}

TEST_F(TrayIconTest, WithoutANotificationAreaTheWindowIsShownAtStartAndNeverHidden)
{
    TTrayIcon::SetAvailableOverride(false);
    TTrayIcon tray;
    EXPECT_TRUE(tray.ShowAtStart());
    QWidget window;
    tray.SetMainWindow(&window);
    tray.SetTray(true);
    tray.SetEnabled(true);
    window.show();
    int minimized = 0;
    tray.OnMinimize = [&](TTrayIcon*) { ++minimized; };
    window.setWindowState(Qt::WindowMinimized);
    test::ProcessEventsFor(20);
    EXPECT_EQ(minimized, 1);
    EXPECT_TRUE(window.isVisible());

    TTrayIcon::SetAvailableOverride(true);
    EXPECT_FALSE(tray.ShowAtStart());
    tray.SetShowAtStart(true);
    EXPECT_TRUE(tray.ShowAtStart());
}

TEST_F(TrayIconTest, TrayHidesTheMinimizedWindowAndGivesItBack)
{
    TTrayIcon::SetAvailableOverride(true);
    TTrayIcon tray;
    QWidget window;
    tray.SetMainWindow(&window);
    tray.SetTray(true);
    tray.SetEnabled(true);
    window.show();
    int minimized = 0, restored = 0;
    tray.OnMinimize = [&](TTrayIcon*) { ++minimized; };
    tray.OnRestore = [&](TTrayIcon*) { ++restored; };
    window.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(test::ProcessEventsUntil([&] { return window.isHidden(); }, 1000));
    EXPECT_EQ(minimized, 1);

    // Opening it again (as "Ouvrir" does) restores it.
    window.showNormal();
    EXPECT_EQ(restored, 1);
    EXPECT_TRUE(window.isVisible());

    // Switching the icon off while the window is hidden minimized brings its taskbar entry back.
    window.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(test::ProcessEventsUntil([&] { return window.isHidden(); }, 1000));
    tray.SetEnabled(false);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());
}

} // namespace
} // namespace tarvix

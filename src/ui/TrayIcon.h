#pragma once
// TTrayIcon: the application's icon in the notification area, over QSystemTrayIcon.
//
//   TrayIcon = new TTrayIcon(this);             // objectName "TrayIcon"
//   TrayIcon->SetMainWindow(this);              // the window that Tray hides while minimized
//   TrayIcon->SetIcon(windowIcon()); TrayIcon->SetHint(windowTitle());
//   TrayIcon->SetPopupMenu(pmTray);             // shown on a right click; must outlive the tray icon
//   TrayIcon->OnDblClick = [this](TTrayIcon*) { aOpenExecute(); };   // also a left or middle click
//   TrayIcon->SetTray(true); TrayIcon->SetEnabled(true);
//
// Desktops without a notification area: Available() is false there. The window would then be unreachable
// once hidden, so ShowAtStart() answers true and the application shows its window at start (after waiting a
// little for a notification area that comes late, ShowMainWindowAtStart) and minimizes it where it would
// otherwise hide it (Tray never hides a minimized window then).
// Exceptions thrown by the handlers go to HandleApplicationException (ui/ApplicationErrors.h).
#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace tarvix {

class TTrayIcon : public QObject {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TTrayIcon* sender)>;

    // Characters of the hint the notification area shows.
    static constexpr int kMaxHintLength = 63;
    // Clicks closer together than this raise OnDblClick once.
    static constexpr int kOpenClickIntervalMs = 150;

    explicit TTrayIcon(QObject* parent = nullptr);
    ~TTrayIcon() override;

    // The icon is in the notification area (as far as one exists).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    // While Enabled, minimizing the main window hides it (no taskbar entry) until it is opened again.
    bool Tray() const { return tray_; }
    void SetTray(bool value);

    QWidget* MainWindow() const { return window_; }
    void SetMainWindow(QWidget* window);

    // Whether the application shows its main window at start: the stored switch, or true without a tray.
    bool ShowAtStart() const { return showAtStart_ || !Available(); }
    void SetShowAtStart(bool value) { showAtStart_ = value; }

    // At start: shows the main window when ShowAtStart is set. Without a notification area (at login it often
    // comes a few seconds after the program) the window is shown only if none has appeared within waitMs.
    void ShowMainWindowAtStart(int waitMs);
    bool WaitingForTray() const { return trayWait_ != nullptr; }

    // The whole hint; the shown tip is its first 63 characters.
    QString Hint() const { return hint_; }
    void SetHint(const QString& value);
    QString ShownHint() const;

    QIcon Icon() const { return icon_; }
    void SetIcon(const QIcon& value);

    QMenu* PopupMenu() const { return menu_; }
    void SetPopupMenu(QMenu* menu);

    // OnClick: a left click. OnDblClick: a double-click, and also a left or middle click, since notification
    // areas over D-Bus report a left click and never a double-click; the clicks of one gesture (the left
    // click an X tray reports before the double-click) raise it once.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnRightClick;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    // A notification area exists on this desktop now.
    static bool Available();
    // Lets tests decide Available(); std::nullopt asks the desktop again.
    static void SetAvailableOverride(std::optional<bool> available);

    // The underlying Qt icon, for tests and platform tweaks.
    QSystemTrayIcon* Native() const { return native_; }

    // The hint cut as shown: at most 63 characters, never half a surrogate pair.
    static QString CutHint(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Activated(int reason);
    void Raise(const TNotifyEvent& event);
    void RaiseOpen();
    void GiveBackWindow();

    QSystemTrayIcon* native_; // child of this object
    QPointer<QWidget> window_;
    QPointer<QMenu> menu_;
    QIcon icon_;
    QString hint_;
    bool enabled_ = false;
    bool tray_ = false;
    bool showAtStart_ = false;
    bool hiddenWhileMinimized_ = false;
    QElapsedTimer lastOpen_;
    QTimer* trayWait_ = nullptr;
};

} // namespace tarvix

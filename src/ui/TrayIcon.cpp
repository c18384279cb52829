#include "ui/TrayIcon.h"

#include "ui/ApplicationErrors.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <memory>

namespace tarvix {
namespace {

std::optional<bool> gAvailableOverride;

} // namespace

TTrayIcon::TTrayIcon(QObject* parent) : QObject(parent), native_(new QSystemTrayIcon(this))
{
    icon_ = QApplication::windowIcon();
    native_->setIcon(icon_);
    connect(native_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
    // The icon leaves the notification area with the session, before the program ends.
    if (auto* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { native_->hide(); });
}

TTrayIcon::~TTrayIcon()
{
    OnClick = OnDblClick = OnRightClick = OnMinimize = OnRestore = nullptr;
    native_->hide();
    if (window_)
        window_->removeEventFilter(this);
}

bool TTrayIcon::Available()
{
    return gAvailableOverride ? *gAvailableOverride : QSystemTrayIcon::isSystemTrayAvailable();
}

void TTrayIcon::SetAvailableOverride(std::optional<bool> available)
{
    gAvailableOverride = available;
}

void TTrayIcon::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    native_->setVisible(value);
    if (!value && tray_)
        GiveBackWindow();
}

void TTrayIcon::ShowMainWindowAtStart(int waitMs)
{
    if (showAtStart_ || (!Available() && waitMs <= 0)) {
        if (window_)
            window_->show();
        return;
    }
    if (Available() || trayWait_)
        return;
    constexpr int kCheckEveryMs = 250;
    trayWait_ = new QTimer(this);
    trayWait_->setInterval(std::min(kCheckEveryMs, waitMs));
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    connect(trayWait_, &QTimer::timeout, this, [this, waited, waitMs] {
        const bool appeared = Available();
        if (!appeared && !waited->hasExpired(waitMs))
            return;
        trayWait_->deleteLater();
        trayWait_ = nullptr;
        if (appeared) {
            // Some notification areas only take icons registered after they came.
            if (enabled_) {
                native_->hide();
                native_->show();
            }
        } else if (window_ && window_->isHidden()) {
            window_->show();
        }
    });
    trayWait_->start();
}

void TTrayIcon::SetTray(bool value)
{
    if (value == tray_)
        return;
    tray_ = value;
    if (!enabled_)
        return;
    if (value && window_ && window_->isMinimized() && Available()) {
        hiddenWhileMinimized_ = true;
        window_->hide();
    } else if (!value) {
        GiveBackWindow();
    }
}

void TTrayIcon::SetMainWindow(QWidget* window)
{
    if (window_)
        window_->removeEventFilter(this);
    window_ = window;
    hiddenWhileMinimized_ = false;
    if (window_)
        window_->installEventFilter(this);
}

QString TTrayIcon::CutHint(const QString& hint)
{
    if (hint.size() <= kMaxHintLength)
        return hint;
    qsizetype length = kMaxHintLength;
    if (hint[length - 1].isHighSurrogate())
        --length;
    return hint.left(length);
}

void TTrayIcon::SetHint(const QString& value)
{
    if (value == hint_)
        return;
    hint_ = value;
    native_->setToolTip(CutHint(value));
}

QString TTrayIcon::ShownHint() const
{
    return native_->toolTip();
}

void TTrayIcon::SetIcon(const QIcon& value)
{
    icon_ = value;
    native_->setIcon(value);
}

void TTrayIcon::SetPopupMenu(QMenu* menu)
{
    menu_ = menu;
    native_->setContextMenu(menu);
}

void TTrayIcon::Activated(int reason)
{
    switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::Trigger:
        Raise(OnClick);
        RaiseOpen();
        break;
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::DoubleClick: RaiseOpen(); break;
    case QSystemTrayIcon::Context:
        // The popup menu itself is shown by the platform (it must be, for notification areas over D-Bus).
        Raise(OnRightClick);
        break;
    default: break;
    }
}

void TTrayIcon::Raise(const TNotifyEvent& event)
{
    if (event) {
        const TNotifyEvent handler = event;
        RunGuarded([&] { handler(this); });
    }
}

void TTrayIcon::RaiseOpen()
{
    if (lastOpen_.isValid() && lastOpen_.elapsed() < kOpenClickIntervalMs)
        return;
    lastOpen_.start();
    Raise(OnDblClick);
}

bool TTrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState() & Qt::WindowMinimized;
        const bool minimized = window_->windowState() & Qt::WindowMinimized;
        if (minimized && !wasMinimized && enabled_ && tray_) {
            // Without a notification area a hidden window could never be reached again: leave it minimized.
            if (Available()) {
                hiddenWhileMinimized_ = true;
                // Hiding from inside the state change confuses some window managers: do it right after.
                QTimer::singleShot(0, window_, [w = window_] {
                    if (w && w->isMinimized())
                        w->hide();
                });
            }
            Raise(OnMinimize);
        } else if (!minimized && wasMinimized) {
            hiddenWhileMinimized_ = false;
            if (enabled_ && tray_)
                Raise(OnRestore);
        }
    }
    return QObject::eventFilter(watched, event);
}

void TTrayIcon::GiveBackWindow()
{
    // The window comes back to the taskbar as it was, minimized and not activated.
    if (hiddenWhileMinimized_ && window_ && window_->isHidden()) {
        window_->setAttribute(Qt::WA_ShowWithoutActivating, true);
        window_->showMinimized();
        window_->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
    hiddenWhileMinimized_ = false;
}

} // namespace tarvix

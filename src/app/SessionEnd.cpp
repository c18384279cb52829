#include "app/SessionEnd.h"

#include <QEvent>
#include <QGuiApplication>

namespace tarvix {

TSessionEnd::TSessionEnd(std::function<void()> onEnd, QObject* parent) : QObject(parent), onEnd_(std::move(onEnd))
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    // The session manager asks for the quit as a Quit event; left alone it would close the windows, which
    // only hide, and the program would refuse to end with the session.
    app->installEventFilter(this);
    // A session save (commitDataRequest, also sent before a logout) is left alone: nothing of ours needs
    // saving then, and ending there would end the program at every save.
    connect(app, &QCoreApplication::aboutToQuit, this, &TSessionEnd::End);
}

TSessionEnd::~TSessionEnd()
{
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool TSessionEnd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        End();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TSessionEnd::End()
{
    if (ended_)
        return;
    ended_ = true;
    if (onEnd_)
        onEnd_();
}

} // namespace tarvix

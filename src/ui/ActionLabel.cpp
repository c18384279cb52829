#include "ui/ActionLabel.h"

#include "ui/ApplicationErrors.h"

#include <QAction>
#include <QEnterEvent>
#include <QMouseEvent>

namespace tarvix {

TActionLabel::TActionLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    QPalette p = palette();
    const QColor disabled = p.color(QPalette::Disabled, QPalette::WindowText);
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    setPalette(p);
}

QString TActionLabel::Caption(const QString& actionText)
{
    QString caption;
    caption.reserve(actionText.size());
    const qsizetype n = actionText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = actionText[i];
        if (c == QLatin1Char('&')) {
            if (i + 1 < n && actionText[i + 1] == QLatin1Char('&'))
                caption += c, ++i;
            else if (i + 1 == n)
                caption += c; // a trailing ampersand marks nothing
            continue;
        }
        caption += c;
    }
    return caption;
}

void TActionLabel::SetAction(QAction* action)
{
    if (action == action_)
        return;
    disconnect(changed_);
    action_ = action;
    if (action_) {
        changed_ = connect(action_, &QAction::changed, this, &TActionLabel::FollowAction);
        FollowAction();
    }
}

void TActionLabel::SetAutoSize(bool value)
{
    autoSize_ = value;
    if (autoSize_)
        FitText();
}

void TActionLabel::FollowAction()
{
    if (!action_)
        return;
    const QString caption = Caption(action_->text());
    if (caption != text()) {
        setText(caption);
        if (autoSize_)
            FitText();
    }
    setEnabled(action_->isEnabled());
    // Show again only what this label hid itself, so a label without a parent never becomes a window.
    if (!action_->isVisible())
        hide();
    else if (isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide))
        show();
}

void TActionLabel::FitText()
{
    const QRect before = geometry();
    adjustSize();
    if (alignment() & Qt::AlignRight)
        move(before.right() - width() + 1, before.top());
}

void TActionLabel::SetUnderlined(bool value)
{
    QFont f = font();
    if (f.underline() == value)
        return;
    f.setUnderline(value);
    setFont(f);
}

void TActionLabel::enterEvent(QEnterEvent* event)
{
    if (isEnabled())
        SetUnderlined(true);
    QLabel::enterEvent(event);
}

void TActionLabel::leaveEvent(QEvent* event)
{
    SetUnderlined(false);
    pressed_ = false;
    QLabel::leaveEvent(event);
}

void TActionLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        SetUnderlined(false);
        pressed_ = false;
    }
    QLabel::changeEvent(event);
}

void TActionLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void TActionLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && isEnabled() && action_ && action_->isEnabled())
        RunGuarded([this] { action_->trigger(); });
}

} // namespace tarvix

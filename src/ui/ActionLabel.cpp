#include "ui/ActionLabel.h"

#include "ui/ApplicationErrors.h"

#include <QAction>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tarvix {
namespace {

// The keys that run a focused label, with no modifier other than the keypad's.
bool RunKey(const QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    return event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TActionLabel::TActionLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    // Tab reaches it; a click does not move the focus, as before.
    setFocusPolicy(Qt::TabFocus);
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
        setAccessibleName(caption);
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
    if (click)
        Run();
}

void TActionLabel::Run()
{
    if (isEnabled() && action_ && action_->isEnabled())
        RunGuarded([this] { action_->trigger(); });
}

bool TActionLabel::event(QEvent* event)
{
    // The window's own keys (Space, Enter) give way while a label has the focus: the label runs its action.
    if (event->type() == QEvent::ShortcutOverride && RunKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLabel::event(event);
}

void TActionLabel::keyPressEvent(QKeyEvent* event)
{
    if (!RunKey(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        Run();
}

void TActionLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace tarvix

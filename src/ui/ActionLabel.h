#pragma once
// TActionLabel: a blue link label bound to a QAction. It shows the action's text, is enabled and visible as
// the action is (a disabled one is greyed and ignores clicks), underlines itself while the mouse is over it,
// and triggers the action on a left click. From the keyboard it takes the focus with Tab, shows a focus frame
// and triggers the action with Enter, Return or Space; screen readers read the caption as its name. Usable as a
// promoted QLabel in Designer (header "ui/ActionLabel.h"); bind it in code: label->SetAction(aActivate).
#include <QLabel>
#include <QMetaObject>
#include <QPointer>

class QAction;

namespace tarvix {

class TActionLabel : public QLabel {
    Q_OBJECT

public:
    explicit TActionLabel(QWidget* parent = nullptr);

    QAction* Action() const { return action_; }
    void SetAction(QAction* action);

    // Resize to the text whenever it changes (on by default); a right-aligned label keeps its right edge.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // The action's text as shown: mnemonic ampersands removed ("&&" stays one "&").
    static QString Caption(const QString& actionText);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FollowAction();
    void SetUnderlined(bool value);
    void FitText();
    void Run();

    QPointer<QAction> action_;
    QMetaObject::Connection changed_;
    bool autoSize_ = true;
    bool pressed_ = false;
};

} // namespace tarvix

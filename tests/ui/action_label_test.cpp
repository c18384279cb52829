#include "UiTestSupport.h"

#include "ui/ActionLabel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace tarvix {
namespace {

class ActionLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureApp();
        window = std::make_unique<QWidget>();
        action = new QAction(QStringLiteral("&Activer"), window.get());
        label = new TActionLabel(window.get());
        label->move(8, 168);
        label->SetAction(action);
        QObject::connect(action, &QAction::triggered, [this] { ++triggered; });
        window->resize(200, 300);
        window->show();
    }

    void Click(QPoint at, QPoint releaseAt)
    {
        QMouseEvent press(QEvent::MouseButtonPress, at, label->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, releaseAt, label->mapToGlobal(releaseAt), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &press);
        QApplication::sendEvent(label, &release);
    }
    void Click() { Click(QPoint(2, 2), QPoint(3, 3)); }

    void Hover(bool enter)
    {
        if (enter) {
            QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(label, &event);
        } else {
            QEvent event(QEvent::Leave);
            QApplication::sendEvent(label, &event);
        }
    }

    std::unique_ptr<QWidget> window;
    QAction* action = nullptr;
    TActionLabel* label = nullptr;
    int triggered = 0;
};

TEST_F(ActionLabelTest, ShowsTheActionsCaptionAndFollowsItsChanges)
{
    EXPECT_EQ(label->text(), QStringLiteral("Activer"));
    const int narrow = label->width();
    action->setText(QStringLiteral("Désactiver"));
    EXPECT_EQ(label->text(), QStringLiteral("Désactiver"));
    EXPECT_GT(label->width(), narrow); // sized to its text
    EXPECT_EQ(label->pos(), QPoint(8, 168));
    EXPECT_EQ(TActionLabel::Caption(QStringLiteral("Save && &Quit&")), QStringLiteral("Save & Quit&"));

    action->setEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    action->setVisible(false);
    EXPECT_FALSE(label->isVisible());
    action->setVisible(true);
    EXPECT_TRUE(label->isVisible());
    action->setEnabled(true);
    EXPECT_TRUE(label->isEnabled());
}

TEST_F(ActionLabelTest, IsBlueAndUnderlinedOnlyUnderTheMouse)
{
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_NE(label->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(label->font().underline());
    Hover(true);
    EXPECT_TRUE(label->font().underline());
    Hover(false);
    EXPECT_FALSE(label->font().underline());

    action->setEnabled(false);
    Hover(true);
    EXPECT_FALSE(label->font().underline());
    Hover(false);

    // Disabled while the mouse is over it: the underline goes.
    action->setEnabled(true);
    Hover(true);
    action->setEnabled(false);
    EXPECT_FALSE(label->font().underline());
}

TEST_F(ActionLabelTest, ClickTriggersTheEnabledActionOnce)
{
    Click();
    EXPECT_EQ(triggered, 1);
    // Released outside the label: no click.
    Click(QPoint(2, 2), QPoint(label->width() + 20, 2));
    EXPECT_EQ(triggered, 1);
    action->setEnabled(false);
    Click();
    EXPECT_EQ(triggered, 1);
}

TEST_F(ActionLabelTest, TabFocusesItAndEnterReturnOrSpaceTriggerTheActionOnce)
{
    auto* before = new QPushButton(QStringLiteral("before"), window.get());
    before->move(8, 8);
    before->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    before->setFocus();
    EXPECT_EQ(label->accessibleName(), QStringLiteral("Activer"));
    action->setText(QStringLiteral("&Désactiver"));
    EXPECT_EQ(label->accessibleName(), QStringLiteral("Désactiver"));

    // The mouse leaves the focus where it is.
    Click();
    EXPECT_EQ(triggered, 1);
    EXPECT_TRUE(before->hasFocus());

    const QImage plain = label->grab().toImage();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(label->hasFocus());
    EXPECT_NE(label->grab().toImage(), plain) << "no visible focus frame";

    // The window's own keys give way to the focused label.
    auto* windowKey = new QAction(window.get());
    windowKey->setShortcuts({QKeySequence(Qt::Key_Space), QKeySequence(Qt::Key_Return)});
    window->addAction(windowKey);
    int windowKeyRuns = 0;
    QObject::connect(windowKey, &QAction::triggered, [&] { ++windowKeyRuns; });

    QTest::keyClick(label, Qt::Key_Return);
    EXPECT_EQ(triggered, 2);
    QTest::keyClick(label, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(triggered, 3);
    QTest::keyClick(label, Qt::Key_Space);
    EXPECT_EQ(triggered, 4);
    QTest::keyClick(label, Qt::Key_A);
    QTest::keyClick(label, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(triggered, 4);
    EXPECT_EQ(windowKeyRuns, 0);

    // Disabled, it neither keeps the focus nor runs.
    action->setEnabled(false);
    EXPECT_FALSE(label->hasFocus());
    QTest::keyClick(label, Qt::Key_Space);
    QTest::keyClick(label, Qt::Key_Return);
    EXPECT_EQ(triggered, 4);
}

TEST_F(ActionLabelTest, SurvivesItsAction)
{
    delete action;
    EXPECT_EQ(label->Action(), nullptr);
    Click();
    EXPECT_EQ(triggered, 0);
}

TEST_F(ActionLabelTest, ExceptionFromTheActionGoesToTheErrorDisplay)
{
    test::CapturedErrors shown;
    QObject::connect(action, &QAction::triggered, [] { throw std::runtime_error("handler failed"); });
    Click();
    EXPECT_EQ(shown.Texts(), (std::vector<std::string>{"handler failed"}));
}

} // namespace
} // namespace tarvix

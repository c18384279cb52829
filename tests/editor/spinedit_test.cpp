// The numeric field: typed text read as a clamped value and rewritten when Enter is pressed or the focus leaves.
#include "editor/SpinEdit.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using tarvix::TSpinEdit;

namespace {

struct SpinEditTest : ::testing::Test {
    SpinEditTest()
    {
        spin.setRange(1024, 65535);
        spin.setValue(2000);
        other.move(0, 40);
        window.resize(200, 100);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        spin.setFocus();
    }
    QWidget window;
    TSpinEdit spin{&window};
    QLineEdit other{&window};

    void Type(const QString& text)
    {
        spin.selectAll();
        QTest::keyClicks(&spin, text);
    }
};

} // namespace

TEST_F(SpinEditTest, ValueSetBeyondABoundIsBroughtToIt)
{
    spin.setValue(70000);
    EXPECT_EQ(spin.value(), 65535);
    spin.setValue(1);
    EXPECT_EQ(spin.value(), 1024);
}

TEST_F(SpinEditTest, TypedTextReadsAsItsClampedValueWhileTyping)
{
    Type(QStringLiteral("70000"));
    EXPECT_EQ(spin.text(), QStringLiteral("70000")); // nothing refused while typing
    EXPECT_EQ(spin.value(), 65535);
    Type(QStringLiteral("12"));
    EXPECT_EQ(spin.value(), 1024);
    Type(QStringLiteral("4321"));
    EXPECT_EQ(spin.value(), 4321);
}

TEST_F(SpinEditTest, TextThatIsNotANumberReadsAsTheMinimum)
{
    for (const char* text : {"abc", "12x", "-", "99999999999"}) {
        Type(QString::fromLatin1(text));
        EXPECT_EQ(spin.value(), 1024) << text;
    }
}

TEST_F(SpinEditTest, LosingTheFocusRewritesTheTextClamped)
{
    Type(QStringLiteral("70000"));
    other.setFocus();
    EXPECT_EQ(spin.text(), QStringLiteral("65535"));
    spin.setFocus();
    Type(QStringLiteral("junk"));
    other.setFocus();
    EXPECT_EQ(spin.text(), QStringLiteral("1024"));
}

TEST_F(SpinEditTest, EnterRewritesTheTextClamped)
{
    Type(QStringLiteral("123456"));
    QTest::keyClick(&spin, Qt::Key_Return);
    EXPECT_EQ(spin.text(), QStringLiteral("65535"));
    EXPECT_EQ(spin.value(), 65535);
}

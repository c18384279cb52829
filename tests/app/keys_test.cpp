// The main window from the keyboard (its keys, the link labels), and help and web page that cannot be opened.
#include "MainWindowFixture.h"
#include "support/DesktopWithoutViewers.h"
#include "support/EventLoop.h"

#include "editor/NewModify.h"
#include "ui/ActionLabel.h"
#include "ui_Main.h"
#include "ui_NewModify.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <map>

using namespace tarvix;
using namespace tarvix::test;

namespace {

class MainWindowKeysTest : public MainTest {
protected:
    // Counts the runs of every action of the form.
    void Count(TfMain& main)
    {
        auto& f = main.Form();
        for (QAction* action : {f.aActivate, f.aNew, f.aModify, f.aDelete, f.aHelp, f.aDesactivateAll, f.aClose})
            QObject::connect(action, &QAction::triggered, [this, action] { ++runs[action->objectName()]; });
    }
    // What ran since the last call.
    std::map<QString, int> Ran() { return std::exchange(runs, {}); }

    static void CancelNextDialog()
    {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TfNewModify*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::mouseClick(dialog->Form().bCancel, Qt::LeftButton);
        });
    }

    // The window system here gives the activation back to no window when a dialog closes; a desktop gives it
    // back to the main window, with the focus where it was.
    static void Reactivate(TfMain& main, QWidget* focus)
    {
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        focus->setFocus();
    }

    std::map<QString, int> runs;
};

using Runs = std::map<QString, int>;

TEST_F(MainWindowKeysTest, EachKeyRunsItsEnabledActionOnce)
{
    DesktopWithoutViewers desktop(false); // F1: the help then fails at once, with a message
    WriteSettings(Section("1", "One", FreePort(), "127.0.0.1", 9, false) +
                  Section("2", "Two", FreePort(), "127.0.0.1", 9, false));
    auto main = Start();
    auto& f = main->Form();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    Count(*main);
    f.List->setFocus();

    // Nothing selected: the row actions are disabled and their keys do nothing.
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(f.List, key);
    EXPECT_EQ(Ran(), Runs());
    EXPECT_TRUE(messages_.empty());

    QTest::keyClick(f.List, Qt::Key_F1);
    EXPECT_EQ(Ran(), Runs({{"aHelp", 1}}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtError);
    EXPECT_TRUE(messages_[0].text.contains(QStringLiteral("TARVIX_FR.pdf"))) << messages_[0].text.toStdString();
    messages_.clear();

    CancelNextDialog();
    QTest::keyClick(f.List, Qt::Key_Insert);
    EXPECT_EQ(Ran(), Runs({{"aNew", 1}}));
    EXPECT_EQ(main->RowCount(), 2);
    Reactivate(*main, f.List);

    // A selected row: Space activates and deactivates it, Enter edits it, Delete asks before deleting it.
    f.List->setCurrentItem(main->Row(1));
    ASSERT_EQ(main->SelectedItem(), main->Row(1));
    QTest::keyClick(f.List, Qt::Key_Space);
    EXPECT_EQ(Ran(), Runs({{"aActivate", 1}}));
    ASSERT_TRUE(Settled(*main));
    EXPECT_TRUE(main->Row(1)->instance);
    EXPECT_EQ(f.aActivate->text(), QStringLiteral("Désactiver"));
    QTest::keyClick(f.List, Qt::Key_Space);
    EXPECT_EQ(Ran(), Runs({{"aActivate", 1}}));
    EXPECT_FALSE(main->Row(1)->instance);

    for (const auto& [key, modifier] :
         {std::pair(Qt::Key_Return, Qt::NoModifier), std::pair(Qt::Key_Enter, Qt::KeypadModifier)}) {
        CancelNextDialog();
        QTest::keyClick(f.List, key, modifier);
        EXPECT_EQ(Ran(), Runs({{"aModify", 1}}));
        Reactivate(*main, f.List);
    }

    answer_ = mrNo;
    QTest::keyClick(f.List, Qt::Key_Delete);
    EXPECT_EQ(Ran(), Runs({{"aDelete", 1}}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(main->RowCount(), 2);
    messages_.clear();
    answer_ = mrYes;
    QTest::keyClick(f.List, Qt::Key_Delete);
    EXPECT_EQ(Ran(), Runs({{"aDelete", 1}}));
    EXPECT_EQ(main->RowCount(), 1);
    // The deletion leaves nothing selected: the row keys are off again.
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(f.List, key);
    EXPECT_EQ(Ran(), Runs());

    // An open menu has the keys.
    f.List->setCurrentItem(main->Row(0));
    main->ListMenu()->popup(main->mapToGlobal(QPoint(200, 50)));
    ASSERT_TRUE(ProcessEventsUntil([&] { return main->ListMenu()->isVisible(); }));
    QTest::keyClick(main->ListMenu(), Qt::Key_Delete);
    QTest::keyClick(main->ListMenu(), Qt::Key_Insert);
    EXPECT_EQ(Ran(), Runs());
    main->ListMenu()->close();
}

TEST_F(MainWindowKeysTest, LinkLabelsTakeTheFocusWithTabAndRunWithEnterOrSpace)
{
    WriteSettings(Section("1", "One", FreePort(), "127.0.0.1", 9, false));
    auto main = Start();
    auto& f = main->Form();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    Count(*main);
    f.List->setCurrentItem(main->Row(0));

    // The window opens with the focus on the list, whose border then shows it; Tab goes down the enabled
    // labels.
    ASSERT_EQ(QApplication::focusWidget(), f.List);
    const QColor highlight = f.List->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(f.List->palette().color(QPalette::WindowText), highlight);
    QTest::keyClick(f.List, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), f.lActive);
    EXPECT_NE(f.List->palette().color(QPalette::WindowText), highlight);
    QTest::keyClick(f.lActive, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), f.lNew);
    EXPECT_EQ(f.lNew->accessibleName(), QStringLiteral("Nouveau"));

    // Enter on a label runs the label's action, not "Modifier"; Space, not "Activer".
    CancelNextDialog();
    QTest::keyClick(f.lNew, Qt::Key_Return);
    EXPECT_EQ(Ran(), Runs({{"aNew", 1}}));
    Reactivate(*main, f.lNew);
    CancelNextDialog();
    QTest::keyClick(f.lNew, Qt::Key_Space);
    EXPECT_EQ(Ran(), Runs({{"aNew", 1}}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowKeysTest, HelpAndWebPageThatNothingCanOpenSayWhy)
{
    // Help is found in the current folder when it is not beside the executable, here the build's documents.
    const QString savedCwd = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(TARVIX_TEST_BIN_DIR));
    const QString document = QDir::toNativeSeparators(QStringLiteral(TARVIX_TEST_BIN_DIR "/TARVIX_FR.pdf"));
    for (const bool launcher : {false, true}) {
        DesktopWithoutViewers desktop(launcher);
        if (launcher && !desktop.HasLauncher())
            break;
        messages_.clear();
        auto main = Start();
        main->Form().aHelp->trigger();
        main->TrayMenu()->findChild<QAction*>(QStringLiteral("mOnTheWeb"))->trigger();
        ASSERT_TRUE(ProcessEventsUntil([&] { return messages_.size() >= 2; }, 30000)) << "launcher " << launcher;
        std::vector<QString> texts;
        for (const MessageRequest& m : messages_) {
            EXPECT_EQ(m.type, TMsgDlgType::mtError);
            EXPECT_EQ(m.buttons, TMsgDlgButtons(mbOK));
            EXPECT_EQ(m.title, QStringLiteral("Erreur"));
            texts.push_back(m.text);
        }
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts,
                  (std::vector<QString>{
                      QStringLiteral("Aucune application n'a pu ouvrir la page web :\rhttps://tarvix.example.org/"),
                      QStringLiteral("Aucune application n'a pu ouvrir le document d'aide :\r") + document}));
    }
    QDir::setCurrent(savedCwd);
}

} // namespace

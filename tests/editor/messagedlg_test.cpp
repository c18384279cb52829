// Message boxes: titles and buttons from the catalogue, the answer returned, the responder that stands in for the user.
#include "editor/MessageDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace tarvix;

TEST(MessageDlg, BoxesTakeTitleAndButtonsFromTheCatalogue)
{
    std::unique_ptr<QMessageBox> box(
        CreateMessageDialog(TMsgDlgType::mtConfirmation, QStringLiteral("Suppression\r\rConfirmez ?"), mbYes | mbNo));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Confirmation"));
    EXPECT_EQ(box->text(), QStringLiteral("Suppression\n\nConfirmez ?"));
    ASSERT_EQ(box->buttons().size(), 2);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("&Non"));

    const struct {
        TMsgDlgType type;
        const char* title;
        QMessageBox::Icon icon;
    } kinds[] = {
        {TMsgDlgType::mtWarning, "Avertissement", QMessageBox::Warning},
        {TMsgDlgType::mtError, "Erreur", QMessageBox::Critical},
        {TMsgDlgType::mtInformation, "Information", QMessageBox::Information},
    };
    for (const auto& k : kinds) {
        std::unique_ptr<QMessageBox> b(CreateMessageDialog(k.type, QStringLiteral("x"), mbOK));
        EXPECT_EQ(b->windowTitle(), QString::fromUtf8(k.title));
        EXPECT_EQ(b->icon(), k.icon);
        EXPECT_EQ(b->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    }
    // A notice without buttons keeps none, even once shown.
    std::unique_ptr<QMessageBox> notice(CreateMessageDialog(TMsgDlgType::mtInformation, QStringLiteral("n"), mbNone));
    notice->show();
    EXPECT_TRUE(notice->buttons().isEmpty());
}

TEST(MessageDlg, RealBoxReturnsTheButtonChosen)
{
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MessageDlg(TMsgDlgType::mtConfirmation, QStringLiteral("?"), mbYes | mbNo), mrNo);
}

TEST(MessageDlg, ResponderAnswersInsteadOfTheUserAndErrorsAreShownAsErrorBoxes)
{
    std::vector<MessageRequest> seen;
    SetMessageResponder([&](const MessageRequest& r) {
        seen.push_back(r);
        return mrYes;
    });
    EXPECT_EQ(MessageDlg(TMsgDlgType::mtWarning, QStringLiteral("a\rb"), mbOK), mrYes);
    ShowException(std::runtime_error("boom"));
    SetMessageResponder({});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, QStringLiteral("Avertissement"));
    EXPECT_EQ(seen[0].text, QStringLiteral("a\rb"));
    EXPECT_EQ(seen[1].type, TMsgDlgType::mtError);
    EXPECT_EQ(seen[1].text, QStringLiteral("boom"));
    EXPECT_EQ(seen[1].buttons, TMsgDlgButtons(mbOK));
}

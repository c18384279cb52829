#include "editor/MessageDlg.h"

#include "i18n/CatalogueModule.h"
#include "i18n/MessageIds.h"
#include "ui/ApplicationErrors.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <utility>

namespace tarvix {
namespace {

MessageResponder& Responder()
{
    static MessageResponder responder;
    return responder;
}

int TitleId(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return msg::TitleWarning;
    case TMsgDlgType::mtError: return msg::TitleError;
    case TMsgDlgType::mtInformation: return msg::TitleInformation;
    case TMsgDlgType::mtConfirmation: return msg::TitleConfirmation;
    }
    return msg::TitleInformation;
}

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Catalogue texts break lines with a carriage return.
QString DisplayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void SetMessageResponder(MessageResponder responder)
{
    Responder() = std::move(responder);
}

QMessageBox* CreateMessageDialog(TMsgDlgType type, const QString& text, TMsgDlgButtons buttons, QWidget* parent)
{
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(LoadResQString(TitleId(type)));
    box->setIcon(IconOf(type));
    box->setTextFormat(Qt::PlainText);
    box->setText(DisplayText(text));
    box->setStandardButtons(QMessageBox::NoButton);
    const struct {
        TMsgDlgBtn button;
        QMessageBox::StandardButton standard;
        int textId;
    } kinds[] = {
        {mbYes, QMessageBox::Yes, msg::ButtonYes},
        {mbNo, QMessageBox::No, msg::ButtonNo},
        {mbOK, QMessageBox::Ok, msg::ButtonOk},
        {mbCancel, QMessageBox::Cancel, msg::ButtonCancel},
    };
    for (const auto& k : kinds)
        if (buttons.testFlag(k.button))
            box->addButton(k.standard)->setText(LoadResQString(k.textId));
    return box;
}

TModalResult MessageDlg(TMsgDlgType type, const QString& text, TMsgDlgButtons buttons, QWidget* parent)
{
    if (const MessageResponder& responder = Responder())
        return responder(MessageRequest{type, LoadResQString(TitleId(type)), text, buttons});

    if (!parent)
        parent = QApplication::activeWindow();
    // The parent may go while the box runs its loop (the stop sequence): let it take the box along.
    QPointer<QMessageBox> box = CreateMessageDialog(type, text, buttons, parent);
    const int answer = box->exec();
    delete box.data();
    switch (answer) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    default: return mrCancel;
    }
}

void ShowException(const std::exception& error)
{
    MessageDlg(TMsgDlgType::mtError, QString::fromUtf8(error.what()), mbOK);
}

} // namespace tarvix

namespace tarvix {

void ShowException(std::exception_ptr error)
{
    MessageDlg(TMsgDlgType::mtError, QString::fromStdString(ExceptionText(error)), mbOK);
}

} // namespace tarvix

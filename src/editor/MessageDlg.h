#pragma once
// Every message box of the program goes through here: titles and button texts come from the catalogue.
// Tests install a responder that answers instead of a modal loop.
#include <QFlags>
#include <QString>

#include <exception>
#include <functional>

class QMessageBox;
class QWidget;

namespace tarvix {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

enum TMsgDlgBtn { mbNone = 0, mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMsgDlgButtons)

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// What a message box would show; text as given (line breaks as "\r").
struct MessageRequest {
    TMsgDlgType type;
    QString title;
    QString text;
    TMsgDlgButtons buttons;
};

using MessageResponder = std::function<TModalResult(const MessageRequest&)>;

// Installs a responder that answers every modal box instead of the user; an empty one restores the real boxes.
void SetMessageResponder(MessageResponder responder);

// A box with catalogue title, icon and button texts, not yet shown (the caller shows it, modal or not).
QMessageBox* CreateMessageDialog(TMsgDlgType type, const QString& text, TMsgDlgButtons buttons,
                                 QWidget* parent = nullptr);

// Shows a modal box and returns the button chosen (mrCancel when closed otherwise).
TModalResult MessageDlg(TMsgDlgType type, const QString& text, TMsgDlgButtons buttons, QWidget* parent = nullptr);

// The application's error display: the exception's text in an error box; the program goes on.
void ShowException(const std::exception& error);
void ShowException(std::exception_ptr error);

} // namespace tarvix

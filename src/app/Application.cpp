#include "app/Application.h"

#include "editor/MessageDlg.h"
#include "ui/ApplicationErrors.h"

namespace tarvix {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false);
    // Components that catch on their own (socket notifications, tray clicks) hand over to the same display.
    SetApplicationExceptionHandler([](std::exception_ptr error) { ShowException(error); });
}

TApplication::~TApplication()
{
    SetApplicationExceptionHandler({});
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}

} // namespace tarvix

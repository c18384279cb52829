#pragma once
// The application object: an exception that escapes an event handler is shown by the error display and the
// program goes on.
#include <QApplication>

namespace tarvix {

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tarvix

// The program body: the application object, the main window, the message loop.
#include "app/Main.h"
#include "app/Application.h"
#include "app/StopSignals.h"
#include "i18n/LanguageModule.h"

#include <QSessionManager>

int main(int argc, char** argv)
{
    tarvix::TApplication app(argc, argv);
    // The language module serves every window and message, so it is chosen before any of them exists.
    tarvix::TLanguageModule languageModule;
    languageModule.Choose();

    // A signal may come while the window is still being created (its auto-starts dispatch events).
    tarvix::TfMain* window = nullptr;
    bool stopEarly = false;
    tarvix::TStopSignals stopSignals([&] {
        if (window)
            window->StopApplication();
        else
            stopEarly = true;
    });

    tarvix::TfMain mainWindow;
    window = &mainWindow;
    // The end of the session is never refused: the stop sequence runs and the program ends.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow,
                     [&mainWindow](QSessionManager&) { mainWindow.StopApplication(); });
    if (stopEarly)
        mainWindow.StopApplication();
    if (mainWindow.Stopping())
        return 0;
    return app.exec();
}

// The program body: the application object, the main window, the message loop.
#include "app/Main.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/QuitOnSignal.h"
#include "app/SessionEnd.h"
#include "app/SingleInstance.h"
#include "editor/MessageDlg.h"
#include "i18n/Format.h"
#include "i18n/LanguageModule.h"
#include "i18n/MessageIds.h"
#include "settings/MappingRecord.h"

#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    if (const std::optional<int> answered = tarvix::AnswerCommandLine(argc, argv))
        return *answered;
    tarvix::TApplication app(argc, argv);
    // The language module serves every window and message, so it is chosen before any of them exists.
    tarvix::TLanguageModule languageModule;
    languageModule.Choose();

    // A signal or the session's end may come before the window exists or while it is being created (its
    // auto-starts dispatch events).
    tarvix::TfMain* window = nullptr;
    bool stopEarly = false;
    const auto stop = [&] {
        if (window)
            window->StopApplication();
        else {
            stopEarly = true;
            // An error box shown while the window is being created must not hold the end back.
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        }
    };
    tarvix::TQuitOnSignal quitOnSignal(stop);

    // Two copies on one settings file would each save their own list over the other's.
    const QString settingsPath = tarvix::SettingsFilePath();
    tarvix::TSingleInstance instance(settingsPath);
    switch (instance.Claim()) {
    case tarvix::TSingleInstance::TClaim::First: break;
    case tarvix::TSingleInstance::TClaim::HandedOver: return 0;
    case tarvix::TSingleInstance::TClaim::NoAnswer: {
        const QString text =
            QString::fromStdString(tarvix::FormatRes(tarvix::msg::InstanceNoAnswer, {settingsPath.toStdString()}));
        std::fprintf(stderr, "%s\n", qPrintable(text));
        tarvix::MessageDlg(tarvix::TMsgDlgType::mtError, text, tarvix::mbOK, nullptr);
        return 1;
    }
    }

    tarvix::TSessionEnd sessionEnd(stop);

    tarvix::TMainOptions options;
    options.settingsPath = settingsPath;
    tarvix::TfMain mainWindow(options);
    window = &mainWindow;
    instance.SetOnOpen([&mainWindow] {
        if (mainWindow.Stopping())
            return false;
        mainWindow.aOpenExecute();
        return true;
    });
    if (stopEarly)
        mainWindow.StopApplication();
    if (mainWindow.Stopping())
        return 0;
    return app.exec();
}

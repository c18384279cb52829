#pragma once
// The "Langue" submenu: which language is checked and offered, and the switch to another language, which
// stores the choice and restarts the program in it. The main window gives its four items and its stop sequence.
#include "i18n/LocaleRegistry.h"

#include <QString>

#include <array>
#include <functional>

class QAction;
class QObject;

namespace tarvix {

struct TLanguage;

class TLanguageMenu {
public:
    // The running executable, the user's registry files.
    TLanguageMenu();
    TLanguageMenu(TLocaleRegistry registry, QString executablePath);

    // The submenu's caption, "Langue", from the language module like the main window's own captions.
    static QString Caption();

    // The items in menu order (tags 0 to 3): mFrench, mEnglish, mGerman, mItalien.
    void SetItems(QAction* french, QAction* english, QAction* german, QAction* italian);
    // Finds the four items among the owner's descendants by their object names and makes their clicks run
    // mLanguageClick. Returns false when one of them is missing.
    bool BindItems(const QObject* owner);

    // Sets LanguageCode to the language the process shows, checks its item and shows the other languages only
    // when their module sits beside the executable. The language shown is that of the module in use (French
    // without one); the stored code names it as written when it is that language, as "enu" does English.
    // Throws ERegistryException when the stored value is not a text.
    void SetupLanguageMenu();

    // The click on any of the four items. The checked item does nothing. Otherwise the code is stored (an
    // ERegistryException stops the click there), the chosen language's restart notice is shown, the stop
    // sequence runs and the executable is started again.
    void mLanguageClick(QAction* sender);

    const QString& LanguageCode() const { return languageCode_; }
    const QString& ExecutablePath() const { return executablePath_; }

    // The help document of LanguageCode, and where it is found (beside the executable, then the current folder).
    QString HelpFileName() const;
    QString HelpFilePath() const;
    // Opens the document with the desktop's viewer. When it is missing, or no application could open it,
    // ShowOpenFailure gets the message that says so with the document's full path (maybe later, see
    // OpenOnDesktop).
    void OpenHelp() const;

    // Shows the notice (fixed text, with "\r" line breaks) in a modal warning box with one OK button.
    std::function<void(const QString& notice)> ShowRestartNotice;
    // The main window's stop sequence: notice, deactivation of every mapping, end of the event loop.
    std::function<void()> StopApplication;
    // Shows a failure to open the help document (catalogue text, "\r" line breaks).
    std::function<void(const QString& message)> ShowOpenFailure;
    // Starts the executable again, detached; replaced by tests.
    std::function<bool(const QString& program)> Relaunch;

private:
    int TagOf(const QAction* item) const;
    const TLanguage* ShownLanguage() const;
    void ShowChecks();

    TLocaleRegistry registry_;
    QString executablePath_;
    QString languageCode_ = QStringLiteral("FR");
    std::array<QAction*, 4> items_{};
};

} // namespace tarvix

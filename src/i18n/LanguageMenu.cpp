#include "i18n/LanguageMenu.h"

#include "base/ExecutablePath.h"
#include "base/FileSearch.h"
#include "i18n/CatalogueModule.h"
#include "i18n/DesktopOpen.h"
#include "i18n/Format.h"
#include "i18n/HelpFile.h"
#include "i18n/Languages.h"
#include "i18n/MessageIds.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QTranslator>
#include <QUrl>

namespace tarvix {

TLanguageMenu::TLanguageMenu() : TLanguageMenu(TLocaleRegistry(), tarvix::ExecutablePath()) {}

TLanguageMenu::TLanguageMenu(TLocaleRegistry registry, QString executablePath)
    : Relaunch([](const QString& program) { return QProcess::startDetached(program, {}); }),
      registry_(std::move(registry)),
      executablePath_(std::move(executablePath))
{}

QString TLanguageMenu::Caption()
{
    return QCoreApplication::translate("fMain", "Langue");
}

void TLanguageMenu::SetItems(QAction* french, QAction* english, QAction* german, QAction* italian)
{
    items_ = {french, english, german, italian};
}

bool TLanguageMenu::BindItems(const QObject* owner)
{
    std::array<QAction*, 4> found{};
    for (const TLanguage& language : Languages()) {
        found[language.tag] = owner ? owner->findChild<QAction*>(QLatin1String(language.menuItem)) : nullptr;
        if (!found[language.tag])
            return false;
    }
    items_ = found;
    for (QAction* item : items_)
        QObject::connect(item, &QAction::triggered, item, [this, item] { mLanguageClick(item); });
    return true;
}

int TLanguageMenu::TagOf(const QAction* item) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (item && items_[i] == item)
            return static_cast<int>(i);
    return -1;
}

void TLanguageMenu::ShowChecks()
{
    for (const TLanguage& language : Languages()) {
        if (QAction* item = items_[language.tag]) {
            item->setCheckable(true);
            item->setChecked(languageCode_.compare(QLatin1String(language.code), Qt::CaseInsensitive) == 0);
        }
    }
}

void TLanguageMenu::SetupLanguageMenu()
{
    for (const TLanguage& language : Languages()) {
        QAction* item = items_[language.tag];
        if (item && language.moduleExtension)
            item->setVisible(
                !ExistingFileIgnoringCase(PathWithExtension(executablePath_, QLatin1String(language.moduleExtension)))
                     .isEmpty());
    }
    languageCode_ = QLatin1String(Languages()[0].code);
    ShowChecks();
    const std::optional<QString> stored = registry_.UserValue(executablePath_);
    const TLanguage* shown = ShownLanguage();
    if (stored && (!shown || LanguageByCode(*stored) == shown))
        languageCode_ = *stored;
    else if (shown)
        languageCode_ = QLatin1String(shown->code);
    ShowChecks();
}

const TLanguage* TLanguageMenu::ShownLanguage() const
{
    // The module comes from the stored code or from the locale, and may be missing for either: what the
    // windows show is the module actually in use.
    const QTranslator* module = CatalogueModule();
    if (!module)
        return &Languages()[0];
    if (module->language().isEmpty())
        return nullptr;
    return LanguageOfLocale(QLocale(module->language()));
}

void TLanguageMenu::mLanguageClick(QAction* sender)
{
    const TLanguage* chosen = LanguageByTag(TagOf(sender));
    if (!chosen)
        return;
    // The toolkit toggles a checkable item before this runs: the marks always follow LanguageCode, which a
    // running process never changes.
    struct Restore {
        TLanguageMenu* menu;
        ~Restore() { menu->ShowChecks(); }
    } restore{this};
    if (languageCode_.compare(QLatin1String(chosen->code), Qt::CaseInsensitive) == 0)
        return;
    registry_.WriteUserValue(executablePath_, QLatin1String(chosen->code));
    if (ShowRestartNotice)
        ShowRestartNotice(QString::fromUtf8(chosen->restartNotice));
    if (StopApplication)
        StopApplication();
    if (Relaunch)
        Relaunch(executablePath_);
}

QString TLanguageMenu::HelpFileName() const
{
    return tarvix::HelpFileName(languageCode_);
}

QString TLanguageMenu::HelpFilePath() const
{
    return FindHelpFile(languageCode_, executablePath_, QDir::currentPath());
}

void TLanguageMenu::OpenHelp() const
{
    const auto report = [show = ShowOpenFailure](int id, const QString& path) {
        if (show)
            show(QString::fromStdString(FormatRes(id, {QDir::toNativeSeparators(path).toStdString()})));
    };
    const QString path = HelpFilePath();
    if (path.isEmpty()) {
        // Named where it is looked for first.
        const QString folder =
            executablePath_.isEmpty() ? QDir::currentPath() : QFileInfo(executablePath_).absolutePath();
        report(msg::HelpNotFound, QDir(folder).filePath(HelpFileName()));
        return;
    }
    OpenOnDesktop(QUrl::fromLocalFile(path), [report, path] { report(msg::HelpNotOpened, path); });
}

} // namespace tarvix

#include "TestSupport.h"
#include "support/DesktopWithoutViewers.h"

#include "i18n/LanguageMenu.h"
#include "i18n/LanguageModule.h"
#include "i18n/Languages.h"
#include "i18n/WebPage.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// Receives what the program hands to the desktop (documents, web pages) instead of a real viewer.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

struct Menu : ::testing::Test {
    QTemporaryDir dir;
    QString exe = dir.filePath(QStringLiteral("bin/tarvix"));
    QString userFile = dir.filePath(QStringLiteral("cfg/tarvix/registry.ini"));
    TLocaleRegistry registry{userFile, dir.filePath(QStringLiteral("etc/registry.ini"))};
    std::unique_ptr<TLanguageMenu> menu;
    std::unique_ptr<QAction> items[4];
    TLanguageModule module;
    QStringList calls; // what the click did, in order

    void SetUp() override
    {
        EnsureGuiApp();
        ASSERT_TRUE(WriteFile(exe, "#!/bin/sh\n"));
        menu = MakeMenu(exe);
    }

    std::unique_ptr<TLanguageMenu> MakeMenu(const QString& path)
    {
        auto m = std::make_unique<TLanguageMenu>(registry, path);
        for (int i = 0; i < 4; ++i) {
            items[i] = std::make_unique<QAction>(QString::fromUtf8(LanguageByTag(i)->caption));
            QAction* item = items[i].get();
            // As the main window wires its items.
            QObject::connect(item, &QAction::triggered, [this, item] { menu->mLanguageClick(item); });
        }
        m->SetItems(items[0].get(), items[1].get(), items[2].get(), items[3].get());
        m->ShowRestartNotice = [this](const QString& text) { calls << QStringLiteral("notice:") + text; };
        m->StopApplication = [this] { calls << QStringLiteral("stop"); };
        m->Relaunch = [this](const QString& program) {
            calls << QStringLiteral("relaunch:") + program;
            return true;
        };
        return m;
    }

    int Checked() const
    {
        int checked = -1;
        for (int i = 0; i < 4; ++i)
            if (items[i]->isChecked())
                checked = checked == -1 ? i : 99;
        return checked;
    }
    void AddFile(const QString& name) { ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("bin/")) + name, "x")); }
    // The process runs with the built module of that language, as its start-up choice would have loaded it.
    void InUse(const char* code)
    {
        ASSERT_TRUE(module.Load(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix.") + QLatin1String(code))) << code;
    }
};

} // namespace

TEST_F(Menu, NoStoredValueChecksFrench)
{
    menu->SetupLanguageMenu();
    EXPECT_EQ(menu->LanguageCode(), QStringLiteral("FR"));
    EXPECT_EQ(Checked(), 0);
    EXPECT_EQ(menu->HelpFileName(), QStringLiteral("TARVIX_FR.pdf"));

    // The file exists but holds nothing for this executable.
    registry.WriteUserValue(QStringLiteral("/other/tarvix"), QStringLiteral("ENU"));
    menu->SetupLanguageMenu();
    EXPECT_EQ(Checked(), 0);
    EXPECT_EQ(menu->HelpFileName(), QStringLiteral("TARVIX_FR.pdf"));
}

TEST_F(Menu, StoredCodeInLowerCaseChecksEnglish)
{
    ASSERT_TRUE(WriteFile(
        userFile, "[Locales]\n" + QDir::fromNativeSeparators(exe).mid(1).replace(u'/', u'\\').toUtf8() + "=enu\n"));
    InUse("enu");
    menu->SetupLanguageMenu();
    EXPECT_EQ(menu->LanguageCode(), QStringLiteral("enu"));
    EXPECT_EQ(Checked(), 1);
    EXPECT_EQ(menu->HelpFileName(), QStringLiteral("TARVIX_enu.pdf"));
}

TEST_F(Menu, LanguagesShowOnlyWithTheirModule)
{
    AddFile(QStringLiteral("tarvix.enu"));
    AddFile(QStringLiteral("tarvix.ITA"));
    menu->SetupLanguageMenu();
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_TRUE(items[1]->isVisible());
    EXPECT_FALSE(items[2]->isVisible()) << "no tarvix.deu: no Deutsch";
    EXPECT_TRUE(items[3]->isVisible());
}

TEST_F(Menu, ChoosingEnglishStoresItAndRestarts)
{
    AddFile(QStringLiteral("tarvix.enu"));
    menu->SetupLanguageMenu();
    items[1]->trigger();
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("ENU"));
    EXPECT_EQ(calls, QStringList({QStringLiteral("notice:Restart of TARVIX in English...\rAll connections are going to "
                                                 "be desactivated."),
                                  QStringLiteral("stop"), QStringLiteral("relaunch:") + exe}));
    EXPECT_EQ(Checked(), 0) << "the running process keeps its language";
    EXPECT_EQ(menu->LanguageCode(), QStringLiteral("FR"));
}

TEST_F(Menu, ChoosingFrenchAfterEnglish)
{
    registry.WriteUserValue(exe, QStringLiteral("ENU"));
    InUse("enu");
    menu->SetupLanguageMenu();
    items[0]->trigger();
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("FR"));
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[0], QStringLiteral("notice:") +
                            QStringLiteral(
                                "Redémarrage de TARVIX en français...\rToutes les connections vont être désactivées."));
    EXPECT_EQ(Checked(), 1);
}

TEST_F(Menu, ClickingTheCheckedLanguageDoesNothing)
{
    registry.WriteUserValue(exe, QStringLiteral("DEU"));
    InUse("deu");
    menu->SetupLanguageMenu();
    const QByteArray before = [&] {
        QFile f(userFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    items[2]->trigger(); // the toolkit unchecks it on the way
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(Checked(), 2);
    QFile f(userFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(Menu, ValueThatCannotBeWrittenStopsTheClick)
{
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("blocked")), "x"));
    TLocaleRegistry blocked(dir.filePath(QStringLiteral("blocked/registry.ini")), QString());
    menu = MakeMenu(exe);
    *menu = TLanguageMenu(blocked, exe);
    menu->ShowRestartNotice = [this](const QString&) { calls << QStringLiteral("notice"); };
    menu->StopApplication = [this] { calls << QStringLiteral("stop"); };
    menu->Relaunch = [this](const QString&) { return calls << QStringLiteral("relaunch"), true; };
    menu->SetItems(items[0].get(), items[1].get(), items[2].get(), items[3].get());
    menu->SetupLanguageMenu();
    EXPECT_THROW(menu->mLanguageClick(items[3].get()), ERegistryException);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(Checked(), 0);
}

TEST_F(Menu, StoredValueThatIsNoTextFailsTheSetUp)
{
    ASSERT_TRUE(WriteFile(userFile, "[Locales]\n" + exe.mid(1).replace(u'/', u'\\').toUtf8() + "=@ByteArray(ENU)\n"));
    try {
        menu->SetupLanguageMenu();
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Type de données incorrect pour '%1'").arg(exe));
    }
    EXPECT_EQ(Checked(), 0);
}

TEST_F(Menu, CopyElsewhereKeepsItsOwnChoice)
{
    const QString copy = dir.filePath(QStringLiteral("copy/tarvix"));
    items[3]->trigger(); // before set-up: LanguageCode is French
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("ITA"));
    auto other = MakeMenu(copy);
    other->SetupLanguageMenu();
    EXPECT_EQ(other->LanguageCode(), QStringLiteral("FR"));
    EXPECT_FALSE(registry.UserValue(copy));
}

TEST_F(Menu, HelpIsFoundBesideTheExecutableBeforeTheCurrentFolder)
{
    DesktopWithoutViewers desktop(false); // the catcher below is the only way out
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QStringList failures;
    menu->ShowOpenFailure = [&](const QString& message) { failures << message; };
    QTemporaryDir elsewhere;
    const QString savedCwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());

    menu->SetupLanguageMenu();
    menu->OpenHelp();
    EXPECT_TRUE(catcher.urls.isEmpty()) << "no document anywhere";
    EXPECT_EQ(failures, QStringList(QStringLiteral("Le document d'aide est introuvable :\r") +
                                    QDir::toNativeSeparators(dir.filePath(QStringLiteral("bin/TARVIX_FR.pdf")))));
    failures.clear();

    ASSERT_TRUE(WriteFile(elsewhere.filePath(QStringLiteral("TARVIX_FR.pdf")), "%PDF"));
    EXPECT_EQ(menu->HelpFilePath(), elsewhere.filePath(QStringLiteral("TARVIX_FR.pdf")));
    AddFile(QStringLiteral("TARVIX_FR.pdf"));
    EXPECT_EQ(menu->HelpFilePath(), dir.filePath(QStringLiteral("bin/TARVIX_FR.pdf")));
    menu->OpenHelp();
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(dir.filePath(QStringLiteral("bin/TARVIX_FR.pdf"))));
    EXPECT_TRUE(failures.isEmpty());

    // A lower-case code finds the document as named on disk.
    registry.WriteUserValue(exe, QStringLiteral("enu"));
    AddFile(QStringLiteral("TARVIX_ENU.pdf"));
    InUse("enu");
    menu->SetupLanguageMenu();
    EXPECT_EQ(menu->HelpFilePath(), dir.filePath(QStringLiteral("bin/TARVIX_ENU.pdf")));

    // A stored code that is not the language shown names no document: the shown language's serves.
    registry.WriteUserValue(exe, QStringLiteral("/../x"));
    module.Unload();
    menu->SetupLanguageMenu();
    EXPECT_EQ(menu->HelpFilePath(), dir.filePath(QStringLiteral("bin/TARVIX_FR.pdf")));

    QDir::setCurrent(savedCwd);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

// The check mark and the help document follow the module the process actually runs with.
TEST_F(Menu, TheLanguageShownIsCheckedWhateverChoseIt)
{
    AddFile(QStringLiteral("TARVIX_ITA.pdf"));
    for (const char* code : {"ita", "deu"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix.") + QLatin1String(code),
                                exe + u'.' + QLatin1String(code)));

    // Nothing stored, an Italian locale: the start-up choice loads the Italian module.
    ASSERT_FALSE(module.Choose(registry, exe, QStringLiteral("ITA")).isEmpty());
    menu->SetupLanguageMenu();
    EXPECT_EQ(menu->LanguageCode(), QStringLiteral("ITA"));
    EXPECT_EQ(Checked(), 3);
    EXPECT_EQ(menu->HelpFileName(), QStringLiteral("TARVIX_ITA.pdf"));
    EXPECT_EQ(menu->HelpFilePath(), dir.filePath(QStringLiteral("bin/TARVIX_ITA.pdf")));
    items[3]->trigger(); // the language shown: nothing happens
    EXPECT_TRUE(calls.isEmpty());

    // A module found under another abbreviation (Swiss Italian) shows as the language it holds.
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix.ita"), exe + QStringLiteral(".ITS")));
    ASSERT_FALSE(module.Choose(registry, exe, QStringLiteral("ITS")).isEmpty());
    menu->SetupLanguageMenu();
    EXPECT_EQ(Checked(), 3);

    // French stored on the Italian locale: no module, Français.
    registry.WriteUserValue(exe, QStringLiteral("FR"));
    EXPECT_TRUE(module.Choose(registry, exe, QStringLiteral("ITA")).isEmpty());
    menu->SetupLanguageMenu();
    EXPECT_EQ(menu->LanguageCode(), QStringLiteral("FR"));
    EXPECT_EQ(Checked(), 0);
    EXPECT_EQ(menu->HelpFileName(), QStringLiteral("TARVIX_FR.pdf"));

    // English stored but its module gone: the locale's Italian shows, and is what is checked.
    registry.WriteUserValue(exe, QStringLiteral("ENU"));
    ASSERT_FALSE(module.Choose(registry, exe, QStringLiteral("ITA")).isEmpty());
    menu->SetupLanguageMenu();
    EXPECT_EQ(Checked(), 3);
    EXPECT_EQ(menu->HelpFileName(), QStringLiteral("TARVIX_ITA.pdf"));

    // Choosing still stores and restarts.
    items[2]->trigger();
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("DEU"));
    EXPECT_EQ(calls.size(), 3);
    EXPECT_EQ(Checked(), 3);
}

// Nothing on the desktop can open the document: the message names it with its full path. Without a launcher
// the failure is known at once; with xdg-open it comes when the launcher gives up.
TEST_F(Menu, HelpThatNothingCanOpenIsReportedWithItsPath)
{
    AddFile(QStringLiteral("TARVIX_FR.pdf"));
    const QString expected = QStringLiteral("Aucune application n'a pu ouvrir le document d'aide :\r") +
                             QDir::toNativeSeparators(dir.filePath(QStringLiteral("bin/TARVIX_FR.pdf")));
    menu->SetupLanguageMenu();
    QStringList failures;
    menu->ShowOpenFailure = [&](const QString& message) { failures << message; };
    {
        DesktopWithoutViewers desktop(false);
        menu->OpenHelp();
        EXPECT_EQ(failures, QStringList(expected));
    }
    failures.clear();
    DesktopWithoutViewers desktop(true);
    if (!desktop.HasLauncher())
        GTEST_SKIP() << "no xdg-open on this system";
    menu->OpenHelp();
    EXPECT_TRUE(WaitUntil([&] { return !failures.isEmpty(); }, 30000));
    EXPECT_EQ(failures, QStringList(expected));
}

TEST_F(Menu, ItemsAreFoundByNameAmongTheOwnersChildren)
{
    QObject owner;
    QObject submenu(&owner);
    QAction* named[4];
    for (const TLanguage& language : Languages()) {
        named[language.tag] = new QAction(QString::fromUtf8(language.caption), &submenu);
        named[language.tag]->setObjectName(QLatin1String(language.menuItem));
    }
    TLanguageMenu bound(registry, exe);
    bound.StopApplication = [this] { calls << QStringLiteral("stop"); };
    bound.Relaunch = [this](const QString&) { return calls << QStringLiteral("relaunch"), true; };
    EXPECT_FALSE(bound.BindItems(named[0])) << "no such children";
    EXPECT_FALSE(bound.BindItems(nullptr));
    ASSERT_TRUE(bound.BindItems(&owner));
    bound.SetupLanguageMenu();
    EXPECT_TRUE(named[0]->isChecked());
    named[2]->trigger();
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("DEU"));
    EXPECT_EQ(calls, QStringList({QStringLiteral("stop"), QStringLiteral("relaunch")}));
}

TEST(WebPage, OpensTheProductPage)
{
    EnsureGuiApp();
    DesktopWithoutViewers desktop(false); // the catcher is the only way out
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QStringList failures;
    OpenWebPage([&](const QString& message) { failures << message; });
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl(QStringLiteral("https://tarvix.example.org/")));
    EXPECT_TRUE(failures.isEmpty());
}

TEST(WebPage, NoBrowserIsReportedWithTheAddress)
{
    EnsureGuiApp();
    const QStringList expected(
        QStringLiteral("Aucune application n'a pu ouvrir la page web :\rhttps://tarvix.example.org/"));
    QStringList failures;
    {
        DesktopWithoutViewers desktop(false);
        OpenWebPage([&](const QString& message) { failures << message; });
        EXPECT_EQ(failures, expected);
    }
    failures.clear();
    DesktopWithoutViewers desktop(true);
    if (!desktop.HasLauncher())
        GTEST_SKIP() << "no xdg-open on this system";
    OpenWebPage([&](const QString& message) { failures << message; });
    EXPECT_TRUE(WaitUntil([&] { return !failures.isEmpty(); }, 30000));
    EXPECT_EQ(failures, expected);
}

#include "language_menu_test.moc"

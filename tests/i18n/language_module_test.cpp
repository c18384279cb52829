// Installing a language module: which file is chosen, and that it translates every text and caption.
#include "TranslationSources.h"
#include "support/Application.h"
#include "support/TempFolder.h"

#include "i18n/Catalogue.h"
#include "i18n/CatalogueModule.h"
#include "i18n/LanguageMenu.h"
#include "i18n/LanguageModule.h"
#include "i18n/Languages.h"
#include "i18n/MessageIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace tarvix;
using namespace tarvix::test;

namespace {

QString BuiltModule(const char* code)
{
    return QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix.") + QLatin1String(code);
}

// An installed copy of the program: an executable path and the modules beside it (the executable itself is
// never run, so it need not exist).
struct LanguageModuleInstall : ::testing::Test {
    QTemporaryDir dir;
    QString exe = dir.filePath(QStringLiteral("bin/tarvix"));
    TLocaleRegistry registry{dir.filePath(QStringLiteral("cfg/registry.ini")),
                             dir.filePath(QStringLiteral("etc/registry.ini"))};
    TLanguageModule module;

    void SetUp() override { EnsureApplication<QGuiApplication>("test_i18n"); }
    void AddModule(const char* code, const QString& as = {})
    {
        QDir().mkpath(dir.filePath(QStringLiteral("bin")));
        const QString target =
            as.isEmpty() ? exe + u'.' + QLatin1String(code) : dir.filePath(QStringLiteral("bin/") + as);
        ASSERT_TRUE(QFile::copy(BuiltModule(code), target)) << BuiltModule(code).toStdString();
    }
    void Store(const QString& code) { registry.WriteUserValue(exe, code); }
};

} // namespace

TEST(LanguageModuleCandidates, FollowStoredCodeThenLocale)
{
    const QString exe = QStringLiteral("/opt/t.x/tarvix");
    EXPECT_EQ(ModuleCandidates(exe, QStringLiteral("enu"), QStringLiteral("DEU")),
              QStringList({"/opt/t.x/tarvix.enu", "/opt/t.x/tarvix.DEU", "/opt/t.x/tarvix.DE"}));
    EXPECT_EQ(ModuleCandidates(exe, std::nullopt, QStringLiteral("ITA")),
              QStringList({"/opt/t.x/tarvix.ITA", "/opt/t.x/tarvix.IT"}));
    EXPECT_TRUE(ModuleCandidates(exe, std::nullopt, QString()).isEmpty());
    EXPECT_TRUE(ModuleCandidates(exe, QStringLiteral("FR"), QStringLiteral("ENU")).isEmpty());
    EXPECT_TRUE(ModuleCandidates(exe, QStringLiteral("fr"), QStringLiteral("ENU")).isEmpty());
    // A stored value that would leave the folder is no candidate.
    EXPECT_EQ(ModuleCandidates(exe, QStringLiteral("/../"), QStringLiteral("ENU")),
              QStringList({"/opt/t.x/tarvix.ENU", "/opt/t.x/tarvix.EN"}));
    EXPECT_EQ(ModuleCandidates(QStringLiteral("/opt/tarvix.exe"), QStringLiteral("DEU"), QString()),
              QStringList({"/opt/tarvix.DEU"}));
}

TEST(LocaleAbbreviation, WindowsStyleLetters)
{
    EXPECT_EQ(LocaleAbbreviation(QLocale(QStringLiteral("en_US"))), QStringLiteral("ENU"));
    EXPECT_EQ(LocaleAbbreviation(QLocale(QStringLiteral("en_GB"))), QStringLiteral("ENG"));
    EXPECT_EQ(LocaleAbbreviation(QLocale(QStringLiteral("de_DE"))), QStringLiteral("DEU"));
    EXPECT_EQ(LocaleAbbreviation(QLocale(QStringLiteral("de_CH"))), QStringLiteral("DES"));
    EXPECT_EQ(LocaleAbbreviation(QLocale(QStringLiteral("fr_FR"))), QStringLiteral("FRA"));
    EXPECT_EQ(LocaleAbbreviation(QLocale(QStringLiteral("it_IT"))), QStringLiteral("ITA"));
    EXPECT_EQ(LocaleAbbreviation(QLocale(QStringLiteral("it_SM"))), QStringLiteral("ITS")) << "derived";
    EXPECT_EQ(LocaleAbbreviation(QLocale::c()), QString());
}

TEST_F(LanguageModuleInstall, NothingStoredAndAFrenchLocaleGiveFrench)
{
    AddModule("enu");
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("FRA")), QString());
    EXPECT_EQ(LoadResString(msg::TitleError), "Erreur");
}

TEST_F(LanguageModuleInstall, StoredCodeInLowerCaseFindsTheModule)
{
    AddModule("enu");
    Store(QStringLiteral("enu"));
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("FRA")), exe + QStringLiteral(".enu"));
    EXPECT_EQ(LoadResString(msg::TitleError), "Error");
    EXPECT_EQ(QCoreApplication::translate("Catalogue", "Erreur", "65347"), QStringLiteral("Error"));
    module.Unload();
    EXPECT_EQ(LoadResString(msg::TitleError), "Erreur");
    EXPECT_EQ(CatalogueModule(), nullptr);
}

TEST_F(LanguageModuleInstall, ModuleFileNamedInUpperCaseIsFound)
{
    AddModule("deu", QStringLiteral("tarvix.DEU"));
    Store(QStringLiteral("deu"));
    EXPECT_FALSE(module.Choose(registry, exe, QString()).isEmpty());
    EXPECT_EQ(LoadResString(msg::TitleError), "Fehler");
}

TEST_F(LanguageModuleInstall, LocaleChoosesWhenNothingIsStored)
{
    AddModule("ita");
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("ITA")), exe + QStringLiteral(".ita"));
    EXPECT_EQ(LoadResString(msg::TitleError), "Errore");
}

TEST_F(LanguageModuleInstall, StoredFrenchWinsOverAnEnglishLocale)
{
    AddModule("enu");
    Store(QStringLiteral("FR"));
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("ENU")), QString());
    EXPECT_EQ(LoadResString(msg::TitleError), "Erreur");
}

TEST_F(LanguageModuleInstall, RegionalLocaleTakesItsLanguagesModule)
{
    AddModule("enu");
    AddModule("deu");
    AddModule("ita");
    const struct {
        const char* locale;
        const char* module; // nullptr: French
        const char* error;
    } table[] = {
        {"en_GB", "enu", "Error"},  {"de_AT", "deu", "Fehler"},   {"de_CH", "deu", "Fehler"},
        {"it_CH", "ita", "Errore"}, {"fr_CA", nullptr, "Erreur"}, {"es_ES", nullptr, "Erreur"},
    };
    for (const auto& row : table) {
        const QString abbreviation = LocaleAbbreviation(QLocale(QLatin1String(row.locale)));
        const QString expected = row.module ? exe + u'.' + QLatin1String(row.module) : QString();
        EXPECT_EQ(module.Choose(registry, exe, abbreviation), expected) << row.locale;
        EXPECT_EQ(LoadResString(msg::TitleError), row.error) << row.locale;
    }
    Store(QStringLiteral("ITA"));
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("ENG")), exe + QStringLiteral(".ita"));
    Store(QStringLiteral("FR"));
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("DEA")), QString());
}

TEST_F(LanguageModuleInstall, MissingOrBrokenModuleFallsToTheNextCandidate)
{
    AddModule("enu");
    Store(QStringLiteral("DEU")); // no .deu
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("ENU")), exe + QStringLiteral(".enu"));

    ASSERT_TRUE(WriteBytes(exe + QStringLiteral(".ita"), "not a module"));
    Store(QStringLiteral("ITA"));
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("ENU")), exe + QStringLiteral(".enu"));
    EXPECT_EQ(module.Choose(registry, exe, QStringLiteral("FRA")), QString());
    EXPECT_EQ(LoadResString(msg::TitleError), "Erreur");
}

TEST_F(LanguageModuleInstall, CopyElsewhereHasItsOwnLanguage)
{
    AddModule("enu");
    QTemporaryDir other;
    const QString copy = other.filePath(QStringLiteral("tarvix"));
    ASSERT_TRUE(QFile::copy(BuiltModule("enu"), copy + QStringLiteral(".enu")));
    Store(QStringLiteral("ENU"));
    EXPECT_FALSE(module.Choose(registry, exe, QString()).isEmpty());
    EXPECT_EQ(module.Choose(registry, copy, QString()), QString());
}

// Every catalogue text comes from the English module, exactly as its source says; ids it lacks are empty.
TEST_F(LanguageModuleInstall, EnglishModuleReplacesEveryCatalogueText)
{
    QStringList errors;
    const TsFile ts = ReadTs(TsDir() + QStringLiteral("/catalogue_enu.ts"), errors);
    ASSERT_TRUE(errors.isEmpty());
    ASSERT_TRUE(module.Load(BuiltModule("enu")));
    int same = 0;
    ForEachBuiltInText([&](int id, const char* french) {
        const auto it = ts.find({QStringLiteral("Catalogue"), QString::fromUtf8(french), QString::number(id)});
        ASSERT_NE(it, ts.end()) << id;
        EXPECT_EQ(LoadResQString(id), it->second.translation) << id;
        same += LoadResQString(id) == QString::fromUtf8(french);
    });
    EXPECT_LT(same, 5) << "texts left in French";
    EXPECT_EQ(LoadResString(msg::Stopping), "TARVIX Port Mapping\r\rShutting down. Please wait...");
    EXPECT_EQ(LoadResString(65225), "");
}

TEST_F(LanguageModuleInstall, IdMissingFromAModuleIsEmpty)
{
    const QString ts = dir.filePath(QStringLiteral("partial.ts"));
    ASSERT_TRUE(WriteBytes(ts, R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context><name>Catalogue</name>
<message><source>Erreur</source><comment>65347</comment><translation>Error</translation></message>
</context>
</TS>
)"));
    const QString qm = exe + QStringLiteral(".enu");
    QDir().mkpath(dir.filePath(QStringLiteral("bin")));
    ASSERT_EQ(
        QProcess::execute(QStringLiteral(TARVIX_LRELEASE), {QStringLiteral("-silent"), ts, QStringLiteral("-qm"), qm}),
        0);
    Store(QStringLiteral("ENU"));
    ASSERT_EQ(module.Choose(registry, exe, QString()), qm);
    EXPECT_EQ(LoadResString(msg::TitleError), "Error");
    EXPECT_EQ(LoadResString(msg::TitleWarning), "");
    EXPECT_EQ(LoadResString(msg::ConfirmDelete), "");
}

// The windows' captions come through the same module, as uic's retranslation asks for them.
TEST_F(LanguageModuleInstall, ModuleTranslatesEveryWindowCaption)
{
    for (const char* code : kModuleCodes) {
        QStringList errors;
        TsFile ts;
        for (const QString& name : QDir(TsDir()).entryList({QStringLiteral("forms_%1.ts").arg(QLatin1String(code))}))
            ts.merge(ReadTs(TsDir() + u'/' + name, errors));
        ASSERT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
        ASSERT_TRUE(module.Load(BuiltModule(code))) << code;
        std::set<TsKey> captions, unchanged;
        for (const QString& form : UiFiles()) {
            for (const UiCaption& caption : ReadUiCaptions(form, errors)) {
                const QByteArray context = caption.context.toUtf8(), source = caption.source.toUtf8(),
                                 disambiguation = caption.disambiguation.toUtf8();
                const QString shown =
                    QCoreApplication::translate(context.constData(), source.constData(),
                                                disambiguation.isEmpty() ? nullptr : disambiguation.constData());
                const auto it = ts.find({caption.context, caption.source, caption.disambiguation});
                ASSERT_NE(it, ts.end()) << code << ": " << source.constData();
                EXPECT_EQ(shown, it->second.translation) << code << ": " << source.constData();
                captions.insert(it->first);
                if (shown == caption.source)
                    unchanged.insert(it->first);
            }
        }
        // Built in code rather than in a form.
        EXPECT_NE(TLanguageMenu::Caption(), QStringLiteral("Langue")) << code;
        EXPECT_FALSE(TLanguageMenu::Caption().isEmpty()) << code;
        EXPECT_GT(captions.size(), 20u);
        EXPECT_LT(unchanged.size() * 3, captions.size()) << code << ": most captions differ from the French";
        module.Unload();
        EXPECT_EQ(QCoreApplication::translate("fMain", "Quitter"), QStringLiteral("Quitter"));
        EXPECT_EQ(TLanguageMenu::Caption(), QStringLiteral("Langue"));
    }
}

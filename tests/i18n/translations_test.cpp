// The language modules' sources are complete: every catalogue text and every window caption has a finished
// translation in each of them, with the placeholders the program fills.
#include "TranslationSources.h"
#include "support/TempFolder.h"

#include "i18n/Catalogue.h"
#include "i18n/CatalogueModule.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// All the .ts files of one language (catalogue and forms are kept apart), merged.
TsFile ReadLanguage(const char* code, QStringList& errors)
{
    TsFile all;
    const QDir dir(TsDir());
    const QStringList names = dir.entryList({QStringLiteral("*_%1.ts").arg(QLatin1String(code))}, QDir::Files);
    if (names.isEmpty())
        errors << QStringLiteral("no .ts file for %1").arg(QLatin1String(code));
    for (const QString& name : names)
        all.merge(ReadTs(dir.absoluteFilePath(name), errors));
    return all;
}

QStringList Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%[sd%]"));
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QString p = it.next().captured();
        if (p != QLatin1String("%%"))
            found << p;
    }
    return found;
}

} // namespace

TEST(Translations, EveryCatalogueTextIsTranslatedWithItsPlaceholders)
{
    for (const char* code : kModuleCodes) {
        QStringList errors;
        const TsFile ts = ReadLanguage(code, errors);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
        int checked = 0;
        ForEachBuiltInText([&](int id, const char* french) {
            ++checked;
            const QString source = QString::fromUtf8(french);
            const auto it = ts.find({QString::fromLatin1(kCatalogueContext), source, QString::number(id)});
            if (it == ts.end() || !it->second.finished) {
                ADD_FAILURE() << code << ": catalogue id " << id << " has no finished translation";
                return;
            }
            // The formatter fills placeholders in order: another order or kind would stop the message.
            EXPECT_EQ(Placeholders(it->second.translation), Placeholders(source))
                << code << ": id " << id << " \"" << it->second.translation.toStdString() << "\"";
        });
        EXPECT_GT(checked, 90);
    }
}

TEST(Translations, EveryWindowCaptionIsTranslated)
{
    const QStringList forms = UiFiles();
    ASSERT_FALSE(forms.isEmpty()) << "no window descriptions found";
    for (const char* code : kModuleCodes) {
        QStringList errors;
        const TsFile ts = ReadLanguage(code, errors);
        for (const QString& form : forms) {
            const std::vector<UiCaption> captions = ReadUiCaptions(form, errors);
            EXPECT_FALSE(captions.empty()) << form.toStdString();
            for (const UiCaption& caption : captions) {
                const auto it = ts.find({caption.context, caption.source, caption.disambiguation});
                EXPECT_TRUE(it != ts.end() && it->second.finished)
                    << code << ": \"" << caption.source.toStdString() << "\" of " << caption.context.toStdString()
                    << " has no finished translation";
            }
        }
        EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    }
}

TEST(Translations, ReaderSeesUnfinishedAndEmptyTranslations)
{
    const QString path = QDir::temp().filePath(QStringLiteral("tarvix_reader_test.ts"));
    ASSERT_TRUE(WriteBytes(path, R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context><name>TfMain</name>
<message><source>Quitter</source><translation>Quit</translation></message>
<message><source>Ouvrir</source><translation type="unfinished">Open</translation></message>
<message><source>Aide</source><translation></translation></message>
<message><source>Aide</source><comment>x</comment><translation>Help&#13;me</translation></message>
</context>
</TS>
)"));
    QStringList errors;
    const TsFile ts = ReadTs(path, errors);
    QFile::remove(path);
    EXPECT_TRUE(errors.isEmpty());
    const QString ctx = QStringLiteral("TfMain");
    EXPECT_TRUE(ts.at({ctx, QStringLiteral("Quitter"), {}}).finished);
    EXPECT_FALSE(ts.at({ctx, QStringLiteral("Ouvrir"), {}}).finished);
    EXPECT_FALSE(ts.at({ctx, QStringLiteral("Aide"), {}}).finished);
    EXPECT_EQ(ts.at({ctx, QStringLiteral("Aide"), QStringLiteral("x")}).translation, QStringLiteral("Help\rme"));
}

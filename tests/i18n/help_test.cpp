// Finding the help document for a language: beside the executable first, then in the current folder.
#include "i18n/HelpFile.h"
#include "i18n/Languages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvix;

TEST(HelpFile, NameCarriesTheCodeAsStored)
{
    EXPECT_EQ(HelpFileName(QStringLiteral("FR")), QStringLiteral("TARVIX_FR.pdf"));
    EXPECT_EQ(HelpFileName(QStringLiteral("enu")), QStringLiteral("TARVIX_enu.pdf"));
    EXPECT_EQ(HelpFileName(QStringLiteral("%d%s")), QStringLiteral("TARVIX_%d%s.pdf"));
}

// The build puts one document per language beside the executable, where help looks first.
TEST(HelpFile, EveryLanguageHasItsDocumentBesideTheExecutable)
{
    const QString exe = QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix");
    QTemporaryDir elsewhere;
    for (const TLanguage& language : Languages()) {
        const QString code = QString::fromLatin1(language.code);
        const QString path = FindHelpFile(code, exe, elsewhere.path());
        ASSERT_FALSE(path.isEmpty()) << language.code;
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(exe).absolutePath());
        QFile pdf(path);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const QByteArray contents = pdf.readAll();
        EXPECT_TRUE(contents.startsWith("%PDF-")) << language.code;
        EXPECT_GT(contents.size(), 20000) << language.code << ": a real document, several pages long";
        EXPECT_EQ(FindHelpFile(code.toLower(), exe, elsewhere.path()), path);
    }
}

TEST(HelpFile, CurrentFolderServesWhenNothingIsBesideTheExecutable)
{
    QTemporaryDir install, current;
    const QString exe = install.filePath(QStringLiteral("tarvix"));
    EXPECT_EQ(FindHelpFile(QStringLiteral("DEU"), exe, current.path()), QString());
    QFile doc(current.filePath(QStringLiteral("TARVIX_DEU.pdf")));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.close();
    EXPECT_EQ(FindHelpFile(QStringLiteral("DEU"), exe, current.path()), doc.fileName());
    EXPECT_EQ(FindHelpFile(QStringLiteral("DEU"), QString(), current.path()), doc.fileName());
}

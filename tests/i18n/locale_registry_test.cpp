// The stored language choice: user file over machine file, per executable, and unreadable or unwritable files.
#include "support/TempFolder.h"

#include "i18n/LocaleRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

struct LocaleRegistry : ::testing::Test {
    QTemporaryDir dir;
    QString userFile = dir.filePath(QStringLiteral("user/tarvix/registry.ini"));
    QString machineFile = dir.filePath(QStringLiteral("etc/tarvix/registry.ini"));
    TLocaleRegistry registry{userFile, machineFile};
    const QString exe = QStringLiteral("/opt/tarvix/tarvix");
};

} // namespace

TEST_F(LocaleRegistry, NothingStoredAnywhere)
{
    EXPECT_FALSE(registry.StoredCode(exe));
    EXPECT_FALSE(registry.UserValue(exe));
}

TEST_F(LocaleRegistry, WrittenValueReadsBackForThatExecutableOnly)
{
    registry.WriteUserValue(exe, QStringLiteral("ENU"));
    EXPECT_TRUE(QFile::exists(userFile)) << "the folder is created";
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("ENU"));
    EXPECT_EQ(registry.StoredCode(exe), QStringLiteral("ENU"));
    const QString copy = QStringLiteral("/home/me/tarvix/tarvix");
    EXPECT_FALSE(registry.UserValue(copy));
    EXPECT_FALSE(registry.StoredCode(copy));

    registry.WriteUserValue(copy, QStringLiteral("DEU"));
    registry.WriteUserValue(exe, QStringLiteral("ITA"));
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("ITA"));
    EXPECT_EQ(registry.UserValue(copy), QStringLiteral("DEU"));
}

TEST_F(LocaleRegistry, PathsWithAwkwardCharactersStayApart)
{
    const QStringList paths = {QStringLiteral("/opt/my apps/tarvix"), QStringLiteral("/opt/a=b;c#d/tarvix"),
                               QStringLiteral("/opt/été/tarvix"),     QStringLiteral("/opt/100%/tarvix"),
                               QStringLiteral("/opt/[x]/tarvix"),     QStringLiteral("/opt/my apps/tarvix2")};
    for (int i = 0; i < paths.size(); ++i)
        registry.WriteUserValue(paths[i], QString::number(i));
    const TLocaleRegistry reread(userFile, machineFile);
    for (int i = 0; i < paths.size(); ++i)
        EXPECT_EQ(reread.UserValue(paths[i]), QString::number(i)) << paths[i].toStdString();
    // Nothing unescaped that an INI reader would split on.
    QFile file(userFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.isEmpty() && !line.startsWith('[')) {
            EXPECT_EQ(line.count('='), 1) << line.constData();
        }
    }
}

TEST_F(LocaleRegistry, UserFileHidesTheMachineFile)
{
    ASSERT_TRUE(WriteBytes(machineFile, "[Locales]\nopt\\tarvix\\tarvix=DEU\n"));
    EXPECT_EQ(registry.StoredCode(exe), QStringLiteral("DEU"));
    EXPECT_FALSE(registry.UserValue(exe)) << "the menu reads the user's value only";

    // Once the user has a file, only that one is read, even without a value for this executable.
    registry.WriteUserValue(QStringLiteral("/elsewhere/tarvix"), QStringLiteral("ITA"));
    EXPECT_FALSE(registry.StoredCode(exe));
}

TEST_F(LocaleRegistry, DefaultValueServesStartUpOnly)
{
    ASSERT_TRUE(WriteBytes(userFile, "[Locales]\nDefault=ITA\n"));
    EXPECT_EQ(registry.StoredCode(exe), QStringLiteral("ITA"));
    EXPECT_FALSE(registry.UserValue(exe));
}

TEST_F(LocaleRegistry, AtMostFourCharactersOfAStoredCodeCount)
{
    registry.WriteUserValue(exe, QStringLiteral("ENUXYZ"));
    EXPECT_EQ(registry.StoredCode(exe), QStringLiteral("ENUX"));
    EXPECT_EQ(registry.UserValue(exe), QStringLiteral("ENUXYZ"));
}

TEST_F(LocaleRegistry, ValueThatIsNoTextFailsTheMenuButNotStartUp)
{
    ASSERT_TRUE(WriteBytes(userFile, "[Locales]\nopt\\tarvix\\tarvix=ENU, DEU\nopt\\x\\tarvix=@ByteArray(ENU)\n"));
    try {
        registry.UserValue(exe);
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Type de données incorrect pour '/opt/tarvix/tarvix'");
    }
    EXPECT_THROW(registry.UserValue(QStringLiteral("/opt/x/tarvix")), ERegistryException);
    EXPECT_FALSE(registry.StoredCode(exe));
}

TEST_F(LocaleRegistry, UnwritableFileFailsWithTheCatalogueText)
{
    // A plain file where the folder should be: neither the folder nor the file can be made.
    ASSERT_TRUE(WriteBytes(dir.filePath(QStringLiteral("blocked")), "x"));
    const TLocaleRegistry blocked(dir.filePath(QStringLiteral("blocked/tarvix/registry.ini")), machineFile);
    try {
        blocked.WriteUserValue(exe, QStringLiteral("ENU"));
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Echec à la définition des données pour '/opt/tarvix/tarvix'");
    }
}

TEST(LocaleRegistryPaths, FollowTheUsersConfigurationFolder)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg-home");
    EXPECT_EQ(TLocaleRegistry::DefaultUserFile(), QStringLiteral("/tmp/cfg-home/tarvix/registry.ini"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(TLocaleRegistry::DefaultUserFile(), QDir::homePath() + QStringLiteral("/.config/tarvix/registry.ini"));
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
    EXPECT_EQ(TLocaleRegistry::DefaultMachineFile(), QStringLiteral("/etc/xdg/tarvix/registry.ini"));
}

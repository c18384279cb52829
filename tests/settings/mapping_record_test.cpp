// Mapping records: keys, defaults, the order they are written in, new ids and where the file lives.
#include "base/ExecutablePath.h"
#include "settings/MappingRecord.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tarvix;
using tarvix::test::ReadBytes;
using tarvix::test::TempFolder;
using tarvix::test::WriteBytes;

TEST(MappingRecord, MissingSectionOrKeysReadAsDefaults)
{
    TempFolder dir;
    TIniFileEx empty;
    EXPECT_EQ(ReadMappingRecord(empty, "123"), MappingRecord({"", 1024, "", 80, false}));
    EXPECT_EQ(empty.SectionCount(), 0);
    EXPECT_FALSE(empty.Modified());

    WriteBytes(dir.File("m.ini"), "[7]\r\naddress=host\r\nautostart=1\r\n[8]\r\nname=x\r\nlocalport=$1F90\r\n");
    TIniFileEx ini(dir.File("m.ini"));
    EXPECT_EQ(ReadMappingRecord(ini, "7"), MappingRecord({"", 1024, "host", 80, true}));
    EXPECT_EQ(ReadMappingRecord(ini, "8"), MappingRecord({"x", 8080, "", 80, false}));
}

TEST(MappingRecord, NonIntegerPortFailsWithTheConversionText)
{
    TIniFileEx ini;
    ini.WriteString("1", "Port", "http");
    try {
        ReadMappingRecord(ini, "1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'http' n'est pas une valeur entière correcte");
    }
}

TEST(MappingRecord, NewRecordIsWrittenAsFiveKeysInOrder)
{
    TempFolder dir;
    TIniFileEx ini;
    ini.SetSorted(false);
    ini.SetFileName(dir.File("m.ini"));
    ini.Load();
    WriteMappingRecord(ini, "4711", {"Web", 8080, "example.org", 80, true});
    WriteMappingRecord(ini, "12", {"", 1024, "", 443, false});
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(dir.File("m.ini")),
              "[4711]\r\nName=Web\r\nLocalPort=8080\r\nAddress=example.org\r\nPort=80\r\nAutoStart=1\r\n\r\n"
              "[12]\r\nLocalPort=1024\r\nPort=443\r\nAutoStart=0\r\n\r\n");
    TIniFileEx reloaded(dir.File("m.ini"));
    EXPECT_EQ(ReadMappingRecord(reloaded, "12"), MappingRecord({"", 1024, "", 443, false}));
}

TEST(MappingRecord, RewriteKeepsPlacesAndOtherLinesAndRemovesEmptyTexts)
{
    TIniFileEx ini;
    ini.WriteString("9", "autostart", "1");
    ini.WriteString("9", "Colour", "blue");
    ini.WriteString("9", "Address", "old.example.org");
    WriteMappingRecord(ini, "9", {"Mail", 2525, "", 25, false});
    EXPECT_EQ(ini.SectionRawLines(0),
              QByteArrayList({"AutoStart=0", "Colour=blue", "Name=Mail", "LocalPort=2525", "Port=25"}));
}

TEST(MappingRecord, NewSectionIdIsAFreeNumberInRange)
{
    TIniFileEx ini;
    for (int i = 0; i < 200; ++i) {
        const QString id = NewSectionId(ini);
        bool ok = false;
        const int n = id.toInt(&ok);
        ASSERT_TRUE(ok);
        EXPECT_TRUE(n >= 0 && n <= 65534);
        EXPECT_EQ(QString::number(n), id);
        EXPECT_FALSE(ini.SectionExists(id));
        ini.WriteString(id, "Name", "x");
    }
    EXPECT_EQ(ini.SectionCount(), 200);
}

TEST(MappingRecord, NewSectionIdFindsTheLastFreeOneAndNeverLoops)
{
    TempFolder dir;
    QByteArray all;
    for (int i = 0; i <= 65534; ++i)
        if (i != 31337)
            all += "[" + QByteArray::number(i) + "]\nk=1\n";
    WriteBytes(dir.File("full.ini"), all);
    TIniFileEx ini(dir.File("full.ini"));
    ASSERT_EQ(ini.SectionCount(), 65534);
    EXPECT_EQ(NewSectionId(ini), "31337");
    ini.WriteString("31337", "k", "1");
    EXPECT_EQ(NewSectionId(ini), "65535");
}

TEST(SettingsPath, ExtensionIsReplacedOrAddedInTheFileNameOnly)
{
    EXPECT_EQ(PathWithExtension("/opt/x/tarvix", "ini"), "/opt/x/tarvix.ini");
    EXPECT_EQ(PathWithExtension("/opt/x/tarvix.exe", ".ini"), "/opt/x/tarvix.ini");
    EXPECT_EQ(PathWithExtension("/opt/x.y/tarvix", "enu"), "/opt/x.y/tarvix.enu");
    EXPECT_EQ(PathWithExtension("/home/u/.tarvix", "ini"), "/home/u/.tarvix.ini");
    EXPECT_EQ(PathWithExtension("tarvix.tar.gz", "deu"), "tarvix.tar.deu");
    EXPECT_EQ(PathWithExtension("/opt/x/tarvix.exe", ""), "/opt/x/tarvix");
    const QString exe = ExecutablePathWithExtension("ini");
    EXPECT_TRUE(QFileInfo(exe).isAbsolute());
    EXPECT_TRUE(exe.endsWith("/test_settings.ini")) << exe.toStdString();
}

TEST(SettingsPath, BesideTheExecutableWhenItsFolderCanBeWritten)
{
    TempFolder dir;
    EXPECT_EQ(SettingsFilePathFor(dir.File("tarvix")), dir.File("tarvix.ini"));
    EXPECT_EQ(SettingsFilePathFor(dir.File("tarvix.bin")), dir.File("tarvix.ini"));
}

TEST(SettingsPath, UserConfigurationFolderForAnInstallationThatCannotBeWritten)
{
    TempFolder home;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.File("config")));
    const QString path = SettingsFilePathFor(home.File("absent/bin/tarvix"));
    EXPECT_EQ(path, home.File("config/tarvix/tarvix.ini"));
    EXPECT_TRUE(QFileInfo(home.File("config/tarvix")).isDir());

    // A read-only installation folder that already holds the settings keeps using them there.
    QDir().mkpath(home.File("ro"));
    WriteBytes(home.File("ro/tarvix.ini"), "");
    const QByteArray ro = QFile::encodeName(home.File("ro"));
    ::chmod(ro.constData(), 0555);
    EXPECT_EQ(SettingsFilePathFor(home.File("ro/tarvix")), home.File("ro/tarvix.ini"));
    if (::access(ro.constData(), W_OK) != 0) { // not decidable for root, who may write anywhere
        ::unlink(QFile::encodeName(home.File("ro/tarvix.ini")).constData());
        EXPECT_EQ(SettingsFilePathFor(home.File("ro/tarvix")), home.File("config/tarvix/tarvix.ini"));
    }
    ::chmod(ro.constData(), 0755);
    qputenv("XDG_CONFIG_HOME", saved);
}

// Files that cannot be read or written: a clear error from the catalogue, and nothing of the user's lost.
#include "PermissionsEnforced.h"
#include "settings/IniFileEx.h"
#include "support/TempFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvix;
using tarvix::test::PermissionsEnforced;
using tarvix::test::ReadBytes;
using tarvix::test::TempFolder;
using tarvix::test::WriteBytes;

namespace {

const QByteArray kOld = "[1]\r\nName=Web\r\nLocalPort=8080\r\n\r\n";

// The error an operation raised: its code and text.
template <typename F>
std::pair<int, std::string> InOutFailure(F&& call)
{
    try {
        call();
    } catch (const EInOutError& e) {
        return {e.ErrorCode(), e.what()};
    }
    return {0, "no error"};
}

// A store loaded from the old file with one mapping more, ready to save.
std::unique_ptr<TIniFileEx> ModifiedStore(const QString& path)
{
    auto ini = std::make_unique<TIniFileEx>();
    ini->SetSorted(false);
    ini->SetFileName(path);
    ini->Load();
    ini->WriteString("2", "Name", "Mail");
    return ini;
}

// Lowers a resource's soft limit for the lifetime of the object.
class SoftLimit {
public:
    SoftLimit(int resource, rlim_t value) : resource_(resource)
    {
        getrlimit(resource_, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = value;
        ok_ = setrlimit(resource_, &lowered) == 0;
    }
    ~SoftLimit() { setrlimit(resource_, &saved_); }
    bool Ok() const { return ok_; }

private:
    int resource_;
    rlimit saved_{};
    bool ok_ = false;
};

} // namespace

TEST(IniFileFailure, FolderWhereTheFileShouldBe)
{
    TempFolder dir;
    const QString path = dir.File("settings.ini");
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    TIniFileEx ini;
    ini.SetFileName(path);
    EXPECT_EQ(InOutFailure([&] { ini.Load(); }), std::make_pair(5, std::string("Accès au fichier refusé")));
    EXPECT_TRUE(ini.Sections().isEmpty());

    ini.WriteString("1", "Name", "x");
    EXPECT_EQ(InOutFailure([&] { ini.Save(); }).first, 5);
    EXPECT_TRUE(ini.Modified());
    EXPECT_TRUE(QFileInfo(path + "/inside").isDir());
}

TEST(IniFileFailure, UnreadableFileIsReportedAndNeverOverwritten)
{
    TempFolder dir;
    const QString path = dir.File("settings.ini");
    WriteBytes(path, kOld);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0200), 0); // writable, not readable
    {
        PermissionsEnforced enforced;
        if (!enforced.Enforced())
            GTEST_SKIP() << "file permissions do not apply to this process";
        TIniFileEx ini;
        ini.SetSorted(false);
        ini.SetFileName(path);
        EXPECT_EQ(InOutFailure([&] { ini.Load(); }), std::make_pair(5, std::string("Accès au fichier refusé")));
        EXPECT_TRUE(ini.Sections().isEmpty());
        // Saving the empty store over it would lose every mapping it holds.
        ini.WriteString("2", "Name", "Mail");
        EXPECT_EQ(InOutFailure([&] { ini.Save(); }).first, 5);
        EXPECT_TRUE(ini.Modified());

        // Once the file reads again, the store works as usual.
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0600), 0);
        ini.Load();
        EXPECT_EQ(ini.ReadString("1", "Name", "-"), "Web");
        ini.WriteString("2", "Name", "Mail");
        EXPECT_TRUE(ini.Save());
    }
    EXPECT_EQ(ReadBytes(path), kOld + "[2]\r\nName=Mail\r\n\r\n");
}

TEST(IniFileFailure, SaveIntoReadOnlyFolderKeepsTheOldFile)
{
    TempFolder dir;
    const QString path = dir.File("settings.ini");
    WriteBytes(path, kOld);
    auto ini = ModifiedStore(path);
    const QByteArray folder = QFile::encodeName(dir.Path());
    {
        PermissionsEnforced enforced;
        if (!enforced.Enforced())
            GTEST_SKIP() << "file permissions do not apply to this process";
        ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
        const auto failure = InOutFailure([&] { ini->Save(); });
        ::chmod(folder.constData(), 0755);
        EXPECT_EQ(failure, std::make_pair(5, std::string("Accès au fichier refusé")));
    }
    EXPECT_TRUE(ini->Modified());
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(dir.Entries(), QStringList({"settings.ini"}));
    EXPECT_TRUE(ini->Save());
    EXPECT_EQ(ReadBytes(path), kOld + "[2]\r\nName=Mail\r\n\r\n");
}

TEST(IniFileFailure, SaveThatCannotCreateItsFileKeepsTheOldOne)
{
    TempFolder dir;
    const QString path = dir.File("settings.ini");
    WriteBytes(path, kOld);
    auto ini = ModifiedStore(path);
    // No descriptor left for the new file: the lowest free one becomes the limit.
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    std::pair<int, std::string> failure;
    {
        SoftLimit limit(RLIMIT_NOFILE, rlim_t(lowestFree));
        ASSERT_TRUE(limit.Ok());
        failure = InOutFailure([&] { ini->Save(); });
    }
    EXPECT_EQ(failure, std::make_pair(4, std::string("Trop de fichiers ouverts")));
    EXPECT_TRUE(ini->Modified());
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(dir.Entries(), QStringList({"settings.ini"}));
}

TEST(IniFileFailure, WriteFailingMidwayKeepsTheOldFile)
{
    TempFolder dir;
    const QString path = dir.File("settings.ini");
    WriteBytes(path, kOld);
    auto ini = ModifiedStore(path);
    for (int i = 0; i < 2000; ++i)
        ini->WriteString(QString::number(100 + i), "Name", QString(40, u'x'));
    // Files may not grow past 16 KiB: the write stops part way with EFBIG instead of a signal.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    std::pair<int, std::string> failure;
    {
        SoftLimit limit(RLIMIT_FSIZE, 16384);
        ASSERT_TRUE(limit.Ok());
        failure = InOutFailure([&] { ini->Save(); });
    }
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(failure, std::make_pair(101, std::string("Disque plein")));
    EXPECT_TRUE(ini->Modified());
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(dir.Entries(), QStringList({"settings.ini"}));

    ASSERT_TRUE(ini->Save());
    TIniFileEx reloaded(path);
    EXPECT_EQ(reloaded.Sections().size(), 2002);
}

TEST(IniFileFailure, ASaveRemovesWhatAnInterruptedSaveLeftBehind)
{
    TempFolder dir;
    const QString path = dir.File("settings.ini");
    WriteBytes(path, kOld);
    const QDateTime past = QDateTime::currentDateTimeUtc().addSecs(-3600);
    // Left by a save killed before its rename, and not the user's: other names, and one being written now.
    for (const char* name : {"settings.ini.Ab12Cd", "settings.ini.x9Y8z7", "settings.ini.bak", "settings.ini.2024-01",
                             "other.ini.Ab12Cd"}) {
        WriteBytes(dir.File(name), "left");
        QFile file(dir.File(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    }
    WriteBytes(dir.File("settings.ini.Now123"), "being written");
    auto ini = ModifiedStore(path);
    ASSERT_TRUE(ini->Save());
    EXPECT_EQ(dir.Entries(), QStringList({"other.ini.Ab12Cd", "settings.ini", "settings.ini.2024-01",
                                          "settings.ini.Now123", "settings.ini.bak"}));
}

TEST(IniFileFailure, SaveIntoAMissingFolderOrUnderAFile)
{
    TempFolder dir;
    TIniFileEx ini;
    ini.WriteString("1", "Name", "x");
    ini.SetFileName(dir.File("missing/settings.ini"));
    EXPECT_EQ(InOutFailure([&] { ini.Save(); }), std::make_pair(2, std::string("Fichier introuvable")));
    WriteBytes(dir.File("plain"), "not a folder");
    ini.SetFileName(dir.File("plain/settings.ini"));
    ini.Load(); // no such file: an empty store, no error
    ini.WriteString("1", "Name", "x");
    EXPECT_EQ(InOutFailure([&] { ini.Save(); }), std::make_pair(3, std::string("Nom de fichier incorrect")));
    ini.SetFileName("");
    EXPECT_EQ(InOutFailure([&] { ini.Save(); }).first, 3);
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ReadBytes(dir.File("plain")), "not a folder");
}

TEST(IniFileFailure, SavedFileKeepsItsPermissionsAndFollowsALink)
{
    TempFolder dir;
    const QString target = dir.File("real.ini");
    WriteBytes(target, kOld);
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, dir.File("settings.ini")));
    auto ini = ModifiedStore(dir.File("settings.ini"));
    ASSERT_TRUE(ini->Save());
    EXPECT_TRUE(QFileInfo(dir.File("settings.ini")).isSymLink());
    EXPECT_EQ(ReadBytes(target), kOld + "[2]\r\nName=Mail\r\n\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(InOutErrorText, CodesWithoutTheirOwnTextShowTheNumber)
{
    EXPECT_STREQ(EInOutError(100).what(), "Lecture au-delà de la fin de fichier");
    EXPECT_STREQ(EInOutError(29).what(), "Erreur E/S 29");
    EXPECT_EQ(InOutCodeFromErrno(ENOSPC, true), 101);
    EXPECT_EQ(InOutCodeFromErrno(EROFS, true), 5);
    EXPECT_EQ(InOutCodeFromErrno(EIO, false), 30);
}

TEST(IniFileFailure, ReadFailureAndDevicesAreReported)
{
    TIniFileEx ini;
    ini.SetFileName("/proc/self/mem"); // a regular file whose first page cannot be read
    const auto failure = InOutFailure([&] { ini.Load(); });
    if (failure.first == 0)
        GTEST_SKIP() << "/proc/self/mem reads on this system";
    EXPECT_EQ(failure, std::make_pair(30, std::string("Erreur E/S 30")));
    ini.WriteString("1", "Name", "x");
    EXPECT_EQ(InOutFailure([&] { ini.Save(); }).first, 30);

    ini.SetFileName("/dev/null"); // neither a file nor missing: never read from nor replaced
    EXPECT_EQ(InOutFailure([&] { ini.Load(); }).first, 5);
}

// One program per user and settings file: later starts hand over to the first, stale locks do not block.
#include "MainWindowFixture.h"
#include "support/EventLoop.h"

#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <csignal>
#include <unistd.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// A copy of the program in a folder of its own, whose settings file is that folder's tarvix.ini; lock and
// socket in a runtime folder of the test's own.
class ProgramCopy {
public:
    explicit ProgramCopy(const QString& runtime) : runtime_(runtime)
    {
        const QString program = QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix");
        exe_ = dir_.filePath(QStringLiteral("tarvix"));
        // A hard link is instant; another file system needs a copy.
        if (::link(QFile::encodeName(program).constData(), QFile::encodeName(exe_).constData()) != 0)
            QFile::copy(program, exe_);
    }
    QString SettingsPath() const { return dir_.filePath(QStringLiteral("tarvix.ini")); }
    QString Folder() const { return dir_.path(); }

    // Starts the program; the process is owned by the caller.
    std::unique_ptr<QProcess> Start() const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
        process->setProcessEnvironment(env);
        process->start(exe_, {});
        return process;
    }

private:
    // Beside the build's executable, so that a hard link works.
    QTemporaryDir dir_{QStringLiteral(TARVIX_TEST_BIN_DIR "/../tests/single-instance-XXXXXX")};
    QString runtime_;
    QString exe_;
};

// Waits, dispatching events, until the process ends (at most timeoutMs).
bool Finished(QProcess& process, int timeoutMs = 20000)
{
    return ProcessEventsUntil([&] { return process.state() == QProcess::NotRunning; }, timeoutMs);
}

// Still running after a while: it got past the single-instance check and into its event loop.
bool Runs(QProcess& process)
{
    return process.waitForStarted(10000) && !process.waitForFinished(1500);
}

void Terminate(QProcess& process)
{
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(Finished(process));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

class SingleInstanceTest : public MainTest {
protected:
    SingleInstanceTest() : old_(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    }
    ~SingleInstanceTest() override { qputenv("XDG_RUNTIME_DIR", old_); }

    QTemporaryDir runtime_;
    QByteArray old_;
};

} // namespace

TEST_F(SingleInstanceTest, ASecondStartHandsOverToTheFirstAndExitsWithZero)
{
    ProgramCopy copy(runtime_.path());
    const QByteArray settings = Section("1", "A", FreePort(), "h", 9, false);
    {
        QFile f(copy.SettingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(settings);
    }
    // The first: this process, with its window hidden in the notification area.
    TMainOptions options;
    options.settingsPath = copy.SettingsPath();
    TfMain first(options);
    ASSERT_FALSE(first.isVisible());
    TSingleInstance instance(copy.SettingsPath());
    ASSERT_EQ(instance.Claim(0), TSingleInstance::TClaim::First);
    int opened = 0;
    instance.SetOnOpen([&] {
        ++opened;
        first.aOpenExecute();
        return true;
    });

    auto second = copy.Start();
    ASSERT_TRUE(Finished(*second)) << second->readAllStandardError().toStdString();
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(first.isVisible());
    QFile f(copy.SettingsPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), settings);
}

TEST_F(SingleInstanceTest, AKilledFirstDoesNotBlockTheNextStart)
{
    ProgramCopy copy(runtime_.path());
    const TSingleInstance names(copy.SettingsPath());
    auto first = copy.Start();
    ASSERT_TRUE(Runs(*first)) << first->readAllStandardError().toStdString();
    ASSERT_TRUE(QFile::exists(names.LockPath()));
    ASSERT_TRUE(QFile::exists(names.ServerPath()));
    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    ASSERT_TRUE(Finished(*first));
    // Its lock and its socket are left behind.
    ASSERT_TRUE(QFile::exists(names.LockPath()));

    auto next = copy.Start();
    ASSERT_TRUE(Runs(*next)) << next->readAllStandardError().toStdString();
    // It serves the file: a third start hands over to it.
    auto third = copy.Start();
    ASSERT_TRUE(Finished(*third));
    EXPECT_EQ(third->exitCode(), 0);
    EXPECT_EQ(next->state(), QProcess::Running);
    Terminate(*next);
}

TEST_F(SingleInstanceTest, TwoSettingsFilesRunSideBySide)
{
    ProgramCopy a(runtime_.path());
    ProgramCopy b(runtime_.path());
    EXPECT_NE(TSingleInstance::KeyFor(a.SettingsPath()), TSingleInstance::KeyFor(b.SettingsPath()));
    // One file under two names is one file.
    EXPECT_EQ(TSingleInstance::KeyFor(a.SettingsPath()),
              TSingleInstance::KeyFor(a.Folder() + QStringLiteral("/./tarvix.ini")));
    auto first = a.Start();
    auto second = b.Start();
    ASSERT_TRUE(Runs(*first));
    ASSERT_TRUE(Runs(*second));
    Terminate(*first);
    Terminate(*second);
}

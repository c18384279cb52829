// The real executable: signals end it through the stop sequence with exit code 0; --help and --version
// answer without a window.
#include "MainWindowFixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <csignal>

using namespace tarvix::test;

TEST(Program, TerminationSignalsRunTheStopSequenceAndExitWithZero)
{
    for (const int sig : {SIGTERM, SIGHUP, SIGINT}) {
        QTemporaryDir config;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix"), {});
        ASSERT_TRUE(program.waitForStarted(10000));
        // Give it time to reach its event loop; a signal before that is kept and acted on at once.
        program.waitForFinished(1500);
        ASSERT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(program.processId()), sig);
        ASSERT_TRUE(program.waitForFinished(15000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << sig;
        EXPECT_EQ(program.exitCode(), 0) << sig;
    }
}

TEST(Program, HelpAndVersionPrintAndExitWithoutADisplay)
{
    const struct {
        const char* argument;
        const char* starts;
    } cases[] = {{"--help", "Utilisation : tarvix [--help | --version]"},
                 {"-h", "Utilisation : tarvix"},
                 {"--version", "TARVIX Port Mapping 1.2"}};
    for (const auto& c : cases) {
        QTemporaryDir config;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // A window would need this platform, which does not exist: the program would abort.
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none-such"));
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TARVIX_TEST_BIN_DIR "/tarvix"), {QLatin1String(c.argument)});
        ASSERT_TRUE(program.waitForFinished(15000)) << c.argument;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.argument;
        EXPECT_EQ(program.exitCode(), 0) << c.argument << program.readAllStandardError().toStdString();
        EXPECT_TRUE(QString::fromUtf8(program.readAllStandardOutput()).startsWith(QString::fromUtf8(c.starts)))
            << c.argument;
    }
}

// The real executable: signals end it through the stop sequence with exit code 0.
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

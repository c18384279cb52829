#include "i18n/DesktopOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <memory>
#include <utility>

namespace tarvix {
namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// Without a desktop session xdg-open waits for the viewer it started and passes on how that ended. Once it has
// run this long, the document was shown: how the viewer ends later is no failure to open it.
constexpr qint64 kLauncherSettledMs = 20000;

// The toolkit starts xdg-open detached and so never learns that it failed; run it here and watch its status.
bool LaunchWatched(const QUrl& url, std::function<void()>& failed)
{
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty())
        return false;
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(launcher);
    process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setProcessChannelMode(QProcess::ForwardedChannels); // its complaints still reach standard error
    process->setStandardInputFile(QProcess::nullDevice());
    struct Watch {
        QElapsedTimer clock;
        std::function<void()> failed;
        bool ended = false;
    };
    auto watch = std::make_shared<Watch>();
    watch->failed = std::move(failed);
    const auto end = [process, watch](bool failure) {
        if (std::exchange(watch->ended, true))
            return;
        process->deleteLater();
        if (failure && watch->clock.elapsed() < kLauncherSettledMs && watch->failed)
            watch->failed();
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [end](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(true);
    });
    QObject::connect(process, &QProcess::finished, process, [end](int code, QProcess::ExitStatus status) {
        end(status != QProcess::NormalExit || code != 0);
    });
    watch->clock.start();
    process->start();
    return true;
}
#endif

} // namespace

void OpenOnDesktop(const QUrl& url, std::function<void()> failed)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (LaunchWatched(url, failed))
        return;
#endif
    if (!QDesktopServices::openUrl(url) && failed)
        failed();
}

} // namespace tarvix

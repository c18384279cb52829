#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

namespace tarvix {
namespace {

constexpr QByteArrayView kOpenRequest = "open\n";
constexpr QByteArrayView kOpened = "opened\n";
constexpr int kAnswerWaitMs = 2000;
constexpr int kRetryEveryMs = 100;

// The same file whatever way it is named: a relative path, a link to its folder.
QString CanonicalFile(const QString& path)
{
    const QFileInfo file(path);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : QDir(folder).filePath(file.fileName());
}

} // namespace

TSingleInstance::TSingleInstance(const QString& settingsPath, QObject* parent)
    : QObject(parent), key_(KeyFor(settingsPath)), lock_(std::make_unique<QLockFile>(LockPath()))
{
    // Only a lock whose process is gone is stale: a program runs for weeks.
    lock_->setStaleLockTime(0);
}

TSingleInstance::~TSingleInstance()
{
    // The server goes first: a later start must never reach a process that no longer holds the lock.
    delete server_;
    server_ = nullptr;
    lock_->unlock();
}

QString TSingleInstance::RuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

QString TSingleInstance::KeyFor(const QString& settingsPath)
{
    const QByteArray hash =
        QCryptographicHash::hash(CanonicalFile(settingsPath).toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("tarvix-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

QString TSingleInstance::LockPath() const
{
    return QDir(RuntimeFolder()).filePath(key_ + QStringLiteral(".lock"));
}

QString TSingleInstance::ServerPath() const
{
    return QDir(RuntimeFolder()).filePath(key_ + QStringLiteral(".socket"));
}

TSingleInstance::TClaim TSingleInstance::Claim(int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (lock_->tryLock(0)) {
            // A socket left by a killed process; only the lock's holder may remove it.
            QLocalServer::removeServer(ServerPath());
            auto* server = new QLocalServer(this);
            server->setSocketOptions(QLocalServer::UserAccessOption);
            if (!server->listen(ServerPath()))
                qWarning("tarvix: later starts cannot reach this one: %s", qPrintable(server->errorString()));
            server_ = server;
            connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::Serve);
            return TClaim::First;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            // No lock can be taken here at all (a folder we cannot write): run unguarded rather than not at all.
            qWarning("tarvix: cannot take the lock %s", qPrintable(LockPath()));
            return TClaim::First;
        }
        if (AskToOpen(std::min<qint64>(kAnswerWaitMs, std::max<qint64>(deadline.remainingTime(), 1))))
            return TClaim::HandedOver;
        if (deadline.hasExpired())
            return TClaim::NoAnswer;
        QThread::msleep(kRetryEveryMs);
    }
}

bool TSingleInstance::AskToOpen(int waitMs) const
{
    QLocalSocket socket;
    socket.connectToServer(ServerPath());
    const QDeadlineTimer deadline(waitMs);
    if (!socket.waitForConnected(waitMs))
        return false;
    socket.write(kOpenRequest.data(), kOpenRequest.size());
    if (!socket.waitForBytesWritten(std::max<qint64>(deadline.remainingTime(), 1)))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(std::max<qint64>(deadline.remainingTime(), 1)))
            break;
        answer += socket.readAll();
    }
    return answer == kOpened;
}

void TSingleInstance::Serve()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Nobody but a later start speaks here; a client that says nothing sensible is dropped.
        QTimer::singleShot(kAnswerWaitMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < kOpenRequest.size())
                return;
            if (socket->read(kOpenRequest.size()) == kOpenRequest && Open())
                socket->write(kOpened.data(), kOpened.size());
            socket->disconnectFromServer();
        });
    }
}

bool TSingleInstance::Open()
{
    if (!onOpen_) {
        openPending_ = true;
        return true;
    }
    return onOpen_();
}

void TSingleInstance::SetOnOpen(std::function<bool()> onOpen)
{
    onOpen_ = std::move(onOpen);
    if (openPending_ && onOpen_) {
        openPending_ = false;
        onOpen_();
    }
}

} // namespace tarvix

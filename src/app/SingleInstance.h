#pragma once
// One program per user and settings file: the first start holds a lock and listens on a local socket; a later
// start for the same file asks it to open its window and ends without touching the file or any port.
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

namespace tarvix {

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    enum class TClaim {
        First,      // this process serves the settings file
        HandedOver, // a running process does, and has opened its window
        NoAnswer,   // a running process holds the file but did not answer in time
    };

    explicit TSingleInstance(const QString& settingsPath, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // Becomes the one instance, or hands over to the running one; waits at most waitMs for a process that
    // is still starting or ending (a restart in another language starts the next one before it ends).
    TClaim Claim(int waitMs = 10000);

    // Runs when a later start asks; answers whether the window was opened (false while stopping, so that the
    // later start waits for this one to end). A request that came before it was set runs once it is set.
    void SetOnOpen(std::function<bool()> onOpen);

    // $XDG_RUNTIME_DIR, or the user's temporary folder without it.
    static QString RuntimeFolder();
    // Names the lock and the socket: the user id and the settings file's path.
    static QString KeyFor(const QString& settingsPath);
    QString LockPath() const;
    QString ServerPath() const;

private:
    bool AskToOpen(int waitMs) const;
    void Serve();
    bool Open();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr; // child of this object, once listening
    std::function<bool()> onOpen_;
    bool openPending_ = false;
};

} // namespace tarvix

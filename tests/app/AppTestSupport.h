#pragma once
// What the main window's tests share: a settings file of their own, answered message boxes, real sockets.
#include "app/Main.h"
#include "editor/MessageDlg.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace tarvix::test {

// A port on 127.0.0.1 where nothing listens (taken from the system and released).
int ClosedPort();

// Echoes every byte back, one thread per client, on a port of the system's choice.
class EchoServer {
public:
    EchoServer();
    ~EchoServer();
    int Port() const { return port_; }

private:
    void Run();
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::vector<std::thread> clients_;
};

// A blocking client socket on 127.0.0.1; closes on destruction.
class Client {
public:
    explicit Client(int port);
    ~Client();
    bool Connected() const { return fd_ >= 0; }
    // Sends the bytes and reads as many back, within a few seconds; the bytes read.
    QByteArray RoundTrip(const QByteArray& bytes);
    void Close();

private:
    int fd_ = -1;
};

// Waits, dispatching events, until the condition holds (at most timeoutMs).
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

class MainTest : public ::testing::Test {
protected:
    MainTest();
    ~MainTest() override;

    QString SettingsPath() const { return dir_.filePath(QStringLiteral("tarvix.ini")); }
    void WriteSettings(const QByteArray& bytes);
    QByteArray SettingsBytes() const;
    // A mapping section as the program writes it.
    static QByteArray Section(const QString& id, const QString& name, int localPort, const QString& address, int port,
                              bool autoStart);
    std::unique_ptr<TfMain> Start();
    // Waits until no probe runs and the rows are out of the probing state.
    bool Settled(TfMain& main);

    QTemporaryDir dir_;
    std::vector<MessageRequest> messages_;
    TModalResult answer_ = mrOk;
    std::vector<std::pair<int, bool>> probes_;
    int trayWaitMs_ = 0; // a missing notification area is not waited for unless a test asks
};

} // namespace tarvix::test

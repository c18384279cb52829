#pragma once
// The main window's test fixture: a settings file of its own, answered message boxes, a client for relayed ports.
#include "app/Main.h"
#include "editor/MessageDlg.h"
#include "support/Loopback.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarvix::test {

// A blocking client socket on 127.0.0.1; closes on destruction.
class Client {
public:
    explicit Client(int port) : socket_(ConnectLoopback(port)) {}
    bool Connected() const { return socket_.Valid(); }
    // Sends the bytes and reads as many back, within a few seconds; the bytes read.
    QByteArray RoundTrip(const QByteArray& bytes);
    void Close() { socket_.Close(); }

private:
    TestSocket socket_;
};

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

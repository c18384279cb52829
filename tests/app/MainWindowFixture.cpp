#include "MainWindowFixture.h"

#include "support/EventLoop.h"
#include "ui/TrayIcon.h"

#include <QFile>

#include <string>

namespace tarvix::test {

QByteArray Client::RoundTrip(const QByteArray& bytes)
{
    std::string back;
    if (socket_.SendAll(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        socket_.ReadExactly(back, static_cast<std::size_t>(bytes.size()), 5000);
    return QByteArray::fromStdString(back);
}

MainTest::MainTest()
{
    TTrayIcon::SetAvailableOverride(true);
    SetMessageResponder([this](const MessageRequest& r) {
        messages_.push_back(r);
        return answer_;
    });
}

MainTest::~MainTest()
{
    SetMessageResponder({});
    TTrayIcon::SetAvailableOverride(std::nullopt);
}

void MainTest::WriteSettings(const QByteArray& bytes)
{
    QFile f(SettingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray MainTest::SettingsBytes() const
{
    QFile f(SettingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray MainTest::Section(const QString& id, const QString& name, int localPort, const QString& address, int port,
                             bool autoStart)
{
    return QStringLiteral("[%1]\r\nName=%2\r\nLocalPort=%3\r\nAddress=%4\r\nPort=%5\r\nAutoStart=%6\r\n\r\n")
        .arg(id, name)
        .arg(localPort)
        .arg(address)
        .arg(port)
        .arg(autoStart ? 1 : 0)
        .toUtf8();
}

std::unique_ptr<TfMain> MainTest::Start()
{
    TMainOptions options;
    options.settingsPath = SettingsPath();
    options.trayWaitMs = trayWaitMs_;
    options.probeObserver = [this](int index, bool started) { probes_.emplace_back(index, started); };
    return std::make_unique<TfMain>(options);
}

bool MainTest::Settled(TfMain& main)
{
    return ProcessEventsUntil([&] {
        if (main.ProbeBusy())
            return false;
        for (int i = 0; i < main.RowCount(); ++i)
            if (main.Row(i)->state == msProbing)
                return false;
        return true;
    });
}

} // namespace tarvix::test

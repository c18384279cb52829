#include "AppTestSupport.h"

#include "app/Application.h"
#include "ui/TrayIcon.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvix::test {
namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<TApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "test_app";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<TApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

sockaddr_in Loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    return a;
}

} // namespace

int ClosedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = Loopback(0);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

EchoServer::EchoServer()
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a = Loopback(0);
    socklen_t len = sizeof a;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listener_, 16);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { Run(); });
}

EchoServer::~EchoServer()
{
    stop_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    for (auto& t : clients_)
        t.join();
    ::close(listener_);
}

void EchoServer::Run()
{
    while (!stop_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        const int fd = ::accept(listener_, nullptr, nullptr);
        if (fd < 0)
            continue;
        clients_.emplace_back([this, fd] {
            char buffer[4096];
            while (!stop_) {
                pollfd c{fd, POLLIN, 0};
                if (::poll(&c, 1, 100) <= 0)
                    continue;
                const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0 || ::send(fd, buffer, static_cast<size_t>(n), MSG_NOSIGNAL) != n)
                    break;
            }
            ::close(fd);
        });
    }
}

Client::Client(int port)
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in a = Loopback(port);
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0)
        Close();
}

Client::~Client()
{
    Close();
}

void Client::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

QByteArray Client::RoundTrip(const QByteArray& bytes)
{
    QByteArray got;
    if (fd_ < 0 || ::send(fd_, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL) != bytes.size())
        return got;
    QDeadlineTimer deadline(5000);
    while (got.size() < bytes.size() && !deadline.hasExpired()) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        got.append(buffer, n);
    }
    return got;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
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
    return WaitFor([&] {
        if (main.ProbeBusy())
            return false;
        for (int i = 0; i < main.RowCount(); ++i)
            if (main.Row(i)->state == msProbing)
                return false;
        return true;
    });
}

} // namespace tarvix::test

#include "UiTestSupport.h"

#include "ui/ApplicationErrors.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvix::test {

void EnsureApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own globals may already be gone.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

void Spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        Spin(5);
    }
    return true;
}

int OpenDescriptorCount()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

namespace {

int BoundSocket(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        port = 0;
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

Listener::Listener()
{
    fd_ = BoundSocket(port_);
    if (fd_ >= 0 && ::listen(fd_, 5) != 0) {
        ::close(fd_);
        fd_ = -1;
        port_ = 0;
    }
}

Listener::~Listener()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int Listener::Accept(int timeoutMs)
{
    pollfd p{fd_, POLLIN, 0};
    if (fd_ < 0 || ::poll(&p, 1, timeoutMs) != 1)
        return -1;
    return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
}

int FreePort()
{
    int port = 0;
    const int fd = BoundSocket(port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

CapturedErrors::CapturedErrors()
{
    previous_ =
        SetApplicationExceptionHandler([this](std::exception_ptr error) { texts_.push_back(ExceptionText(error)); });
}

CapturedErrors::~CapturedErrors()
{
    SetApplicationExceptionHandler(previous_);
}

} // namespace tarvix::test

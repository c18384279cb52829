#include "relay/NetWakeup.h"

#include "relay/NetExceptions.h"
#include "relay/NetStackPosix.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#ifdef __linux__
#include <sys/eventfd.h>
#endif

namespace tarvix {

TNetWakeup::TNetWakeup()
{
#ifdef __linux__
    readFd_ = writeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (readFd_ == -1)
        throw ENetSocketError(TranslateErrno(errno));
#else
    int fds[2];
    if (::pipe(fds) == -1)
        throw ENetSocketError(TranslateErrno(errno));
    for (int fd : fds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
#endif
}

TNetWakeup::~TNetWakeup()
{
    ::close(readFd_);
    if (writeFd_ != readFd_)
        ::close(writeFd_);
}

void TNetWakeup::Signal()
{
    const std::uint64_t one = 1;
    // A full pipe or counter is already signalled: nothing is lost when this write fails.
    [[maybe_unused]] const auto r = ::write(writeFd_, &one, writeFd_ == readFd_ ? sizeof one : 1);
}

void TNetWakeup::Drain()
{
    std::uint64_t value[8];
    while (::read(readFd_, value, sizeof value) > 0) {
    }
}

} // namespace tarvix

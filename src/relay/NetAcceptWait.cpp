#include "relay/NetAcceptWait.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#ifdef __linux__
#include <sys/epoll.h>
#endif

namespace tarvix {

#if defined(__linux__) && defined(EPOLLEXCLUSIVE)

bool TNetAcceptWait::Supported()
{
    return true;
}

bool TNetAcceptWait::Wait(std::uint64_t activation, int listeningDescriptor, int ms)
{
    if (epoll_ != -1 && activation_ != activation)
        End();
    if (epoll_ == -1) {
        epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
        if (epoll_ == -1)
            return false;
        // Exclusive: one waiter per client is woken. A shut-down socket still wakes them all.
        epoll_event watch{};
        watch.events = EPOLLIN | EPOLLEXCLUSIVE;
        // The wait's descriptor is one more than the thread held while it relayed.
        if (::epoll_ctl(epoll_, EPOLL_CTL_ADD, listeningDescriptor, &watch) == -1 || !RoomForAClient(epoll_)) {
            End();
            return false;
        }
        activation_ = activation;
    }
    epoll_event ready{};
    int n = 0;
    do {
        n = ::epoll_wait(epoll_, &ready, 1, ms);
    } while (n == -1 && errno == EINTR);
    return n == 1;
}

#else

bool TNetAcceptWait::Supported()
{
    return false;
}

bool TNetAcceptWait::Wait(std::uint64_t, int, int)
{
    return false;
}

#endif

bool TNetAcceptWait::RoomForAClient(int anyDescriptor)
{
    const int first = ::fcntl(anyDescriptor, F_DUPFD_CLOEXEC, 0);
    const int second = first == -1 ? -1 : ::fcntl(anyDescriptor, F_DUPFD_CLOEXEC, 0);
    for (int fd : {first, second})
        if (fd != -1)
            ::close(fd);
    return second != -1;
}

TNetAcceptWait& TNetAcceptWait::OfThisThread()
{
    thread_local TNetAcceptWait wait;
    return wait;
}

TNetAcceptWait::~TNetAcceptWait()
{
    End();
}

void TNetAcceptWait::End()
{
    // Closing the last descriptor of the epoll instance also drops its watch.
    if (epoll_ != -1)
        ::close(epoll_);
    epoll_ = -1;
    activation_ = 0;
}

} // namespace tarvix

#include "support/SilentRemote.h"

#include "support/Loopback.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvix::test {

SilentRemote::SilentRemote()
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = LoopbackAddress(0);
    socklen_t length = sizeof address;
    // Backlog 0 holds one connection; the fillers make sure that it is taken.
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 0) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    port_ = ntohs(address.sin_port);
    address = LoopbackAddress(port_);
    for (int i = 0; i < 4; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            continue;
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        fillers_.push_back(fd);
    }
}

SilentRemote::~SilentRemote()
{
    for (const int fd : fillers_)
        ::close(fd);
    if (listener_ >= 0)
        ::close(listener_);
}

} // namespace tarvix::test

#pragma once
// A remote end that never answers: a loopback listener whose accept queue is full. The system drops every
// further connection request, so a connect to it neither succeeds nor fails until the system gives up.
#include "relay/NetStack.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace tarvix::test {

class SilentRemote {
public:
    SilentRemote()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = Loopback(0);
        socklen_t length = sizeof address;
        // Backlog 0 holds one connection; the fillers make sure that it is taken.
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 0) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        address = Loopback(port_);
        for (int i = 0; i < 4; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            if (fd < 0)
                continue;
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            fillers_.push_back(fd);
        }
    }
    ~SilentRemote()
    {
        for (const int fd : fillers_)
            ::close(fd);
        if (listener_ >= 0)
            ::close(listener_);
    }
    SilentRemote(const SilentRemote&) = delete;
    SilentRemote& operator=(const SilentRemote&) = delete;

    // 0 when the listener could not be made.
    int Port() const { return port_; }

private:
    static sockaddr_in Loopback(int port)
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }

    int listener_ = -1;
    int port_ = 0;
    std::vector<int> fillers_;
};

// Bounds every outbound attempt that starts while it lives to `ms` instead of kConnectTimeoutMs.
class ShortConnectTimeout {
public:
    explicit ShortConnectTimeout(int ms) { SetConnectTimeoutMs(ms); }
    ~ShortConnectTimeout() { SetConnectTimeoutMs(0); }
    ShortConnectTimeout(const ShortConnectTimeout&) = delete;
    ShortConnectTimeout& operator=(const ShortConnectTimeout&) = delete;
};

} // namespace tarvix::test

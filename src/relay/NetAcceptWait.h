#pragma once
// A finished peer's wait for the next client on its server's listening socket: the system wakes one waiting
// thread per client (not all of them, as poll would), and the wait ends at a time limit or when the socket
// is shut down. Each OS thread keeps one for the clients of one activation in a row.
#include <cstdint>

namespace tarvix {

class TNetAcceptWait {
public:
    // Whether this system can wake a single waiter; without it peers never wait for clients.
    static bool Supported();
    // The calling OS thread's wait.
    static TNetAcceptWait& OfThisThread();

    TNetAcceptWait() = default;
    ~TNetAcceptWait();
    TNetAcceptWait(const TNetAcceptWait&) = delete;
    TNetAcceptWait& operator=(const TNetAcceptWait&) = delete;

    // Until a client may be pending on listeningDescriptor (true) or ms have passed or the system failed
    // (false). activation names the listening socket: a descriptor number can come back for another one.
    bool Wait(std::uint64_t activation, int listeningDescriptor, int ms);
    // Lets the socket and the wait's own descriptor go: nothing is held between runs of clients.
    void End();

    // Whether two more descriptors can be opened now (duplicates of anyDescriptor, closed again): room for
    // a client and its outbound side. Near the limit a client taken without that room is only dropped.
    static bool RoomForAClient(int anyDescriptor);

private:
    int epoll_ = -1;
    std::uint64_t activation_ = 0;
};

} // namespace tarvix

#pragma once
// A mapping whose remote end is its own listening port relays every client to itself, and each relayed
// connection arrives as a new client: the chain takes every descriptor of the process within seconds.
#include <cstddef>
#include <string>

namespace tarvix {

// True when a connection to remoteHost:remotePort would reach a listener of this machine on
// listenAddress:localPort (empty, "0.0.0.0", "::": every interface). With resolve, names are looked up
// (which may block); without, only addresses, "localhost" and this machine's own name are judged.
bool MapsOntoItself(const std::string& listenAddress, int localPort, const std::string& remoteHost, int remotePort,
                    bool resolve);

// The ends of one TCP connection, as the engine's sockets name them.
struct TNetConnectionEnds {
    std::string fromIP;
    int fromPort = 0;
    std::string toIP;
    int toPort = 0;
    bool operator==(const TNetConnectionEnds&) const = default;
};

// One outbound connection of this process to this machine, known for as long as it is held: a client that
// arrives from it is the relay's own connection come back round (onto itself, or through other mappings).
class TNetOwnConnection {
public:
    TNetOwnConnection() = default;
    ~TNetOwnConnection() { Release(); }
    TNetOwnConnection(const TNetOwnConnection&) = delete;
    TNetOwnConnection& operator=(const TNetOwnConnection&) = delete;

    // Known from now on when it ends on this machine (a loopback address, or its own address).
    void Hold(const TNetConnectionEnds& ends);
    void Release();

    // Whether an accepted connection with these ends comes from one held by this process.
    static bool IsOwn(const TNetConnectionEnds& accepted);
    // Cheap: whether any is held at all.
    static bool AnyHeld();

private:
    TNetConnectionEnds ends_;
    bool held_ = false;
};

} // namespace tarvix

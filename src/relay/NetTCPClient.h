#pragma once
// The outbound side of a relay: resolves a host and connects to it, blocking.
#include "relay/NetTCPConnection.h"

#include <functional>
#include <string>

namespace tarvix {

class TNetTCPClient : public TNetTCPConnection {
public:
    const std::string& Host() const { return host_; }
    void SetHost(const std::string& host) { host_ = host; }
    int Port() const { return port_; }
    void SetPort(int port) { port_ = port; }
    // Local address to bind before connecting; empty: the system chooses address and port.
    const std::string& BoundIP() const { return boundIP_; }
    void SetBoundIP(const std::string& ip) { boundIP_ = ip; }
    bool UseNagle() const { return useNagle_; }
    void SetUseNagle(bool on) { useNagle_ = on; }
    // False for a user whose writes never wait (MSG_DONTWAIT): the connect's time limit then stays on the
    // socket, which saves a system call per connection. True: WriteAll may wait as long as the reader needs.
    bool WritesWait() const { return writesWait_; }
    void SetWritesWait(bool on) { writesWait_ = on; }

    // Blocking, for at most ConnectTimeoutMs() in all; a remote that has not answered by then raises socket
    // error 10060, as a timed-out connect does. A name's addresses are tried in the system's order until one
    // connects; the last failure is raised. An open client raises ENetAlreadyConnected; any failure closes
    // the socket before it leaves.
    virtual void Connect();

    std::function<void(TNetTCPClient& sender)> OnConnected;

protected:
    virtual void FireConnected();

private:
    void ConnectOnce(const std::string& address, int timeoutMs);

public:
private:
    std::string host_;
    int port_ = 0;
    std::string boundIP_;
    bool useNagle_ = true;
    bool writesWait_ = true;
};

} // namespace tarvix

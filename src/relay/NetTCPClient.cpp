#include "relay/NetTCPClient.h"

#include "relay/NetAddress.h"
#include "relay/NetExceptions.h"
#include "relay/NetStack.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <chrono>
#include <vector>

namespace tarvix {

namespace {

// A blocking connect on Linux waits at most the send timeout, then leaves with EINPROGRESS.
void SetSendTimeout(TNetStack& stack, int descriptor, int ms)
{
    timeval limit{};
    limit.tv_sec = ms / 1000;
    limit.tv_usec = (ms % 1000) * 1000;
    stack.CheckResult(stack.SetOption(descriptor, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit));
}

} // namespace

void TNetTCPClient::Connect()
{
    TNetSocketHandle& socket = Socket();
    if (socket.IsOpen())
        throw ENetAlreadyConnected();
    ResetState();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ConnectTimeoutMs());
    try {
        if (!IsAddressLiteral(host_))
            DoStatus(TNetStatus::stResolving, host_);
        const std::vector<std::string> addresses = Stack().ResolveAll(host_);
        // Each address in the system's order, all within the one bound; the last failure is the answer.
        for (std::size_t i = 0;; ++i) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                throw ENetSocketError(netcode::TimedOut);
            try {
                ConnectOnce(addresses[i], static_cast<int>(left.count()));
                break;
            } catch (const ENetSocketError& e) {
                if (i + 1 == addresses.size() || e.SocketCode() == netcode::ConnectionAborted || socket.Aborted())
                    throw;
            }
        }
    } catch (...) {
        try {
            CloseConnection();
        } catch (...) {
        }
        throw;
    }
    DoStatus(TNetStatus::stConnected, socket.RemoteIP());
    FireConnected();
}

void TNetTCPClient::ConnectOnce(const std::string& address, int timeoutMs)
{
    TNetSocketHandle& socket = Socket();
    const int family = AddressFamilyOf(address);
    socket.OpenSocket(SOCK_STREAM, 0, family);
    // Binding to "any address, any port" first would only pin the ephemeral port for every destination
    // (and fail once they are all in TIME_WAIT): bind only when a local address is asked for.
    if (!boundIP_.empty()) {
        socket.SetIP(boundIP_);
        socket.SetPort(0);
        socket.BindLocal();
    }
    socket.SetRemote(address, port_);
    if (!useNagle_)
        socket.SetOption(IPPROTO_TCP, TCP_NODELAY, 1);
    DoStatus(TNetStatus::stConnecting, socket.RemoteIP());
    // A remote that never answers would otherwise hold the attempt for the system's SYN retries
    // (about two minutes on Linux).
    SetSendTimeout(Stack(), socket.Descriptor(), timeoutMs);
    const int result = socket.Connect(family);
    if (result == -1 && Stack().LastError() == netcode::InProgress)
        throw ENetSocketError(netcode::TimedOut);
    Stack().CheckResult(result);
    // Shut down from another thread while it connected: the connection must not be used.
    if (socket.Aborted())
        throw ENetSocketError(netcode::ConnectionAborted);
    if (writesWait_)
        SetSendTimeout(Stack(), socket.Descriptor(), 0);
}

void TNetTCPClient::FireConnected()
{
    if (OnConnected)
        OnConnected(*this);
}

} // namespace tarvix

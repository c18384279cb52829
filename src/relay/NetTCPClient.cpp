#include "relay/NetTCPClient.h"

#include "relay/NetExceptions.h"
#include "relay/NetStack.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/time.h>

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
    socket.OpenSocket(SOCK_STREAM, 0);
    try {
        // Binding to "any address, any port" first would only pin the ephemeral port for every destination
        // (and fail once they are all in TIME_WAIT): bind only when a local address is asked for.
        if (!boundIP_.empty()) {
            socket.SetIP(boundIP_);
            socket.SetPort(0);
            socket.BindLocal();
        }
        if (!TNetStack::IsDottedQuad(host_))
            DoStatus(TNetStatus::stResolving, host_);
        socket.SetRemote(Stack().Resolve(host_), port_);
        if (!useNagle_)
            socket.SetOption(IPPROTO_TCP, TCP_NODELAY, 1);
        DoStatus(TNetStatus::stConnecting, socket.RemoteIP());
        // A remote that never answers would otherwise hold the attempt for the system's SYN retries
        // (about two minutes on Linux).
        SetSendTimeout(Stack(), socket.Descriptor(), ConnectTimeoutMs());
        const int result = socket.Connect(AF_INET);
        if (result == -1 && Stack().LastError() == netcode::InProgress)
            throw ENetSocketError(netcode::TimedOut);
        Stack().CheckResult(result);
        // Shut down from another thread while it connected: the connection must not be used.
        if (socket.Aborted())
            throw ENetSocketError(netcode::ConnectionAborted);
        if (writesWait_)
            SetSendTimeout(Stack(), socket.Descriptor(), 0);
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

void TNetTCPClient::FireConnected()
{
    if (OnConnected)
        OnConnected(*this);
}

} // namespace tarvix

#include "relay/NetTCPClient.h"

#include "relay/NetExceptions.h"
#include "relay/NetStack.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace tarvix {

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
        Stack().CheckResult(socket.Connect(AF_INET));
        // Shut down from another thread while it connected: the connection must not be used.
        if (socket.Aborted())
            throw ENetSocketError(netcode::ConnectionAborted);
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

#include "relay/Connect.h"

#include "relay/NetMappedPortTCP.h"

#include <mutex>

namespace tarvix {

TfConnect::TfConnect(int localPort, const std::string& mappedHost, int mappedPort,
                     TConnectionStateEvent onConnectionState, TConnectionEndedEvent onConnectionEnded,
                     TThreadShortageEvent onThreadShortage, TClientAcceptedEvent onClientAccepted,
                     TfConnectOptions options)
    : netMappedPortTCP_(TNetMappedPortTCP::Create()),
      onConnectionState_(std::move(onConnectionState)),
      onClientAccepted_(std::move(onClientAccepted))
{
    TNetMappedPortTCP& server = *netMappedPortTCP_;
    server.SetDefaultPort(localPort);
    server.Bindings().SetDefaultIP(options.listenAddress);
    server.SetAllowList(TNetAllowList::Parse(options.allowFrom));
    if (options.onRefused)
        server.OnClientRefused = [this, refused = std::move(options.onRefused)](const std::string& address, int port) {
            std::shared_lock lock(reportGuard_);
            if (!closing_.load())
                refused(address, port);
        };
    server.SetMappedHost(mappedHost);
    server.SetMappedPort(mappedPort);
    server.OnConnect = [this](TNetPeerThread& thread) { NetMappedPortTCPConnect(thread); };
    server.OnDisconnect = [this](TNetPeerThread& thread) { NetMappedPortTCPDisconnect(thread); };
    if (onConnectionEnded)
        server.OnConnectionEnded = [this, ended = std::move(onConnectionEnded)](const TNetConnectionInfo& info) {
            ended(this, info);
        };
    if (onThreadShortage)
        server.OnThreadShortage = [this, shortage = std::move(onThreadShortage)](std::uint64_t refused) {
            shortage(this, refused);
        };
    // No peer exists before this succeeds, so a failure leaves nothing that could still call back.
    server.SetActive(true);
    localPort_ = server.Bindings()[0].Port();
    listenAddress_ = server.Bindings()[0].IP();
}

void TfConnect::SetAllowFrom(const std::string& allowFrom)
{
    netMappedPortTCP_->SetAllowList(TNetAllowList::Parse(allowFrom));
}

TfConnect::~TfConnect()
{
    if (!Closing())
        CloseMapping();
    netMappedPortTCP_->Dispose();
}

void TfConnect::CloseMapping()
{
    {
        std::unique_lock lock(reportGuard_);
        closing_.store(true);
    }
    netMappedPortTCP_->SetActive(false);
}

TNetTrafficSnapshot TfConnect::Traffic() const
{
    return netMappedPortTCP_->Traffic().Snapshot();
}

void TfConnect::NetMappedPortTCPConnect(TNetPeerThread& thread)
{
    Report(true);
    std::shared_lock lock(reportGuard_);
    if (!closing_.load() && onClientAccepted_)
        if (const auto* data = dynamic_cast<const TNetMappedPortTCPData*>(thread.Payload()))
            onClientAccepted_(this, data->Info);
}

void TfConnect::NetMappedPortTCPDisconnect(TNetPeerThread&)
{
    Report(false);
}

void TfConnect::Report(bool connected)
{
    std::shared_lock lock(reportGuard_);
    if (!closing_.load() && onConnectionState_)
        onConnectionState_(this, connected);
}

} // namespace tarvix

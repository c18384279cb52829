#include "relay/Traffic.h"

#include "relay/NetStack.h"

#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

namespace tarvix {

TNetOutboundFailureKind OutboundFailureKind(int socketCode)
{
    switch (socketCode) {
    case netcode::ConnectionRefused: return TNetOutboundFailureKind::Refused;
    case netcode::HostNotFound:
    case netcode::TryAgain:
    case netcode::NoRecovery:
    case netcode::NoData: return TNetOutboundFailureKind::HostUnknown;
    case netcode::TimedOut:
    case netcode::HostUnreachable:
    case netcode::NetworkUnreachable: return TNetOutboundFailureKind::NoAnswer;
    default: return TNetOutboundFailureKind::Other;
    }
}

std::string OutboundFailureText(int socketCode)
{
    switch (OutboundFailureKind(socketCode)) {
    case TNetOutboundFailureKind::Refused: return LoadResString(msg::FailureRefused);
    case TNetOutboundFailureKind::HostUnknown: return LoadResString(msg::FailureHostUnknown);
    case TNetOutboundFailureKind::NoAnswer: return LoadResString(msg::FailureNoAnswer);
    case TNetOutboundFailureKind::Other: break;
    }
    return FormatRes(msg::FailureOther, {std::int64_t{socketCode}});
}

void TNetTraffic::OutboundFailed(int socketCode)
{
    const TNetOutboundFailure failure{std::chrono::system_clock::now(), socketCode};
    std::lock_guard lock(failureLock_);
    lastFailure_ = failure;
}

TNetTrafficSnapshot TNetTraffic::Snapshot() const
{
    TNetTrafficSnapshot s;
    s.open = open_.load(std::memory_order_relaxed);
    s.accepted = accepted_.load(std::memory_order_relaxed);
    s.bytesFromClients = fromClients_.load(std::memory_order_relaxed);
    s.bytesToClients = toClients_.load(std::memory_order_relaxed);
    std::lock_guard lock(failureLock_);
    s.lastOutboundFailure = lastFailure_;
    return s;
}

} // namespace tarvix

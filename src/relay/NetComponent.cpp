#include "relay/NetComponent.h"

#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetStack.h"

namespace tarvix {

TNetComponent::TNetComponent() : stack_(AcquireSharedStack()) {}

TNetComponent::~TNetComponent()
{
    ReleaseSharedStack();
}

void TNetComponent::DoStatus(TNetStatus status, const std::string& argument)
{
    if (!OnStatus)
        return;
    int id = msg::StatusText;
    switch (status) {
    case TNetStatus::stResolving: id = msg::StatusResolving; break;
    case TNetStatus::stConnecting: id = msg::StatusConnecting; break;
    case TNetStatus::stConnected: id = msg::StatusConnected; break;
    case TNetStatus::stDisconnecting: id = msg::StatusDisconnecting; break;
    case TNetStatus::stDisconnected: id = msg::StatusDisconnected; break;
    case TNetStatus::stStatusText: break;
    }
    OnStatus(this, status, FormatRes(id, {argument}));
}

} // namespace tarvix

#include "ui/FailureReason.h"

#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Traffic.h"

namespace tarvix {

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

} // namespace tarvix

#include "relay/NetExceptions.h"

#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetStack.h"

namespace tarvix {

ENetConnClosedGracefully::ENetConnClosedGracefully() : ENetSilentException(LoadResString(msg::ConnClosedGracefully)) {}

ENetSocketError::ENetSocketError(int socketCode) : ENetException(TNetStack::ErrorText(socketCode)), code_(socketCode) {}

ENetBadAddress::ENetBadAddress(const std::string& entry)
    : ENetException(FormatRes(msg::BadAddress, {entry})), entry_(entry)
{}

ENetAlreadyConnected::ENetAlreadyConnected() : ENetException(LoadResString(msg::AlreadyConnected)) {}

ENetInvalidSocket::ENetInvalidSocket() : ENetException(LoadResString(msg::InvalidSocket)) {}

ENetCouldNotBindSocket::ENetCouldNotBindSocket() : ENetSocketHandleError(LoadResString(msg::CouldNotBindSocket)) {}

ENetNotEnoughDataInBuffer::ENetNotEnoughDataInBuffer()
    : ENetTCPConnectionError(LoadResString(msg::NotEnoughDataInBuffer))
{}

ENetStackInitializationFailed::ENetStackInitializationFailed()
    : ENetStackError(LoadResString(msg::StackInitializationFailed))
{}

ENetStackCanNotLoadWinsock::ENetStackCanNotLoadWinsock(const std::string& library)
    : ENetException(FormatRes(msg::StackCanNotLoad, {library}))
{}

ENetStackSetSizeExceeded::ENetStackSetSizeExceeded() : ENetStackError(LoadResString(msg::StackSetSizeExceeded)) {}

ENetThreadClassNotSpecified::ENetThreadClassNotSpecified()
    : ENetThreadMgrError(LoadResString(msg::ThreadClassNotSpecified))
{}

ENetNoExecuteSpecified::ENetNoExecuteSpecified() : ENetTCPServerError(LoadResString(msg::NoExecuteSpecified)) {}

} // namespace tarvix

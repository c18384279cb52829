#pragma once
// Exceptions of the relay engine. Each carries its catalogue text, looked up when it is raised.
#include "base/Exceptions.h"

#include <string>

namespace tarvix {

class ENetException : public Exception {
public:
    using Exception::Exception;
};

// Ends what it interrupts without being an error worth a message.
class ENetSilentException : public ENetException {
public:
    using ENetException::ENetException;
};

class ENetConnClosedGracefully : public ENetSilentException {
public:
    ENetConnClosedGracefully();
};

// A failed socket call: the Windows Sockets code and its text.
class ENetSocketError : public ENetException {
public:
    explicit ENetSocketError(int socketCode);
    int SocketCode() const noexcept { return code_; }

private:
    int code_;
};

// An address or network that is not one: its text as written.
class ENetBadAddress : public ENetException {
public:
    explicit ENetBadAddress(const std::string& entry);
    const std::string& Entry() const noexcept { return entry_; }

private:
    std::string entry_;
};

class ENetClosedSocket : public ENetException {
public:
    using ENetException::ENetException;
};

class ENetAlreadyConnected : public ENetException {
public:
    ENetAlreadyConnected();
};

class ENetInvalidSocket : public ENetException {
public:
    ENetInvalidSocket();
};

class ENetSocketHandleError : public ENetException {
public:
    using ENetException::ENetException;
};

class ENetCouldNotBindSocket : public ENetSocketHandleError {
public:
    ENetCouldNotBindSocket();
};

class ENetTCPConnectionError : public ENetException {
public:
    using ENetException::ENetException;
};

class ENetNotEnoughDataInBuffer : public ENetTCPConnectionError {
public:
    ENetNotEnoughDataInBuffer();
};

class ENetStackError : public ENetException {
public:
    using ENetException::ENetException;
};

class ENetStackInitializationFailed : public ENetStackError {
public:
    ENetStackInitializationFailed();
};

class ENetStackCanNotLoadWinsock : public ENetException {
public:
    explicit ENetStackCanNotLoadWinsock(const std::string& library);
};

class ENetStackSetSizeExceeded : public ENetStackError {
public:
    ENetStackSetSizeExceeded();
};

class ENetThreadMgrError : public ENetException {
public:
    using ENetException::ENetException;
};

class ENetThreadClassNotSpecified : public ENetThreadMgrError {
public:
    ENetThreadClassNotSpecified();
};

class ENetTCPServerError : public ENetException {
public:
    using ENetException::ENetException;
};

class ENetNoExecuteSpecified : public ENetTCPServerError {
public:
    ENetNoExecuteSpecified();
};

} // namespace tarvix

#include "relay/NetTCPConnection.h"

#include "relay/NetExceptions.h"
#include "relay/NetStack.h"

namespace tarvix {

TNetTCPConnection::TNetTCPConnection() : socket_(Stack()) {}

TNetTCPConnection::~TNetTCPConnection() = default;

bool TNetTCPConnection::IsConnected()
{
    TestClosed(false, false);
    return socket_.IsOpen();
}

void TNetTCPConnection::CloseConnection()
{
    if (socket_.IsOpen()) {
        DoStatus(TNetStatus::stDisconnecting, socket_.RemoteIP());
        socket_.Shut(true);
        peerClosed_.store(true);
        DoStatus(TNetStatus::stDisconnected, socket_.RemoteIP());
        FireDisconnected();
    } else if (socket_.Descriptor() != -1) {
        // Aborted from another thread: only the descriptor is left to release.
        socket_.Shut(true);
        peerClosed_.store(true);
    }
}

void TNetTCPConnection::CloseWithReset()
{
    if (socket_.Descriptor() != -1) {
        if (!socket_.IsOpen()) {
            socket_.ShutWithReset();
            peerClosed_.store(true);
            return;
        }
        DoStatus(TNetStatus::stDisconnecting, socket_.RemoteIP());
        socket_.ShutWithReset();
        peerClosed_.store(true);
        DoStatus(TNetStatus::stDisconnected, socket_.RemoteIP());
        FireDisconnected();
    }
}

void TNetTCPConnection::TestClosed(bool raiseIfClosed, bool ignoreBuffer)
{
    if (!peerClosed_.load() && socket_.IsOpen())
        return;
    CloseConnection();
    if (raiseIfClosed && (ignoreBuffer || inputData_.empty()))
        throw ENetConnClosedGracefully();
}

int TNetTCPConnection::ReceiveOnce(bool raiseIfClosed, int timeoutMs)
{
    TestClosed(raiseIfClosed, false);
    if (!IsConnected())
        return 0;
    if (!socket_.WaitReadable(timeoutMs))
        return 0;
    if (!receiveBuffer_)
        receiveBuffer_ = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(recvBufferSize_));
    long n = socket_.ReceiveBytes(receiveBuffer_.get(), static_cast<std::size_t>(recvBufferSize_), 0);
    peerClosed_.store(n == 0);
    if (n == -1) {
        const int code = Stack().LastError();
        if (code != netcode::Shutdown)
            throw ENetSocketError(code);
        n = 0;
        if (socket_.IsOpen())
            CloseConnection();
        if (inputData_.empty())
            throw ENetSocketError(code);
    }
    inputData_.append(receiveBuffer_.get(), static_cast<std::size_t>(n));
    TestClosed(raiseIfClosed, false);
    return static_cast<int>(n);
}

std::string TNetTCPConnection::ReadAvailable()
{
    std::string result;
    if (IsConnected()) {
        ReceiveOnce(false, TNetStack::kWaitForever);
        result.swap(inputData_);
    }
    return result;
}

void TNetTCPConnection::WriteAll(std::string_view data)
{
    if (data.empty())
        return;
    TestClosed(true, true);
    std::size_t position = 0;
    while (position < data.size()) {
        const long n = socket_.SendBytes(data.data() + position, data.size() - position, 0);
        peerClosed_.store(n == 0);
        TestClosed(true, false);
        if (n == -1) {
            const int code = Stack().LastError();
            if (code == netcode::Interrupted)
                continue;
            if (code == netcode::Shutdown)
                CloseConnection();
            throw ENetSocketError(code);
        }
        position += static_cast<std::size_t>(n);
    }
}

void TNetTCPConnection::ResetState()
{
    // Forgets the socket; a descriptor still held (after an abort) is released rather than leaked.
    socket_.ClearBinding(true);
    inputData_.clear();
    peerClosed_.store(false);
}

std::string TNetTCPConnection::ExtractInput(std::size_t count)
{
    if (count > inputData_.size())
        throw ENetNotEnoughDataInBuffer();
    std::string taken = inputData_.substr(0, count);
    inputData_.erase(0, count);
    return taken;
}

void TNetTCPConnection::SetRecvBufferSize(int size)
{
    recvBufferSize_ = size > 0 ? size : 1;
    receiveBuffer_.reset();
}

void TNetTCPConnection::AbortConnection()
{
    peerClosed_.store(true);
    socket_.Abort();
}

void TNetTCPConnection::FireDisconnected()
{
    if (OnDisconnected)
        OnDisconnected(*this);
}

} // namespace tarvix

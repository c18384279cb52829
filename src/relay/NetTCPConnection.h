#pragma once
// One TCP connection seen as a byte stream: a socket, the bytes received and not yet taken, a blocking
// receive with a wait, a blocking write of a whole chunk, and the rules that turn a peer's close into a
// closed connection.
#include "relay/NetComponent.h"
#include "relay/NetSocketHandle.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tarvix {

class TNetTCPConnection : public TNetComponent {
public:
    static constexpr int kDefaultBufferSize = 32768;

    TNetTCPConnection();
    ~TNetTCPConnection() override;

    TNetSocketHandle& Socket() { return socket_; }
    const TNetSocketHandle& Socket() const { return socket_; }

    // Closes the socket the first time it finds the peer gone; then false.
    virtual bool IsConnected();
    // On the connection's own thread. Another thread uses AbortConnection.
    virtual void CloseConnection();
    // As CloseConnection, but the peer sees a reset rather than an end of stream.
    void CloseWithReset();
    virtual void TestClosed(bool raiseIfClosed, bool ignoreBuffer);
    // One wait (TNetStack::kWaitForever: no limit) and at most one receive into InputData; the count.
    virtual int ReceiveOnce(bool raiseIfClosed, int timeoutMs);
    // What one receive brings (at most RecvBufferSize bytes); empty once the peer has closed.
    std::string ReadAvailable();
    // Returns once the system has taken every byte; a closed connection raises ENetConnClosedGracefully.
    virtual void WriteAll(std::string_view data);
    virtual void ResetState();

    // Takes count bytes from the front of InputData; more than it holds raises ENetNotEnoughDataInBuffer.
    std::string ExtractInput(std::size_t count);
    const std::string& InputData() const { return inputData_; }
    int RecvBufferSize() const { return recvBufferSize_; }
    void SetRecvBufferSize(int size);
    int SendBufferSize() const { return sendBufferSize_; }
    void SetSendBufferSize(int size) { sendBufferSize_ = size; }
    bool PeerClosed() const { return peerClosed_.load(); }

    // From any thread: closes the connection by shutting its socket down, which wakes a wait or a send
    // blocked on it. The owner's next IsConnected is false; the owner releases the descriptor.
    void AbortConnection();
    // From any thread: wakes the owner's wait without telling the peer anything (TNetSocketHandle::
    // Interrupt); the owner then closes, with a reset.
    void InterruptConnection() { socket_.Interrupt(); }

    std::function<void(TNetTCPConnection& sender)> OnDisconnected;

protected:
    virtual void FireDisconnected();

private:
    TNetSocketHandle socket_;
    std::string inputData_;
    std::unique_ptr<char[]> receiveBuffer_; // made at the first receive
    int recvBufferSize_ = kDefaultBufferSize;
    int sendBufferSize_ = kDefaultBufferSize;
    std::atomic<bool> peerClosed_{false};
};

} // namespace tarvix

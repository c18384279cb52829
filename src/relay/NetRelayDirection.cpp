#include "relay/NetRelayDirection.h"

#include "relay/NetSocketHandle.h"
#include "relay/NetStack.h"

#include <sys/socket.h>

namespace tarvix {

bool TNetRelayDirection::Pump(TNetSocketHandle& from, TNetSocketHandle& to, bool canReceive, bool canSend,
                              bool closesAfterEnd)
{
    if (Owed() > 0 && canSend && !Flush(to))
        return false;
    if (Owed() > 0 || sourceEnded_ || !canReceive)
        return true;

    constexpr int kMaxChunksPerPass = 4; // then the other direction gets its turn
    TNetStack& stack = from.Stack();
    bool idle = false; // the source had nothing more
    for (int chunk = 0; chunk < kMaxChunksPerPass; ++chunk) {
        if (bufferSize_ < chunkSize_) {
            buffer_ = std::make_unique_for_overwrite<char[]>(chunkSize_);
            bufferSize_ = chunkSize_;
        }
        const long n = from.ReceiveBytes(buffer_.get(), chunkSize_, MSG_DONTWAIT);
        if (n == 0) {
            // A shutdown by deactivation reads like an end of stream: it must not reach the other side as one.
            if (from.Aborted() || to.Aborted())
                return true;
            sourceEnded_ = true;
            if (!closesAfterEnd)
                to.ShutdownSending();
            ReleaseBuffer();
            return true;
        }
        if (n < 0) {
            const int code = stack.LastError();
            if (code != netcode::WouldBlock && code != netcode::Interrupted)
                return false;
            idle = code == netcode::WouldBlock;
            break;
        }
        start_ = 0;
        end_ = static_cast<std::size_t>(n);
        if (static_cast<std::size_t>(n) >= kChunkSize)
            lastBulkReceive_ = Clock::now();
        if (!Flush(to))
            return false;
        if (Owed() > 0) {
            lastProgress_ = Clock::now();
            return true;
        }
        if (static_cast<std::size_t>(n) < chunkSize_) {
            idle = true;
            break;
        }
        chunkSize_ = kBulkChunkSize;
    }
    // An idle interactive connection holds no buffer; a bulk one keeps its large buffer for the next burst,
    // until the connection lets it go (ReleaseIdleBulkBuffer).
    if (idle && chunkSize_ == kChunkSize)
        ReleaseBuffer();
    return true;
}

bool TNetRelayDirection::Flush(TNetSocketHandle& to)
{
    TNetStack& stack = to.Stack();
    bool moved = false;
    while (Owed() > 0) {
        const long n = to.SendBytes(buffer_.get() + start_, Owed(), MSG_DONTWAIT);
        if (n > 0) {
            start_ += static_cast<std::size_t>(n);
            sent_ += static_cast<std::uint64_t>(n);
            moved = true;
            if (Owed() > 0)
                break; // a short send: the socket's buffer is full, and the next one would only say so
            continue;
        }
        const int code = n < 0 ? stack.LastError() : 0;
        if (code == netcode::Interrupted)
            continue;
        if (code == netcode::WouldBlock)
            break;
        return false;
    }
    if (Owed() == 0)
        start_ = end_ = 0;
    else if (moved)
        lastProgress_ = Clock::now();
    return true;
}

void TNetRelayDirection::WatchKernelQueue(const TNetSocketHandle& to)
{
    // Nothing was held at the last look and nothing was sent since: nothing can be held now.
    if (looked_ && kernelQueued_ == 0 && sent_ == takenSeen_)
        return;
    looked_ = true;
    const long queued = to.IsOpen() ? to.Stack().QueuedToSend(to.Descriptor()) : 0;
    const std::size_t held = queued > 0 ? static_cast<std::size_t>(queued) : 0;
    // Wraps like the sequence numbers it follows; only a change matters.
    const std::uint64_t taken = sent_ - held;
    if (held > 0 && (kernelQueued_ == 0 || taken != takenSeen_))
        lastProgress_ = Clock::now();
    kernelQueued_ = held;
    takenSeen_ = taken;
}

void TNetRelayDirection::ReleaseIdleBulkBuffer()
{
    if (!HoldsIdleBulkBuffer())
        return;
    ReleaseBuffer();
    chunkSize_ = kChunkSize;
}

void TNetRelayDirection::ReleaseBuffer()
{
    buffer_.reset();
    bufferSize_ = 0;
}

} // namespace tarvix

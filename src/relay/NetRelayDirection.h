#pragma once
// One direction of a relayed connection: receives from one socket and sends to the other without ever
// blocking, and keeps at most one chunk that the receiving side could not take yet.
#include "relay/NetTCPConnection.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarvix {

class TNetSocketHandle;

class TNetRelayDirection {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::size_t kChunkSize = TNetTCPConnection::kDefaultBufferSize;
    // A direction whose receives fill the whole chunk is moving bulk data: it goes on in larger chunks,
    // which cuts the relay's work per byte. Idle and interactive directions keep the small size.
    static constexpr std::size_t kBulkChunkSize = 256 * 1024;

    // Bytes received and not yet sent. While there are any, nothing more is taken from the source, so
    // the source's sender is held back by its own socket buffers.
    std::size_t Owed() const { return end_ - start_; }
    // The source's end of stream was read and passed on as the end of the sending side.
    bool SourceEnded() const { return sourceEnded_; }
    // Last time owed bytes moved (or were received), or the peer of `to` took queued ones; meaningful while
    // Owed() or KernelQueued() is not 0.
    Clock::time_point LastProgress() const { return lastProgress_; }
    // Bytes sent that the kernel still holds for the peer of `to`, as of the last WatchKernelQueue.
    std::size_t KernelQueued() const { return kernelQueued_; }
    // Looks at what the kernel still holds for the peer of `to`: a peer that takes some makes progress. Once
    // one side has ended, bytes held there are owed just as much as those held here.
    void WatchKernelQueue(const TNetSocketHandle& to);
    std::size_t ChunkSize() const { return chunkSize_; }
    // Bytes the receiving side has taken so far: what was written out, not what was read in.
    std::uint64_t Sent() const { return sent_; }

    // Nothing is owed and the large buffer of a burst waits for the next one; LastBulkReceive tells since
    // when no receive has filled a small chunk (a trickle does not keep the large buffer).
    bool HoldsIdleBulkBuffer() const { return Owed() == 0 && bufferSize_ > kChunkSize; }
    Clock::time_point LastBulkReceive() const { return lastBulkReceive_; }
    // Lets that buffer go; the next burst starts again with small chunks.
    void ReleaseIdleBulkBuffer();

    // When `to` has room, sends what is owed; then, when `from` is readable and nothing is owed, receives
    // and sends until the source has nothing more, `to` is full, or a few chunks have gone (the other
    // direction's turn). False on a failure (reset, error) of either side. closesAfterEnd: the other
    // direction has ended, so the source's end is followed at once by closing both sockets, whose close
    // passes the end on by itself.
    bool Pump(TNetSocketHandle& from, TNetSocketHandle& to, bool canReceive, bool canSend, bool closesAfterEnd = false);

private:
    // The one place where owed bytes go out: as many as `to` takes now. False when `to` failed.
    bool Flush(TNetSocketHandle& to);
    void ReleaseBuffer();

    std::unique_ptr<char[]> buffer_; // made when bytes arrive, let go while the direction is idle
    std::size_t bufferSize_ = 0;
    std::size_t chunkSize_ = kChunkSize;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
    bool sourceEnded_ = false;
    Clock::time_point lastProgress_{};
    Clock::time_point lastBulkReceive_{};
    std::uint64_t sent_ = 0;
    std::size_t kernelQueued_ = 0;
    std::uint64_t takenSeen_ = 0; // sent_ less the kernel's queue at the last look: what the peer took
    bool looked_ = false;
};

} // namespace tarvix

#pragma once
// Seeded streams of pseudo-random bytes that both ends can compute, and checksums over what crossed a relay.
#include "support/Loopback.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace tarvix::test {

// A stream of pseudo-random bytes that both ends can compute, and a checksum over what crossed.
class ByteStream {
public:
    explicit ByteStream(std::uint64_t seed) : state_(seed | 1) {}
    void Fill(char* data, std::size_t size);

private:
    std::uint64_t state_;
    std::uint64_t word_ = 0;
    unsigned left_ = 0;
};

class Checksum {
public:
    void Add(const char* data, std::size_t size);
    std::uint64_t Value() const;
    std::uint64_t Count() const { return count_; }

private:
    void Mix(std::uint64_t word);

    std::uint64_t hash_ = 0xcbf29ce484222325ull;
    std::uint64_t count_ = 0;
    std::uint64_t partial_ = 0;
};

// `size` bytes of the seeded stream.
std::string Pattern(std::size_t size, std::uint64_t seed);
// Sends `total` bytes of the seeded stream in chunks of random sizes; returns their checksum.
std::uint64_t SendStream(TestSocket& s, std::size_t total, std::uint64_t seed);
// Reads to the end of the stream in reads of random sizes; the checksum and the byte count.
std::pair<std::uint64_t, std::uint64_t> ReceiveStream(TestSocket& s, std::uint64_t seed);

// One end of a stream sent both ways at once: the checksum of what it sent, and of what it received with
// the byte count.
struct StreamEnd {
    std::uint64_t sent = 0, received = 0, count = 0;
};
// Each end received `size` bytes, exactly what the other sent.
void ExpectBothWaysIntact(const StreamEnd& remote, const StreamEnd& client, std::uint64_t size);

} // namespace tarvix::test

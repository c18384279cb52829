#include "ByteStream.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace tarvix::test {

void ByteStream::Fill(char* data, std::size_t size)
{
    while (size > 0) {
        if (left_ == 0) {
            state_ ^= state_ >> 12;
            state_ ^= state_ << 25;
            state_ ^= state_ >> 27;
            word_ = state_ * 0x2545F4914F6CDD1Dull;
            left_ = 8;
        }
        if (left_ == 8 && size >= 8) {
            std::memcpy(data, &word_, 8);
            data += 8;
            size -= 8;
            left_ = 0;
            continue;
        }
        *data++ = static_cast<char>(word_ >> (8 * (8 - left_)));
        --left_;
        --size;
    }
}

void Checksum::Mix(std::uint64_t word)
{
    hash_ ^= word;
    hash_ *= 0x100000001b3ull;
    hash_ ^= hash_ >> 29;
}

void Checksum::Add(const char* data, std::size_t size)
{
    // Mixes the stream eight bytes at a time, whatever the chunking (little-endian words).
    while (size > 0) {
        if ((count_ & 7) == 0 && size >= 8) {
            std::uint64_t word;
            std::memcpy(&word, data, 8);
            Mix(word);
            data += 8;
            size -= 8;
            count_ += 8;
            continue;
        }
        partial_ |= static_cast<std::uint64_t>(static_cast<unsigned char>(*data++)) << (8 * (count_ & 7));
        --size;
        if ((++count_ & 7) == 0) {
            Mix(partial_);
            partial_ = 0;
        }
    }
}

std::uint64_t Checksum::Value() const
{
    Checksum copy = *this;
    if (copy.count_ & 7)
        copy.Mix(copy.partial_);
    return copy.hash_ ^ copy.count_;
}

std::string Pattern(std::size_t size, std::uint64_t seed)
{
    std::string s(size, '\0');
    ByteStream(seed).Fill(s.data(), s.size());
    return s;
}

std::uint64_t SendStream(TestSocket& s, std::size_t total, std::uint64_t seed)
{
    ByteStream stream(seed);
    Checksum sum;
    std::mt19937 sizes(static_cast<unsigned>(seed));
    std::vector<char> chunk(100000);
    while (total > 0) {
        const std::size_t n =
            std::min<std::size_t>(total, std::uniform_int_distribution<std::size_t>(1, chunk.size())(sizes));
        stream.Fill(chunk.data(), n);
        sum.Add(chunk.data(), n);
        if (!s.SendAll(chunk.data(), n))
            break;
        total -= n;
    }
    return sum.Value();
}

std::pair<std::uint64_t, std::uint64_t> ReceiveStream(TestSocket& s, std::uint64_t seed)
{
    Checksum sum;
    std::mt19937 sizes(static_cast<unsigned>(seed));
    std::vector<char> chunk(100000);
    for (;;) {
        const std::size_t want = std::uniform_int_distribution<std::size_t>(1, chunk.size())(sizes);
        const ssize_t n = ::recv(s.Fd(), chunk.data(), want, 0);
        if (n <= 0)
            break;
        sum.Add(chunk.data(), static_cast<std::size_t>(n));
    }
    return {sum.Value(), sum.Count()};
}

void ExpectBothWaysIntact(const StreamEnd& remote, const StreamEnd& client, std::uint64_t size)
{
    EXPECT_EQ(remote.count, size);
    EXPECT_EQ(client.count, size);
    EXPECT_EQ(remote.received, client.sent);
    EXPECT_EQ(client.received, remote.sent);
}

} // namespace tarvix::test

#include "relay/NetAddress.h"

#include "relay/NetExceptions.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <charconv>
#include <cstring>

namespace tarvix {

namespace {

int FullBits(int family)
{
    return family == AF_INET ? 32 : 128;
}

bool PrefixMatches(const TNetAddress& a, const TNetAddress& b, int bits)
{
    const int whole = bits / 8;
    if (std::memcmp(a.bytes.data(), b.bytes.data(), static_cast<std::size_t>(whole)) != 0)
        return false;
    const int rest = bits % 8;
    if (rest == 0)
        return true;
    const auto mask = static_cast<std::uint8_t>(0xFF << (8 - rest));
    return (a.bytes[whole] & mask) == (b.bytes[whole] & mask);
}

void ClearHostBits(TNetAddress& a, int bits)
{
    for (int i = 0; i < 16; ++i) {
        const int keep = std::max(0, std::min(8, bits - 8 * i));
        a.bytes[i] &= static_cast<std::uint8_t>(keep == 0 ? 0 : 0xFF << (8 - keep));
    }
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool ParseAddressLiteral(std::string_view text, TNetAddress& address)
{
    if (text.empty() || text.size() > INET6_ADDRSTRLEN + 16)
        return false;
    std::string s(text);
    TNetAddress a;
    if (s.find(':') == std::string::npos) {
        // inet_pton takes only the full dotted quad, never "127.1" or octal parts.
        if (::inet_pton(AF_INET, s.c_str(), a.bytes.data()) != 1)
            return false;
        a.family = AF_INET;
    } else {
        if (const auto zone = s.find('%'); zone != std::string::npos) {
            if (zone + 1 == s.size())
                return false;
            s.resize(zone);
        }
        if (::inet_pton(AF_INET6, s.c_str(), a.bytes.data()) != 1)
            return false;
        a.family = AF_INET6;
    }
    address = a;
    return true;
}

bool IsAddressLiteral(std::string_view text)
{
    TNetAddress a;
    return ParseAddressLiteral(text, a);
}

int AddressFamilyOf(std::string_view text)
{
    if (text.empty())
        return AF_INET;
    TNetAddress a;
    return ParseAddressLiteral(text, a) ? a.family : 0;
}

bool IsPlausibleHost(std::string_view text)
{
    if (IsAddressLiteral(text))
        return true;
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICHOST;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(std::string(text).c_str(), nullptr, &hints, &found) == 0) {
        ::freeaddrinfo(found);
        return true;
    }
    if (text.ends_with('.'))
        text.remove_suffix(1); // the root
    if (text.empty() || text.size() > 253)
        return false;
    bool digitsOnly = true;
    std::size_t labelLength = 0;
    char previous = '.';
    for (const char c : text) {
        if (c == '.') {
            if (labelLength == 0 || previous == '-')
                return false;
            labelLength = 0;
            digitsOnly = true;
        } else {
            const bool digit = c >= '0' && c <= '9';
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if ((!digit && !letter && c != '-' && c != '_') || (c == '-' && labelLength == 0) || ++labelLength > 63)
                return false;
            digitsOnly = digitsOnly && digit;
        }
        previous = c;
    }
    return labelLength > 0 && previous != '-' && !digitsOnly;
}

std::string AddressText(const TNetAddress& address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.family != AF_INET && address.family != AF_INET6)
        return {};
    ::inet_ntop(address.family, address.bytes.data(), text, sizeof text);
    return text;
}

TNetAddress Unmapped(const TNetAddress& address)
{
    static constexpr std::uint8_t kMapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    if (address.family != AF_INET6 || std::memcmp(address.bytes.data(), kMapped, sizeof kMapped) != 0)
        return address;
    TNetAddress v4;
    v4.family = AF_INET;
    std::memcpy(v4.bytes.data(), address.bytes.data() + 12, 4);
    return v4;
}

std::string BracketedHost(const std::string& host)
{
    return host.find(':') == std::string::npos ? host : "[" + host + "]";
}

TNetAllowList TNetAllowList::Parse(std::string_view text)
{
    TNetAllowList list;
    while (!text.empty()) {
        const auto comma = text.find_first_of(", \t");
        const std::string_view entry = Trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (entry.empty())
            continue;
        Network network;
        std::string_view address = entry;
        int prefix = -1;
        if (const auto slash = entry.find('/'); slash != std::string_view::npos) {
            address = entry.substr(0, slash);
            const std::string_view bits = entry.substr(slash + 1);
            unsigned value = 0;
            const auto [end, ec] = std::from_chars(bits.data(), bits.data() + bits.size(), value);
            if (bits.empty() || bits.size() > 3 || ec != std::errc() || end != bits.data() + bits.size())
                throw ENetBadAddress(std::string(entry));
            prefix = static_cast<int>(value);
        }
        // A zone means nothing in a network: refuse it rather than ignore it.
        if (address.find('%') != std::string_view::npos || !ParseAddressLiteral(address, network.base))
            throw ENetBadAddress(std::string(entry));
        const int full = FullBits(network.base.family);
        if (prefix > full)
            throw ENetBadAddress(std::string(entry));
        network.prefix = prefix < 0 ? full : prefix;
        // An IPv4 network written in IPv6's mapped form is that IPv4 network.
        if (network.base.family == AF_INET6 && network.prefix >= 96) {
            const TNetAddress v4 = Unmapped(network.base);
            if (v4.family == AF_INET) {
                network.base = v4;
                network.prefix -= 96;
            }
        }
        ClearHostBits(network.base, network.prefix);
        bool known = false;
        for (const Network& n : list.networks_)
            known = known || n == network;
        if (!known)
            list.networks_.push_back(network);
    }
    return list;
}

bool TNetAllowList::Admits(const TNetAddress& client) const
{
    if (networks_.empty())
        return true;
    const TNetAddress a = Unmapped(client);
    for (const Network& n : networks_)
        if (n.base.family == a.family && PrefixMatches(n.base, a, n.prefix))
            return true;
    return false;
}

bool TNetAllowList::Admits(std::string_view clientAddress) const
{
    if (networks_.empty())
        return true;
    TNetAddress a;
    return ParseAddressLiteral(clientAddress, a) && Admits(a);
}

std::string TNetAllowList::Text() const
{
    std::string text;
    for (const Network& n : networks_) {
        if (!text.empty())
            text += ", ";
        text += AddressText(n.base);
        if (n.prefix != FullBits(n.base.family))
            text += "/" + std::to_string(n.prefix);
    }
    return text;
}

} // namespace tarvix

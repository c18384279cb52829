#pragma once
// Address literals of both families, and the allow-list of clients a mapping admits.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix {

struct TNetAddress {
    int family = 0;                       // AF_INET or AF_INET6; 0 for none
    std::array<std::uint8_t, 16> bytes{}; // an IPv4 address in the first four
    bool operator==(const TNetAddress&) const = default;
};

// An IPv4 dotted quad or an IPv6 literal (no brackets; an IPv6 zone "%eth0" is ignored). False otherwise.
bool ParseAddressLiteral(std::string_view text, TNetAddress& address);
bool IsAddressLiteral(std::string_view text);
// The family of a literal, AF_INET for an empty text (every IPv4 interface), 0 when it is no literal.
int AddressFamilyOf(std::string_view text);
// The system's own text of an address ("::1", "10.0.0.1").
std::string AddressText(const TNetAddress& address);
// An IPv4 client seen on a dual-stack socket (::ffff:a.b.c.d) as the IPv4 address it is; others unchanged.
TNetAddress Unmapped(const TNetAddress& address);
// Whether a remote host text can name anything: an address the system reads (also "10.1"), or a host
// name by the usual syntax whose last label is not all digits ("999.1.1.1", "host:80" and "a b" cannot).
bool IsPlausibleHost(std::string_view text);
// "[::1]" for IPv6 literals, the text itself otherwise: how an address is written before ":port".
std::string BracketedHost(const std::string& host);

// Addresses and CIDR networks of both families, e.g. "127.0.0.0/8, 192.168.1.0/24, ::1, fd00::/8".
// Empty admits everyone.
class TNetAllowList {
public:
    // Commas and white space separate entries. Host bits under a prefix are dropped (10.1.2.3/8 is
    // 10.0.0.0/8). Raises ENetBadAddress naming the first entry that is neither an address nor a network.
    static TNetAllowList Parse(std::string_view text);

    bool Empty() const { return networks_.empty(); }
    bool Admits(const TNetAddress& client) const;
    // The client's address as the socket layer writes it (dotted quad or IPv6 text, maybe with a zone).
    bool Admits(std::string_view clientAddress) const;
    // The entries in their normal form, ", " between them; an address alone has no prefix.
    std::string Text() const;

    struct Network {
        TNetAddress base;
        int prefix = 0; // bits that must match
        bool operator==(const Network&) const = default;
    };
    const std::vector<Network>& Networks() const { return networks_; }
    bool operator==(const TNetAllowList&) const = default;

private:
    std::vector<Network> networks_;
};

} // namespace tarvix

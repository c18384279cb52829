#include "relay/NetSelfMapping.h"

#include "relay/NetAddress.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cstring>
#include <functional>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace tarvix {

namespace {

// IPv4 addresses are kept as IPv4-mapped IPv6 ones, so that both families compare alike.
using TAddress = in6_addr;

TAddress Mapped(const in_addr& v4)
{
    TAddress a{};
    a.s6_addr[10] = 0xff;
    a.s6_addr[11] = 0xff;
    std::memcpy(&a.s6_addr[12], &v4, 4);
    return a;
}

bool IsV4(const TAddress& a)
{
    return IN6_IS_ADDR_V4MAPPED(&a);
}

bool FromSockaddr(const sockaddr* sa, TAddress& out)
{
    if (sa == nullptr)
        return false;
    if (sa->sa_family == AF_INET) {
        out = Mapped(reinterpret_cast<const sockaddr_in*>(sa)->sin_addr);
        return true;
    }
    if (sa->sa_family == AF_INET6) {
        out = reinterpret_cast<const sockaddr_in6*>(sa)->sin6_addr;
        return true;
    }
    return false;
}

bool Same(const TAddress& a, const TAddress& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The unspecified address is reached as the loopback address of its family.
TAddress Reached(const TAddress& a)
{
    if (IsV4(a) && a.s6_addr[12] == 0 && a.s6_addr[13] == 0 && a.s6_addr[14] == 0 && a.s6_addr[15] == 0)
        return Mapped(in_addr{htonl(INADDR_LOOPBACK)});
    if (IN6_IS_ADDR_UNSPECIFIED(&a))
        return in6addr_loopback;
    return a;
}

bool IsLoopback(const TAddress& a)
{
    return IsV4(a) ? a.s6_addr[12] == 127 : IN6_IS_ADDR_LOOPBACK(&a);
}

bool IsLocal(const TAddress& a)
{
    if (IsLoopback(a))
        return true;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return false;
    bool found = false;
    for (const ifaddrs* i = list; i != nullptr && !found; i = i->ifa_next) {
        TAddress own{};
        found = FromSockaddr(i->ifa_addr, own) && Same(own, a);
    }
    ::freeifaddrs(list);
    return found;
}

std::vector<TAddress> Addresses(const std::string& host, bool resolve)
{
    std::string name = host;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    char own[256] = {};
    const bool ownName = ::gethostname(own, sizeof own - 1) == 0 && name == own;
    if (name == "localhost" || (ownName && !resolve))
        return {Mapped(in_addr{htonl(INADDR_LOOPBACK)}), in6addr_loopback};
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = resolve ? 0 : AI_NUMERICHOST;
    addrinfo* found = nullptr;
    std::vector<TAddress> result;
    if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0)
        return result;
    for (const addrinfo* i = found; i != nullptr; i = i->ai_next) {
        TAddress a{};
        if (FromSockaddr(i->ai_addr, a))
            result.push_back(a);
    }
    ::freeaddrinfo(found);
    return result;
}

// ---- connections held -----------------------------------------------------------------------------

struct EndsHash {
    std::size_t operator()(const TNetConnectionEnds& e) const
    {
        const std::hash<std::string> text;
        return text(e.fromIP) ^ (text(e.toIP) * 31) ^ (static_cast<std::size_t>(e.fromPort) << 16) ^
               static_cast<std::size_t>(e.toPort);
    }
};

// Sharded: every relayed connection to this machine passes here four times, from as many threads.
struct HeldShard {
    std::mutex lock;
    std::unordered_set<TNetConnectionEnds, EndsHash> ends;
};
constexpr std::size_t kShards = 64;
std::atomic<std::size_t> heldCount{0};

HeldShard& ShardOf(const TNetConnectionEnds& ends)
{
    static auto* shards = new std::array<HeldShard, kShards>; // outlives every thread
    // The ports that vary are in the hash's upper bits: the source port picks the shard.
    return (*shards)[(EndsHash{}(ends) ^ static_cast<std::size_t>(ends.fromPort)) % kShards];
}

bool EndsOnThisMachine(const TNetConnectionEnds& ends)
{
    // The system takes the address a connection goes to as its source when it ends on this machine.
    if (ends.toIP == ends.fromIP)
        return true;
    TNetAddress to;
    if (!ParseAddressLiteral(ends.toIP, to))
        return false;
    to = Unmapped(to);
    return to.family == AF_INET ? to.bytes[0] == 127
                                : IN6_IS_ADDR_LOOPBACK(reinterpret_cast<const in6_addr*>(to.bytes.data()));
}

} // namespace

bool MapsOntoItself(const std::string& listenAddress, int localPort, const std::string& remoteHost, int remotePort,
                    bool resolve)
{
    if (remotePort != localPort)
        return false;
    const bool everyV4 = listenAddress.empty() || listenAddress == "0.0.0.0";
    const bool everyAddress = listenAddress == "::";
    TAddress listen{};
    if (!everyV4 && !everyAddress) {
        const std::vector<TAddress> own = Addresses(listenAddress, false);
        if (own.empty())
            return false;
        listen = own.front();
    }
    for (const TAddress& candidate : Addresses(remoteHost, resolve)) {
        const TAddress to = Reached(candidate);
        if (everyV4 || everyAddress) {
            if ((everyAddress || IsV4(to)) && IsLocal(to))
                return true;
        } else if (Same(to, Reached(listen))) {
            return true;
        }
    }
    return false;
}

void TNetOwnConnection::Hold(const TNetConnectionEnds& ends)
{
    Release();
    if (!EndsOnThisMachine(ends))
        return;
    HeldShard& shard = ShardOf(ends);
    std::lock_guard lock(shard.lock);
    held_ = shard.ends.insert(ends).second;
    if (held_) {
        ends_ = ends;
        ++heldCount;
    }
}

void TNetOwnConnection::Release()
{
    if (!held_)
        return;
    HeldShard& shard = ShardOf(ends_);
    std::lock_guard lock(shard.lock);
    shard.ends.erase(ends_);
    --heldCount;
    held_ = false;
}

bool TNetOwnConnection::IsOwn(const TNetConnectionEnds& accepted)
{
    if (!AnyHeld())
        return false;
    HeldShard& shard = ShardOf(accepted);
    std::lock_guard lock(shard.lock);
    return shard.ends.contains(accepted);
}

bool TNetOwnConnection::AnyHeld()
{
    return heldCount.load(std::memory_order_relaxed) > 0;
}

} // namespace tarvix

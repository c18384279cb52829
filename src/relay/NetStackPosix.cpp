// The socket stack over POSIX sockets. Results keep their meaning; error numbers are translated to the
// Windows Sockets codes so that codes and texts are the same on every platform.
#include "relay/NetStackPosix.h"

#include "i18n/Catalogue.h"
#include "i18n/MessageIds.h"
#include "relay/NetExceptions.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <net/if.h>
#ifdef __linux__
#include <linux/sockios.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace tarvix {

namespace {

thread_local int tLastError = 0;

#ifdef MSG_NOSIGNAL
constexpr int kNoSignal = MSG_NOSIGNAL;
#else
constexpr int kNoSignal = 0;
#endif

int Fail(int code)
{
    tLastError = code;
    return -1;
}

int FailErrno()
{
    return Fail(TranslateErrno(errno));
}

bool ValidPort(int port)
{
    return port >= 0 && port <= 65535;
}

// A socket address of either family. An empty ip is every IPv4 interface; an IPv6 literal may carry a zone.
struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&storage); }
};

SocketAddress MakeAddress(const std::string& ip, int port)
{
    SocketAddress s;
    if (ip.empty() || ip.find(':') == std::string::npos) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        if (ip.empty()) {
            a.sin_addr.s_addr = htonl(INADDR_ANY);
        } else {
            const TNetAddressBytes b = TNetStack::TextToAddress(ip);
            std::memcpy(&a.sin_addr.s_addr, b.data(), 4);
        }
        std::memcpy(&s.storage, &a, sizeof a);
        s.length = sizeof a;
        return s;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET6;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST; // the zone of a link-local address ("fe80::1%eth0") becomes its scope
    addrinfo* found = nullptr;
    if (::getaddrinfo(ip.c_str(), nullptr, &hints, &found) != 0 || !found)
        throw ENetSocketError(netcode::InvalidArgument);
    sockaddr_in6 a{};
    std::memcpy(&a, found->ai_addr, std::min<std::size_t>(sizeof a, found->ai_addrlen));
    ::freeaddrinfo(found);
    a.sin6_port = htons(static_cast<std::uint16_t>(port));
    std::memcpy(&s.storage, &a, sizeof a);
    s.length = sizeof a;
    return s;
}

// An IPv4 client on a dual-stack socket (::ffff:a.b.c.d) is written as the IPv4 address it is.
void ReadAddress(const sockaddr_storage& storage, std::string& ip, int& port)
{
    if (storage.ss_family == AF_INET6) {
        const auto& a = reinterpret_cast<const sockaddr_in6&>(storage);
        port = ntohs(a.sin6_port);
        if (IN6_IS_ADDR_V4MAPPED(&a.sin6_addr)) {
            TNetAddressBytes b{};
            std::memcpy(b.data(), a.sin6_addr.s6_addr + 12, 4);
            ip = TNetStack::AddressToText(b);
            return;
        }
        char text[INET6_ADDRSTRLEN + IF_NAMESIZE + 1] = {};
        if (::getnameinfo(reinterpret_cast<const sockaddr*>(&a), sizeof a, text, sizeof text, nullptr, 0,
                          NI_NUMERICHOST) != 0)
            ::inet_ntop(AF_INET6, &a.sin6_addr, text, sizeof text);
        ip = text;
        return;
    }
    const auto& a = reinterpret_cast<const sockaddr_in&>(storage);
    TNetAddressBytes b{};
    std::memcpy(b.data(), &a.sin_addr.s_addr, 4);
    ip = TNetStack::AddressToText(b);
    port = ntohs(a.sin_port);
}

} // namespace

void RaiseDescriptorLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

int TranslateErrno(int error)
{
    switch (error) {
    case 0: return 0;
    case EINTR: return 10004;
    case EBADF: return 10009;
    case EACCES:
    case EPERM: return 10013;
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE:
    case ENFILE: return 10024;
#if EAGAIN != EWOULDBLOCK
    case EAGAIN:
#endif
    case EWOULDBLOCK: return 10035;
    case EINPROGRESS: return 10036;
    case EALREADY: return 10037;
    case ENOTSOCK: return 10038;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return 10040;
    case EPROTOTYPE: return 10041;
    case ENOPROTOOPT: return 10042;
    case EPROTONOSUPPORT: return 10043;
    case ESOCKTNOSUPPORT: return 10044;
#if EOPNOTSUPP != ENOTSUP
    case ENOTSUP:
#endif
    case EOPNOTSUPP: return 10045;
    case EPFNOSUPPORT: return 10046;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return 10048;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED:
    case EPROTO: return 10053;
    case ECONNRESET: return 10054;
    case ENOBUFS:
    case ENOMEM: return 10055;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case ESHUTDOWN:
    case EPIPE: return 10058;
    case ETOOMANYREFS: return 10059;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case ELOOP: return 10062;
    case ENAMETOOLONG: return 10063;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    case ENOTEMPTY: return 10066;
    default:
        // Linux numbers its errors unlike BSD: 10000 + ENODATA would read "connection refused".
        return error;
    }
}

int TranslateLookupError(int gaiError, int systemError)
{
    switch (gaiError) {
    case EAI_NONAME: return netcode::HostNotFound;
    case EAI_AGAIN: return netcode::TryAgain;
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
    case EAI_SERVICE: // the name is known, but not as a TCP service
        return netcode::NoData;
    case EAI_MEMORY: return netcode::NoBufferSpace;
    case EAI_SYSTEM:
        // The underlying failure (out of descriptors, ...) says more than "lookup failed".
        if (systemError != 0)
            return TranslateErrno(systemError);
        return netcode::NoRecovery;
    default: return netcode::NoRecovery;
    }
}

std::string SystemErrorText(int code)
{
    if (const int id = msg::SocketErrorTextId(code))
        return LoadResString(id);
    switch (code) {
    case netcode::HostNotFound: return gai_strerror(EAI_NONAME);
    case netcode::TryAgain: return gai_strerror(EAI_AGAIN);
    case netcode::NoRecovery: return gai_strerror(EAI_FAIL);
    case netcode::NoData:
#ifdef EAI_NODATA
        return gai_strerror(EAI_NODATA);
#else
        return gai_strerror(EAI_NONAME);
#endif
    default: break;
    }
    if (code > 0 && code < 10000)
        return std::strerror(code);
    return {};
}

bool SocketConnectedToItself(int fd)
{
    sockaddr_storage local{}, peer{};
    socklen_t localLength = sizeof local, peerLength = sizeof peer;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
        ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0)
        return false;
    if (local.ss_family != peer.ss_family)
        return false;
    if (local.ss_family == AF_INET) {
        const auto& l = reinterpret_cast<const sockaddr_in&>(local);
        const auto& p = reinterpret_cast<const sockaddr_in&>(peer);
        return l.sin_port == p.sin_port && l.sin_addr.s_addr == p.sin_addr.s_addr;
    }
    if (local.ss_family == AF_INET6) {
        const auto& l = reinterpret_cast<const sockaddr_in6&>(local);
        const auto& p = reinterpret_cast<const sockaddr_in6&>(peer);
        return l.sin6_port == p.sin6_port && IN6_ARE_ADDR_EQUAL(&l.sin6_addr, &p.sin6_addr);
    }
    return false;
}

TNetStackPosix::TNetStackPosix()
{
    static std::once_flag once;
    std::call_once(once, RaiseDescriptorLimit);
}

int TNetStackPosix::NewSocket(int family, int type, int protocol)
{
#ifdef SOCK_CLOEXEC
    // Never inherited by a program started from this one (the restart in another language).
    const int fd = ::socket(family, type | SOCK_CLOEXEC, protocol);
#else
    const int fd = ::socket(family, type, protocol);
    if (fd != -1)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
#endif
    if (fd == -1) {
        // With its code: out of descriptors is worth telling apart (the listener and the traffic counters do).
        FailErrno();
        throw ENetSocketError(LastError());
    }
#ifdef SO_NOSIGPIPE
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_NOSIGPIPE, &one, sizeof one);
#endif
    return fd;
}

int TNetStackPosix::BindTo(int descriptor, const std::string& ip, int port)
{
    // Out of range would be cut to 16 bits and silently reach another port.
    if (!ValidPort(port))
        return Fail(netcode::InvalidArgument);
    const SocketAddress a = MakeAddress(ip, port);
    if (a.storage.ss_family == AF_INET6) {
        // "::" takes IPv4 clients too, whatever the system's default; any other IPv6 address only its own.
        const auto& a6 = reinterpret_cast<const sockaddr_in6&>(a.storage);
        const int v6Only = IN6_IS_ADDR_UNSPECIFIED(&a6.sin6_addr) ? 0 : 1;
        ::setsockopt(descriptor, IPPROTO_IPV6, IPV6_V6ONLY, &v6Only, sizeof v6Only);
    }
    if (::bind(descriptor, a.Get(), a.length) == -1)
        return FailErrno();
    return 0;
}

int TNetStackPosix::ListenOn(int descriptor, int backlog)
{
    if (::listen(descriptor, backlog) == -1)
        return FailErrno();
    return 0;
}

int TNetStackPosix::AcceptOn(int descriptor, std::string& ip, int& port)
{
    sockaddr_storage a{};
    socklen_t length = sizeof a;
#ifdef SOCK_CLOEXEC
    const int fd = ::accept4(descriptor, reinterpret_cast<sockaddr*>(&a), &length, SOCK_CLOEXEC);
#else
    const int fd = ::accept(descriptor, reinterpret_cast<sockaddr*>(&a), &length);
    if (fd != -1)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
#endif
    if (fd == -1)
        return FailErrno();
    ReadAddress(a, ip, port);
    return fd;
}

int TNetStackPosix::ConnectTo(int descriptor, int /*family: the address's own*/, const std::string& ip, int port)
{
    if (!ValidPort(port))
        return Fail(netcode::InvalidArgument);
    const SocketAddress a = MakeAddress(ip, port);
    if (::connect(descriptor, a.Get(), a.length) == -1)
        return FailErrno();
    return 0;
}

long TNetStackPosix::ReceiveOn(int descriptor, void* buffer, std::size_t length, int flags)
{
    const ssize_t n = ::recv(descriptor, buffer, length, flags);
    if (n == -1)
        return FailErrno();
    return static_cast<long>(n);
}

long TNetStackPosix::SendOn(int descriptor, const void* buffer, std::size_t length, int flags)
{
    const ssize_t n = ::send(descriptor, buffer, length, flags | kNoSignal);
    if (n == -1)
        return FailErrno();
    return static_cast<long>(n);
}

int TNetStackPosix::WaitSockets(std::vector<int>* readList, std::vector<int>* writeList, std::vector<int>* exceptList,
                                int timeoutMs)
{
    std::vector<int>* lists[3] = {readList, writeList, exceptList};
    constexpr short kEvents[3] = {POLLIN, POLLOUT, POLLPRI};
    // What select() counts as ready in each set: a closed or failed socket is readable and writable.
    constexpr short kReady[3] = {POLLIN | POLLHUP | POLLERR, POLLOUT | POLLHUP | POLLERR, POLLPRI};

    std::array<pollfd, 3 * kMaxWaitList> entries{};
    std::size_t count = 0;
    for (auto* list : lists) {
        if (!list)
            continue;
        if (list->size() > kMaxWaitList)
            throw ENetStackSetSizeExceeded();
    }
    for (int k = 0; k < 3; ++k) {
        if (!lists[k])
            continue;
        for (int fd : *lists[k])
            entries[count++] = pollfd{fd, kEvents[k], 0};
    }

    const int r = PollSockets(entries.data(), count, timeoutMs < 0 ? -1 : timeoutMs);
    if (r == -1)
        return -1;
    int ready = 0;
    std::size_t at = 0;
    for (int k = 0; k < 3; ++k) {
        if (!lists[k])
            continue;
        std::vector<int>& list = *lists[k];
        std::size_t kept = 0;
        for (std::size_t i = 0; i < list.size(); ++i, ++at) {
            if (entries[at].revents & POLLNVAL)
                return Fail(netcode::NotSocket);
            if (entries[at].revents & kReady[k])
                list[kept++] = list[i];
        }
        list.resize(kept);
        ready += static_cast<int>(kept);
    }
    return ready;
}

int TNetStackPosix::PollSockets(pollfd* entries, std::size_t count, int timeoutMs)
{
    const int r = ::poll(entries, static_cast<nfds_t>(count), timeoutMs);
    if (r == -1)
        return FailErrno();
    return r;
}

int TNetStackPosix::SetOption(int descriptor, int level, int name, const void* value, unsigned length)
{
    if (::setsockopt(descriptor, level, name, value, static_cast<socklen_t>(length)) == -1)
        return FailErrno();
    return 0;
}

int TNetStackPosix::SetBlocking(int descriptor, bool blocking)
{
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags == -1)
        return FailErrno();
    const int wanted = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    if (wanted != flags && ::fcntl(descriptor, F_SETFL, wanted) == -1)
        return FailErrno();
    return 0;
}

long TNetStackPosix::QueuedToSend(int descriptor)
{
#ifdef SIOCOUTQ
    int queued = 0;
    if (::ioctl(descriptor, SIOCOUTQ, &queued) == -1)
        return FailErrno();
    return queued;
#else
    (void)descriptor;
    return -1;
#endif
}

int TNetStackPosix::ShutdownOn(int descriptor, int how)
{
    if (::shutdown(descriptor, how) == -1)
        return FailErrno();
    return 0;
}

int TNetStackPosix::CloseDescriptor(int descriptor)
{
    // After close() the number is gone even when it reports EINTR: never retry.
    if (::close(descriptor) == -1)
        return FailErrno();
    return 0;
}

void TNetStackPosix::LocalName(int descriptor, std::string& ip, int& port)
{
    sockaddr_storage a{};
    socklen_t length = sizeof a;
    if (::getsockname(descriptor, reinterpret_cast<sockaddr*>(&a), &length) == -1)
        RaiseError(TranslateErrno(errno));
    ReadAddress(a, ip, port);
}

void TNetStackPosix::PeerName(int descriptor, std::string& ip, int& port)
{
    sockaddr_storage a{};
    socklen_t length = sizeof a;
    if (::getpeername(descriptor, reinterpret_cast<sockaddr*>(&a), &length) == -1)
        RaiseError(TranslateErrno(errno));
    ReadAddress(a, ip, port);
}

std::vector<std::string> TNetStackPosix::LookupHost(const std::string& name)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    errno = 0;
    const int r = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (r != 0) {
        Fail(TranslateLookupError(r, errno));
        return {};
    }
    std::vector<std::string> addresses;
    for (const addrinfo* ai = found; ai; ai = ai->ai_next) {
        if ((ai->ai_family != AF_INET && ai->ai_family != AF_INET6) || !ai->ai_addr)
            continue;
        sockaddr_storage storage{};
        std::memcpy(&storage, ai->ai_addr, std::min<std::size_t>(sizeof storage, ai->ai_addrlen));
        std::string ip;
        int port = 0;
        ReadAddress(storage, ip, port);
        if (std::find(addresses.begin(), addresses.end(), ip) == addresses.end())
            addresses.push_back(std::move(ip));
    }
    ::freeaddrinfo(found);
    if (addresses.empty())
        Fail(netcode::NoData);
    return addresses;
}

int TNetStackPosix::LastError()
{
    return tLastError;
}

std::unique_ptr<TNetStack> NewPlatformStack()
{
    return std::make_unique<TNetStackPosix>();
}

} // namespace tarvix

#include "ui/SocketErrors.h"

#include "i18n/Catalogue.h"
#include "i18n/MessageIds.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace tarvix::wsa {
namespace {

// Windows Sockets numbers are the BSD errno values plus 10000; Linux numbers its errno values differently.
constexpr struct {
    int error;
    int code;
} kErrnoCodes[] = {
    {EINTR, 10004},           {EBADF, 10009},         {EACCES, 10013},       {EFAULT, 10014},
    {EINVAL, 10022},          {EMFILE, 10024},        {ENFILE, 10024},       {EWOULDBLOCK, 10035},
    {EINPROGRESS, 10036},     {EALREADY, 10037},      {ENOTSOCK, 10038},     {EDESTADDRREQ, 10039},
    {EMSGSIZE, 10040},        {EPROTOTYPE, 10041},    {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},    {EPFNOSUPPORT, 10046}, {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},      {EADDRNOTAVAIL, 10049}, {ENETDOWN, 10050},     {ENETUNREACH, 10051},
    {ENETRESET, 10052},       {ECONNABORTED, 10053},  {ECONNRESET, 10054},   {ENOBUFS, 10055},
    {ENOMEM, 10055},          {EISCONN, 10056},       {ENOTCONN, 10057},     {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059},    {ETIMEDOUT, 10060},     {ECONNREFUSED, 10061}, {ELOOP, 10062},
    {ENAMETOOLONG, 10063},    {EHOSTDOWN, 10064},     {EHOSTUNREACH, 10065}, {ENOTEMPTY, 10066},
    {EPIPE, 10058},
};

} // namespace

int CodeFromErrno(int error)
{
    for (const auto& e : kErrnoCodes)
        if (e.error == error)
            return e.code;
    return error;
}

int CodeFromLookupError(int gaiError)
{
    switch (gaiError) {
    case EAI_NONAME: return HostNotFound;
    case EAI_AGAIN: return TryAgain;
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
    case EAI_SERVICE: return NoData;
    case EAI_MEMORY: return NoBufferSpace;
    default: return NoRecovery;
    }
}

std::string SystemText(int code)
{
    if (int id = msg::SocketErrorTextId(code))
        return LoadResString(id);
    switch (code) {
    case HostNotFound: return gai_strerror(EAI_NONAME);
    case TryAgain: return gai_strerror(EAI_AGAIN);
    case NoRecovery: return gai_strerror(EAI_FAIL);
    case NoData:
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

} // namespace tarvix::wsa

bool tarvix::SocketConnectedToItself(int fd)
{
    sockaddr_in local{}, peer{};
    socklen_t localLength = sizeof local, peerLength = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
        getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0)
        return false;
    return local.sin_family == AF_INET && local.sin_port == peer.sin_port &&
           local.sin_addr.s_addr == peer.sin_addr.s_addr;
}

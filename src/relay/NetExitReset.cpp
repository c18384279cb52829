#include "relay/NetExitReset.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <cstdlib>

namespace tarvix {

namespace {

void ResetOnClose(int fd)
{
    int type = 0;
    socklen_t length = sizeof type;
    if (::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) != 0 || type != SOCK_STREAM)
        return;
    const linger cut{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &cut, sizeof cut); // a local stream socket ignores it
}

} // namespace

void SetConnectionsToResetOnExit()
{
    // The open descriptors, where the system lists them; otherwise every number up to the limit.
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        const int own = ::dirfd(dir);
        while (const dirent* entry = ::readdir(dir)) {
            char* end = nullptr;
            const long fd = std::strtol(entry->d_name, &end, 10);
            if (end != entry->d_name && *end == '\0' && fd != own)
                ResetOnClose(static_cast<int>(fd));
        }
        ::closedir(dir);
        return;
    }
    rlimit limit{};
    const rlim_t count = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 1024;
    for (rlim_t fd = 0; fd < count && fd < 1u << 20; ++fd)
        ResetOnClose(static_cast<int>(fd));
}

} // namespace tarvix

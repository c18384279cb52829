#pragma once
// Small socket helpers shared by the load tools. Loopback only, IPv4, blocking unless stated.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace bench {

[[noreturn]] inline void Die(const char* what)
{
    std::fprintf(stderr, "%s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

inline sockaddr_in Loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

inline void NoDelay(int fd)
{
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// Connected blocking socket, or -1 with errno set.
inline int ConnectLoopback(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const sockaddr_in a = Loopback(port);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        const int e = errno;
        close(fd);
        errno = e;
        return -1;
    }
    return fd;
}

inline bool WriteAll(int fd, const char* p, size_t n)
{
    while (n > 0) {
        const ssize_t w = send(fd, p, n, MSG_NOSIGNAL);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

inline bool ReadExact(int fd, char* p, size_t n)
{
    while (n > 0) {
        const ssize_t r = recv(fd, p, n, 0);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

inline double SecondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Value of "--name V" in argv, or def.
inline std::string Option(int argc, char** argv, const char* name, const char* def)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return def;
}

inline int IntOption(int argc, char** argv, const char* name, int def)
{
    return std::atoi(Option(argc, argv, name, std::to_string(def).c_str()).c_str());
}

} // namespace bench

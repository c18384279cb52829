// Prints N loopback TCP ports that are free right now, chosen by the system (bound to port 0, then released).
// Usage: bench_ports N
#include "BenchTool.h"
#include "support/Loopback.h"

#include <vector>

int main(int argc, char** argv)
{
    const int n = argc > 1 ? std::atoi(argv[1]) : 1;
    std::vector<int> fds; // held until all are read, so the N ports differ
    for (int i = 0; i < n; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = tarvix::test::LoopbackAddress(0);
        socklen_t len = sizeof a;
        if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            bench::Die("bind");
        std::printf("%d\n", ntohs(a.sin_port));
        fds.push_back(fd);
    }
    for (int fd : fds)
        close(fd);
}

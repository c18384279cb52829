// Ping-pong latency: one connection, a message of --size bytes (64) sent and read back, again and again.
// Usage: bench_pingpong PORT [--seconds S] [--size N]
// Prints: rounds <n> p50_us <x> p99_us <y>
#include "BenchTool.h"
#include "support/Loopback.h"

#include <algorithm>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
        return std::fprintf(stderr, "usage: bench_pingpong PORT [--seconds S] [--size N]\n"), 2;
    const int port = std::atoi(argv[1]);
    const double seconds = bench::IntOption(argc, argv, "--seconds", 3);
    const size_t size = static_cast<size_t>(bench::IntOption(argc, argv, "--size", 64));

    const int fd = tarvix::test::ConnectLoopbackDescriptor(port);
    if (fd < 0)
        bench::Die("connect");
    bench::NoDelay(fd);
    std::vector<char> out(size, 'p'), in(size);

    auto round = [&] {
        if (!tarvix::test::SendAll(fd, out.data(), size) || !tarvix::test::ReceiveAll(fd, in.data(), size))
            bench::Die("ping-pong");
    };
    for (int i = 0; i < 1000; ++i) // warm-up: caches, the relay's outbound connection
        round();

    std::vector<double> us;
    us.reserve(1 << 20);
    const auto t0 = std::chrono::steady_clock::now();
    while (us.size() < us.capacity() && bench::SecondsSince(t0) < seconds) {
        const auto a = std::chrono::steady_clock::now();
        round();
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - a).count());
    }
    close(fd);
    std::sort(us.begin(), us.end());
    const auto pct = [&](double p) { return us[std::min(us.size() - 1, static_cast<size_t>(p * us.size()))]; };
    std::printf("rounds %zu p50_us %.1f p99_us %.1f\n", us.size(), pct(0.50), pct(0.99));
}

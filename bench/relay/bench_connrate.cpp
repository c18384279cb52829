// Short connections per second: each worker connects, sends 16 bytes, reads them back and closes, again and again.
// Usage: bench_connrate PORT [--workers W] [--seconds S]
// Prints: conns <n> per_s <rate> errors <e>
#include "BenchTool.h"
#include "support/Loopback.h"

#include <atomic>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
        return std::fprintf(stderr, "usage: bench_connrate PORT [--workers W] [--seconds S]\n"), 2;
    const int port = std::atoi(argv[1]);
    const int workers = bench::IntOption(argc, argv, "--workers", 4);
    const double seconds = bench::IntOption(argc, argv, "--seconds", 5);

    std::atomic<long> done{0}, errors{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    const auto t0 = std::chrono::steady_clock::now();
    for (int w = 0; w < workers; ++w)
        threads.emplace_back([&] {
            char out[16] = "0123456789abcde", in[16];
            while (!stop.load(std::memory_order_relaxed)) {
                const int fd = tarvix::test::ConnectLoopbackDescriptor(port);
                if (fd < 0) {
                    errors.fetch_add(1);
                    usleep(1000);
                    continue;
                }
                const bool ok = tarvix::test::SendAll(fd, out, 16) && tarvix::test::ReceiveAll(fd, in, 16);
                close(fd);
                (ok ? done : errors).fetch_add(1, std::memory_order_relaxed);
            }
        });
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    for (auto& t : threads)
        t.join();
    const double elapsed = bench::SecondsSince(t0);
    std::printf("conns %ld per_s %.0f errors %ld\n", done.load(), done.load() / elapsed, errors.load());
}

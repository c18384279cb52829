#pragma once
// Closes many mappings at once: each close waits a while for its connections' threads, so one after another
// the stop would grow with the number of mappings; side by side it takes about as long as one.
#include "cli/RelayRunner.h"

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace tarvix::cli {

class MappingCloser {
public:
    // Starts at once. `finished` (may be empty) runs once, on the thread that closes the last mapping.
    MappingCloser(ActiveMappings mappings, std::function<void()> finished);
    ~MappingCloser(); // waits until every mapping is closed
    MappingCloser(const MappingCloser&) = delete;
    MappingCloser& operator=(const MappingCloser&) = delete;

    bool Finished() const { return left_.load() == 0; }

private:
    void Work();
    void CloseOne(ActiveMapping& mapping);

    ActiveMappings mappings_;
    std::function<void()> finished_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> left_;
    std::vector<std::thread> threads_;
};

} // namespace tarvix::cli

#pragma once
// The active mappings of tarvix-relay: one engine instance each, with a status line per activation and,
// unless quiet, per accepted and per ended client.
#include "settings/MappingRecord.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tarvix {
class TfConnect;
}

namespace tarvix::cli {

class RelayRunner {
public:
    explicit RelayRunner(bool quiet);
    ~RelayRunner(); // deactivates what is still active
    RelayRunner(const RelayRunner&) = delete;
    RelayRunner& operator=(const RelayRunner&) = delete;

    // Listens at once; raises ECliError (ExitActivation) with the engine's text when it cannot.
    void Activate(const MappingRecord& record);
    // With printSummary, each mapping's summary line once its connections have ended, before it is freed.
    void DeactivateAll(bool printSummary = false);

    // A line per ended connection; set before the first activation.
    void SetLogConnections(bool on) { logConnections_ = on; }
    // One line per active mapping with its counters; from any thread.
    void PrintSummary() const;

private:
    struct Active {
        std::string name;
        std::atomic<int> open{0};
        std::unique_ptr<TfConnect> connect;
    };

    bool quiet_;
    bool logConnections_ = false;
    mutable std::mutex activeLock_; // the summary may be asked for from another thread
    std::vector<std::unique_ptr<Active>> active_;
};

} // namespace tarvix::cli

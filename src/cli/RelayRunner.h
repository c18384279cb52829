#pragma once
// The active mappings of tarvix-relay: one engine instance each, with a status line per activation and,
// unless quiet, per accepted and per ended client.
#include "settings/MappingRecord.h"

#include <atomic>
#include <memory>
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
    void DeactivateAll();

private:
    struct Active {
        std::string name;
        std::atomic<int> open{0};
        std::unique_ptr<TfConnect> connect;
    };

    bool quiet_;
    std::vector<std::unique_ptr<Active>> active_;
};

} // namespace tarvix::cli

#pragma once
// The active mappings of tarvix-relay: one engine instance each, with a status line per activation and,
// unless quiet, per accepted and per ended client.
#include "cli/MappingSelection.h"
#include "cli/RateLimitedLog.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvix {
class TfConnect;
}

namespace tarvix::cli {

struct ActiveMapping {
    PlannedMapping planned;
    std::string name; // as shown in the reports
    std::atomic<int> open{0};
    std::unique_ptr<TfConnect> connect;

    ~ActiveMapping();
};

using ActiveMappings = std::vector<std::unique_ptr<ActiveMapping>>;

class RelayRunner {
public:
    explicit RelayRunner(bool quiet);
    ~RelayRunner(); // closes what is still active, all at once
    RelayRunner(const RelayRunner&) = delete;
    RelayRunner& operator=(const RelayRunner&) = delete;

    // Listens at once and reports it with the catalogue text `line` (name, local port, host, remote port).
    // A local port already taken by an active mapping is reported and nothing starts: false. Raises ECliError
    // (ExitActivation) with the engine's text when the mapping cannot listen.
    bool Activate(const PlannedMapping& mapping, int line);
    // The same without the report of a taken port: its text is returned instead, empty when it listens.
    std::string TryActivate(const PlannedMapping& mapping, int line);
    // Raises ECliError (ExitActivation), as Activate does, when the mapping's remote end is its own
    // listening port (names are looked up); a check judges a file with it as a start would.
    static void RefuseOntoItself(const PlannedMapping& mapping);
    // A line per ended connection from the next activation on.
    void SetLogConnections(bool on) { logConnections_ = on; }

    std::size_t Count() const { return active_.size(); }
    const ActiveMappings& Active() const { return active_; }

    // Hands over the active mappings for which `pick` holds, to be closed by the caller.
    ActiveMappings Take(const std::function<bool(const ActiveMapping&)>& pick);

private:
    bool quiet_;
    bool logConnections_ = false;
    // Before the mappings: their threads report through it until they are closed.
    RateLimitedLog outboundFailures_;
    ActiveMappings active_;
};

} // namespace tarvix::cli

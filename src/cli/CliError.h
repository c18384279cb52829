#pragma once
// A failure that ends tarvix-relay with a given exit status; the message is a catalogue text.
#include "base/Exceptions.h"
#include "cli/ExitCodes.h"

namespace tarvix::cli {

class ECliError : public Exception {
public:
    ECliError(ExitCode code, std::string message) : Exception(std::move(message)), code_(code) {}
    ExitCode Code() const noexcept { return code_; }

private:
    ExitCode code_;
};

} // namespace tarvix::cli

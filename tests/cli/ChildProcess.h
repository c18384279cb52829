#pragma once
// Runs a program with its standard output and error captured, for end-to-end tests. Every wait is bounded.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace tarvix::test {

using namespace std::chrono_literals;

class ChildProcess {
public:
    // stderrPipeSize > 0 shrinks the standard error pipe (to a page at least), so a test can fill it.
    ChildProcess(const std::string& program, const std::vector<std::string>& args, int stderrPipeSize = 0);
    ~ChildProcess(); // kills and reaps the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Reads until standard error holds `count` occurrences of `needle`; false on timeout or end of output.
    bool WaitForStderr(const std::string& needle, std::chrono::milliseconds timeout, int count = 1);
    void Signal(int signal);
    // The exit status, or 128 + the signal that killed it; nullopt when it has not ended within the time.
    // With readOutput false the pipes are left alone, as a reader that has stalled would.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout, bool readOutput = true);

    const std::string& Stdout() const { return out_; }
    const std::string& Stderr() const { return err_; }

private:
    bool Pump(std::chrono::milliseconds wait); // false once both pipes are at end of file

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string out_;
    std::string err_;
    std::optional<int> status_;
};

struct RunResult {
    int code;
    std::string out;
    std::string err;
};

// Runs to the end (at most `timeout`; a child still running then is killed and reported as -1).
RunResult RunToEnd(const std::string& program, const std::vector<std::string>& args,
                   std::chrono::milliseconds timeout = 10s);

int CountOf(const std::string& text, const std::string& needle);

} // namespace tarvix::test

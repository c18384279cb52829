#pragma once
// Lines that can come in floods (a remote that is down fails every client at once): up to a number per second
// and per key are printed as they come; above that they are counted, and one summary line per key says how many
// were left out in that second, written when the second is over.
#include "cli/Console.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace tarvix::cli {

class RateLimitedLog {
public:
    // `summary` makes the line for `count` lines of `key` left out, the last of them being `last`.
    using SummaryText = std::function<std::string(const std::string& key, std::int64_t count, const std::string& last)>;

    RateLimitedLog(int perSecond, Priority priority, SummaryText summary);
    ~RateLimitedLog(); // writes the summaries still owed
    RateLimitedLog(const RateLimitedLog&) = delete;
    RateLimitedLog& operator=(const RateLimitedLog&) = delete;

    // From any thread. `detail` is what the summary quotes of the line when it is left out.
    void Print(const std::string& key, const std::string& line, const std::string& detail);

private:
    using Clock = std::chrono::steady_clock;
    struct Key {
        Clock::time_point windowStart;
        int printed = 0;
        std::int64_t leftOut = 0;
        std::string last;
    };
    void FlushLocked(const std::string& key, Key& k);
    void Run();

    const int perSecond_;
    const Priority priority_;
    const SummaryText summary_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::map<std::string, Key> keys_;
    bool owed_ = false; // a summary waits for its second to end
    bool stop_ = false;
    std::thread thread_;
};

} // namespace tarvix::cli

#include "cli/RateLimitedLog.h"

namespace tarvix::cli {

using namespace std::chrono_literals;

RateLimitedLog::RateLimitedLog(int perSecond, Priority priority, SummaryText summary)
    : perSecond_(perSecond), priority_(priority), summary_(std::move(summary)), thread_([this] { Run(); })
{}

RateLimitedLog::~RateLimitedLog()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        wake_.notify_all();
    }
    thread_.join();
    for (auto& [key, k] : keys_)
        FlushLocked(key, k);
}

void RateLimitedLog::Print(const std::string& key, const std::string& line, const std::string& detail)
{
    std::lock_guard lock(mutex_);
    Key& k = keys_[key];
    const auto now = Clock::now();
    if (now - k.windowStart >= 1s) {
        FlushLocked(key, k);
        k.windowStart = now;
        k.printed = 0;
    }
    if (k.printed < perSecond_) {
        ++k.printed;
        PrintLine(line, priority_);
        return;
    }
    ++k.leftOut;
    k.last = detail;
    if (!owed_) {
        owed_ = true;
        wake_.notify_all();
    }
}

void RateLimitedLog::FlushLocked(const std::string& key, Key& k)
{
    if (k.leftOut == 0)
        return;
    PrintLine(summary_(key, k.leftOut, k.last), priority_);
    k.leftOut = 0;
}

void RateLimitedLog::Run()
{
    std::unique_lock lock(mutex_);
    while (!stop_) {
        wake_.wait(lock, [this] { return stop_ || owed_; });
        // Every second while something is owed: the summaries of the seconds that are over.
        while (!stop_ && owed_) {
            wake_.wait_for(lock, 250ms, [this] { return stop_; });
            const auto now = Clock::now();
            owed_ = false;
            for (auto& [key, k] : keys_) {
                if (k.leftOut == 0)
                    continue;
                if (now - k.windowStart >= 1s)
                    FlushLocked(key, k);
                else
                    owed_ = true;
            }
        }
    }
}

} // namespace tarvix::cli

#include "ReportLog.h"

#include <chrono>

namespace tarvix::test {

TConnectionStateEvent ReportLog::Callback()
{
    return [this](TfConnect* sender, bool connected) {
        std::lock_guard lock(lock_);
        reports_.push_back(connected);
        senders_.push_back(sender);
        changed_.notify_all();
    };
}

std::vector<bool> ReportLog::Reports() const
{
    std::lock_guard lock(lock_);
    return reports_;
}

int ReportLog::Count(bool connected) const
{
    std::lock_guard lock(lock_);
    int n = 0;
    for (bool r : reports_)
        n += r == connected;
    return n;
}

bool ReportLog::WaitFor(int trues, int falses, int timeoutMs) const
{
    std::unique_lock lock(lock_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        int t = 0, f = 0;
        for (bool r : reports_)
            (r ? t : f)++;
        return t >= trues && f >= falses;
    });
}

} // namespace tarvix::test

#include "cli/MappingCloser.h"

#include "relay/Connect.h"

#include <algorithm>
#include <system_error>

namespace tarvix::cli {
namespace {

// Enough for a few hundred mappings in one round, few enough that the threads stay cheap.
constexpr std::size_t kMaxThreads = 256;

} // namespace

MappingCloser::MappingCloser(ActiveMappings mappings, std::function<void()> finished)
    : mappings_(std::move(mappings)), finished_(std::move(finished)), left_(mappings_.size())
{
    if (mappings_.empty()) {
        if (finished_)
            finished_();
        return;
    }
    const std::size_t wanted = std::min(mappings_.size(), kMaxThreads);
    try {
        for (std::size_t i = 0; i < wanted; ++i)
            threads_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // No more threads to be had: those that started share the work; with none, it is done here.
        if (threads_.empty())
            Work();
    }
}

MappingCloser::~MappingCloser()
{
    for (auto& t : threads_)
        t.join();
}

void MappingCloser::Work()
{
    for (std::size_t i = next_++; i < mappings_.size(); i = next_++) {
        CloseOne(*mappings_[i]);
        if (--left_ == 0 && finished_)
            finished_();
    }
}

void MappingCloser::CloseOne(ActiveMapping& mapping)
{
    if (!mapping.connect)
        return;
    mapping.connect->CloseMapping();
    mapping.connect.reset();
}

} // namespace tarvix::cli

#include "cli/RemoteNames.h"

#include "cli/Console.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <netdb.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace tarvix::cli {
namespace {

using namespace std::chrono_literals;

// A look-up of the system cannot be cancelled: the threads are left behind when time runs out, and share
// their results through this.
struct Lookups {
    std::mutex mutex;
    std::condition_variable done;
    struct Answer {
        bool answered = false;
        int code = 0;
    };
    std::map<std::string, Answer> answers;
    std::size_t left = 0;
};

// The resolver's code, 0 when the name resolves. Nothing else: a look-up left behind may still end while the
// process exits, when neither the catalogue nor the language module may be touched any more.
int LookUp(const std::string& host)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int code = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (found)
        ::freeaddrinfo(found);
    return code;
}

std::string Reason(int code)
{
    switch (code) {
    case EAI_NONAME:
    case EAI_NODATA:
    case EAI_FAIL: return LoadResString(msg::FailureHostUnknown);
    case EAI_AGAIN: return LoadResString(msg::FailureNoAnswer);
    default: return std::string(::gai_strerror(code));
    }
}

} // namespace

std::vector<std::string> UnresolvedRemoteWarnings(const std::vector<PlannedMapping>& mappings, const std::string& file)
{
    constexpr auto kLongest = 5s;
    auto lookups = std::make_shared<Lookups>();
    for (const PlannedMapping& m : mappings)
        if (!m.record.address.isEmpty())
            lookups->answers.emplace(m.record.address.toStdString(), Lookups::Answer{});
    lookups->left = lookups->answers.size();
    for (const auto& entry : lookups->answers) {
        const auto answer = [lookups, host = entry.first] {
            const int code = LookUp(host);
            std::lock_guard lock(lookups->mutex);
            lookups->answers[host] = {true, code};
            --lookups->left;
            lookups->done.notify_all();
        };
        try {
            std::thread(answer).detach();
        } catch (const std::system_error&) {
            answer(); // no thread to be had: one after another
        }
    }

    std::unique_lock lock(lookups->mutex);
    lookups->done.wait_for(lock, kLongest, [&] { return lookups->left == 0; });
    std::vector<std::string> warnings;
    for (const PlannedMapping& m : mappings) {
        const auto at = lookups->answers.find(m.record.address.toStdString());
        if (at == lookups->answers.end() || (at->second.answered && at->second.code == 0))
            continue;
        const std::string reason = at->second.answered ? Reason(at->second.code) : LoadResString(msg::FailureNoAnswer);
        const std::string text = FormatRes(msg::CliWarnUnresolved, {Shown(m.record.address), reason});
        warnings.push_back(m.section.isEmpty() ? FormatRes(msg::CliFileError, {Shown(m.record.name), text})
                                               : FormatRes(msg::CliBadValue, {file, Shown(m.section), text}));
    }
    return warnings;
}

} // namespace tarvix::cli

#include "cli/Console.h"

#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace tarvix::cli {
namespace {

void AppendEscaped(std::string& line, unsigned char c)
{
    static constexpr char kHex[] = "0123456789abcdef";
    line += "\\x";
    line += kHex[c >> 4];
    line += kHex[c & 15];
}

// Whether standard error is the journal's stream, as the service manager says through JOURNAL_STREAM
// ("device:inode"); a redirection of standard error elsewhere makes the two differ.
bool StderrIsJournal()
{
    const char* stream = std::getenv("JOURNAL_STREAM");
    struct stat info {};
    if (!stream || ::fstat(STDERR_FILENO, &info) != 0)
        return false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    char end = 0;
    return std::sscanf(stream, "%llu:%llu%c", &device, &inode, &end) == 2 && device == info.st_dev &&
           inode == info.st_ino;
}

std::string OneLine(const std::string& text, Priority priority)
{
    static const bool journal = StderrIsJournal();
    std::string line;
    line.reserve(text.size() + 4);
    if (journal) {
        line += '<';
        line += static_cast<char>('0' + static_cast<int>(priority));
        line += '>';
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            if (!line.empty() && line.back() != ' ')
                line += ' ';
        } else if (c < 0x20 || c == 0x7f) {
            AppendEscaped(line, c);
        } else if (c == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            // U+0080..U+009F: some terminals take these as control sequences too.
            AppendEscaped(line, c);
            AppendEscaped(line, static_cast<unsigned char>(text[++i]));
        } else {
            line += static_cast<char>(c);
        }
    }
    line += '\n';
    return line;
}

// Plain write(2), not stdio: a write stuck at exit must not hold a lock that exit() wants.
void WriteStderr(const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(STDERR_FILENO, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // standard error is closed: the lines have nowhere to go
        done += static_cast<std::size_t>(n);
    }
}

class Writer {
public:
    void Push(std::string line)
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
        if (queue_.size() >= kMaxQueued) {
            ++dropped_;
            return;
        }
        queue_.push_back(std::move(line));
        wake_.notify_one();
    }

    bool Flush(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex_);
        return idle_.wait_for(lock, limit, [this] { return queue_.empty() && dropped_ == 0 && !writing_; });
    }

private:
    static constexpr std::size_t kMaxQueued = 10000;

    [[noreturn]] void Run()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return !queue_.empty() || dropped_ > 0; });
            std::string chunk;
            if (dropped_ > 0) {
                chunk = OneLine(FormatRes(msg::CliLinesLost, {static_cast<std::int64_t>(dropped_)}), Priority::Warning);
                dropped_ = 0;
            }
            for (; !queue_.empty(); queue_.pop_front())
                chunk += queue_.front();
            writing_ = true;
            lock.unlock();
            WriteStderr(chunk);
            lock.lock();
            writing_ = false;
            idle_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::string> queue_;
    std::size_t dropped_ = 0;
    bool writing_ = false;
    std::thread thread_;
};

// Never destroyed: its thread may still be blocked in a write when the process ends.
Writer& TheWriter()
{
    static Writer* writer = new Writer;
    return *writer;
}

} // namespace

void PrintLine(const std::string& text, Priority priority)
{
    TheWriter().Push(OneLine(text, priority));
}

void PrintError(const std::string& text)
{
    PrintLine("tarvix-relay: " + text, Priority::Error);
}

bool FlushConsole(std::chrono::milliseconds limit)
{
    return TheWriter().Flush(limit);
}

std::string Shown(const QString& text)
{
    constexpr qsizetype kLongest = 200;
    if (text.size() <= kLongest)
        return text.toStdString();
    qsizetype cut = kLongest - 1;
    if (text[cut - 1].isHighSurrogate())
        --cut; // never half a character
    return (text.left(cut) + QChar(0x2026)).toStdString();
}

} // namespace tarvix::cli

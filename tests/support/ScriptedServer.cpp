#include "support/ScriptedServer.h"

#include <poll.h>
#include <sys/socket.h>

#include <chrono>
#include <utility>

namespace tarvix::test {

ScriptedServer::ScriptedServer(Handler handler)
    : handler_(std::move(handler)), listener_(ListenLoopback(SOMAXCONN, port_))
{
    thread_ = std::thread([this] { Run(); });
}

ScriptedServer::~ScriptedServer()
{
    stop_ = true;
    thread_.join();
    for (auto& t : handlers_)
        t.join();
}

void ScriptedServer::Run()
{
    while (!stop_) {
        pollfd p{listener_.Fd(), POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(listener_.Fd(), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++accepted_;
        handlers_.emplace_back([this, fd] {
            TestSocket connection(fd);
            handler_(connection);
            connection.Close();
            std::lock_guard lock(lock_);
            ++finished_;
            changed_.notify_all();
        });
    }
}

bool ScriptedServer::WaitFinished(int count, int timeoutMs)
{
    std::unique_lock lock(lock_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return finished_ >= count; });
}

} // namespace tarvix::test

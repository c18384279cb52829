#pragma once
// A remote end on 127.0.0.1 that runs a test's handler on its own thread for each accepted connection.
#include "support/Loopback.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvix::test {

class ScriptedServer {
public:
    using Handler = std::function<void(TestSocket& connection)>;
    explicit ScriptedServer(Handler handler);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;
    int Port() const { return port_; }
    int Accepted() const { return accepted_.load(); }
    // Waits until count handlers have returned.
    bool WaitFinished(int count, int timeoutMs = TestSocket::kTimeoutMs);

private:
    void Run();

    Handler handler_;
    int port_ = 0; // before listener_: filled in while it is made
    TestSocket listener_;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::mutex lock_;
    std::condition_variable changed_;
    int finished_ = 0;
    std::vector<std::thread> handlers_;
    std::thread thread_;
};

} // namespace tarvix::test

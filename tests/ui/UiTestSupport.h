#pragma once
// Shared pieces of the interface component tests.
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace tarvix::test {

// The application object the widgets need; created once per test process.
void EnsureApp();

// Runs the event loop until done() is true or the time is up; returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Runs the event loop for a while (to see that nothing more arrives).
void Spin(int ms);

// Open descriptors of this process.
int OpenDescriptorCount();

// A TCP listener on 127.0.0.1 with a port chosen by the system.
class Listener {
public:
    Listener();
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    int Port() const { return port_; }
    // Accepts one pending client (waits up to timeoutMs); returns its descriptor or -1.
    int Accept(int timeoutMs = 5000);

private:
    int fd_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens (bound by the system, then released).
int FreePort();

// Collects what reaches the application's error display while it lives.
class CapturedErrors {
public:
    CapturedErrors();
    ~CapturedErrors();
    const std::vector<std::string>& Texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
    std::function<void(std::exception_ptr)> previous_;
};

} // namespace tarvix::test

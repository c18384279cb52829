#pragma once
// Holds the calling thread to file permissions even when the tests run as root.

namespace tarvix::test {

// While alive, the calling thread is held to file permissions even when it runs as root (the
// capabilities that bypass them are dropped from its effective set). Enforced() tells whether that worked
// or permissions bite anyway.
class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;
    // Whether a folder without write permission refuses a new file for this thread.
    bool Enforced() const;

private:
    bool dropped_ = false;
    unsigned saved_[2] = {0, 0};
};

} // namespace tarvix::test

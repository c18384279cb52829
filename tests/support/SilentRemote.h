#pragma once
// A remote end that never answers: a loopback listener whose accept queue is full. The system drops every
// further connection request, so a connect to it neither succeeds nor fails until the system gives up.
#include <vector>

namespace tarvix::test {

class SilentRemote {
public:
    SilentRemote();
    ~SilentRemote();
    SilentRemote(const SilentRemote&) = delete;
    SilentRemote& operator=(const SilentRemote&) = delete;

    // 0 when the listener could not be made.
    int Port() const { return port_; }

private:
    int listener_ = -1;
    int port_ = 0;
    std::vector<int> fillers_;
};

} // namespace tarvix::test

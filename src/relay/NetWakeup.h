#pragma once
// A descriptor that another thread can make readable: wakes a poll() at once instead of at its time limit.
namespace tarvix {

class TNetWakeup {
public:
    TNetWakeup(); // raises ENetSocketError when no descriptor is left
    ~TNetWakeup();
    TNetWakeup(const TNetWakeup&) = delete;
    TNetWakeup& operator=(const TNetWakeup&) = delete;

    int Descriptor() const { return readFd_; }
    void Signal(); // from any thread
    void Drain();

private:
    int readFd_ = -1;
    int writeFd_ = -1;
};

} // namespace tarvix

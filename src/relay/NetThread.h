#pragma once
// Engine threads: a loop of passes between BeforeLoop and AfterLoop, on an OS thread with a small stack
// (thousands of relayed connections mean thousands of threads). A self-destroying thread runs on an OS
// thread taken from TNetThreadCache, which parks it for the next one when it ends.
#include <pthread.h>

#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace tarvix {

class TNetThreadMgr;

// Something a thread owns and frees when the thread object is destroyed.
class TNetPayload {
public:
    virtual ~TNetPayload() = default;
};

class TNetThread {
public:
    static constexpr std::size_t kStackSize = 256 * 1024;

    // The OS thread is created by StartThread; createSuspended only decides whether the loop may run.
    explicit TNetThread(bool createSuspended = true);
    virtual ~TNetThread();
    TNetThread(const TNetThread&) = delete;
    TNetThread& operator=(const TNetThread&) = delete;

    // Starts the OS thread when it is halted and not yet started; raises ENetThreadMgrError when the
    // system cannot create one. A thread that destroys itself must not be touched after this returns.
    void StartThread();
    // Asks the loop to stop after the current pass (stopping always terminates).
    void StopThread();
    bool IsHalted() const { return halted_.load() || terminated_.load(); }
    bool Terminated() const { return terminated_.load(); }
    void StopAndJoin();
    // Waits for the OS thread to end (nothing when it never started).
    void Join();

    TNetPayload* Payload() const { return payload_.get(); }
    void SetPayload(std::unique_ptr<TNetPayload> payload) { payload_ = std::move(payload); }
    // Message of the exception that ended the thread; read it after the thread has ended.
    const std::string& FailureText() const { return failureText_; }

    std::function<void(TNetThread& thread, const std::exception& error)> OnThreadError;

    // The engine thread running the caller, nullptr on any other thread.
    static TNetThread* Current();

    // The manager that handed this thread out; kept alive by the thread until it ends.
    const std::shared_ptr<TNetThreadMgr>& ThreadMgr() const { return mgr_; }

protected:
    virtual void LoopPass() = 0;
    virtual void BeforeLoop() {}
    virtual void AfterLoop() {}
    // A thread that destroys itself when it ends, once started (decided before the start).
    void SetDestroysItself() { destroysItself_ = true; }
    bool DestroysItself() const { return destroysItself_; }
    // Asked once a self-destroying thread has ended, just before it is destroyed: what its OS thread does
    // next, instead of parking. The work returns another self-destroying thread to run there at once
    // (taken over by TakeOverHere) or nullptr.
    using TFollowUp = std::function<TNetThread*()>;
    virtual TFollowUp FollowUp() { return nullptr; }
    // Marks a halted, never started self-destroying thread as started on the OS thread that will run it
    // as a follow-up.
    void TakeOverHere();

private:
    friend class TNetThreadMgr;

    static void* Entry(void* self);
    static void RunDetached(void* self);
    void Run();
    void Execute();

    pthread_t handle_{};
    bool started_ = false;
    bool joined_ = false;
    bool destroysItself_ = false;
    std::atomic<bool> halted_;
    std::atomic<bool> terminated_{false};
    std::unique_ptr<TNetPayload> payload_;
    std::string failureText_;
    std::shared_ptr<TNetThreadMgr> mgr_;
    std::size_t liveIndex_ = 0; // place in the manager's list of live threads
};

} // namespace tarvix

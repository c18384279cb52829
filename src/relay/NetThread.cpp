#include "relay/NetThread.h"

#include "relay/NetExceptions.h"
#include "relay/NetStack.h"
#include "relay/NetStackPosix.h"
#include "relay/NetThreadCache.h"

#include <limits.h>

#include <algorithm>

namespace tarvix {

namespace {
thread_local TNetThread* tCurrent = nullptr;
}

TNetThread* TNetThread::Current()
{
    return tCurrent;
}

TNetThread::TNetThread(bool createSuspended) : halted_(createSuspended) {}

TNetThread::~TNetThread()
{
    if (!destroysItself_)
        StopAndJoin();
}

void TNetThread::StartThread()
{
    if (!IsHalted() || started_)
        return;
    halted_.store(false);
    started_ = true;

    const std::size_t stackSize = std::max<std::size_t>(kStackSize, PTHREAD_STACK_MIN);
    // After a successful start a self-destroying thread may already be gone: touch nothing of it.
    const bool selfOwned = destroysItself_;
    pthread_t handle{};
    int r = 0;
    if (selfOwned) {
        // It owns itself and is never joined, so any parked OS thread can run it.
        r = TNetThreadCache::Instance().Run(&TNetThread::RunDetached, this, stackSize);
    } else {
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        pthread_attr_setstacksize(&attr, stackSize);
        r = pthread_create(&handle, &attr, &TNetThread::Entry, this);
        pthread_attr_destroy(&attr);
    }
    if (r != 0) {
        started_ = false;
        halted_.store(true);
        throw ENetThreadMgrError(TNetStack::ErrorText(TranslateErrno(r)));
    }
    if (!selfOwned)
        handle_ = handle;
}

void TNetThread::StopThread()
{
    if (!IsHalted()) {
        terminated_.store(true);
        halted_.store(true);
    }
}

void TNetThread::StopAndJoin()
{
    terminated_.store(true);
    halted_.store(true);
    Join();
}

void TNetThread::Join()
{
    if (!started_ || joined_ || destroysItself_)
        return;
    joined_ = true;
    if (pthread_equal(handle_, pthread_self()))
        pthread_detach(handle_); // the last owner let go on the thread itself: it cannot wait for itself
    else
        pthread_join(handle_, nullptr);
}

void* TNetThread::Entry(void* self)
{
    auto* thread = static_cast<TNetThread*>(self);
    tCurrent = thread;
    thread->Execute();
    return nullptr;
}

void TNetThread::RunDetached(void* self)
{
    for (auto* thread = static_cast<TNetThread*>(self); thread;) {
        tCurrent = thread;
        thread->Execute();
        TFollowUp next;
        try {
            next = thread->FollowUp();
        } catch (...) {
        }
        delete thread;
        // The OS thread may run or be parked for another engine thread: it must not look like this one.
        tCurrent = nullptr;
        thread = nullptr;
        if (next) {
            try {
                thread = next();
            } catch (...) {
            }
        }
    }
}

void TNetThread::TakeOverHere()
{
    halted_.store(false);
    started_ = true;
}

void TNetThread::Run()
{
    if (!Terminated()) {
        try {
            BeforeLoop();
            while (!IsHalted())
                LoopPass();
        } catch (...) {
            AfterLoop();
            throw;
        }
    }
    AfterLoop();
}

void TNetThread::Execute()
{
    try {
        Run();
    } catch (const std::exception& e) {
        failureText_ = e.what();
        try {
            if (OnThreadError)
                OnThreadError(*this, e);
        } catch (...) {
        }
    } catch (...) {
    }
    terminated_.store(true);
}

} // namespace tarvix

#include "relay/NetThreadMgrDefault.h"

#include "relay/NetExceptions.h"

namespace tarvix {

std::unique_ptr<TNetThread> TNetThreadMgr::NewThread()
{
    if (!ThreadType)
        throw ENetThreadClassNotSpecified();
    return ThreadType();
}

std::size_t TNetThreadMgr::LiveCount() const
{
    std::lock_guard lock(LiveLock);
    return LiveThreads.size();
}

void TNetThreadMgr::AddLive(TNetThread* thread)
{
    thread->mgr_ = shared_from_this();
    std::lock_guard lock(LiveLock);
    thread->liveIndex_ = LiveThreads.size();
    LiveThreads.push_back(thread);
}

void TNetThreadMgr::RemoveLive(TNetThread* thread)
{
    std::lock_guard lock(LiveLock);
    const std::size_t i = thread->liveIndex_;
    if (i >= LiveThreads.size() || LiveThreads[i] != thread)
        return;
    LiveThreads[i] = LiveThreads.back();
    LiveThreads[i]->liveIndex_ = i;
    LiveThreads.pop_back();
}

TNetThread* TNetThreadMgrDefault::AcquireThread()
{
    std::unique_ptr<TNetThread> thread = NewThread();
    AddLive(thread.get());
    return thread.release();
}

void TNetThreadMgrDefault::ReturnThread(TNetThread* thread)
{
    RemoveLive(thread);
    if (thread == TNetThread::Current())
        return;
    std::unique_ptr<TNetThread> gone(thread);
    gone->StopAndJoin();
}

} // namespace tarvix

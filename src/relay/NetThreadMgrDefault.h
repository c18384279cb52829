#pragma once
// Thread managers: hand out the peer threads of a server. The default one makes one fresh thread object per
// connection; its OS thread may be a parked one (TNetThreadCache).
#include "relay/NetThread.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tarvix {

class TNetThreadMgr : public std::enable_shared_from_this<TNetThreadMgr> {
public:
    // Makes a thread of the wanted class, created suspended.
    using TThreadClass = std::function<std::unique_ptr<TNetThread>()>;

    virtual ~TNetThreadMgr() = default;

    TThreadClass ThreadType;

    // A new suspended thread of ThreadType; raises ENetThreadClassNotSpecified when none is set.
    virtual std::unique_ptr<TNetThread> NewThread();
    // The thread stays the manager's until it is started (then a self-destroying thread owns itself) or
    // given back.
    virtual TNetThread* AcquireThread() = 0;
    // From the thread itself: forgets it (it ends and frees itself). From another thread: stops, waits for
    // and destroys it.
    virtual void ReturnThread(TNetThread* thread) = 0;

    std::size_t LiveCount() const;

protected:
    void AddLive(TNetThread* thread);
    void RemoveLive(TNetThread* thread);

    mutable std::mutex LiveLock;
    std::vector<TNetThread*> LiveThreads;
};

class TNetThreadMgrDefault : public TNetThreadMgr {
public:
    TNetThread* AcquireThread() override;
    void ReturnThread(TNetThread* thread) override;
};

} // namespace tarvix

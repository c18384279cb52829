#pragma once
// Bounds the engine's outbound connects for one test; header only, for test programs that link the engine.
#include "relay/NetStack.h"

namespace tarvix::test {

// Bounds every outbound attempt that starts while it lives to `ms` instead of kConnectTimeoutMs.
class ShortConnectTimeout {
public:
    explicit ShortConnectTimeout(int ms) { SetConnectTimeoutMs(ms); }
    ~ShortConnectTimeout() { SetConnectTimeoutMs(0); }
    ShortConnectTimeout(const ShortConnectTimeout&) = delete;
    ShortConnectTimeout& operator=(const ShortConnectTimeout&) = delete;
};

} // namespace tarvix::test

#pragma once
// Tells the service manager how the service is doing ("READY=1", "STATUS=...", "RELOADING=1", "STOPPING=1"),
// one datagram to the socket named by NOTIFY_SOCKET; does nothing when that is not set.
#include <string>

namespace tarvix::cli {

// Several assignments go in one call, separated by "\n". Failures are ignored: the relay runs on without.
void NotifyService(const std::string& state);

} // namespace tarvix::cli

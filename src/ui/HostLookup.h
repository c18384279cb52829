#pragma once
// A name lookup on a thread of its own whose result comes back through the receiver's event loop.
// Cancelling it (or destroying the receiver after cancelling) guarantees that the result is never delivered;
// the thread itself runs on to the end of its system call and then only drops its result.
#include <QString>

#include <sys/socket.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QObject;

namespace tarvix {

enum class TLookupKind { Host, Service };

struct TLookupResult {
    int errorCode = 0; // Windows Sockets lookup code, 0 on success
    // Host: every IPv4 and IPv6 address of the name, in the order the system prefers, port 0.
    std::vector<sockaddr_storage> addresses;
    std::uint16_t port = 0; // port, network byte order (Service)
};

// Resolves a host name (or an IPv4 or IPv6 literal) to its addresses, or a TCP service name to its port.
// Blocking.
using TResolveFunction = TLookupResult (*)(const std::string& name, TLookupKind kind);
TLookupResult ResolveWithSystem(const std::string& name, TLookupKind kind);

// Replaces the resolver of every later lookup (nullptr: the system's). For tests that need a slow or failing lookup.
void SetResolveFunction(TResolveFunction resolve);

class THostLookup {
public:
    using Done = std::function<void(THostLookup* lookup, const TLookupResult& result)>;

    // Starts the lookup; `done` runs later in the receiver's thread unless Cancel() came first.
    // The receiver must call Cancel() before it is destroyed. Returns nullptr when no thread can be started.
    static std::shared_ptr<THostLookup> Start(QObject* receiver, const QString& name, TLookupKind kind, Done done);

    // Call from the receiver's thread.
    void Cancel();

    THostLookup(QObject* receiver, std::string name, TLookupKind kind, Done done);

private:
    static void Run(std::shared_ptr<THostLookup> self, TResolveFunction resolve);

    std::mutex mutex_;
    QObject* receiver_; // cleared by Cancel(), under mutex_
    bool cancelled_ = false;
    const std::string name_;
    const TLookupKind kind_;
    Done done_;
};

} // namespace tarvix

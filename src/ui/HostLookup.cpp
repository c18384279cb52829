#include "ui/HostLookup.h"

#include "relay/NetStackPosix.h"

#include <QMetaObject>
#include <QObject>
#include <QUrl>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

namespace tarvix {
namespace {

std::atomic<TResolveFunction> gResolve{nullptr};

} // namespace

TLookupResult ResolveWithSystem(const std::string& name, TLookupKind kind)
{
    TLookupResult result;
    if (kind == TLookupKind::Service) {
        servent entry{};
        servent* found = nullptr;
        char buffer[1024];
        if (getservbyname_r(name.c_str(), "tcp", &entry, buffer, sizeof buffer, &found) != 0 || !found)
            result.errorCode = netcode::NoData;
        else
            result.port = static_cast<std::uint16_t>(found->s_port);
        return result;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC; // both families, in the system's order of preference
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    errno = 0;
    const int rc = getaddrinfo(name.c_str(), nullptr, &hints, &list);
    if (rc != 0) {
        result.errorCode = TranslateLookupError(rc, errno);
        return result;
    }
    for (const addrinfo* a = list; a; a = a->ai_next) {
        if ((a->ai_family != AF_INET && a->ai_family != AF_INET6) || !a->ai_addr ||
            a->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        sockaddr_storage address{};
        std::memcpy(&address, a->ai_addr, a->ai_addrlen);
        result.addresses.push_back(address);
    }
    freeaddrinfo(list);
    if (result.addresses.empty())
        result.errorCode = netcode::NoData;
    return result;
}

void SetResolveFunction(TResolveFunction resolve)
{
    gResolve.store(resolve);
}

THostLookup::THostLookup(QObject* receiver, std::string name, TLookupKind kind, Done done)
    : receiver_(receiver), name_(std::move(name)), kind_(kind), done_(std::move(done))
{}

std::shared_ptr<THostLookup> THostLookup::Start(QObject* receiver, const QString& name, TLookupKind kind, Done done)
{
    std::string bytes;
    if (kind == TLookupKind::Host) {
        // International names go out in their ASCII form; what does not convert is passed as it is and fails there.
        const QByteArray ace = QUrl::toAce(name);
        bytes = (ace.isEmpty() ? name.toUtf8() : ace).toStdString();
    } else {
        bytes = name.toStdString();
    }
    auto lookup = std::make_shared<THostLookup>(receiver, std::move(bytes), kind, std::move(done));
    TResolveFunction resolve = gResolve.load();
    try {
        std::thread(&THostLookup::Run, lookup, resolve ? resolve : &ResolveWithSystem).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return lookup;
}

void THostLookup::Cancel()
{
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    receiver_ = nullptr;
}

void THostLookup::Run(std::shared_ptr<THostLookup> self, TResolveFunction resolve)
{
    const TLookupResult result = resolve(self->name_, self->kind_);
    std::lock_guard lock(self->mutex_);
    if (!self->receiver_)
        return;
    // The receiver cannot go away while the lock is held: it cancels first. Once posted, the call is dropped
    // with the receiver's other pending events if the receiver is destroyed before it runs.
    QMetaObject::invokeMethod(
        self->receiver_,
        [self, result] {
            if (!self->cancelled_)
                self->done_(self.get(), result);
        },
        Qt::QueuedConnection);
}

} // namespace tarvix

#pragma once
// The socket stack over POSIX sockets.
#include "relay/NetStack.h"

namespace tarvix {

// errno of a socket call as the Windows Sockets code of the same failure.
int TranslateErrno(int error);

// Raises the soft descriptor limit to the hard one: a relayed connection takes two descriptors. The first
// stack made in the process does it, once.
void RaiseDescriptorLimit();

class TNetStackPosix : public TNetStack {
public:
    TNetStackPosix();

    int NewSocket(int type, int protocol) override;
    int BindTo(int descriptor, const std::string& ip, int port) override;
    int ListenOn(int descriptor, int backlog) override;
    int AcceptOn(int descriptor, std::string& ip, int& port) override;
    int ConnectTo(int descriptor, int family, const std::string& ip, int port) override;
    long ReceiveOn(int descriptor, void* buffer, std::size_t length, int flags) override;
    long SendOn(int descriptor, const void* buffer, std::size_t length, int flags) override;
    int WaitSockets(std::vector<int>* readList, std::vector<int>* writeList, std::vector<int>* exceptList,
                    int timeoutMs) override;
    int PollSockets(pollfd* entries, std::size_t count, int timeoutMs) override;
    int SetOption(int descriptor, int level, int name, const void* value, unsigned length) override;
    int SetBlocking(int descriptor, bool blocking) override;
    int ShutdownOn(int descriptor, int how) override;
    int CloseDescriptor(int descriptor) override;
    void LocalName(int descriptor, std::string& ip, int& port) override;
    void PeerName(int descriptor, std::string& ip, int& port) override;
    std::string LookupHost(const std::string& name) override;
    int LastError() override;
};

} // namespace tarvix

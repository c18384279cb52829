#pragma once
// The socket stack over POSIX sockets, and the one place where system errors become Windows Sockets codes
// (the engine and the interface's client socket both report through it).
#include "relay/NetStack.h"

#include <string>

namespace tarvix {

// errno of a socket call as the Windows Sockets code of the same failure. A number without a Windows Sockets
// counterpart is kept as it is: shifted into the Windows Sockets range it would meet unrelated codes there.
int TranslateErrno(int error);

// A getaddrinfo() failure as a Windows Sockets lookup code (11001..11004). EAI_SYSTEM reports systemError,
// the errno that came with it; never 0.
int TranslateLookupError(int gaiError, int systemError);

// The system's text for a code: the catalogue's socket error text where it has one, else the platform's.
std::string SystemErrorText(int code);

// A connect to a free port in the ephemeral range can meet its own socket (TCP simultaneous open):
// true when the socket's local and remote ends are the same.
bool SocketConnectedToItself(int fd);

// Raises the soft descriptor limit to the hard one: a relayed connection takes two descriptors. The first
// stack made in the process does it, once.
void RaiseDescriptorLimit();

class TNetStackPosix : public TNetStack {
public:
    TNetStackPosix();

    int NewSocket(int family, int type, int protocol) override;
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
    long QueuedToSend(int descriptor) override;
    int ShutdownOn(int descriptor, int how) override;
    int CloseDescriptor(int descriptor) override;
    void LocalName(int descriptor, std::string& ip, int& port) override;
    void PeerName(int descriptor, std::string& ip, int& port) override;
    std::vector<std::string> LookupHost(const std::string& name) override;
    int LastError() override;
};

} // namespace tarvix

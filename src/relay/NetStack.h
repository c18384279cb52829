#pragma once
// The socket stack of the engine: every socket call goes through it, and it turns results into exceptions
// and error codes into catalogue texts. Errors are reported under the Windows Sockets codes on every platform.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct pollfd;

namespace tarvix {

// Windows Sockets codes tested by name, in the engine and in the interface's client socket.
namespace netcode {
inline constexpr int Interrupted = 10004;
inline constexpr int BadDescriptor = 10009;
inline constexpr int InvalidArgument = 10022;
inline constexpr int TooManyOpenFiles = 10024;
inline constexpr int WouldBlock = 10035;
inline constexpr int InProgress = 10036;
inline constexpr int NotSocket = 10038;
inline constexpr int AddressInUse = 10048;
inline constexpr int AddressNotAvailable = 10049;
inline constexpr int NetworkUnreachable = 10051;
inline constexpr int ConnectionAborted = 10053;
inline constexpr int ConnectionReset = 10054;
inline constexpr int NoBufferSpace = 10055;
inline constexpr int NotConnected = 10057;
inline constexpr int Shutdown = 10058;
inline constexpr int TimedOut = 10060;
inline constexpr int ConnectionRefused = 10061;
inline constexpr int HostUnreachable = 10065;
inline constexpr int HostNotFound = 11001;
inline constexpr int TryAgain = 11002;
inline constexpr int NoRecovery = 11003;
inline constexpr int NoData = 11004;
inline constexpr int NoAddress = 1110; // neither a host nor an address was given
} // namespace netcode

// An outbound connection attempt that has neither succeeded nor failed by then fails as timed out
// (netcode::TimedOut), whatever the system's own retries would allow.
inline constexpr int kConnectTimeoutMs = 21000;
// The bound in force for the attempts that start from now on.
int ConnectTimeoutMs();
// For tests: a shorter bound; 0 (or less) restores kConnectTimeoutMs.
void SetConnectTimeoutMs(int ms);
// For tests: answers the host-name lookups of every stack instead of the system; nullptr restores it.
using TNetHostLookupFunction = std::vector<std::string> (*)(const std::string& name);
void SetHostLookupForTests(TNetHostLookupFunction lookup);

using TNetAddressBytes = std::array<std::uint8_t, 4>;

class TNetStack {
public:
    // A socket wait takes at most this many descriptors per list.
    static constexpr std::size_t kMaxWaitList = 64;
    // WaitSockets without time limit.
    static constexpr int kWaitForever = -2;

    virtual ~TNetStack() = default;

    // Thin calls of the platform; failures return -1 and leave the code in LastError().
    // family AF_INET or AF_INET6; raises ENetSocketError on failure.
    virtual int NewSocket(int family, int type, int protocol) = 0;
    // ip: an IPv4 or IPv6 literal, empty for every IPv4 interface; "::" also admits IPv4 where the system
    // allows both on one socket.
    virtual int BindTo(int descriptor, const std::string& ip, int port) = 0;
    virtual int ListenOn(int descriptor, int backlog) = 0;
    virtual int AcceptOn(int descriptor, std::string& ip, int& port) = 0;
    virtual int ConnectTo(int descriptor, int family, const std::string& ip, int port) = 0;
    virtual long ReceiveOn(int descriptor, void* buffer, std::size_t length, int flags) = 0;
    // Never raises SIGPIPE, whatever the flags.
    virtual long SendOn(int descriptor, const void* buffer, std::size_t length, int flags) = 0;
    // Select-like wait: each given list is replaced by its ready descriptors; timeoutMs kWaitForever (or any
    // negative value) waits without limit. More than kMaxWaitList descriptors in a list raises
    // ENetStackSetSizeExceeded.
    virtual int WaitSockets(std::vector<int>* readList, std::vector<int>* writeList, std::vector<int>* exceptList,
                            int timeoutMs) = 0;
    // poll() itself, for the waits that watch more than sockets or want the event bits.
    virtual int PollSockets(pollfd* entries, std::size_t count, int timeoutMs) = 0;
    virtual int SetOption(int descriptor, int level, int name, const void* value, unsigned length) = 0;
    virtual int SetBlocking(int descriptor, bool blocking) = 0;
    // Bytes handed to a connected socket that its peer has not acknowledged yet; -1 when unknown.
    virtual long QueuedToSend(int descriptor) = 0;
    virtual int ShutdownOn(int descriptor, int how) = 0;
    virtual int CloseDescriptor(int descriptor) = 0;
    virtual void LocalName(int descriptor, std::string& ip, int& port) = 0; // raises on failure
    virtual void PeerName(int descriptor, std::string& ip, int& port) = 0;  // raises on failure
    // Every address of a name, both families, in the order the system prefers them; empty when there is
    // none (the code is in LastError()).
    virtual std::vector<std::string> LookupHost(const std::string& name) = 0;
    // Code of the last failed call on the calling thread.
    virtual int LastError() = 0;

    // "localhost" in any case is 127.0.0.1, an address literal is itself, otherwise every address of the
    // name in the system's order; raises the lookup's error when there is none.
    std::vector<std::string> ResolveAll(const std::string& host);
    // The first of them.
    std::string Resolve(const std::string& host);
    // False when result is not -1; true when the failure's code is one of ignored; otherwise raises.
    bool CheckResult(long result, std::initializer_list<int> ignored = {});
    [[noreturn]] void RaiseError(int code);

    static std::string ErrorText(int code);
    static bool IsDottedQuad(std::string_view text);
    static std::string AddressToText(const TNetAddressBytes& address);
    // Raises ENetSocketError (invalid argument) when the text is not a dotted quad.
    static TNetAddressBytes TextToAddress(std::string_view text);
};

// The stack of this platform (the first one made also raises the process's descriptor limit).
std::unique_ptr<TNetStack> NewPlatformStack();

// The shared stack of the process: made with the first engine component, dropped with the last.
TNetStack& AcquireSharedStack();
void ReleaseSharedStack();
// The current shared stack, or nullptr when no engine component exists.
TNetStack* SharedStack();

} // namespace tarvix

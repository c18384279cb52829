#include "relay/NetStack.h"

#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetAddress.h"
#include "relay/NetExceptions.h"

#include <atomic>
#include <charconv>
#include <mutex>

namespace tarvix {

namespace {

// Deliberately never destroyed: a lingering peer may still release its components while the process exits.
struct SharedStackState {
    std::mutex lock;
    int users = 0;
    std::unique_ptr<TNetStack> stack;
};

std::atomic<int> gConnectTimeoutMs{kConnectTimeoutMs};
std::atomic<TNetHostLookupFunction> gHostLookup{nullptr};

SharedStackState& State()
{
    static auto* state = new SharedStackState;
    return *state;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

// Reads one piece of a dotted quad: 0..255, decimal digits only.
bool ReadByte(std::string_view piece, std::uint8_t& value)
{
    if (piece.empty() || piece.size() > 3)
        return false;
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), v);
    if (ec != std::errc() || end != piece.data() + piece.size() || v > 255)
        return false;
    value = static_cast<std::uint8_t>(v);
    return true;
}

bool SplitQuad(std::string_view text, TNetAddressBytes& bytes)
{
    for (int i = 0; i < 3; ++i) {
        const auto dot = text.find('.');
        if (dot == std::string_view::npos || !ReadByte(text.substr(0, dot), bytes[i]))
            return false;
        text.remove_prefix(dot + 1);
    }
    return ReadByte(text, bytes[3]);
}

} // namespace

int ConnectTimeoutMs()
{
    return gConnectTimeoutMs.load(std::memory_order_relaxed);
}

void SetConnectTimeoutMs(int ms)
{
    gConnectTimeoutMs.store(ms > 0 ? ms : kConnectTimeoutMs, std::memory_order_relaxed);
}

void SetHostLookupForTests(TNetHostLookupFunction lookup)
{
    gHostLookup.store(lookup);
}

std::vector<std::string> TNetStack::ResolveAll(const std::string& host)
{
    if (EqualsIgnoringCase(host, "LOCALHOST"))
        return {"127.0.0.1"};
    if (IsAddressLiteral(host))
        return {host};
    const TNetHostLookupFunction lookup = gHostLookup.load();
    std::vector<std::string> addresses = lookup ? lookup(host) : LookupHost(host);
    if (addresses.empty())
        RaiseError(LastError());
    return addresses;
}

std::string TNetStack::Resolve(const std::string& host)
{
    return ResolveAll(host).front();
}

bool TNetStack::CheckResult(long result, std::initializer_list<int> ignored)
{
    if (result != -1)
        return false;
    const int code = LastError();
    for (int c : ignored)
        if (c == code)
            return true;
    RaiseError(code);
}

void TNetStack::RaiseError(int code)
{
    throw ENetSocketError(code);
}

std::string TNetStack::ErrorText(int code)
{
    const int id = msg::SocketErrorTextId(code);
    return FormatRes(msg::SocketError, {std::int64_t{code}, id ? LoadResString(id) : std::string()});
}

bool TNetStack::IsDottedQuad(std::string_view text)
{
    TNetAddressBytes bytes{};
    return SplitQuad(text, bytes);
}

std::string TNetStack::AddressToText(const TNetAddressBytes& address)
{
    std::string text;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i)
            text += '.';
        text += std::to_string(address[i]);
    }
    return text;
}

TNetAddressBytes TNetStack::TextToAddress(std::string_view text)
{
    TNetAddressBytes bytes{};
    if (!SplitQuad(text, bytes))
        throw ENetSocketError(netcode::InvalidArgument);
    return bytes;
}

TNetStack& AcquireSharedStack()
{
    SharedStackState& s = State();
    std::lock_guard lock(s.lock);
    if (!s.stack)
        s.stack = NewPlatformStack();
    ++s.users;
    return *s.stack;
}

void ReleaseSharedStack()
{
    SharedStackState& s = State();
    std::unique_ptr<TNetStack> gone;
    std::lock_guard lock(s.lock);
    if (--s.users == 0)
        gone = std::move(s.stack);
}

TNetStack* SharedStack()
{
    SharedStackState& s = State();
    std::lock_guard lock(s.lock);
    return s.stack.get();
}

} // namespace tarvix

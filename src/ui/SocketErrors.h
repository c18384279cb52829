#pragma once
// Error numbers of the client socket, reported under their Windows Sockets values on every platform.
#include <string>

namespace tarvix::wsa {

inline constexpr int WouldBlock = 10035;
inline constexpr int AddressNotAvailable = 10049;
inline constexpr int NoBufferSpace = 10055;
inline constexpr int ConnectionRefused = 10061;
inline constexpr int HostNotFound = 11001;
inline constexpr int TryAgain = 11002;
inline constexpr int NoRecovery = 11003;
inline constexpr int NoData = 11004;
inline constexpr int NoAddress = 1110; // neither a host nor an address was given

// A POSIX errno as its Windows Sockets number; a value without one keeps its system number.
int CodeFromErrno(int error);

// A getaddrinfo()/getservbyname() failure as the Windows Sockets lookup code (11001..11004).
int CodeFromLookupError(int gaiError);

// The system's text for a code: the catalogue's socket error text where it has one, else the platform's.
std::string SystemText(int code);

} // namespace tarvix::wsa

namespace tarvix {

// A connect to a free port in the ephemeral range can meet its own socket (TCP simultaneous open):
// true when the socket's local and remote ends are the same.
bool SocketConnectedToItself(int fd);

} // namespace tarvix

// The socket layer under Psock: POSIX sockets and Qt, presented with the
// calls, error numbers and notifications of Windows Sockets 1.1.
//
// Every socket call sets the calling thread's last error (WSAGetLastError) to
// a Windows Sockets error number translated from errno, so the component
// logic above reads the same numbers on every platform. A socket attached to
// a message window with WSAAsyncSelect becomes non-blocking, and its events
// arrive at that window as posted messages (the socket in the low 32 bits of
// the parameter, event code in the low 16 bits and error word in the high 16
// bits of the long parameter) with
// the re-enabling rules of Windows Sockets: one FD_READ until the next recv
// (a peek included), one FD_ACCEPT until the next accept, one FD_CONNECT with
// the outcome of a connect, one FD_CLOSE when the peer's end is seen.
#pragma once

/// \file
/// The socket layer under TPowersock: POSIX sockets and Qt with the calls and numbers of Windows
/// Sockets 1.1.

#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "socket/SocketTypes.h"

namespace toolkit {
class MessageWindow;
}

namespace Psock {

/// The error number that a failed call of this thread left behind.
int WSAGetLastError();
/// Sets the error number that WSAGetLastError reads on this thread.
void WSASetLastError(int error);

/// The Windows Sockets number for an errno value. Values without a Windows
/// Sockets counterpart become 10100 + errno, which no table names.
int TranslateErrno(int posixError);

/// Fills `data` with a description of this platform's socket layer. Returns 0.
int WSAStartup(uint16_t version, WSAData* data);
/// The counterpart of WSAStartup; nothing to release here. Returns 0.
int WSACleanup();

// The plain socket calls below refuse kNoSocket (10038) instead of passing
// it on to the system. Failures return -1 (kNoSocket for socket and accept)
// and set the last error.

/// A new socket. A descriptor that does not fit a TSocket is closed again
/// and reported as 10024 (too many open files).
TSocket socket(int family, int type, int protocol);
/// Sets the linger option: with `on`, closing waits at most `seconds` (0:
/// the connection is dropped at once).
int SetLinger(TSocket socket, bool on, int seconds);
/// Starts a connect to an IPv4 address; on an attached socket its outcome
/// follows as FD_CONNECT.
int connect(TSocket socket, const sockaddr_in& address);
/// Starts a connect to an IPv6 address; as the IPv4 one.
int connect(TSocket socket, const sockaddr_in6& address);
/// The address family of the socket (AF_INET or AF_INET6), -1 when unknown.
int SocketFamily(TSocket socket);
/// A fresh socket of `family` in place of `socket`, which must not be
/// connected: the new one has the same linger option, the old one is closed.
/// kNoSocket (and the old one kept) when the new one cannot be had.
TSocket ReopenSocket(TSocket socket, int family);
/// Sends at most `count` bytes; the number taken. Never raises SIGPIPE: a
/// send to a peer that has gone fails with an error.
long send(TSocket socket, const void* data, size_t count);
/// Receives (or with `peek`, looks at) at most `count` waiting bytes; 0 when
/// the peer has closed. Re-enables FD_READ.
long recv(TSocket socket, void* data, size_t count, bool peek);
/// Accepts a connection; `peer` receives the peer's address, IPv4 or IPv6.
/// Re-enables FD_ACCEPT.
TSocket accept(TSocket socket, sockaddr_storage* peer);
/// Waits until the socket takes data again, at most `limitMs` milliseconds.
void WaitUntilWritable(TSocket socket, int limitMs);
/// Waits until the socket has something to read, at most `limitMs` ms.
/// True when it has (bytes, the peer's end or an error), false when the
/// time ran out first.
bool WaitUntilReadable(TSocket socket, int limitMs);
/// Asks again and again, without sleeping (but yielding the processor
/// between two questions), whether the socket has something to read, for at
/// most `limit`; as WaitUntilReadable. For a peer that answers within
/// microseconds this is sooner than a wake-up from a sleep.
bool SpinUntilReadable(TSocket socket, std::chrono::microseconds limit);
/// Detaches the socket from its window and closes it.
int closesocket(TSocket socket);
/// A dotted IPv4 address in network byte order; INADDR_NONE when `text` is
/// not one.
uint32_t inet_addr(const char* text);
/// The first IPv4 address of `name` in network byte order, through the
/// system's blocking resolver; 0 when it has none.
uint32_t LookupFirstIPv4(const std::string& name);
/// The first IPv6 address of `name` through the system's blocking resolver;
/// false when it has none.
bool LookupFirstIPv6(const std::string& name, in6_addr* address);
/// Reads an IPv6 address literal (a scope such as "%lo" allowed) without any
/// look-up; false when `text` is not one.
bool ParseIPv6Literal(const std::string& text, sockaddr_in6* address);
/// The local machine's name; empty when it cannot be had.
std::string LocalHostName();

/// Attaches `socket` to `window`: the events of `events` (FD_... bits) are
/// posted to it as message `message`. Makes the socket non-blocking. A second
/// call for the same socket replaces the first; events 0 detaches it.
int WSAAsyncSelect(TSocket socket, toolkit::MessageWindow* window, uint32_t message,
                   uint16_t events);

/// Lets FD_READ of an attached socket be posted only while `wanted` returns
/// true (empty: always). A notification that `wanted` refuses counts as
/// posted and handled: the next one follows the next recv, as usual. For a
/// window whose FD_READ would do nothing, this spares the event loop a
/// message, and a wake-up, per read. Attaching again clears it.
void SetReadInterest(TSocket socket, std::function<bool()> wanted);

/// Whether the read notifier of an attached socket has found bytes (or the
/// peer's end) waiting since the last recv on it. False for a socket that is
/// not attached.
bool ReadableSeen(TSocket socket);

/// Whether a notification (by its parameter) was posted for a socket that has
/// been closed or re-attached since: such a message must be ignored, because
/// the system may already have handed the same number to a new socket.
bool IsStaleNotification(uintptr_t parameter);

/// Where the background look-up writes the first IPv4 address (network byte
/// order) into the host entry; 0 there when the name has none.
constexpr size_t kHostEntryIPv4 = 0;
/// Where the background look-up writes the first IPv6 address of a name
/// that has no IPv4 address.
constexpr size_t kHostEntryIPv6 = 4;
/// The bytes of the host entry that a look-up writes.
constexpr size_t kHostEntryUsed = kHostEntryIPv6 + 16;

/// Looks `name` up in the background. On completion the address is written
/// to `hostEntry` (kHostEntryUsed bytes, see above) and message `message` is
/// posted to `window` with an error word of 0, or with 11001 (host not found)
/// or 11004 (no address) and nothing written.
/// When `window` is destroyed first, the completion touches nothing. Starting
/// a look-up withdraws the previous one still running for the same window, so
/// a late answer for an earlier name never lands.
void WSAAsyncGetHostByName(toolkit::MessageWindow* window, uint32_t message,
                           const std::string& name, unsigned char* hostEntry);

/// Composes a long parameter of a socket notification.
constexpr intptr_t MakeSelectParameter(uint16_t event, uint16_t error) {
  return static_cast<intptr_t>(static_cast<uint32_t>(event) | (static_cast<uint32_t>(error) << 16));
}

}  // namespace Psock

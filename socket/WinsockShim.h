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

#include <netinet/in.h>

#include <cstdint>
#include <functional>
#include <string>

namespace toolkit {
class MessageWindow;
}

namespace Psock {

// A socket handle. The component keeps handles in 16 bits; kNoSocket is the
// handle of no socket, and the calls below refuse it (10038) instead of
// passing it on to the system.
using TSocket = uint16_t;
constexpr TSocket kNoSocket = 65535;

// Event codes of a socket notification.
constexpr uint16_t FD_READ = 1;
constexpr uint16_t FD_OOB = 4;
constexpr uint16_t FD_ACCEPT = 8;
constexpr uint16_t FD_CONNECT = 16;
constexpr uint16_t FD_CLOSE = 32;

// Windows Sockets error numbers that the component logic names.
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAENOTCONN = 10057;

// The error number that a failed call of this thread left behind.
int WSAGetLastError();
void WSASetLastError(int error);

// The Windows Sockets number for an errno value. Values without a Windows
// Sockets counterpart become 10100 + errno, which no table names.
int TranslateErrno(int posixError);

// The start-up record, filled by WSAStartup with a description of this
// platform's socket layer.
struct WSAData {
  uint16_t wVersion = 0;      // major in the low byte, minor in the high byte
  uint16_t wHighVersion = 0;  // same layout
  char szDescription[257] = {};
  char szSystemStatus[129] = {};
  uint16_t iMaxSockets = 0;
  uint16_t iMaxUdpDg = 0;
  const char* lpVendorInfo = nullptr;
};
int WSAStartup(uint16_t version, WSAData* data);
int WSACleanup();

// Plain socket calls. Failures return -1 (kNoSocket for socket and accept)
// and set the last error. A descriptor that does not fit a TSocket is closed
// again and reported as 10024 (too many open files).
TSocket socket(int family, int type, int protocol);
int SetLinger(TSocket socket, bool on, int seconds);
int connect(TSocket socket, const sockaddr_in& address);
// Never raises SIGPIPE: a send to a peer that has gone fails with an error.
long send(TSocket socket, const void* data, size_t count);
long recv(TSocket socket, void* data, size_t count, bool peek);
TSocket accept(TSocket socket, sockaddr_in* peer);
// Waits until the socket takes data again, at most `limitMs` milliseconds.
void WaitUntilWritable(TSocket socket, int limitMs);
// Detaches the socket from its window and closes it.
int closesocket(TSocket socket);
uint32_t inet_addr(const char* text);  // network byte order; INADDR_NONE when not dotted
// The first IPv4 address of `name` in network byte order, through the
// system's blocking resolver; 0 when it has none.
uint32_t LookupFirstIPv4(const std::string& name);
std::string LocalHostName();

// Attaches `socket` to `window`: the events of `events` (FD_... bits) are
// posted to it as message `message`. Makes the socket non-blocking. A second
// call for the same socket replaces the first; events 0 detaches it.
int WSAAsyncSelect(TSocket socket, toolkit::MessageWindow* window, uint32_t message,
                   uint16_t events);

// Whether a notification (by its parameter) was posted for a socket that has
// been closed or re-attached since: such a message must be ignored, because
// the system may already have handed the same number to a new socket.
bool IsStaleNotification(uintptr_t parameter);

// Looks `name` up in the background. On completion the first IPv4 address
// (network byte order) is written to the first 4 bytes of `hostEntry` and
// message `message` is posted to `window` with an error word of 0, or with
// 11001 (host not found) or 11004 (no IPv4 address) and nothing written.
// When `window` is destroyed first, the completion touches nothing. Starting
// a look-up withdraws the previous one still running for the same window, so
// a late answer for an earlier name never lands.
void WSAAsyncGetHostByName(toolkit::MessageWindow* window, uint32_t message,
                           const std::string& name, unsigned char* hostEntry);

// Composes a long parameter of a socket notification.
constexpr intptr_t MakeSelectParameter(uint16_t event, uint16_t error) {
  return static_cast<intptr_t>(static_cast<uint32_t>(event) | (static_cast<uint32_t>(error) << 16));
}

}  // namespace Psock

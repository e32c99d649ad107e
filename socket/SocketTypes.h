// The few socket-layer types and numbers that TPowersock's public fields and
// notifications need. The calls of the socket layer live in WinsockShim.h,
// which only the component's implementation (and its tests) include.
#pragma once

/// \file
/// The socket-layer types and numbers that TPowersock's public fields need.

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/CharClass.h"

namespace Psock {

/// A socket handle. The component keeps handles in 16 bits.
using TSocket = uint16_t;
/// The handle of no socket.
constexpr TSocket kNoSocket = 65535;

/// Event code of a socket notification: data can be read.
constexpr uint16_t FD_READ = 1;
/// Event code of a socket notification: out-of-band data can be read.
constexpr uint16_t FD_OOB = 4;
/// Event code of a socket notification: a connection can be accepted.
constexpr uint16_t FD_ACCEPT = 8;
/// Event code of a socket notification: a connect has completed.
constexpr uint16_t FD_CONNECT = 16;
/// Event code of a socket notification: the peer has closed.
constexpr uint16_t FD_CLOSE = 32;

/// Windows Sockets error numbers that the component and its callers name.
/// Numbers above kWsaBaseError are socket errors; the others are not.
constexpr int kWsaBaseError = 10000;
/// The operation would block (not an error for the component).
constexpr int WSAEWOULDBLOCK = 10035;
/// The socket is not connected.
constexpr int WSAENOTCONN = 10057;
/// The connection was reset by the peer.
constexpr int WSAECONNRESET = 10054;
/// The peer refused the connection.
constexpr int WSAECONNREFUSED = 10061;
/// A host name is unknown.
constexpr int WSAHOST_NOT_FOUND = 11001;
/// A host name is known but has no address of the requested kind.
constexpr int WSANO_DATA = 11004;

/// The connection was aborted by this side's software.
constexpr int WSAECONNABORTED = 10053;
/// The socket was shut down for sending.
constexpr int WSAESHUTDOWN = 10058;

/// A host without the brackets that an IPv6 address literal may come in, as
/// in URLs: "[::1]" gives "::1"; anything else is returned as it is.
inline std::string WithoutBrackets(std::string_view host) {
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  return std::string(host);
}

/// "host:port" for messages, with an IPv6 address in brackets so that its
/// last group and the port are told apart: "[::1]:25".
inline std::string HostAndPort(std::string_view host, int32_t port) {
  const bool ipv6 = host.find(':') != std::string_view::npos && host.front() != '[';
  std::string text = ipv6 ? "[" + std::string(host) + "]" : std::string(host);
  return text + ":" + std::to_string(port);
}

/// The decimal digits that a reply line starts with, at most 10 of them
/// (the reply number of line protocols such as SMTP or FTP); empty when the
/// line starts with none.
inline std::string_view LeadingDigits(std::string_view line) {
  size_t digits = 0;
  while (digits < line.size() && digits < 10 && rtl::IsDigit(line[digits])) ++digits;
  return line.substr(0, digits);
}

/// The start-up record, filled by the socket layer's start-up with a
/// description of this platform's socket layer.
struct WSAData {
  uint16_t wVersion = 0;               ///< Version: major in the low byte, minor in the high byte.
  uint16_t wHighVersion = 0;           ///< Highest version supported, same layout.
  char szDescription[257] = {};        ///< Description, zero-terminated.
  char szSystemStatus[129] = {};       ///< System status, zero-terminated.
  uint16_t iMaxSockets = 0;            ///< Maximum number of sockets.
  uint16_t iMaxUdpDg = 0;              ///< Maximum datagram size.
  const char* lpVendorInfo = nullptr;  ///< Vendor information; never read.
};

}  // namespace Psock

// The few socket-layer types and numbers that TPowersock's public fields and
// notifications need. The calls of the socket layer live in WinsockShim.h,
// which only the component's implementation (and its tests) include.
#pragma once

/// \file
/// The socket-layer types and numbers that TPowersock's public fields need.

#include <cstdint>

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

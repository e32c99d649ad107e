// TlsSession: the client side of a TLS connection over a connected,
// non-blocking TCP socket. This is the one place that talks to OpenSSL; its
// header names none of OpenSSL's types, so the component above it stays
// free of them.
//
// The session never waits. Each call does what it can with the bytes the
// socket has and says what it needs next (TlsStatus): the caller waits for
// the socket's readiness in its own way (pumping its event queue, polling)
// and calls again. Encrypted bytes move through a TlsTransport, so the
// caller's own socket calls, with whatever bookkeeping they do, stay the only
// ones that touch the socket.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

struct ssl_st;
struct x509_st;

namespace Psock {

/// What a step of the session came to.
enum class TlsStatus {
  Done,       ///< the step is complete (bytes moved, handshake over)
  WantRead,   ///< call again once the socket is readable
  WantWrite,  ///< call again once the socket takes data
  Closed,     ///< the peer has ended the connection
  Failed,     ///< the session is unusable; FailureReason() says why
};

/// Moves the encrypted bytes. Receive and Send return the number of bytes
/// moved (0 from Receive: the peer has closed), kWouldBlock, or kBroken when
/// the socket failed, with the reason in BrokenReason().
class TlsTransport {
 public:
  static constexpr long kWouldBlock = -1;
  static constexpr long kBroken = -2;

  virtual ~TlsTransport() = default;
  virtual long Receive(void* data, size_t count) = 0;
  virtual long Send(const void* data, size_t count) = 0;
  virtual std::string BrokenReason() const = 0;
  /// The socket error number of the call that failed, 0 while none has or
  /// when the transport has no such numbers.
  virtual int ErrorNumber() const { return 0; }
};

/// A transport that reads and writes a descriptor directly.
std::unique_ptr<TlsTransport> DescriptorTransport(int fd);

/// How a session checks its peer.
struct TlsOptions {
  /// The name the certificate must carry: a host name (also sent as server
  /// name indication) or an IPv4 or IPv6 address literal, with or without
  /// brackets. Empty: no name check.
  std::string serverName;
  /// A file of PEM certificates trusted besides the system's trust store.
  std::string caFile;
  /// False: the handshake goes on whatever the certificate is; the outcome of
  /// the check is still told by TlsInfo::verifyResult.
  bool verify = true;
};

/// What the handshake agreed and what the peer's certificate says.
struct TlsInfo {
  std::string protocol;      ///< "TLSv1.3"
  std::string cipher;        ///< "TLS_AES_256_GCM_SHA384"
  std::string subject;       ///< "CN = localhost"
  std::string issuer;        ///< "CN = Tessera Test CA"
  std::string expiry;        ///< notAfter, "Dec  8 15:39:28 2027 GMT"
  std::string verifyResult;  ///< "ok", or why not: "self-signed certificate"
  bool verified = false;     ///< the chain and the name were checked and hold
};

/// A TLS client session over a connected socket; see the top of this file.
class TlsSession {
 public:
  /// The session sets itself up at once; a setup that fails (a CA file that
  /// cannot be loaded) makes the first Handshake return Failed.
  TlsSession(std::unique_ptr<TlsTransport> transport, const TlsOptions& options);
  ~TlsSession();
  TlsSession(const TlsSession&) = delete;
  TlsSession& operator=(const TlsSession&) = delete;

  /// One step of the handshake. Done once the session is established (and
  /// on every later call). TLS 1.2 is the least version accepted.
  TlsStatus Handshake();
  /// Decrypted bytes, at most count of them; `received` tells how many on
  /// Done. A peer that goes away, with or without close_notify, is Closed,
  /// and so is every later Read.
  TlsStatus Read(void* data, size_t count, size_t& received);
  /// Encrypts and sends up to count bytes; `sent` tells how many on Done
  /// (possibly fewer: call again with the rest). After WantRead or WantWrite
  /// call again with the same bytes.
  TlsStatus Write(const void* data, size_t count, size_t& sent);
  /// Sends close_notify, without waiting for the peer's. Done also when the
  /// session had failed or was never established (nothing to send then).
  TlsStatus Shutdown();

  /// Decrypted bytes held inside the session: readable at once, although the
  /// socket shows no readiness for them.
  bool HasPending() const;
  bool Established() const { return established_; }
  /// The transport the session moves its bytes through; the session owns it.
  const TlsTransport& Transport() const { return *transport_; }
  const std::string& FailureReason() const { return failure_; }
  /// Filled once the handshake has got as far as the peer's certificate.
  TlsInfo Info() const;

  /// The plain-text bytes that wait before a STARTTLS handshake begins:
  /// `alreadyBuffered` bytes that the caller read ahead, plus those waiting
  /// in the socket. A server says nothing between its reply that grants the
  /// upgrade and the client's first handshake message, so any such byte was
  /// injected and must not be read as if it had come through TLS.
  static size_t PlaintextAhead(int fd, size_t alreadyBuffered);

 private:
  friend struct OpenSslHooks;

  TlsStatus Outcome(int result, bool reading);
  TlsStatus Fail(std::string reason);

  std::unique_ptr<TlsTransport> transport_;
  ssl_st* ssl_ = nullptr;
  // The peer's certificate as the check saw it: still there when the check
  // failed the handshake, when OpenSSL keeps none.
  x509_st* checkedPeer_ = nullptr;
  bool established_ = false;
  bool failed_ = false;
  bool shutDown_ = false;
  bool closed_ = false;           // the peer has ended the connection
  bool transportBroken_ = false;  // the transport failed during the last call
  std::string failure_;
};

}  // namespace Psock

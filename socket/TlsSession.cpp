// TlsSession on OpenSSL: a client SSL object per session, its contexts
// shared by the sessions that trust the same things, and a BIO of our own
// that hands the encrypted bytes to the session's transport.
#include "socket/TlsSession.h"

#include <arpa/inet.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <cerrno>
#include <climits>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>

#include "socket/SocketTypes.h"

namespace Psock {

// The callbacks that OpenSSL calls: the BIO's, which reach the session
// through the BIO's data pointer, and the certificate check's.
struct OpenSslHooks {
  static int Read(BIO* bio, char* data, int count) {
    auto* session = static_cast<TlsSession*>(BIO_get_data(bio));
    BIO_clear_retry_flags(bio);
    const long n = session->transport_->Receive(data, static_cast<size_t>(count));
    return Result(bio, session, n, /*reading=*/true);
  }

  static int Write(BIO* bio, const char* data, int count) {
    auto* session = static_cast<TlsSession*>(BIO_get_data(bio));
    BIO_clear_retry_flags(bio);
    const long n = session->transport_->Send(data, static_cast<size_t>(count));
    return Result(bio, session, n, /*reading=*/false);
  }

  static long Control(BIO* /*bio*/, int command, long /*number*/, void* /*pointer*/) {
    // Nothing is buffered here, so a flush has nothing to do; every other
    // request is answered "not supported".
    return command == BIO_CTRL_FLUSH ? 1 : 0;
  }

  static int Create(BIO* bio) {
    BIO_set_init(bio, 1);
    return 1;
  }

  // Called for each certificate of the chain; keeps the peer's own (the
  // chain's first), and leaves OpenSSL's verdict as it is.
  static int Check(int verdict, X509_STORE_CTX* store) {
    const auto* ssl = static_cast<const SSL*>(
        X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    auto* session = ssl != nullptr ? static_cast<TlsSession*>(SSL_get_app_data(ssl)) : nullptr;
    X509* peer = X509_STORE_CTX_get0_cert(store);
    if (session != nullptr && peer != nullptr && session->checkedPeer_ == nullptr &&
        X509_up_ref(peer) == 1) {
      session->checkedPeer_ = peer;
    }
    return verdict;
  }

 private:
  static int Result(BIO* bio, TlsSession* session, long n, bool reading) {
    if (n >= 0) return static_cast<int>(n);  // 0 from Receive: end of stream
    if (n == TlsTransport::kWouldBlock) {
      if (reading) {
        BIO_set_retry_read(bio);
      } else {
        BIO_set_retry_write(bio);
      }
    } else {
      session->transportBroken_ = true;
    }
    return -1;
  }
};

namespace {

// What OpenSSL lends every session: its start-up, the BIO method and the
// client contexts by (CA file, verify). Constructed on first use, after
// OpenSSL's own start-up, so that it is destroyed before OpenSSL's clean-up
// at exit.
class Library {
 public:
  Library() {
    OPENSSL_init_ssl(OPENSSL_INIT_LOAD_SSL_STRINGS | OPENSSL_INIT_LOAD_CRYPTO_STRINGS, nullptr);
    method_ = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "Psock transport");
    BIO_meth_set_read(method_, &OpenSslHooks::Read);
    BIO_meth_set_write(method_, &OpenSslHooks::Write);
    BIO_meth_set_ctrl(method_, &OpenSslHooks::Control);
    BIO_meth_set_create(method_, &OpenSslHooks::Create);
  }
  ~Library() {
    for (auto& [key, context] : contexts_) SSL_CTX_free(context);
    BIO_meth_free(method_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  const BIO_METHOD* Method() const { return method_; }

  // A context for the options, made on first use; nullptr with the reason
  // in `error` when it cannot be made.
  SSL_CTX* Context(const TlsOptions& options, std::string& error) {
    std::lock_guard lock(mutex_);
    const auto key = std::make_pair(options.caFile, options.verify);
    if (auto found = contexts_.find(key); found != contexts_.end()) return found->second;
    SSL_CTX* context = MakeContext(options, error);
    if (context != nullptr) contexts_.emplace(key, context);
    return context;
  }

 private:
  static SSL_CTX* MakeContext(const TlsOptions& options, std::string& error);

  BIO_METHOD* method_ = nullptr;
  std::mutex mutex_;
  std::map<std::pair<std::string, bool>, SSL_CTX*> contexts_;
};

Library& TheLibrary() {
  static Library library;
  return library;
}

// The text of the oldest error in OpenSSL's queue, in OpenSSL's words;
// empties the queue.
std::string TakeErrorText(unsigned long* code = nullptr) {
  const unsigned long error = ERR_get_error();
  ERR_clear_error();
  if (code != nullptr) *code = error;
  if (error == 0) return {};
  if (const char* reason = ERR_reason_error_string(error)) return reason;
  char text[256];
  ERR_error_string_n(error, text, sizeof text);
  return text;
}

SSL_CTX* Library::MakeContext(const TlsOptions& options, std::string& error) {
  SSL_CTX* context = SSL_CTX_new(TLS_client_method());
  if (context == nullptr) {
    error = TakeErrorText();
    return nullptr;
  }
  SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
  SSL_CTX_set_verify(context, options.verify ? SSL_VERIFY_PEER : SSL_VERIFY_NONE,
                     &OpenSslHooks::Check);
  SSL_CTX_set_default_verify_paths(context);
  if (!options.caFile.empty() &&
      SSL_CTX_load_verify_locations(context, options.caFile.c_str(), nullptr) != 1) {
    error = "cannot load CA file " + options.caFile + ": " + TakeErrorText();
    SSL_CTX_free(context);
    return nullptr;
  }
  ERR_clear_error();
  return context;
}

// Whether `name` is an IPv4 or IPv6 address literal.
bool IsAddressLiteral(const std::string& name) {
  unsigned char address[sizeof(in6_addr)];
  return inet_pton(AF_INET, name.c_str(), address) == 1 ||
         inet_pton(AF_INET6, name.c_str(), address) == 1;
}

// Prints through a memory BIO and returns the text.
template <typename Print>
std::string Printed(Print print) {
  BIO* memory = BIO_new(BIO_s_mem());
  if (memory == nullptr) return {};
  print(memory);
  char* data = nullptr;
  const long length = BIO_get_mem_data(memory, &data);
  std::string text(data != nullptr && length > 0 ? data : "",
                   data != nullptr && length > 0 ? static_cast<size_t>(length) : 0);
  BIO_free(memory);
  return text;
}

std::string NameText(const X509_NAME* name) {
  return Printed([name](BIO* out) {
    // One line, "CN = localhost, O = ...", with UTF-8 left as it is.
    X509_NAME_print_ex(out, name, 0, XN_FLAG_ONELINE & ~ASN1_STRFLGS_ESC_MSB);
  });
}

std::string TimeText(const ASN1_TIME* time) {
  return Printed([time](BIO* out) { ASN1_TIME_print(out, time); });
}

// Reads and writes a descriptor with non-blocking calls of its own.
class Descriptor : public TlsTransport {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}

  long Receive(void* data, size_t count) override {
    for (;;) {
      const ssize_t n = ::recv(fd_, data, count, MSG_DONTWAIT);
      if (n >= 0) return n;
      if (errno != EINTR) return Failure();
    }
  }

  long Send(const void* data, size_t count) override {
    for (;;) {
      const ssize_t n = ::send(fd_, data, count, MSG_DONTWAIT | MSG_NOSIGNAL);
      if (n >= 0) return n;
      if (errno != EINTR) return Failure();
    }
  }

  std::string BrokenReason() const override {
    return std::error_code(error_, std::generic_category()).message();
  }

 private:
  long Failure() {
    if (errno == EAGAIN || errno == EWOULDBLOCK) return kWouldBlock;
    error_ = errno;
    return kBroken;
  }

  int fd_;
  int error_ = 0;
};

}  // namespace

std::unique_ptr<TlsTransport> DescriptorTransport(int fd) {
  return std::make_unique<Descriptor>(fd);
}

// ---------------------------------------------------------------------------
// The session

TlsSession::TlsSession(std::unique_ptr<TlsTransport> transport, const TlsOptions& options)
    : transport_(std::move(transport)) {
  Library& library = TheLibrary();
  std::string error;
  SSL_CTX* context = library.Context(options, error);
  if (context == nullptr) {
    Fail(error);
    return;
  }
  ssl_ = SSL_new(context);
  BIO* bio = ssl_ != nullptr ? BIO_new(library.Method()) : nullptr;
  if (bio == nullptr) {
    Fail(TakeErrorText());
    return;
  }
  BIO_set_data(bio, this);
  SSL_set_app_data(ssl_, this);
  SSL_set_bio(ssl_, bio, bio);  // the SSL object owns the BIO now
  SSL_set_mode(ssl_, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  // Whole records, and often several, in one receive.
  SSL_set_read_ahead(ssl_, 1);

  const std::string name = WithoutBrackets(options.serverName);
  if (IsAddressLiteral(name)) {
    // No server name indication for an address: the name extension carries
    // host names only.
    X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl_), name.c_str());
  } else if (!name.empty()) {
    SSL_set_tlsext_host_name(ssl_, name.c_str());
    SSL_set_hostflags(ssl_, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    SSL_set1_host(ssl_, name.c_str());
  }
  SSL_set_connect_state(ssl_);
}

TlsSession::~TlsSession() {
  if (ssl_ != nullptr) SSL_free(ssl_);
  if (checkedPeer_ != nullptr) X509_free(checkedPeer_);
}

TlsStatus TlsSession::Fail(std::string reason) {
  failed_ = true;
  failure_ = reason.empty() ? "TLS failure" : std::move(reason);
  return TlsStatus::Failed;
}

TlsStatus TlsSession::Handshake() {
  if (failed_) return TlsStatus::Failed;
  if (established_) return TlsStatus::Done;
  ERR_clear_error();
  transportBroken_ = false;
  const int result = SSL_connect(ssl_);
  if (result == 1) {
    established_ = true;
    return TlsStatus::Done;
  }
  return Outcome(result, /*reading=*/false);
}

TlsStatus TlsSession::Read(void* data, size_t count, size_t& received) {
  received = 0;
  if (closed_) return TlsStatus::Closed;
  if (failed_) return TlsStatus::Failed;
  if (count == 0) return TlsStatus::Done;
  ERR_clear_error();
  transportBroken_ = false;
  if (SSL_read_ex(ssl_, data, count, &received) == 1) return TlsStatus::Done;
  return Outcome(0, /*reading=*/true);
}

TlsStatus TlsSession::Write(const void* data, size_t count, size_t& sent) {
  sent = 0;
  if (failed_) return TlsStatus::Failed;
  if (count == 0) return TlsStatus::Done;
  ERR_clear_error();
  transportBroken_ = false;
  if (SSL_write_ex(ssl_, data, count, &sent) == 1) return TlsStatus::Done;
  return Outcome(0, /*reading=*/false);
}

TlsStatus TlsSession::Shutdown() {
  if (!established_ || failed_ || shutDown_) return TlsStatus::Done;
  ERR_clear_error();
  transportBroken_ = false;
  const int result = SSL_shutdown(ssl_);
  if (result >= 0) {  // close_notify sent; the peer's is not waited for
    shutDown_ = true;
    return TlsStatus::Done;
  }
  const TlsStatus status = Outcome(result, /*reading=*/false);
  return status == TlsStatus::WantRead ? TlsStatus::Done : status;
}

TlsStatus TlsSession::Outcome(int result, bool reading) {
  switch (SSL_get_error(ssl_, result)) {
    case SSL_ERROR_WANT_READ:
      return TlsStatus::WantRead;
    case SSL_ERROR_WANT_WRITE:
      return TlsStatus::WantWrite;
    case SSL_ERROR_ZERO_RETURN:  // close_notify received
      closed_ = true;
      return TlsStatus::Closed;
    case SSL_ERROR_SYSCALL:
      if (transportBroken_) return Fail(transport_->BrokenReason());
      break;
    default:
      break;
  }
  unsigned long code = 0;
  std::string reason = TakeErrorText(&code);
  if (ERR_GET_REASON(code) == SSL_R_UNEXPECTED_EOF_WHILE_READING || code == 0) {
    // The peer went away without close_notify. Once data flows, that is the
    // end of the connection, as for a plain socket; during the handshake it
    // is a failure.
    if (reading && established_) {
      closed_ = true;
      failed_ = true;  // nothing more may be sent, close_notify included
      return TlsStatus::Closed;
    }
    if (reason.empty()) reason = "unexpected eof while reading";
  }
  if (ERR_GET_REASON(code) == SSL_R_CERTIFICATE_VERIFY_FAILED) {
    reason += ": ";
    reason += X509_verify_cert_error_string(SSL_get_verify_result(ssl_));
  }
  return Fail(reason);
}

bool TlsSession::HasPending() const { return ssl_ != nullptr && SSL_has_pending(ssl_) == 1; }

TlsInfo TlsSession::Info() const {
  TlsInfo info;
  if (ssl_ == nullptr) return info;
  if (established_) {
    info.protocol = SSL_get_version(ssl_);
    if (const SSL_CIPHER* cipher = SSL_get_current_cipher(ssl_)) {
      info.cipher = SSL_CIPHER_get_name(cipher);
    }
  }
  X509* peer = SSL_get0_peer_certificate(ssl_);
  if (peer == nullptr) peer = checkedPeer_;
  if (peer == nullptr) return info;
  info.subject = NameText(X509_get_subject_name(peer));
  info.issuer = NameText(X509_get_issuer_name(peer));
  info.expiry = TimeText(X509_get0_notAfter(peer));
  const long result = SSL_get_verify_result(ssl_);
  info.verifyResult = X509_verify_cert_error_string(result);
  info.verified = result == X509_V_OK;
  return info;
}

size_t TlsSession::PlaintextAhead(int fd, size_t alreadyBuffered) {
  int waiting = 0;
  if (::ioctl(fd, FIONREAD, &waiting) != 0 || waiting < 0) waiting = 0;
  return alreadyBuffered + static_cast<size_t>(waiting);
}

}  // namespace Psock

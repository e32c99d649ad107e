#include "programs/tamsel/Session.h"

#include <cctype>

#include "conversation/Protocol.h"
#include "runtime/Exceptions.h"

namespace tamsel {

namespace {

// The reason of a socket error in lower case: "no route to host".
std::string ReasonOf(int32_t number) {
  std::string text = Psock::ErrorReason(number);
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

std::string ClosedMessage(const Target& target) {
  return HostAndPort(target) + " closed the connection";
}

std::string TraceText(const std::exception& error) {
  const std::string message = error.what();
  const auto* failure = dynamic_cast<const Psock::ESockError*>(&error);
  if (failure == nullptr || failure->Kind() == Psock::SockErrorKind::WinsockError) return message;
  const std::string reason = Psock::ErrorReason(failure->ErrorNumber());
  if (reason.empty()) return message;
  return message + " (" + std::to_string(failure->ErrorNumber()) + ":" + reason + ")";
}

bool TimedOut(const Psock::TPowersock& sock, const std::exception& error) {
  const auto* failure = dynamic_cast<const Psock::ESockError*>(&error);
  if (failure == nullptr) return false;
  switch (failure->Kind()) {
    case Psock::SockErrorKind::ConnectionTimedOut:
    case Psock::SockErrorKind::HostLookupTimedOut:
      return true;
    case Psock::SockErrorKind::SendAborted:
    case Psock::SockErrorKind::ReadLnAborted:
    case Psock::SockErrorKind::ReadAborted:
      return sock.TimedOut;
    default:
      return false;
  }
}

std::string HostAndPort(const Target& target) {
  return Psock::HostAndPort(target.host, target.port);
}

std::string PlainMessage(const Psock::TPowersock& sock, const std::exception& error,
                         const Target& target) {
  using Psock::SockErrorKind;
  const std::string where = HostAndPort(target);
  const std::string limit = std::to_string(target.timeOut) + " ms";
  if (dynamic_cast<const rtl::ERangeError*>(&error) != nullptr) {
    return where + " sent a line longer than 64 KiB";
  }
  if (const auto* talk = dynamic_cast<const conversation::EConversationError*>(&error)) {
    if (talk->Kind() == conversation::FailureKind::MalformedReply) {
      return where + " sent a " + talk->Message();
    }
    return talk->Message();
  }
  const auto* failure = dynamic_cast<const Psock::ESockError*>(&error);
  if (failure == nullptr) return "the connection to " + where + " failed: " + error.what();
  const std::string reason = ReasonOf(failure->ErrorNumber());
  switch (failure->Kind()) {
    case SockErrorKind::NullRemoteAddress:
    case SockErrorKind::HostLookupFailed:
      return "the host " + target.host + " was not found";
    case SockErrorKind::HostNameTooLong:
      return "the host name is too long";
    case SockErrorKind::HostLookupTimedOut:
      return "looking up the host " + target.host + " timed out after " + limit;
    case SockErrorKind::ConnectionTimedOut:
      return "connecting to " + where + " timed out after " + limit;
    case SockErrorKind::HostLookupCanceled:
    case SockErrorKind::ConnectionCanceled:
      return "connecting to " + where + " was cancelled";
    case SockErrorKind::ConnectionFailed:
      if (failure->ErrorNumber() == Psock::WSAECONNREFUSED)
        return where + " refused the connection";
      return "could not connect to " + where + (reason.empty() ? "" : ": " + reason);
    case SockErrorKind::SendAborted:
    case SockErrorKind::ReadLnAborted:
    case SockErrorKind::ReadAborted:
      if (sock.TimedOut) return "no reply from " + where + ": timed out after " + limit;
      return "the wait for " + where + " was cancelled";
    case SockErrorKind::AlreadyConnected:
      return "already connected to " + where;
    case SockErrorKind::TlsFailed:
      return "TLS with " + where + " failed: " + failure->Message();
    case SockErrorKind::TlsHandshakeTimedOut:
      return "the TLS handshake with " + where + " timed out after " + limit;
    case SockErrorKind::TlsHandshakeCanceled:
      return "the TLS handshake with " + where + " was cancelled";
    case SockErrorKind::PlaintextAfterStartTls:
      return where +
             " sent plain text right after agreeing to STARTTLS; it was dropped and TLS "
             "refused, since such bytes may be injected";
    case SockErrorKind::WinsockError:
      if (Psock::MeansConnectionClosed(failure->ErrorNumber())) return ClosedMessage(target);
      break;
    default:
      break;
  }
  return "the connection to " + where +
         " failed: " + (reason.empty() ? failure->Message() : reason);
}

std::string TlsSummary(const Psock::TPowersock& sock) {
  std::string summary = sock.TlsProtocol() + ", " + sock.TlsCipher();
  if (!sock.PeerSubject().empty()) {
    summary += "; certificate " + sock.PeerSubject() + ", issued by " + sock.PeerIssuer() +
               ", valid until " + sock.PeerExpiry();
  }
  const std::string result = sock.TlsVerifyResult();
  summary += result == "ok" ? "; verified" : "; not verified: " + result;
  return summary;
}

}  // namespace tamsel

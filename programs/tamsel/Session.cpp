#include "programs/tamsel/Session.h"

#include <QCoreApplication>
#include <cctype>

#include "conversation/Protocol.h"
#include "runtime/Exceptions.h"

// The texts for people below are translated in the context "tamsel::Session";
// the components' own texts inside them stay as they are.

namespace tamsel {

namespace {

// The reason of a socket error in lower case: "no route to host".
std::string ReasonOf(int32_t number) {
  std::string text = Psock::ErrorReason(number);
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string Filled(const QString& translated, std::initializer_list<std::string_view> values) {
  const std::string text = translated.toStdString();
  std::string filled;
  filled.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const bool marker =
        text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
    const size_t number = marker ? static_cast<size_t>(text[i + 1] - '1') : values.size();
    if (number < values.size()) {
      filled += *(values.begin() + number);
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

std::string ClosedMessage(const Target& target) {
  return Filled(QCoreApplication::translate("tamsel::Session", "%1 closed the connection"),
                {HostAndPort(target)});
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
  const std::string limit = std::to_string(target.timeOut);
  if (dynamic_cast<const rtl::ERangeError*>(&error) != nullptr) {
    return Filled(
        QCoreApplication::translate("tamsel::Session", "%1 sent a line longer than 64 KiB"),
        {where});
  }
  // The engine's and the component's own texts stay as they are, inside ours.
  if (const auto* talk = dynamic_cast<const conversation::EConversationError*>(&error)) {
    if (talk->Kind() == conversation::FailureKind::MalformedReply) {
      return Filled(QCoreApplication::translate("tamsel::Session", "%1 sent a %2"),
                    {where, talk->Message()});
    }
    return talk->Message();
  }
  const auto* failure = dynamic_cast<const Psock::ESockError*>(&error);
  if (failure == nullptr) {
    return Filled(QCoreApplication::translate("tamsel::Session", "the connection to %1 failed: %2"),
                  {where, error.what()});
  }
  const std::string reason = ReasonOf(failure->ErrorNumber());
  switch (failure->Kind()) {
    case SockErrorKind::NullRemoteAddress:
    case SockErrorKind::HostLookupFailed:
      return Filled(QCoreApplication::translate("tamsel::Session", "the host %1 was not found"),
                    {target.host});
    case SockErrorKind::HostNameTooLong:
      return Filled(QCoreApplication::translate("tamsel::Session", "the host name is too long"));
    case SockErrorKind::HostLookupTimedOut:
      return Filled(QCoreApplication::translate("tamsel::Session",
                                                "looking up the host %1 timed out after %2 ms"),
                    {target.host, limit});
    case SockErrorKind::ConnectionTimedOut:
      return Filled(
          QCoreApplication::translate("tamsel::Session", "connecting to %1 timed out after %2 ms"),
          {where, limit});
    case SockErrorKind::HostLookupCanceled:
    case SockErrorKind::ConnectionCanceled:
      return Filled(
          QCoreApplication::translate("tamsel::Session", "connecting to %1 was cancelled"),
          {where});
    case SockErrorKind::ConnectionFailed:
      if (failure->ErrorNumber() == Psock::WSAECONNREFUSED) {
        return Filled(QCoreApplication::translate("tamsel::Session", "%1 refused the connection"),
                      {where});
      }
      if (reason.empty())
        return Filled(QCoreApplication::translate("tamsel::Session", "could not connect to %1"),
                      {where});
      return Filled(QCoreApplication::translate("tamsel::Session", "could not connect to %1: %2"),
                    {where, reason});
    case SockErrorKind::SendAborted:
    case SockErrorKind::ReadLnAborted:
    case SockErrorKind::ReadAborted:
      if (sock.TimedOut) {
        return Filled(QCoreApplication::translate("tamsel::Session",
                                                  "no reply from %1: timed out after %2 ms"),
                      {where, limit});
      }
      return Filled(QCoreApplication::translate("tamsel::Session", "the wait for %1 was cancelled"),
                    {where});
    case SockErrorKind::AlreadyConnected:
      return Filled(QCoreApplication::translate("tamsel::Session", "already connected to %1"),
                    {where});
    case SockErrorKind::TlsFailed:
      return Filled(QCoreApplication::translate("tamsel::Session", "TLS with %1 failed: %2"),
                    {where, failure->Message()});
    case SockErrorKind::TlsHandshakeTimedOut:
      return Filled(QCoreApplication::translate("tamsel::Session",
                                                "the TLS handshake with %1 timed out after %2 ms"),
                    {where, limit});
    case SockErrorKind::TlsHandshakeCanceled:
      return Filled(
          QCoreApplication::translate("tamsel::Session", "the TLS handshake with %1 was cancelled"),
          {where});
    case SockErrorKind::PlaintextAfterStartTls:
      return Filled(
          QCoreApplication::translate("tamsel::Session",
                                      "%1 sent plain text right after agreeing to STARTTLS; it was "
                                      "dropped and TLS refused, since such bytes may be injected"),
          {where});
    case SockErrorKind::WinsockError:
      if (Psock::MeansConnectionClosed(failure->ErrorNumber())) return ClosedMessage(target);
      break;
    default:
      break;
  }
  return Filled(QCoreApplication::translate("tamsel::Session", "the connection to %1 failed: %2"),
                {where, reason.empty() ? failure->Message() : reason});
}

std::string TlsSummary(const Psock::TPowersock& sock) {
  // Protocol, cipher, names and dates are OpenSSL's, as they are.
  std::string summary = sock.TlsProtocol() + ", " + sock.TlsCipher();
  if (!sock.PeerSubject().empty()) {
    summary += Filled(QCoreApplication::translate("tamsel::Session",
                                                  "; certificate %1, issued by %2, valid until %3"),
                      {sock.PeerSubject(), sock.PeerIssuer(), sock.PeerExpiry()});
  }
  const std::string result = sock.TlsVerifyResult();
  summary +=
      result == "ok"
          ? Filled(QCoreApplication::translate("tamsel::Session", "; verified"))
          : Filled(QCoreApplication::translate("tamsel::Session", "; not verified: %1"), {result});
  return summary;
}

}  // namespace tamsel

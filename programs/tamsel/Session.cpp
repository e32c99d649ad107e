#include "programs/tamsel/Session.h"

#include <algorithm>
#include <cctype>

#include "runtime/Exceptions.h"

namespace tamsel {

namespace {

void Finish(Exchange& exchange, const ReplyFramer& framer) {
  exchange.lines = framer.Lines();
  exchange.number = framer.Number();
  exchange.numberText = framer.NumberText();
  exchange.error = framer.IsError();
  exchange.startsData = framer.StartsData();
}

void MarkClosed(Psock::TPowersock& sock, Exchange& exchange) {
  exchange.closed = true;
  // The unterminated last line that the component kept when the peer closed.
  exchange.partialLine = sock.TakePartialLine();
}

// Reads lines until the framer has the whole reply or the server closes.
// The first line is already in the framer; each further line goes to the
// status trace at the level of the first.
void ReadRestOfReply(Psock::TPowersock& sock, ReplyFramer& framer, Exchange& exchange) {
  while (!framer.Complete()) {
    const std::string line = sock.ReadLn();
    if (line.empty()) {
      MarkClosed(sock, exchange);
      break;
    }
    sock.ReportStatus(1, line);
    framer.Feed(line);
  }
  Finish(exchange, framer);
}

// The first reply line to a command sent by Transaction. A reply number
// outside 16 bits makes the component raise after it has kept the line in
// Reply; that line is taken all the same. (Reply is cleared first: when the
// line itself fails, Reply would otherwise hold the previous one.)
std::string FirstReplyLine(Psock::TPowersock& sock, const std::string& command) {
  sock.Reply.clear();
  try {
    return sock.Transaction(command);
  } catch (const rtl::ERangeError&) {
    if (sock.Reply.empty()) throw;
    return sock.Reply;
  }
}

// The table text of a socket error without its number, in lower case:
// "10065:No route to Host" gives "no route to host".
std::string ReasonOf(Psock::TPowersock& sock, int32_t number) {
  if (number <= 10000 || number > 65535) return {};
  std::string text = sock.ErrorText(static_cast<uint16_t>(number));
  const size_t colon = text.find(':');
  if (colon != std::string::npos) text.erase(0, colon + 1);
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool MeansClosed(int32_t number) {
  return number == 10053 || number == 10054 || number == 10057 || number == 10058;
}

}  // namespace

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

Exchange ReadGreeting(Psock::TPowersock& sock, ReplyFramer& framer, int32_t waitMs) {
  Exchange exchange;
  framer.Start({});
  std::string line;
  if (waitMs > 0) {
    const int32_t timeOut = sock.TimeOut;
    sock.TimeOut = timeOut > 0 ? std::min(timeOut, waitMs) : waitMs;
    try {
      line = sock.ReadLn();
    } catch (const Psock::EAbortError&) {
      sock.TimeOut = timeOut;
      if (!sock.TimedOut) throw;
      return exchange;  // the server waits for the client: no greeting
    }
    sock.TimeOut = timeOut;
  } else {
    line = sock.ReadLn();
  }
  if (line.empty()) {
    MarkClosed(sock, exchange);
    Finish(exchange, framer);
    return exchange;
  }
  sock.ReportStatus(1, line);
  framer.Feed(line);
  ReadRestOfReply(sock, framer, exchange);
  return exchange;
}

Exchange RunCommand(Psock::TPowersock& sock, ReplyFramer& framer, const std::string& command,
                    const std::vector<std::string>& data) {
  Exchange exchange;
  exchange.command = command;
  exchange.data = data;
  exchange.replyExpected = ExpectsReply(framer.GetProtocol(), command);
  framer.Start(command);
  std::string first;
  if (data.empty() && exchange.replyExpected) {
    first = FirstReplyLine(sock, command);
  } else {
    // The data goes out right behind the command, before any reply.
    sock.Writeln(command);
    for (const std::string& line : data) sock.Writeln(line);
    if (!exchange.replyExpected) return exchange;
    first = sock.ReadLn();
    if (!first.empty()) sock.ReportStatus(1, first);
  }
  if (first.empty()) {
    MarkClosed(sock, exchange);
    Finish(exchange, framer);
    return exchange;
  }
  framer.Feed(first);
  ReadRestOfReply(sock, framer, exchange);
  return exchange;
}

void SendDataLine(Psock::TPowersock& sock, const std::string& line) {
  sock.Writeln(DotStuffed(line));
}

Exchange EndData(Psock::TPowersock& sock, ReplyFramer& framer) {
  return RunCommand(sock, framer, ".");
}

bool Expected(const std::vector<std::string>& codes, const Exchange& exchange) {
  const std::string first = exchange.lines.empty() ? std::string() : exchange.lines.front();
  for (const std::string& code : codes) {
    const bool pattern = code.find_first_not_of("0123456789xX") == std::string::npos;
    if (!pattern) {
      if (first.compare(0, code.size(), code) == 0) return true;
      continue;
    }
    if (code.size() != exchange.numberText.size()) continue;
    bool matches = true;
    for (size_t i = 0; i < code.size() && matches; ++i) {
      matches = code[i] == 'x' || code[i] == 'X' || code[i] == exchange.numberText[i];
    }
    if (matches) return true;
  }
  return false;
}

std::vector<std::string> ParseCodes(const std::string& text) {
  std::vector<std::string> codes;
  size_t begin = 0;
  while (true) {
    const size_t comma = text.find(',', begin);
    const std::string code = text.substr(begin, comma - begin);
    if (code.empty()) return {};
    codes.push_back(code);
    if (comma == std::string::npos) return codes;
    begin = comma + 1;
  }
}

std::string ClosedMessage(const Target& target) {
  return HostAndPort(target) + " closed the connection";
}

std::string TraceText(Psock::TPowersock& sock, const std::exception& error) {
  const std::string message = error.what();
  const auto* failure = dynamic_cast<const Psock::ESockError*>(&error);
  if (failure == nullptr || failure->Kind() == Psock::SockErrorKind::WinsockError) return message;
  const int32_t number = failure->ErrorNumber();
  if (number <= 10000 || number > 65535) return message;
  return message + " (" + sock.ErrorText(static_cast<uint16_t>(number)) + ")";
}

bool TimedOut(Psock::TPowersock& sock, const std::exception& error) {
  const auto* failure = dynamic_cast<const Psock::ESockError*>(&error);
  if (failure == nullptr) return false;
  switch (failure->Kind()) {
    case Psock::SockErrorKind::ConnectionTimedOut:
    case Psock::SockErrorKind::HostLookupTimedOut:
      return true;
    case Psock::SockErrorKind::SendAborted:
    case Psock::SockErrorKind::ReadLnAborted:
      return sock.TimedOut;
    default:
      return false;
  }
}

std::string HostAndPort(const Target& target) {
  // An IPv6 address gets brackets, so that its last group and the port are
  // told apart.
  const bool ipv6 = target.host.find(':') != std::string::npos && target.host.front() != '[';
  return (ipv6 ? "[" + target.host + "]" : target.host) + ":" + std::to_string(target.port);
}

std::string PlainMessage(Psock::TPowersock& sock, const std::exception& error,
                         const Target& target) {
  using Psock::SockErrorKind;
  const std::string where = HostAndPort(target);
  const std::string limit = std::to_string(target.timeOut) + " ms";
  if (dynamic_cast<const rtl::ERangeError*>(&error) != nullptr) {
    return where + " sent a line longer than 64 KiB";
  }
  const auto* failure = dynamic_cast<const Psock::ESockError*>(&error);
  if (failure == nullptr) return "the connection to " + where + " failed: " + error.what();
  const std::string reason = ReasonOf(sock, failure->ErrorNumber());
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
      if (failure->ErrorNumber() == 10061) return where + " refused the connection";
      return "could not connect to " + where + (reason.empty() ? "" : ": " + reason);
    case SockErrorKind::SendAborted:
    case SockErrorKind::ReadLnAborted:
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
      if (MeansClosed(failure->ErrorNumber())) return ClosedMessage(target);
      break;
    default:
      break;
  }
  return "the connection to " + where +
         " failed: " + (reason.empty() ? failure->Message() : reason);
}

}  // namespace tamsel

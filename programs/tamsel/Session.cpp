#include "programs/tamsel/Session.h"

#include <cctype>
#include <cstdint>

namespace tamsel {

namespace {

// A reply of more lines than this is cut off: the rest stays unread.
constexpr int kMaxReplyLines = 1000;

void ReadRestOfReply(Psock::TPowersock& sock, Exchange& exchange, std::string line) {
  for (int i = 0; i < kMaxReplyLines && ContinuesReply(line); ++i) {
    line = sock.ReadLn();
    if (line.empty()) {
      exchange.closed = true;
      return;
    }
    exchange.lines.push_back(WithoutLineEnd(line));
  }
}

}  // namespace

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

int32_t LeadingNumber(const std::string& line) {
  int64_t value = 0;
  for (size_t i = 0; i < line.size() && i < 10 && line[i] >= '0' && line[i] <= '9'; ++i) {
    value = value * 10 + (line[i] - '0');
  }
  return value > INT32_MAX ? 0 : static_cast<int32_t>(value);
}

bool ContinuesReply(const std::string& line) {
  return line.size() >= 4 && std::isdigit(static_cast<unsigned char>(line[0])) &&
         std::isdigit(static_cast<unsigned char>(line[1])) &&
         std::isdigit(static_cast<unsigned char>(line[2])) && line[3] == '-';
}

std::string Explain(Psock::TPowersock& sock, const std::exception& error) {
  const std::string message = error.what();
  const auto* sockError = dynamic_cast<const Psock::ESockError*>(&error);
  if (sockError != nullptr && sockError->ErrorNumber() != 0 &&
      (sockError->Kind() == Psock::SockErrorKind::ConnectionFailed ||
       sockError->Kind() == Psock::SockErrorKind::NullRemoteAddress)) {
    return message + " (" + sock.ErrorText(static_cast<uint16_t>(sockError->ErrorNumber())) + ")";
  }
  return message;
}

Exchange ReadGreeting(Psock::TPowersock& sock) {
  Exchange exchange;
  const std::string line = sock.ReadLn();
  if (line.empty()) {
    exchange.closed = true;
    return exchange;
  }
  exchange.lines.push_back(WithoutLineEnd(line));
  exchange.number = LeadingNumber(line);
  ReadRestOfReply(sock, exchange, line);
  return exchange;
}

Exchange RunTransaction(Psock::TPowersock& sock, const std::string& command) {
  Exchange exchange;
  exchange.command = command;
  const std::string reply = sock.Transaction(command);
  if (reply.empty()) {
    exchange.closed = true;
    return exchange;
  }
  exchange.lines.push_back(WithoutLineEnd(reply));
  exchange.number = sock.ReplyNumber;
  ReadRestOfReply(sock, exchange, reply);
  return exchange;
}

}  // namespace tamsel

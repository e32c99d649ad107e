#include "programs/tamsel/StartTls.h"

#include <array>

namespace tamsel {

namespace {

constexpr std::array<const char*, 4> kNames = {"smtp", "pop3", "ftp", "imap"};
// IMAP tags each command; the reply with the same tag ends its answer.
constexpr char kImapTag[] = "a001";

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

std::optional<Upgrade> UpgradeNamed(std::string_view name) {
  for (size_t i = 0; i < kNames.size(); ++i) {
    if (name == kNames[i]) return static_cast<Upgrade>(i);
  }
  return std::nullopt;
}

const char* NameOf(Upgrade upgrade) { return kNames[static_cast<size_t>(upgrade)]; }

std::vector<std::string> UpgradeNames() { return {kNames.begin(), kNames.end()}; }

std::vector<NegotiationStep> NegotiationOf(Upgrade upgrade) {
  switch (upgrade) {
    case Upgrade::Smtp:
      // A client names itself before STARTTLS; after the upgrade it does so
      // again, which is the user's first command.
      return {{"EHLO tamsel.localdomain", "250"}, {"STARTTLS", "220"}};
    case Upgrade::Pop3:
      return {{"STLS", "+OK"}};
    case Upgrade::Ftp:
      return {{"AUTH TLS", "234"}};
    case Upgrade::Imap:
      return {{std::string(kImapTag) + " STARTTLS", std::string(kImapTag) + " OK"}};
  }
  return {};
}

Protocol FramingOf(Upgrade upgrade) {
  switch (upgrade) {
    case Upgrade::Smtp:
      return Protocol::Smtp;
    case Upgrade::Pop3:
      return Protocol::Pop3;
    case Upgrade::Ftp:
      return Protocol::Ftp;
    case Upgrade::Imap:
      return Protocol::Line;  // untagged lines are read on below
  }
  return Protocol::Line;
}

Negotiation Negotiate(Psock::TPowersock& sock, Upgrade upgrade) {
  Negotiation result;
  ReplyFramer framer(FramingOf(upgrade));
  // Keeps the exchange; false when the server closed.
  const auto keep = [&result](Exchange exchange) {
    result.exchanges.push_back(std::move(exchange));
    return !result.exchanges.back().closed;
  };
  if (!keep(ReadGreeting(sock, framer))) return result;
  for (const NegotiationStep& step : NegotiationOf(upgrade)) {
    if (!keep(RunCommand(sock, framer, step.command))) return result;
    // IMAP may send untagged lines ("* ...") before the tagged answer.
    while (upgrade == Upgrade::Imap && !result.exchanges.back().lines.empty() &&
           StartsWith(result.exchanges.back().lines.back(), "* ")) {
      if (!keep(ReadGreeting(sock, framer))) return result;
    }
    const std::vector<std::string>& lines = result.exchanges.back().lines;
    const std::string last = lines.empty() ? std::string() : lines.back();
    if (!StartsWith(last, step.granted)) {
      result.refusal = last;
      return result;
    }
  }
  result.granted = true;
  return result;
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

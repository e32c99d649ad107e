// STARTTLS as tamsel negotiates it: which commands ask a server of each
// protocol to upgrade the connection, and which replies grant that. The
// socket component only upgrades (StartTls); the dialog before it is the
// client's business.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "programs/tamsel/ReplyFramer.h"
#include "programs/tamsel/Session.h"

namespace tamsel {

enum class Upgrade {
  Smtp,  // EHLO, then STARTTLS (220)
  Pop3,  // STLS (+OK)
  Ftp,   // AUTH TLS (234)
  Imap,  // a001 STARTTLS (a001 OK)
};

// The upgrade of a name as given to --starttls ("smtp", "pop3", ...).
std::optional<Upgrade> UpgradeNamed(std::string_view name);
const char* NameOf(Upgrade upgrade);
// Every upgrade name, in the order of the Upgrade enumeration.
std::vector<std::string> UpgradeNames();

// One command of the negotiation and the start of the reply line that lets
// the negotiation go on.
struct NegotiationStep {
  std::string command;
  std::string granted;
};
std::vector<NegotiationStep> NegotiationOf(Upgrade upgrade);
// How the replies of the negotiation end.
Protocol FramingOf(Upgrade upgrade);

// What the negotiation came to: the greeting and each reply, and, when the
// server did not grant the upgrade, its reply line that said no.
struct Negotiation {
  std::vector<Exchange> exchanges;
  bool granted = false;
  std::string refusal;  // the last reply line, when not granted
};

// Reads the greeting and runs the steps of `upgrade` on the connected
// `sock`; stops at the first reply that does not grant the next step, and
// at a server that closes. Does not upgrade: call sock.StartTls() when
// granted. Failures of the component pass on.
Negotiation Negotiate(Psock::TPowersock& sock, Upgrade upgrade);

// One line about the TLS of the connection for people: protocol and cipher,
// the certificate's subject, issuer and expiry, and whether it was
// verified, or why not.
std::string TlsSummary(const Psock::TPowersock& sock);

}  // namespace tamsel

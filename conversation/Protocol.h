/// \file
/// What a line protocol looks like to a client: one description per
/// protocol (greeting, how a reply ends, which replies are errors, how to ask
/// for TLS, how to log in), and the framing of its replies. This part knows
/// no sockets: it is fed the reply's lines and counted bytes, and says what
/// it needs next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Exceptions.h"

/// Conversations with line-oriented services (SMTP, FTP, POP3, IMAP, Redis,
/// memcached): their descriptions, reply framing and the engine on a socket.
namespace conversation {

/// How the replies of a protocol end.
enum class Framing {
  Numeric,    ///< "ddd-" opens a reply that ends at "ddd " (SMTP, FTP, auto)
  Line,       ///< every reply is one line
  Pop3,       ///< "+OK"/"-ERR"; multi-line by command, up to "."
  Redis,      ///< RESP: simple, error, integer, bulk and (nested) aggregates
  Memcached,  ///< text protocol: retrievals up to END, values by byte count
  Imap,       ///< untagged "* " lines up to the command's tagged line
};

/// Whether the server speaks first.
enum class Greeting {
  None,      ///< the client speaks first
  Optional,  ///< a greeting is taken when it comes within a short wait
  Required,  ///< the server always greets
};

/// The protocol's own way to log in, besides SASL where it has one.
enum class LoginStyle {
  None,   ///< no log-in
  Smtp,   ///< EHLO, then AUTH with a SASL mechanism
  Pop3,   ///< AUTH with a SASL mechanism, or USER and PASS
  Imap,   ///< AUTHENTICATE with a SASL mechanism, or LOGIN
  Ftp,    ///< USER and PASS
  Redis,  ///< AUTH user password
};

/// One command of a STARTTLS negotiation and the reply that grants the next
/// step: a start of the reply's last line, or for IMAP the tagged status.
struct TlsStep {
  /// The command, as sent (IMAP: without its tag); "EHLO" gets the
  /// client's name.
  std::string command;
  std::string granted;  ///< "220", "+OK", "OK", ...
};

/// One protocol as the conversation engine speaks it.
struct Protocol {
  std::string name;                     ///< "smtp", as given to --protocol
  Greeting greeting = Greeting::None;   ///< whether the server speaks first
  Framing framing = Framing::Numeric;   ///< how a reply ends
  bool messageData = false;             ///< a 354 reply starts message data up to "."
  std::vector<TlsStep> startTls;        ///< the STARTTLS negotiation; empty: none
  LoginStyle login = LoginStyle::None;  ///< how to log in
  std::string displayName;              ///< "SMTP", for people
};

/// Every protocol: auto, line, smtp, ftp, pop3, imap, redis, memcached.
const std::vector<Protocol>& Protocols();
/// The protocol of a name ("smtp"); null when there is none.
const Protocol* ProtocolNamed(std::string_view name);
/// The protocols that have a STARTTLS negotiation.
std::vector<const Protocol*> StartTlsProtocols();

/// What a conversation failed at, besides the socket's own failures.
enum class FailureKind {
  MalformedReply,    ///< a reply that breaks the protocol's framing
  TlsRefused,        ///< the server did not agree to STARTTLS
  LoginRefused,      ///< the server refused the log-in
  LoginUnavailable,  ///< no way to log in that both sides have
  PlainText,         ///< a password would go over an unencrypted connection
  BadCommand,        ///< a command that cannot be sent as it is
};

/// A failure of the conversation; the text says what happened in plain words.
class EConversationError : public rtl::Exception {
 public:
  /// A failure of `kind` with its text.
  EConversationError(FailureKind kind, std::string message)
      : rtl::Exception(std::move(message)), kind_(kind) {}
  /// Which failure this is.
  FailureKind Kind() const noexcept { return kind_; }

 private:
  FailureKind kind_;
};

/// What a reply needs next.
enum class Need {
  Line,     ///< the next line
  Bytes,    ///< Wanted() bytes of counted data
  Nothing,  ///< the reply is complete
};

/// The largest value (Redis bulk string, memcached value, IMAP literal) a
/// reply may announce: 1 GiB. A larger count is a malformed reply.
constexpr int64_t kMaxValueBytes = int64_t{1} << 30;

/// Where a reply ends, for one protocol. Start it with the command, feed it
/// each line (with or without its line end) while it needs a line, and tell
/// it how many counted bytes went by while it needs bytes. It keeps only the
/// first and the last line, so a reply of any length costs the room of its
/// longest line.
class ReplyFramer {
 public:
  /// A framer of `framing`.
  explicit ReplyFramer(Framing framing) : framing_(framing) {}

  /// Starts a new reply: to `command` (IMAP: with its tag), or the greeting
  /// when it is empty.
  void Start(std::string_view command);
  /// Takes the next line. Raises EConversationError MalformedReply for a
  /// line that the framing cannot take (a negative or huge count, a value
  /// not followed by its line end, an unknown RESP type).
  Need Feed(std::string_view line);
  /// Takes `count` bytes of the counted data (at most Wanted()).
  Need Passed(size_t count);
  /// The bytes of counted data still to come.
  size_t Wanted() const { return wanted_; }
  /// Whether the reply is complete.
  bool Complete() const { return need_ == Need::Nothing; }

  /// Whether the line last fed is part of what the server said (false for
  /// the line end that closes a value).
  bool Visible() const { return visible_; }
  /// The line last fed as shown: without its line end, POP3 dot unstuffed.
  const std::string& Text() const { return text_; }

  /// The reply's first and last visible line.
  const std::string& First() const { return first_; }
  /// The reply's last visible line.
  const std::string& Last() const { return last_; }
  /// The number of visible lines.
  size_t LineCount() const { return lines_; }
  /// The reply number: of the last line for the numeric framing, of the
  /// first for the others (whose numbers are values, not codes); 0 when
  /// none.
  int64_t Number() const;
  /// The digits the reply number was read from ("" when none).
  std::string NumberText() const;
  /// IMAP: the status of the tagged line ("OK", "NO", "BAD"); empty else.
  const std::string& Status() const { return status_; }
  /// An error reply: 4xx or 5xx, -ERR, a Redis error, memcached ERROR,
  /// CLIENT_ERROR or SERVER_ERROR, IMAP NO, BAD or BYE.
  bool IsError() const;

 private:
  Need FeedNumeric(std::string_view line);
  Need FeedPop3(std::string_view line, bool first);
  Need FeedRedis(std::string_view line);
  Need FeedMemcached(std::string_view line, bool first);
  Need FeedImap(std::string_view line, bool first);
  Need RedisValueDone();
  Need Value(int64_t bytes, std::string_view line);
  void Keep(std::string_view text);

  Framing framing_;
  std::string command_;  // the command's first word (IMAP: second), upper case
  std::string tag_;      // IMAP: the command's tag
  bool hasArguments_ = false;
  Need need_ = Need::Line;
  bool multiLine_ = false;
  bool visible_ = false;
  std::string text_;
  std::string first_;
  std::string last_;
  std::string status_;
  size_t lines_ = 0;
  size_t wanted_ = 0;
  // A value has been passed: the next line is its line end (Redis,
  // memcached) or the rest of the line that announced it (IMAP).
  bool afterValue_ = false;
  bool valueEndsReply_ = false;  // memcached's meta get
  // Redis: the elements still to come at each open aggregate.
  std::vector<int64_t> pending_;
};

/// The line without its trailing CR and LF.
std::string_view WithoutLineEnd(std::string_view line);
/// The line with a dot doubled in front when it starts with one, as message
/// data after SMTP's DATA needs it.
std::string DotStuffed(std::string_view line);
/// A memcached storage command (set, add, replace, append, prepend, cas):
/// a data line follows it before the reply.
bool IsStorageCommand(std::string_view command);
/// False for a memcached command with "noreply": the server answers nothing.
bool ExpectsReply(Framing framing, std::string_view command);
/// IMAP: whether the command's first word is a command name (so that the
/// command still needs its tag).
bool IsUntaggedImapCommand(std::string_view command);
/// The codes of a list such as "2xx,3xx" or "+OK"; empty when the list
/// has an empty code.
std::vector<std::string> ParseCodes(std::string_view text);
/// Whether a reply fits codes such as "2xx" (digits, x for any digit,
/// against the reply number) or words that the first line starts with
/// ("+OK", "STORED"; for IMAP also the tagged status, "OK").
bool Expected(const std::vector<std::string>& codes, std::string_view numberText,
              std::string_view first, std::string_view status);

}  // namespace conversation

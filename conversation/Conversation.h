/// \file
/// The conversation engine: a protocol's greeting, commands with their data,
/// replies streamed line by line and counted values piece by piece,
/// STARTTLS and the log-in, on a connected TPowersock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "conversation/Protocol.h"
#include "socket/Psock.h"

namespace conversation {

/// Receives what the conversation sends and receives, as it happens. Every
/// method does nothing unless overridden.
class Listener {
 public:
  virtual ~Listener() = default;
  /// A line sent: a command (IMAP: with its tag), a data line, or "****"
  /// in place of anything that carries a password.
  virtual void Sent(std::string_view line) { (void)line; }
  /// A reply line, without its line end; `first` for the first line of a
  /// reply.
  virtual void Received(std::string_view line, bool first) {
    (void)line;
    (void)first;
  }
  /// A piece of a counted value (Redis bulk string, memcached value, IMAP
  /// literal), byte for byte; `last` for its last piece (which may be
  /// empty).
  virtual void Value(std::string_view bytes, bool last) {
    (void)bytes;
    (void)last;
  }
};

/// What a reply came to; its lines went to the Listener as they came.
struct Reply {
  std::string command;        ///< the command as sent; empty for the greeting
  std::string first;          ///< the first line, without its line end
  std::string last;           ///< the last line
  size_t lines = 0;           ///< the number of lines (values not counted)
  int64_t number = 0;         ///< the reply number (see ReplyFramer::Number)
  std::string numberText;     ///< its digits as received
  std::string status;         ///< IMAP: the tagged status ("OK", "NO", "BAD")
  bool error = false;         ///< an error reply of the protocol
  bool startsData = false;    ///< SMTP 354: message data follows
  bool replyExpected = true;  ///< false for memcached's noreply
  bool closed = false;        ///< the server closed before the reply ended
  /// The unterminated last line the server left before closing (also told
  /// to the Listener).
  std::string partialLine;

  /// Whether the reply fits codes such as "2xx" or words such as "+OK".
  bool Fits(const std::vector<std::string>& codes) const;
};

/// A user and a password for the log-in. The password goes to the server
/// only (never to the Listener, the status trace or a message).
struct Credentials {
  std::string user;      ///< the user name
  std::string password;  ///< the password
};

/// How to log in.
struct LoginSettings {
  Credentials credentials;  ///< who
  /// "PLAIN", "LOGIN", "CRAM-MD5", "SCRAM-SHA-1", "SCRAM-SHA-256" (GNU
  /// SASL), "NATIVE" for the protocol's own command (POP3 USER and PASS,
  /// IMAP LOGIN, FTP USER and PASS, Redis AUTH), or empty for the best that
  /// the server offers.
  std::string mechanism;
  /// Whether a password (or an encoding of it) may go over a connection
  /// without TLS; otherwise such a log-in raises PlainText.
  bool allowPlainText = false;
};

/// The mechanisms of GNU SASL that the log-in knows, best first.
std::vector<std::string> SaslMechanisms();
/// Whether the mechanism sends the password itself (PLAIN, LOGIN, NATIVE),
/// not a proof of it.
bool SendsPassword(std::string_view mechanism);

/// A conversation of one protocol on a connected socket. The socket's
/// failures (time-out, cancel, a closed connection) pass on as they are.
class Conversation {
 public:
  /// Talks `protocol` on `sock`, telling `listener` (may be null) what goes
  /// by. The socket must outlive the conversation.
  Conversation(Psock::TPowersock& sock, const Protocol& protocol, Listener* listener);

  /// The protocol spoken.
  const Protocol& GetProtocol() const { return *protocol_; }
  /// Speaks another protocol from the next command on.
  void SetProtocol(const Protocol& protocol);
  /// The name EHLO gives (default "localhost").
  void SetClientName(std::string name) { clientName_ = std::move(name); }

  /// How long an optional greeting is waited for, in milliseconds.
  static constexpr int32_t kOptionalGreetingMs = 500;

  /// Reads the greeting as the protocol has it: always when it is
  /// required (or `force`), within kOptionalGreetingMs when optional.
  /// Returns no reply (lines 0, not closed) when none came or none is due.
  /// The socket's TimeOut is the same afterwards, whatever happens.
  Reply Greet(bool force = false);

  /// Sends `command` and reads its whole reply. A command may carry its
  /// data after its first line break: a memcached storage command's data
  /// line, an IMAP command's literal (sent after the server's "+", or at
  /// once with LITERAL+); any other line break raises BadCommand. IMAP
  /// commands that start with a command name get a tag ("a001 ...").
  Reply Run(std::string_view command);
  /// Whether `command` needs a data line that it does not carry (memcached
  /// storage commands): give it with RunWithData.
  bool NeedsDataLine(std::string_view command) const;
  /// Sends `command`, then `data` as it is (and a line end), and reads the
  /// reply.
  Reply RunWithData(std::string_view command, std::string_view data);
  /// One line of message data after SMTP's 354, dot-stuffed.
  void SendDataLine(std::string_view line);
  /// Ends the message data with "." and reads the reply to it.
  Reply EndData();

  /// Negotiates TLS as `how` asks for it (the greeting first unless
  /// `greeted`), then upgrades the socket. Raises TlsRefused, naming the
  /// reply, when the server does not agree.
  void StartTls(const Protocol& how, bool greeted = false);
  /// Logs in with the protocol's own way: SMTP (EHLO, then AUTH), POP3,
  /// IMAP, FTP or Redis. Raises LoginRefused with the server's reply,
  /// LoginUnavailable when no mechanism fits, PlainText when the password
  /// would go unencrypted without allowPlainText.
  void LogIn(const LoginSettings& settings);

  /// The next IMAP tag ("a001", "a002", ...).
  std::string NextTag();

 private:
  Need TakeLine(const std::string& line, bool reported = false);
  Reply ReadReply(std::string command, Need need = Need::Line);
  Reply Finish(Reply reply, bool closed);
  void Send(std::string_view line, std::string_view shown);
  void SendBytes(std::string_view bytes);
  std::string Tagged(std::string_view command);
  Reply RunImapLiteral(const std::string& command, std::string_view literal);
  std::vector<std::string> OfferedMechanisms();
  std::string ChooseMechanism(const LoginSettings& settings,
                              const std::vector<std::string>& offered);
  void Sasl(const LoginSettings& settings, const std::string& mechanism);
  void Native(const LoginSettings& settings);
  [[noreturn]] void Refused(const Reply& reply);
  bool Granted(const Reply& reply, const std::string& granted) const;
  void NoteCapabilities(std::string_view line);

  Psock::TPowersock& sock_;
  const Protocol* protocol_;
  Listener* listener_;
  ReplyFramer framer_;
  std::string clientName_ = "localhost";
  int tag_ = 0;
  bool literalPlus_ = false;               // IMAP: the server takes {n+}
  std::vector<std::string> capabilities_;  // mechanisms from EHLO, CAPA or CAPABILITY
  bool capabilitiesKnown_ = false;
};

}  // namespace conversation

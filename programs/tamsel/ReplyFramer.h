// Where a server's reply ends, per protocol. The framer knows no sockets: it
// is told the command, then fed the reply's lines one by one until it says
// the reply is complete. It also knows what a protocol sends besides
// commands (message data after SMTP's 354, memcached's data lines) and which
// replies are errors.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

enum class Protocol {
  Auto,       // the numeric multi-line rule; safe for any line protocol
  Line,       // every reply is one line
  Smtp,       // numeric multi-line rule, greeting, message data after 354
  Ftp,        // numeric multi-line rule ("ddd-" up to "ddd "), greeting
  Pop3,       // "+OK"/"-ERR", multi-line by command up to ".", greeting
  Redis,      // RESP: simple, error, integer, bulk and (nested) arrays
  Memcached,  // text protocol: get/gets/stats up to END, storage data lines
};

// The protocol of a name as given to --protocol ("auto", "smtp", ...).
std::optional<Protocol> ProtocolNamed(std::string_view name);
const char* NameOf(Protocol protocol);
// Every protocol name, in the order of the Protocol enumeration.
std::vector<std::string> ProtocolNames();

// Whether the server speaks first (SMTP, FTP, POP3).
bool HasGreeting(Protocol protocol);

// A memcached storage command (set, add, replace, append, prepend, cas): one
// data line follows it before the reply.
bool SendsDataLine(Protocol protocol, std::string_view command);

// False for a memcached command with "noreply": the server answers nothing.
bool ExpectsReply(Protocol protocol, std::string_view command);

// The line with a dot doubled in front when it starts with one, as message
// data after SMTP's DATA needs it.
std::string DotStuffed(std::string_view line);

// The number that a line starts with (at most 10 digits, as the socket
// component reads reply numbers), 0 when none. Not limited to 16 bits.
int64_t LeadingNumber(std::string_view line);

class ReplyFramer {
 public:
  explicit ReplyFramer(Protocol protocol) : protocol_(protocol) {}

  Protocol GetProtocol() const { return protocol_; }

  // Starts a new reply: to `command`, or the greeting when it is empty.
  void Start(std::string_view command);

  // Takes the next line of the reply, with or without its line end (byte
  // counts of Redis bulk strings and memcached values include it). Returns
  // true when this line completes the reply.
  bool Feed(std::string_view line);

  bool Complete() const { return complete_; }
  // The reply's lines without their line ends; POP3 lines are unstuffed.
  const std::vector<std::string>& Lines() const { return lines_; }
  // The number of the reply's final line (first line for Redis, memcached
  // and POP3, whose numbers are values, not codes).
  int64_t Number() const;
  // The decimal digits the reply number was read from ("" when none).
  std::string NumberText() const;
  // An error reply of this protocol: 4xx or 5xx for the numeric ones, -ERR,
  // a Redis error, memcached ERROR, CLIENT_ERROR or SERVER_ERROR.
  bool IsError() const;
  // SMTP's 354: the lines that follow are message data up to ".".
  bool StartsData() const;

 private:
  bool FeedNumeric(std::string_view line);
  bool FeedPop3(std::string_view line, bool first);
  bool FeedRedis(std::string_view line);
  bool FeedMemcached(std::string_view line, bool first);
  bool RedisValueDone();
  bool NumericProtocol() const;

  Protocol protocol_;
  std::string command_;  // the command's first word, upper case
  bool hasArguments_ = false;
  std::vector<std::string> lines_;
  bool complete_ = false;
  bool multiLine_ = false;
  // Bytes of a Redis bulk string or memcached value still to come (line
  // ends included); negative when none is open.
  int64_t blockRemaining_ = -1;
  // Redis: the elements still to come at each open array level.
  std::vector<int64_t> pending_;
};

}  // namespace tamsel

// What tamsel does with a connection, shared by its window and its command
// line: read the greeting, run a command with its data, read whole replies
// as the protocol's ReplyFramer frames them, and say in plain words what
// went wrong.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "programs/tamsel/ReplyFramer.h"
#include "socket/Psock.h"

namespace tamsel {

struct Exchange {
  std::string command;             // empty for the greeting
  std::vector<std::string> data;   // lines sent after the command (memcached)
  std::vector<std::string> lines;  // the reply lines without their line ends
  int64_t number = 0;              // the reply number (see ReplyFramer::Number)
  std::string numberText;          // its digits as received
  bool error = false;              // an error reply of the protocol
  bool startsData = false;         // SMTP 354: message data follows
  bool replyExpected = true;       // false for memcached's noreply
  bool closed = false;             // the server closed before the reply ended
  // The last line of a reply that the server left without its line end
  // before closing; shown after the other lines.
  std::string partialLine;
};

// The line without its trailing CR and LF.
std::string WithoutLineEnd(std::string line);

// Reads the greeting. With `waitMs` above 0 a greeting is optional: when
// nothing arrives within that many milliseconds the result has no lines.
Exchange ReadGreeting(Psock::TPowersock& sock, ReplyFramer& framer, int32_t waitMs = 0);

// Sends `command` (and for memcached storage commands its data line) and
// reads the whole reply. A reply number too wide for the component's 16-bit
// field does not end the run: the reply is read on and shown.
Exchange RunCommand(Psock::TPowersock& sock, ReplyFramer& framer, const std::string& command,
                    const std::vector<std::string>& data = {});

// One line of message data after SMTP's 354, dot-stuffed; sent at once.
void SendDataLine(Psock::TPowersock& sock, const std::string& line);
// Ends the message data with "." and reads the reply to it.
Exchange EndData(Psock::TPowersock& sock, ReplyFramer& framer);

// Whether a reply fits --expect: each code is either digits with "x" for
// any digit ("2xx", "354"), matched against the reply number, or a word
// that the reply's first line starts with ("+OK", "STORED").
bool Expected(const std::vector<std::string>& codes, const Exchange& exchange);

// The codes of an --expect value ("2xx,3xx"); empty when it has an empty
// code.
std::vector<std::string> ParseCodes(const std::string& text);

// Where a failure happened, for plain-words messages.
struct Target {
  std::string host;
  int32_t port = 0;
  int32_t timeOut = 0;  // milliseconds, of the wait that failed
};

// What went wrong, in plain words and naming host and port, for a failure
// of an operation of `sock` (the component's own text goes to the status
// trace, see TraceText).
std::string PlainMessage(Psock::TPowersock& sock, const std::exception& error,
                         const Target& target);
// "host:port", with an IPv6 address in brackets: "[::1]:25".
std::string HostAndPort(const Target& target);
// The message for a connection the server closed.
std::string ClosedMessage(const Target& target);
// The component's own text of a failure, for the status trace.
std::string TraceText(Psock::TPowersock& sock, const std::exception& error);
// Whether the failure was a wait that the time-out ended.
bool TimedOut(Psock::TPowersock& sock, const std::exception& error);

}  // namespace tamsel

// What tamsel says about a connection in plain words: failures naming host
// and port, the component's own text for the status trace, and the TLS of
// the connection. Both front ends use these; the conversation itself is the
// engine's (conversation/Conversation.h).
#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

#include "socket/Psock.h"

namespace tamsel {

// A text of tamsel's own for people, already translated for the user's
// language (QCoreApplication::translate), as UTF-8, with %1, %2, ... replaced
// by `values` byte for byte: names and texts of users and servers are not
// reinterpreted. Replies and output meant for scripts never go through it.
std::string Filled(const QString& translated, std::initializer_list<std::string_view> values = {});

// The line without its trailing CR and LF.
std::string WithoutLineEnd(std::string line);

// Where a failure happened, for plain-words messages.
struct Target {
  std::string host;
  int32_t port = 0;
  int32_t timeOut = 0;  // milliseconds, of the wait that failed
};

// What went wrong, in plain words and naming host and port, for a failure
// of an operation of `sock` or of the conversation on it (the component's
// own text goes to the status trace, see TraceText).
std::string PlainMessage(const Psock::TPowersock& sock, const std::exception& error,
                         const Target& target);
// "host:port", with an IPv6 address in brackets: "[::1]:25".
std::string HostAndPort(const Target& target);
// The message for a connection the server closed.
std::string ClosedMessage(const Target& target);
// The component's own text of a failure, for the status trace.
std::string TraceText(const std::exception& error);
// Whether the failure was a wait that the time-out ended.
bool TimedOut(const Psock::TPowersock& sock, const std::exception& error);

// One line about the TLS of the connection for people: protocol and cipher,
// the certificate's subject, issuer and expiry, and whether it was
// verified, or why not.
std::string TlsSummary(const Psock::TPowersock& sock);

}  // namespace tamsel

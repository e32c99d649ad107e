// What tamsel does with a connection, shared by its window and its command
// line: read the server's greeting, and run one transaction, collecting the
// further lines of a multi-line reply ("250-first", "250-more", "250 last").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "socket/Psock.h"

namespace tamsel {

struct Exchange {
  std::string command;             // empty for the greeting
  std::vector<std::string> lines;  // the reply lines without their line ends
  int32_t number = 0;              // the reply number of the first line
  bool closed = false;             // the server closed the connection instead
};

// The line without its trailing CR and LF.
std::string WithoutLineEnd(std::string line);

// The number that a reply line starts with (at most 10 digits), 0 when none.
int32_t LeadingNumber(const std::string& line);

// Whether more lines of the same reply follow this one: three digits and a
// dash.
bool ContinuesReply(const std::string& line);

// The text to show for a failure of `sock`: its message, and for a failed
// connection or look-up the socket layer's reason when one was kept.
std::string Explain(Psock::TPowersock& sock, const std::exception& error);

// Reads the greeting that servers such as SMTP, FTP or POP3 send first.
Exchange ReadGreeting(Psock::TPowersock& sock);

// Runs `command` as a transaction and reads the rest of its reply.
Exchange RunTransaction(Psock::TPowersock& sock, const std::string& command);

}  // namespace tamsel

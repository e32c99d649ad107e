// tamsel's command line: options, usage text, and the run without a window.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "programs/tamsel/ReplyFramer.h"
#include "programs/tamsel/StartTls.h"

namespace tamsel {

struct Options {
  std::string host;
  int32_t port = 0;
  int32_t timeOut = 10000;  // milliseconds; 0 means no limit
  int32_t level = 0;        // report level of the status texts on standard error
  std::vector<std::string> sends;
  Protocol protocol = Protocol::Auto;
  bool greeting = false;            // read a greeting whatever the protocol
  bool noGreeting = false;          // read none, whatever the protocol
  std::vector<std::string> expect;  // --expect codes; empty: any reply
  bool transcript = false;
  bool timestamps = false;
  bool help = false;
  bool version = false;
  std::string screenshot;           // hidden: grab the window into this file and quit
  bool tls = false;                 // TLS from the start (--tls)
  std::optional<Upgrade> startTls;  // negotiate, then upgrade to TLS
  std::string caFile;               // certificates trusted besides the system's
  bool insecure = false;            // no certificate check (a warning says so)
};

std::string Usage();

// Parses the arguments after the program name. Returns an empty text when
// they are fine, otherwise what is wrong with them.
std::string ParseOptions(const std::vector<std::string>& arguments, Options& options);

// Exit statuses of the run without a window.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;     // connecting or a wait failed, or the server closed
constexpr int kExitArguments = 2;  // wrong arguments
constexpr int kExitReplies = 3;    // an unexpected reply, or error replies

// Connects, reads the greeting, runs the commands (the --send texts, else one
// per line of `input`, with their data) and prints each whole reply to
// `output`; status texts and failures go to `errors`. Returns the exit
// status.
int RunCommandLine(const Options& options, std::istream& input, std::ostream& output,
                   std::ostream& errors);

}  // namespace tamsel

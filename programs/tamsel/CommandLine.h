// tamsel's command line: options, usage text, and the run without a window.
// The conversation itself is the engine's (conversation/Conversation.h);
// this file presents it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "conversation/Protocol.h"

namespace tamsel {

struct Options {
  std::string host;
  int32_t port = 0;
  int32_t timeOut = 10000;  // milliseconds; 0 means no limit
  int32_t level = 0;        // report level of the status texts on standard error
  std::vector<std::string> sends;
  const conversation::Protocol* protocol = conversation::ProtocolNamed("auto");
  bool greeting = false;            // read a greeting whatever the protocol
  bool noGreeting = false;          // read none, whatever the protocol
  std::vector<std::string> expect;  // --expect codes; empty: any reply
  bool transcript = false;
  bool timestamps = false;
  bool help = false;
  bool version = false;
  bool tls = false;                                  // TLS from the start (--tls)
  const conversation::Protocol* startTls = nullptr;  // negotiate, then upgrade to TLS
  std::string caFile;                                // certificates trusted besides the system's
  bool insecure = false;                             // no certificate check (a warning says so)
  std::string user;                                  // --user: log in as this user
  std::string auth;             // --auth MECH; empty: the best the server offers
  std::string passwordFile;     // --password-file
  bool allowPlainText = false;  // --allow-plaintext: the password may go without TLS
};

std::string Usage();

// Parses the arguments after the program name. Returns an empty text when
// they are fine, otherwise what is wrong with them.
std::string ParseOptions(const std::vector<std::string>& arguments, Options& options);

// Exit statuses of the run without a window.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // connecting or a wait failed, the server closed, a malformed reply
constexpr int kExitArguments = 2;  // wrong arguments, or no password to be had
constexpr int kExitReplies = 3;    // an unexpected reply, or error replies
constexpr int kExitLogin = 4;      // the log-in was refused or could not be done

// The password for --user: TAMSEL_PASSWORD, else the first line of
// --password-file, else asked for without echo on the terminal. Empty and
// `problem` set when there is none.
std::string PasswordFor(const Options& options, std::string& problem);

// Connects, reads the greeting, logs in when asked, runs the commands (the
// --send texts, else one per line of `input`, with their data) and prints
// each reply line to `output` as it arrives; status texts and failures go
// to `errors`. `password` is used for the log-in only. Returns the exit
// status.
int RunCommandLine(const Options& options, std::istream& input, std::ostream& output,
                   std::ostream& errors, const std::string& password = {});

// Installs the translations of the command's texts (and Qt's) for the
// user's language: translations/ beside the program in the build tree, or
// the installed data folder. Needs a QCoreApplication.
void InstallTranslations();

// The tamsel command once the window is out of the question: --help,
// --version, the usage when there are no arguments (after `windowFailure`,
// why the window program could not be started, when it could not), the
// arguments' problems, the password, then RunCommandLine. Returns the exit
// status.
int RunCommand(const std::vector<std::string>& arguments, const std::string& windowFailure,
               std::istream& input, std::ostream& output, std::ostream& errors);

}  // namespace tamsel

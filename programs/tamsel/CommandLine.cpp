#include "programs/tamsel/CommandLine.h"

#include <charconv>
#include <istream>
#include <memory>
#include <ostream>

#include "programs/tamsel/Session.h"
#include "socket/Psock.h"

namespace tamsel {

namespace {

// A whole decimal number within [low, high]; false for anything else.
bool ParseNumber(const std::string& text, int32_t low, int32_t high, int32_t& value) {
  int32_t parsed = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, parsed);
  if (text.empty() || error != std::errc() || stop != end || parsed < low || parsed > high) {
    return false;
  }
  value = parsed;
  return true;
}

void Print(std::ostream& output, const Exchange& exchange) {
  for (const std::string& line : exchange.lines) output << line << '\n';
  output.flush();
}

}  // namespace

std::string Usage() {
  return R"(Usage: tamsel [HOST PORT [OPTIONS]]

A client for line-oriented TCP services such as SMTP, POP3 or an FTP control
connection.

Without arguments, and with a display, tamsel opens its window. With HOST
(a name or a dotted IPv4 address) and PORT it connects, runs one transaction
per line of standard input (empty lines are skipped) and prints every reply
line to standard output. A transaction sends the line with CR LF and reads
one reply line; a reply of several lines ("250-..." up to "250 ...") is
printed whole.

Options:
  --send TEXT     run TEXT as a transaction instead of reading standard input
                  (may be given more than once)
  --greeting      read and print the server's greeting after connecting
  --timeout MS    limit of each wait in milliseconds, 0 for none (default 10000)
  --level N       write the status texts up to report level N to standard
                  error: 1 the reply lines, 4 also sending and closing,
                  8 everything (default 0: none)
  --help          show this text and exit

Exit status: 0 when every transaction got its reply, 1 when connecting or a
transaction failed or the server closed the connection, 2 for wrong arguments.
)";
}

std::string ParseOptions(const std::vector<std::string>& arguments, Options& options) {
  std::vector<std::string> positional;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--greeting") {
      options.greeting = true;
    } else if (argument == "--send" || argument == "--timeout" || argument == "--level" ||
               argument == "--screenshot") {
      if (!hasValue) return argument + " needs a value";
      const std::string& value = arguments[++i];
      if (argument == "--send") {
        options.sends.push_back(value);
      } else if (argument == "--screenshot") {
        options.screenshot = value;
      } else if (argument == "--timeout") {
        if (!ParseNumber(value, 0, INT32_MAX, options.timeOut)) {
          return "--timeout takes milliseconds from 0 up: " + value;
        }
      } else if (!ParseNumber(value, 0, 255, options.level)) {
        return "--level takes a number from 0 to 255: " + value;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      return "unknown option " + argument;
    } else {
      positional.push_back(argument);
    }
  }
  if (options.help) return {};
  if (positional.size() != 2) return "HOST and PORT are needed";
  options.host = positional[0];
  if (options.host.empty()) return "the host is empty";
  if (!ParseNumber(positional[1], 1, 65535, options.port)) {
    return "PORT must be a number from 1 to 65535: " + positional[1];
  }
  return {};
}

int RunCommandLine(const Options& options, std::istream& input, std::ostream& output,
                   std::ostream& errors) {
  const auto fail = [&](const std::string& why) {
    errors << "tamsel: " << options.host << ":" << options.port << ": " << why << '\n';
    return 1;
  };
  std::unique_ptr<Psock::TPowersock> sock;
  try {
    sock = std::make_unique<Psock::TPowersock>(nullptr);
  } catch (const std::exception& error) {
    return fail(error.what());
  }
  sock->Host = options.host;
  sock->Port = options.port;
  sock->TimeOut = options.timeOut;
  sock->ReportLevel = options.level;
  sock->OnStatus = [&errors](toolkit::Component*, const std::string& status) {
    errors << WithoutLineEnd(status) << '\n';
  };
  try {
    sock->Connect();
    if (options.greeting) {
      const Exchange greeting = ReadGreeting(*sock);
      Print(output, greeting);
      if (greeting.closed) return fail("the server closed the connection");
    }
    std::vector<std::string> commands = options.sends;
    const bool fromInput = commands.empty();
    std::string line;
    for (size_t i = 0;
         fromInput ? static_cast<bool>(std::getline(input, line)) : i < commands.size(); ++i) {
      const std::string command = WithoutLineEnd(fromInput ? line : commands[i]);
      if (command.empty()) continue;
      const Exchange exchange = RunTransaction(*sock, command);
      Print(output, exchange);
      if (exchange.closed) return fail("the server closed the connection");
    }
    sock->Disconnect();
    return 0;
  } catch (const std::exception& error) {
    return fail(Explain(*sock, error));
  }
}

}  // namespace tamsel

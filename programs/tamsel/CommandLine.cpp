#include "programs/tamsel/CommandLine.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
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

}  // namespace

std::string Usage() {
  return R"(Usage: tamsel [HOST PORT [OPTIONS]]

A client for line-oriented TCP services such as SMTP, FTP, POP3, Redis or
memcached.

Without arguments, and with a display, tamsel opens its window. With HOST
(a name, a dotted IPv4 address or an IPv6 address, with or without
brackets) and PORT it connects, reads the server's
greeting, runs one command per line of standard input (empty lines are
skipped) and prints every whole reply to standard output. Where a reply
ends depends on the protocol (see --protocol).

After an SMTP reply 354 the following lines are message data, sent as they
are (blank lines kept, a leading dot doubled) up to a line "."; then the
reply is read. A memcached storage command (set, add, replace, append,
prepend, cas) takes the next line as its data line.

Options:
  --send TEXT        run TEXT as a command instead of reading standard
                     input (may be given more than once)
  --protocol NAME    how replies end: auto (default: a reply "ddd-..." ends
                     at the line "ddd ...", any other reply is one line),
                     line (one line), smtp, ftp, pop3 (multi-line replies
                     of CAPA, LIST, UIDL, RETR, TOP end at "."), redis
                     (RESP), memcached (get, gets, stats end at END)
  --greeting         read a greeting whatever the protocol (smtp, ftp and
                     pop3 always read one; auto takes what the server sends
                     within half a second as the greeting)
  --no-greeting      read no greeting
  --expect CODES     stop with exit status 3 at the first reply (greeting
                     included) outside CODES: reply numbers with x for any
                     digit, or words the reply starts with, separated by
                     commas, for instance 2xx,3xx or +OK or STORED,END
  --transcript       print both sides: commands "-> ", replies "<- "
  --timestamps       with --transcript, start each line with the time
  --timeout MS       limit of each wait in milliseconds, 0 for none
                     (default 10000)
  --level N          write the status texts up to report level N to
                     standard error: 1 every reply line, greeting included,
                     4 also sending and closing, 8 everything (default 0:
                     none)
  --tls              speak TLS from the start (SMTPS 465, POP3S 995,
                     IMAPS 993, ...); the server's certificate must be
                     valid for HOST
  --starttls PROTO   upgrade to TLS after the protocol's own request:
                     smtp (EHLO, STARTTLS), pop3 (STLS), ftp (AUTH TLS)
                     or imap (a001 STARTTLS); the greeting and these
                     replies are printed; with smtp, send EHLO again
  --cafile FILE      trust the certificates in FILE (PEM) besides the
                     system's
  --insecure         do not check the server's certificate (a warning
                     says so on standard error)
  --help             show this text and exit
  --version          show the version and exit

Exit status:
  0  every command got its reply and no reply was an error
  1  connecting failed, a wait timed out, a line was too long, or the
     server closed the connection
  2  wrong arguments
  3  with --expect: a reply outside the expected codes (the run stops
     there); without: at least one error reply of the protocol (4xx or 5xx,
     -ERR, a Redis error, memcached ERROR, CLIENT_ERROR or SERVER_ERROR)
)";
}

std::string ParseOptions(const std::vector<std::string>& arguments, Options& options) {
  std::vector<std::string> positional;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--greeting") {
      options.greeting = true;
    } else if (argument == "--no-greeting") {
      options.noGreeting = true;
    } else if (argument == "--tls") {
      options.tls = true;
    } else if (argument == "--insecure") {
      options.insecure = true;
    } else if (argument == "--starttls" || argument == "--cafile") {
      if (!hasValue) return argument + " needs a value";
      const std::string& value = arguments[++i];
      if (argument == "--cafile") {
        options.caFile = value;
      } else if (const std::optional<Upgrade> upgrade = UpgradeNamed(value)) {
        options.startTls = *upgrade;
      } else {
        return "--starttls takes smtp, pop3, ftp or imap: " + value;
      }
    } else if (argument == "--transcript") {
      options.transcript = true;
    } else if (argument == "--timestamps") {
      options.timestamps = true;
    } else if (argument == "--protocol" || argument == "--expect") {
      if (!hasValue) return argument + " needs a value";
      const std::string& value = arguments[++i];
      if (argument == "--expect") {
        options.expect = ParseCodes(value);
        if (options.expect.empty()) return "--expect takes codes separated by commas: " + value;
      } else if (const std::optional<Protocol> protocol = ProtocolNamed(value)) {
        options.protocol = *protocol;
      } else {
        return "unknown protocol " + value + " (auto, line, smtp, ftp, pop3, redis, memcached)";
      }
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
  if (options.help || options.version) return {};
  if (options.tls && options.startTls) return "--tls and --starttls exclude each other";
  if (!options.tls && !options.startTls && (options.insecure || !options.caFile.empty())) {
    return "--cafile and --insecure need --tls or --starttls";
  }
  if (positional.size() != 2) return "HOST and PORT are needed";
  options.host = positional[0];
  if (options.host.empty()) return "the host is empty";
  if (!ParseNumber(positional[1], 1, 65535, options.port)) {
    return "PORT must be a number from 1 to 65535: " + positional[1];
  }
  return {};
}

namespace {

// How long `auto` waits for a greeting that may not come.
constexpr int32_t kOptionalGreetingMs = 500;

std::string Clock() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d ", local.tm_hour, local.tm_min,
                local.tm_sec, static_cast<int>(millis));
  return text;
}

// One run of the command line: the connection, the protocol's framer and
// where each side's lines go.
class Run {
 public:
  Run(const Options& options, std::istream* input, std::ostream& output, std::ostream& errors)
      : options_(options),
        input_(input),
        output_(output),
        errors_(errors),
        framer_(options.protocol) {}

  int Go(const std::function<bool(std::string&)>& next) {
    try {
      sock_ = std::make_unique<Psock::TPowersock>(nullptr);
    } catch (const std::exception& error) {
      return Fail(error.what());
    }
    sock_->Host = options_.host;
    sock_->Port = options_.port;
    sock_->TimeOut = options_.timeOut;
    sock_->ReportLevel = options_.level;
    sock_->OnStatus = [this](toolkit::Component*, const std::string& status) {
      errors_ << WithoutLineEnd(status) << '\n';
    };
    sock_->UseTls = options_.tls;
    sock_->TlsCaFile = options_.caFile;
    sock_->TlsVerify = !options_.insecure;
    if (options_.insecure) {
      errors_ << "tamsel: warning: --insecure: the server's certificate is not checked\n";
    }
    try {
      sock_->Connect();
      if (options_.startTls) {
        if (const int status = Upgrade(*options_.startTls); status >= 0) return status;
      } else if (const int status = Greet(); status >= 0) {
        return status;
      }
      if (sock_->TlsActive()) errors_ << "tamsel: TLS: " << TlsSummary(*sock_) << '\n';
      if (const int status = Commands(next); status >= 0) return status;
      sock_->Disconnect();
      output_.flush();
      if (errorReplies_ == 0) return kExitDone;
      errors_ << "tamsel: " << errorReplies_
              << (errorReplies_ == 1 ? " error reply" : " error replies") << " from "
              << options_.host << ":" << options_.port << '\n';
      return kExitReplies;
    } catch (const std::exception& error) {
      output_.flush();
      if (options_.level > 0) errors_ << TraceText(*sock_, error) << '\n';
      return Fail(PlainMessage(*sock_, error, Where()));
    }
  }

 private:
  Target Where() const { return {options_.host, options_.port, sock_ ? sock_->TimeOut : 0}; }

  int Fail(const std::string& why) {
    output_.flush();
    errors_ << "tamsel: " << why << '\n';
    return kExitFailed;
  }

  void Sent(const std::string& line) {
    if (!options_.transcript) return;
    if (options_.timestamps) output_ << Clock();
    output_ << "-> " << line << '\n';
  }

  void Received(const std::string& line) {
    if (options_.transcript) {
      if (options_.timestamps) output_ << Clock();
      output_ << "<- ";
    }
    output_ << line << '\n';
  }

  // Returns an exit status to end the run with, or -1 to go on.
  int Show(const Exchange& exchange) {
    for (const std::string& line : exchange.lines) Received(line);
    if (!exchange.partialLine.empty()) Received(exchange.partialLine);
    // Replies reach a reader at once when the run waits for more input;
    // while commands are already waiting, they go out in larger writes.
    if (input_ == nullptr || input_->rdbuf()->in_avail() <= 0) output_.flush();
    if (exchange.closed) return Fail(ClosedMessage(Where()));
    if (!exchange.replyExpected) return -1;
    if (!options_.expect.empty() && !Expected(options_.expect, exchange)) {
      const std::string what =
          exchange.command.empty() ? "greeting" : "reply to " + exchange.command;
      errors_ << "tamsel: unexpected " << what << " from " << options_.host << ":" << options_.port
              << ": " << (exchange.lines.empty() ? std::string() : exchange.lines.back()) << '\n';
      return kExitReplies;
    }
    if (exchange.error) ++errorReplies_;
    return -1;
  }

  int Greet() {
    if (options_.noGreeting) return -1;
    if (options_.greeting || HasGreeting(options_.protocol)) {
      return Show(ReadGreeting(*sock_, framer_));
    }
    if (options_.protocol != Protocol::Auto) return -1;
    const Exchange greeting = ReadGreeting(*sock_, framer_, kOptionalGreetingMs);
    if (greeting.lines.empty() && !greeting.closed) return -1;
    return Show(greeting);
  }

  // Negotiates the upgrade, showing the greeting and each reply, then
  // upgrades. Returns an exit status to end the run with, or -1 to go on.
  int Upgrade(tamsel::Upgrade upgrade) {
    const Negotiation negotiation = Negotiate(*sock_, upgrade);
    for (const Exchange& exchange : negotiation.exchanges) {
      if (!exchange.command.empty()) Sent(exchange.command);
      for (const std::string& line : exchange.lines) Received(line);
      if (!exchange.partialLine.empty()) Received(exchange.partialLine);
      if (exchange.closed) return Fail(ClosedMessage(Where()));
    }
    if (!negotiation.granted) {
      return Fail(HostAndPort(Where()) + " did not agree to STARTTLS: " + negotiation.refusal);
    }
    sock_->StartTls();
    return -1;
  }

  int Commands(const std::function<bool(std::string&)>& next) {
    bool messageData = false;
    std::string line;
    while (next(line)) {
      line = WithoutLineEnd(line);
      if (messageData) {
        Sent(line);
        if (line != ".") {
          SendDataLine(*sock_, line);
          continue;
        }
        messageData = false;
        if (const int status = Show(EndData(*sock_, framer_)); status >= 0) return status;
        continue;
      }
      if (line.empty()) continue;
      if (!sock_->Connected) return Fail(ClosedMessage(Where()));
      std::vector<std::string> data;
      Sent(line);
      if (SendsDataLine(options_.protocol, line)) {
        std::string dataLine;
        if (next(dataLine)) data.push_back(WithoutLineEnd(dataLine));
        for (const std::string& sent : data) Sent(sent);
      }
      const Exchange exchange = RunCommand(*sock_, framer_, line, data);
      if (const int status = Show(exchange); status >= 0) return status;
      messageData = exchange.startsData;
    }
    return -1;
  }

  const Options& options_;
  std::istream* input_;  // null when the commands come from --send
  std::ostream& output_;
  std::ostream& errors_;
  ReplyFramer framer_;
  std::unique_ptr<Psock::TPowersock> sock_;
  int errorReplies_ = 0;
};

}  // namespace

int RunCommandLine(const Options& options, std::istream& input, std::ostream& output,
                   std::ostream& errors) {
  size_t sent = 0;
  const std::function<bool(std::string&)> next = [&](std::string& line) {
    if (options.sends.empty()) return static_cast<bool>(std::getline(input, line));
    if (sent == options.sends.size()) return false;
    line = options.sends[sent++];
    return true;
  };
  return Run(options, options.sends.empty() ? &input : nullptr, output, errors).Go(next);
}

}  // namespace tamsel

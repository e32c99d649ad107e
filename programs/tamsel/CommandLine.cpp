#include "programs/tamsel/CommandLine.h"

#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>

#include "conversation/Conversation.h"
#include "programs/tamsel/Session.h"
#include "runtime/ScopeExit.h"
#include "socket/Psock.h"
#include "toolkit/Translation.h"

namespace tamsel {

namespace {

// The command line's texts for people (--help, the messages on standard
// error, the password prompt) are translated in the context
// "tamsel::CommandLine"; replies, exit statuses and output meant for scripts
// never are.

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
  // One text per paragraph, option and exit status, so that a translation
  // keeps the layout of each: option names and values stay as they are.
  const char* const about[] = {
      QT_TRANSLATE_NOOP("tamsel::CommandLine", "Usage: tamsel [HOST PORT [OPTIONS]]"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "A client for line-oriented TCP services such as SMTP, FTP, POP3, IMAP,\n"
                        "Redis or memcached."),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "Without arguments, and with a display, tamsel opens its window. With HOST\n"
          "(a name, a dotted IPv4 address or an IPv6 address, with or without\n"
          "brackets) and PORT it connects, reads the server's greeting, logs in when\n"
          "asked to, runs one command per line of standard input (empty lines are\n"
          "skipped) and prints each reply line as it arrives. Where a reply ends\n"
          "depends on the protocol (see --protocol)."),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "After an SMTP reply 354 the following lines are message data, sent as they\n"
          "are (blank lines kept, a leading dot doubled) up to a line \".\"; then the\n"
          "reply is read. A memcached storage command (set, add, replace, append,\n"
          "prepend, cas) takes the next line as its data line; a --send text may carry\n"
          "it after a line break ($'set k 0 0 2\\r\\nhi'), and is then sent as it is.\n"
          "Values (Redis bulk strings, memcached values, IMAP literals) of any size\n"
          "are read by their byte count and written byte for byte, followed by a line\n"
          "end. IMAP commands get a tag (a001, a002, ...) when they start with a\n"
          "command name; a --send text \"APPEND box {n}\" followed by a line break and\n"
          "the message sends the message as a literal once the server says \"+\" (at\n"
          "once with LITERAL+)."),
  };
  const char* const options[] = {
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --send TEXT        run TEXT as a command instead of reading standard\n"
                        "                     input (may be given more than once)"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  --protocol NAME    how replies end: auto (default: a reply \"ddd-...\" ends\n"
          "                     at the line \"ddd ...\", any other reply is one line),\n"
          "                     line (one line), smtp, ftp, pop3 (multi-line replies\n"
          "                     of CAPA, LIST, UIDL, RETR, TOP end at \".\"), imap\n"
          "                     (untagged lines up to the tagged one), redis (RESP),\n"
          "                     memcached (get, gets, stats end at END)"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  --greeting         read a greeting whatever the protocol (smtp, ftp, pop3\n"
          "                     and imap always read one; auto takes what the server\n"
          "                     sends within half a second as the greeting)"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine", "  --no-greeting      read no greeting"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  --expect CODES     stop with exit status 3 at the first reply (greeting\n"
          "                     included) outside CODES: reply numbers with x for any\n"
          "                     digit, or words the reply starts with (for IMAP also\n"
          "                     its tagged status), separated by commas, for instance\n"
          "                     2xx,3xx or +OK or STORED,END or OK"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --transcript       print both sides: commands \"-> \", replies \"<- \""),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --timestamps       with --transcript, start each line with the time"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --timeout MS       limit of each wait in milliseconds, 0 for none\n"
                        "                     (default 10000)"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  --level N          write the status texts up to report level N to\n"
          "                     standard error: 1 every reply line, greeting included,\n"
          "                     4 also sending and closing, 8 everything (default 0:\n"
          "                     none)"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --tls              speak TLS from the start (SMTPS 465, POP3S 995,\n"
                        "                     IMAPS 993, ...); the server's certificate must be\n"
                        "                     valid for HOST"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --starttls PROTO   upgrade to TLS after the protocol's own request:\n"
                        "                     smtp (EHLO, STARTTLS), pop3 (STLS), ftp (AUTH TLS)\n"
                        "                     or imap (STARTTLS); the greeting and these replies\n"
                        "                     are printed; with smtp, send EHLO again (a log-in\n"
                        "                     does so itself)"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --cafile FILE      trust the certificates in FILE (PEM) besides the\n"
                        "                     system's"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --insecure         do not check the server's certificate (a warning\n"
                        "                     says so on standard error)"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  --user NAME        log in as NAME right after the greeting and any TLS\n"
          "                     upgrade, before the first command: SMTP (its own EHLO,\n"
          "                     then AUTH), POP3 (AUTH, or USER and PASS), IMAP\n"
          "                     (AUTHENTICATE, or LOGIN), FTP (USER and PASS), Redis\n"
          "                     (AUTH). The password comes from the environment\n"
          "                     variable TAMSEL_PASSWORD, from --password-file, or is\n"
          "                     asked for on the terminal without echo; never from\n"
          "                     the command line. It is never printed: \"****\" stands\n"
          "                     for it in the transcript."),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --password-file F  read the password from the first line of F"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  --auth MECH        the mechanism: PLAIN, LOGIN, CRAM-MD5, SCRAM-SHA-1 or\n"
          "                     SCRAM-SHA-256 (GNU SASL), or NATIVE for the protocol's\n"
          "                     own command; default: the best that the server offers\n"
          "                     (SCRAM-SHA-256 first), else the protocol's command"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  --allow-plaintext  let the password (PLAIN, LOGIN, NATIVE) go over a\n"
                        "                     connection without TLS (a warning says so)"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine", "  --help             show this text and exit"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine", "  --version          show the version and exit"),
  };
  const char* const statuses[] = {
      QT_TRANSLATE_NOOP("tamsel::CommandLine",
                        "  0  every command got its reply and no reply was an error"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  1  connecting failed, a wait timed out, a line was too long, the server\n"
          "     closed the connection, refused STARTTLS or sent a malformed reply"),
      QT_TRANSLATE_NOOP("tamsel::CommandLine", "  2  wrong arguments, or no password to be had"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  3  with --expect: a reply outside the expected codes (the run stops\n"
          "     there); without: at least one error reply of the protocol (4xx or 5xx,\n"
          "     -ERR, a Redis error, memcached ERROR, CLIENT_ERROR or SERVER_ERROR,\n"
          "     IMAP NO or BAD)"),
      QT_TRANSLATE_NOOP(
          "tamsel::CommandLine",
          "  4  the log-in was refused, or could not be done (no mechanism that both\n"
          "     sides know, or a password without TLS and without --allow-plaintext)"),
  };
  std::string text;
  const auto add = [&text](const char* source) {
    text += QCoreApplication::translate("tamsel::CommandLine", source).toStdString() + '\n';
  };
  for (const char* paragraph : about) {
    if (!text.empty()) text += '\n';
    add(paragraph);
  }
  text += '\n';
  add(QT_TRANSLATE_NOOP("tamsel::CommandLine", "Options:"));
  for (const char* option : options) add(option);
  text += '\n';
  add(QT_TRANSLATE_NOOP("tamsel::CommandLine", "Exit status:"));
  for (const char* status : statuses) add(status);
  return text;
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
    } else if (argument == "--allow-plaintext") {
      options.allowPlainText = true;
    } else if (argument == "--transcript") {
      options.transcript = true;
    } else if (argument == "--timestamps") {
      options.timestamps = true;
    } else if (argument == "--password") {
      return Filled(QCoreApplication::translate(
          "tamsel::CommandLine",
          "--password is not taken: a password on the command line is visible to "
          "every user of the machine; use TAMSEL_PASSWORD, --password-file or the "
          "prompt"));
    } else if (argument == "--starttls" || argument == "--cafile" || argument == "--protocol" ||
               argument == "--expect" || argument == "--send" || argument == "--timeout" ||
               argument == "--level" || argument == "--user" || argument == "--auth" ||
               argument == "--password-file") {
      if (!hasValue)
        return Filled(QCoreApplication::translate("tamsel::CommandLine", "%1 needs a value"),
                      {argument});
      const std::string& value = arguments[++i];
      if (argument == "--cafile") {
        options.caFile = value;
      } else if (argument == "--starttls") {
        const conversation::Protocol* protocol = conversation::ProtocolNamed(value);
        if (protocol == nullptr || protocol->startTls.empty()) {
          return Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                    "--starttls takes smtp, pop3, ftp or imap: %1"),
                        {value});
        }
        options.startTls = protocol;
      } else if (argument == "--protocol") {
        options.protocol = conversation::ProtocolNamed(value);
        if (options.protocol == nullptr) {
          return Filled(
              QCoreApplication::translate(
                  "tamsel::CommandLine",
                  "unknown protocol %1 (auto, line, smtp, ftp, pop3, imap, redis, memcached)"),
              {value});
        }
      } else if (argument == "--expect") {
        options.expect = conversation::ParseCodes(value);
        if (options.expect.empty()) {
          return Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                    "--expect takes codes separated by commas: %1"),
                        {value});
        }
      } else if (argument == "--send") {
        options.sends.push_back(value);
      } else if (argument == "--user") {
        options.user = value;
      } else if (argument == "--auth") {
        options.auth = value;
      } else if (argument == "--password-file") {
        options.passwordFile = value;
      } else if (argument == "--timeout") {
        if (!ParseNumber(value, 0, INT32_MAX, options.timeOut)) {
          return Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                    "--timeout takes milliseconds from 0 up: %1"),
                        {value});
        }
      } else if (!ParseNumber(value, 0, 255, options.level)) {
        return Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                  "--level takes a number from 0 to 255: %1"),
                      {value});
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      return Filled(QCoreApplication::translate("tamsel::CommandLine", "unknown option %1"),
                    {argument});
    } else {
      positional.push_back(argument);
    }
  }
  if (options.help || options.version) return {};
  if (options.tls && options.startTls) {
    return Filled(QCoreApplication::translate("tamsel::CommandLine",
                                              "--tls and --starttls exclude each other"));
  }
  if (!options.tls && !options.startTls && (options.insecure || !options.caFile.empty())) {
    return Filled(QCoreApplication::translate("tamsel::CommandLine",
                                              "--cafile and --insecure need --tls or --starttls"));
  }
  if (options.user.empty() &&
      (!options.auth.empty() || !options.passwordFile.empty() || options.allowPlainText)) {
    return Filled(QCoreApplication::translate(
        "tamsel::CommandLine", "--auth, --password-file and --allow-plaintext need --user"));
  }
  if (!options.user.empty() && options.protocol->login == conversation::LoginStyle::None) {
    return Filled(
        QCoreApplication::translate(
            "tamsel::CommandLine",
            "--user needs a protocol with a log-in (smtp, pop3, imap, ftp, redis), not %1"),
        {options.protocol->name});
  }
  // A line break belongs to a command only where it carries data.
  const conversation::Framing framing = options.protocol->framing;
  for (const std::string& send : options.sends) {
    const size_t lineBreak = send.find_first_of("\r\n");
    if (lineBreak == std::string::npos) continue;
    const bool storage = framing == conversation::Framing::Memcached &&
                         conversation::IsStorageCommand(send.substr(0, lineBreak));
    if (!storage && framing != conversation::Framing::Imap) {
      return Filled(QCoreApplication::translate(
          "tamsel::CommandLine",
          "--send holds a line break; only a memcached storage command (its data line) "
          "and an IMAP command (its literal) may carry one: give each command its own "
          "--send"));
    }
  }
  if (positional.size() != 2)
    return Filled(QCoreApplication::translate("tamsel::CommandLine", "HOST and PORT are needed"));
  options.host = positional[0];
  if (options.host.empty())
    return Filled(QCoreApplication::translate("tamsel::CommandLine", "the host is empty"));
  if (!ParseNumber(positional[1], 1, 65535, options.port)) {
    return Filled(QCoreApplication::translate("tamsel::CommandLine",
                                              "PORT must be a number from 1 to 65535: %1"),
                  {positional[1]});
  }
  return {};
}

std::string PasswordFor(const Options& options, std::string& problem) {
  if (const char* fromEnvironment = std::getenv("TAMSEL_PASSWORD")) return fromEnvironment;
  if (!options.passwordFile.empty()) {
    std::ifstream file(options.passwordFile);
    std::string password;
    if (!file || !std::getline(file, password)) {
      problem = Filled(
          QCoreApplication::translate("tamsel::CommandLine", "cannot read the password from %1"),
          {options.passwordFile});
      return {};
    }
    return WithoutLineEnd(password);
  }
  // The terminal itself, so that standard input stays the commands'.
  std::FILE* terminal = std::fopen("/dev/tty", "r+");
  if (terminal == nullptr) {
    problem = Filled(QCoreApplication::translate(
        "tamsel::CommandLine",
        "--user needs a password: set TAMSEL_PASSWORD, give --password-file, or run in "
        "a terminal"));
    return {};
  }
  rtl::ScopeExit close([terminal] { std::fclose(terminal); });
  const int fd = ::fileno(terminal);
  termios saved{};
  const bool tty = ::tcgetattr(fd, &saved) == 0;
  if (tty) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(fd, TCSAFLUSH, &quiet);
  }
  rtl::ScopeExit restore([&] {
    if (tty) ::tcsetattr(fd, TCSAFLUSH, &saved);
  });
  const std::string prompt = Filled(
      QCoreApplication::translate("tamsel::CommandLine", "Password for %1: "), {options.user});
  std::fputs(prompt.c_str(), terminal);
  std::fflush(terminal);
  std::string password;
  for (int c = std::fgetc(terminal); c != EOF && c != '\n'; c = std::fgetc(terminal)) {
    password.push_back(static_cast<char>(c));
  }
  std::fprintf(terminal, "\n");
  return WithoutLineEnd(password);
}

namespace {

// The name tamsel gives itself in EHLO.
constexpr char kClientName[] = "tamsel.localdomain";

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

// One run of the command line: it shows what the engine sends and receives
// as it happens, and turns the outcome into the exit status.
class Run : public conversation::Listener {
 public:
  Run(const Options& options, std::istream* input, std::ostream& output, std::ostream& errors)
      : options_(options), input_(input), output_(output), errors_(errors) {}

  int Go(const std::function<bool(std::string&)>& next, const std::string& password) {
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
      errors_ << "tamsel: "
              << Filled(QCoreApplication::translate(
                     "tamsel::CommandLine",
                     "warning: --insecure: the server's certificate is not checked"))
              << '\n';
    }
    conversation::Conversation talk(*sock_, *options_.protocol, this);
    talk.SetClientName(kClientName);
    talk_ = &talk;
    try {
      sock_->Connect();
      if (options_.startTls) {
        talk.StartTls(*options_.startTls);
      } else if (!options_.noGreeting) {
        if (const int status = Show(talk.Greet(options_.greeting)); status >= 0) return status;
      }
      if (sock_->TlsActive()) errors_ << "tamsel: TLS: " << TlsSummary(*sock_) << '\n';
      if (!options_.user.empty()) LogIn(talk, password);
      if (const int status = Commands(next); status >= 0) return status;
      sock_->Disconnect();
      output_.flush();
      if (errorReplies_ == 0) return kExitDone;
      errors_ << "tamsel: "
              << (errorReplies_ == 1
                      ? Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                           "1 error reply from %1"),
                               {HostAndPort(Where())})
                      : Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                           "%1 error replies from %2"),
                               {std::to_string(errorReplies_), HostAndPort(Where())}))
              << '\n';
      return kExitReplies;
    } catch (const std::exception& error) {
      EndValue();
      output_.flush();
      if (options_.level > 0) errors_ << TraceText(error) << '\n';
      const auto* talkFailure = dynamic_cast<const conversation::EConversationError*>(&error);
      if (talkFailure != nullptr) {
        switch (talkFailure->Kind()) {
          case conversation::FailureKind::LoginRefused:
          case conversation::FailureKind::LoginUnavailable:
          case conversation::FailureKind::PlainText:
            errors_ << "tamsel: " << PlainMessage(*sock_, error, Where()) << '\n';
            return kExitLogin;
          default:
            break;
        }
      }
      return Fail(PlainMessage(*sock_, error, Where()));
    }
  }

  void Sent(std::string_view line) override {
    if (!options_.transcript) return;
    EndValue();
    if (options_.timestamps) output_ << Clock();
    output_ << "-> " << line << '\n';
  }

  void Received(std::string_view line, bool) override {
    EndValue();
    Mark();
    output_ << line << '\n';
  }

  void Value(std::string_view bytes, bool last) override {
    if (!valueOpen_) Mark();
    valueOpen_ = true;
    output_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (last) EndValue();
  }

 private:
  Target Where() const { return {options_.host, options_.port, sock_ ? sock_->TimeOut : 0}; }

  int Fail(const std::string& why) {
    output_.flush();
    errors_ << "tamsel: " << why << '\n';
    return kExitFailed;
  }

  void Mark() {
    if (!options_.transcript) return;
    if (options_.timestamps) output_ << Clock();
    output_ << "<- ";
  }

  // A value that the server cut short still ends its line.
  void EndValue() {
    if (!valueOpen_) return;
    valueOpen_ = false;
    output_ << '\n';
  }

  void LogIn(conversation::Conversation& talk, const std::string& password) {
    conversation::LoginSettings settings;
    settings.credentials = {options_.user, password};
    settings.mechanism = options_.auth;
    settings.allowPlainText = options_.allowPlainText;
    if (options_.allowPlainText && !sock_->TlsActive()) {
      errors_ << "tamsel: "
              << Filled(QCoreApplication::translate(
                            "tamsel::CommandLine",
                            "warning: --allow-plaintext: the password may go to %1 without "
                            "TLS"),
                        {HostAndPort(Where())})
              << '\n';
    }
    talk.LogIn(settings);
  }

  // Returns an exit status to end the run with, or -1 to go on.
  int Show(const conversation::Reply& reply) {
    EndValue();
    // Replies reach a reader at once when the run waits for more input;
    // while commands are already waiting, they go out in larger writes.
    if (input_ == nullptr || input_->rdbuf()->in_avail() <= 0) output_.flush();
    if (reply.closed) return Fail(ClosedMessage(Where()));
    if (!reply.replyExpected) return -1;
    if (reply.lines == 0 && reply.command.empty()) return -1;  // no greeting came
    if (!options_.expect.empty() && !reply.Fits(options_.expect)) {
      const std::string where = HostAndPort(Where());
      errors_ << "tamsel: "
              << (reply.command.empty()
                      ? Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                           "unexpected greeting from %1: %2"),
                               {where, reply.last})
                      : Filled(QCoreApplication::translate("tamsel::CommandLine",
                                                           "unexpected reply to %1 from %2: %3"),
                               {reply.command, where, reply.last}))
              << '\n';
      return kExitReplies;
    }
    if (reply.error) ++errorReplies_;
    return -1;
  }

  int Commands(const std::function<bool(std::string&)>& next) {
    bool messageData = false;
    std::string line;
    while (next(line)) {
      if (input_ != nullptr) line = WithoutLineEnd(line);
      if (messageData) {
        if (line != ".") {
          talk_->SendDataLine(line);
          continue;
        }
        messageData = false;
        if (const int status = Show(talk_->EndData()); status >= 0) return status;
        continue;
      }
      if (line.empty()) continue;
      if (!sock_->Connected) return Fail(ClosedMessage(Where()));
      conversation::Reply reply;
      if (talk_->NeedsDataLine(line)) {
        std::string data;
        if (next(data)) data = WithoutLineEnd(data);
        reply = talk_->RunWithData(line, data);
      } else {
        reply = talk_->Run(line);
      }
      if (const int status = Show(reply); status >= 0) return status;
      messageData = reply.startsData;
    }
    return -1;
  }

  const Options& options_;
  std::istream* input_;  // null when the commands come from --send
  std::ostream& output_;
  std::ostream& errors_;
  std::unique_ptr<Psock::TPowersock> sock_;
  conversation::Conversation* talk_ = nullptr;
  bool valueOpen_ = false;
  int errorReplies_ = 0;
};

}  // namespace

int RunCommandLine(const Options& options, std::istream& input, std::ostream& output,
                   std::ostream& errors, const std::string& password) {
  size_t sent = 0;
  const std::function<bool(std::string&)> next = [&](std::string& line) {
    if (options.sends.empty()) return static_cast<bool>(std::getline(input, line));
    if (sent == options.sends.size()) return false;
    line = options.sends[sent++];
    return true;
  };
  return Run(options, options.sends.empty() ? &input : nullptr, output, errors).Go(next, password);
}

void InstallTranslations() {
  toolkit::InstallProgramTranslations(QStringLiteral("tamsel"),
                                      QStringLiteral(TAMSEL_TRANSLATIONS_FROM_BIN));
}

int RunCommand(const std::vector<std::string>& arguments, const std::string& windowFailure,
               std::istream& input, std::ostream& output, std::ostream& errors) {
  Options options;
  const std::string problem = ParseOptions(arguments, options);
  if (options.help) {
    output << Usage();
    return kExitDone;
  }
  if (options.version) {
    output << "tamsel " TAMSEL_VERSION "\n";
    return kExitDone;
  }
  if (arguments.empty()) {
    errors << "tamsel: "
           << (windowFailure.empty()
                   ? Filled(QCoreApplication::translate(
                         "tamsel::CommandLine",
                         "no display for the window; give HOST and PORT to run "
                         "without one"))
                   : Filled(QCoreApplication::translate(
                                "tamsel::CommandLine",
                                "the window could not be started (%1); give HOST and PORT "
                                "to run without one"),
                            {windowFailure}))
           << "\n\n"
           << Usage();
    return windowFailure.empty() ? kExitArguments : kExitFailed;
  }
  if (!problem.empty()) {
    errors << "tamsel: " << problem << '\n'
           << Filled(QCoreApplication::translate("tamsel::CommandLine", "Try 'tamsel --help'."))
           << '\n';
    return kExitArguments;
  }
  std::string password;
  if (!options.user.empty()) {
    std::string missing;
    password = PasswordFor(options, missing);
    if (!missing.empty()) {
      errors << "tamsel: " << missing << '\n';
      return kExitArguments;
    }
  }
  return RunCommandLine(options, input, output, errors, password);
}

}  // namespace tamsel

// tamsel's command line against loopback peers.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "programs/tamsel/CommandLine.h"
#include "tests/socket/Peer.h"
#include "tests/tamsel/Replying.h"

namespace {

using sockettest::Peer;
using tamsel::Options;
using tamseltest::Replying;

Options Parsed(const std::vector<std::string>& arguments, std::string* problem = nullptr) {
  Options options;
  const std::string text = tamsel::ParseOptions(arguments, options);
  if (problem != nullptr) *problem = text;
  return options;
}

TEST(TamselOptions, HostPortAndOptions) {
  std::string problem;
  const Options options = Parsed({"mail.example", "25", "--timeout", "0", "--level", "8", "--send",
                                  "HELO a", "--send", "QUIT", "--greeting"},
                                 &problem);
  EXPECT_EQ(problem, "");
  EXPECT_EQ(options.host, "mail.example");
  EXPECT_EQ(options.port, 25);
  EXPECT_EQ(options.timeOut, 0);
  EXPECT_EQ(options.level, 8);
  EXPECT_EQ(options.sends, (std::vector<std::string>{"HELO a", "QUIT"}));
  EXPECT_TRUE(options.greeting);
}

TEST(TamselOptions, WrongArgumentsAreNamed) {
  std::string problem;
  Parsed({"host"}, &problem);
  EXPECT_EQ(problem, "HOST and PORT are needed");
  Parsed({"host", "0"}, &problem);
  EXPECT_EQ(problem, "PORT must be a number from 1 to 65535: 0");
  Parsed({"host", "25x"}, &problem);
  EXPECT_EQ(problem, "PORT must be a number from 1 to 65535: 25x");
  Parsed({"host", "25", "--timeout", "-5"}, &problem);
  EXPECT_EQ(problem, "--timeout takes milliseconds from 0 up: -5");
  Parsed({"host", "25", "--level"}, &problem);
  EXPECT_EQ(problem, "--level needs a value");
  Parsed({"host", "25", "--bogus"}, &problem);
  EXPECT_EQ(problem, "unknown option --bogus");
  EXPECT_TRUE(Parsed({"--help"}, &problem).help);
  EXPECT_TRUE(Parsed({"--version"}, &problem).version);
  EXPECT_EQ(problem, "");
}

struct Outcome {
  int status;
  std::string output;
  std::string errors;
};

Outcome RunAgainst(uint16_t port, const std::string& input, std::vector<std::string> extra = {}) {
  std::vector<std::string> arguments{"127.0.0.1", std::to_string(port), "--timeout", "5000"};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  const Options options = Parsed(arguments);
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = tamsel::RunCommandLine(options, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(TamselCommandLine, MultiLineRepliesArePrintedWhole) {
  Peer peer([](int fd) {
    sockettest::SendAll(fd, "220 hello\r\n");
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "250-first\r\n250-second\r\n250 last\r\n");
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "221 bye\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  const Outcome run = RunAgainst(peer.Port(), "EHLO x\n\nQUIT\n", {"--greeting"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "220 hello\n250-first\n250-second\n250 last\n221 bye\n");
  EXPECT_EQ(run.errors, "");
}

TEST(TamselCommandLine, ServerClosingIsAFailure) {
  Peer peer([](int fd) { sockettest::RecvLine(fd); });
  const Outcome run = RunAgainst(peer.Port(), "", {"--send", "QUIT", "--send", "NOOP"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors,
            "tamsel: 127.0.0.1:" + std::to_string(peer.Port()) + " closed the connection\n");
}

TEST(TamselCommandLine, RefusedConnectionNamesTheReason) {
  uint16_t port = 0;
  { port = sockettest::Listener().Port(); }
  const Outcome run = RunAgainst(port, "NOOP\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "tamsel: 127.0.0.1:" + std::to_string(port) + " refused the connection\n");

  // A name under .invalid never resolves.
  Options options = Parsed({"no-such-host.invalid", "25", "--timeout", "3000", "--send", "NOOP"});
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(tamsel::RunCommandLine(options, in, out, err), 1);
  EXPECT_EQ(err.str(), "tamsel: the host no-such-host.invalid was not found\n");
  options.level = 1;  // the component's own text goes to the trace
  err.str("");
  tamsel::RunCommandLine(options, in, out, err);
  EXPECT_EQ(err.str().substr(0, 20), "Null Remote Address ");
}

TEST(TamselFaults, WholeRepliesKeepLaterRepliesInStep) {
  {
    Peer peer(Replying("220 ftp\r\n",
                       {"211-Features:\r\n MDTM\r\n SIZE\r\n211 End\r\n", "200 NOOP ok\r\n"}));
    const Outcome run = RunAgainst(peer.Port(), "FEAT\nNOOP\n", {"--protocol", "ftp"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "220 ftp\n211-Features:\n MDTM\n SIZE\n211 End\n200 NOOP ok\n");
  }
  {
    Peer peer(Replying("+OK pop\r\n", {"+OK\r\nUIDL\r\n..dot\r\n.\r\n", "+OK 1 99\r\n"}));
    const Outcome run = RunAgainst(peer.Port(), "CAPA\nSTAT\n", {"--protocol", "pop3"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "+OK pop\n+OK\nUIDL\n.dot\n.\n+OK 1 99\n");
  }
  {
    Peer peer(Replying("", {"*3\r\n$1\r\na\r\n*1\r\n:7\r\n$-1\r\n", "+PONG\r\n"}));
    const Outcome run = RunAgainst(peer.Port(), "LRANGE l 0 -1\nPING\n", {"--protocol", "redis"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "*3\n$1\na\n*1\n:7\n$-1\n+PONG\n");
  }
  {
    Peer peer(Replying("", {"STAT pid 1\r\nSTAT uptime 2\r\nEND\r\n", "VERSION 1.6\r\n"}));
    const Outcome run = RunAgainst(peer.Port(), "stats\nversion\n", {"--protocol", "memcached"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "STAT pid 1\nSTAT uptime 2\nEND\nVERSION 1.6\n");
  }
}

TEST(TamselFaults, MessageDataAndDataLinesAreSentWithoutWaiting) {
  std::string received;
  {
    Peer peer([&received](int fd) {
      sockettest::SendAll(fd, "220 smtp\r\n");
      received += sockettest::RecvLine(fd);
      sockettest::SendAll(fd, "354 go ahead\r\n");
      for (std::string line; (line = sockettest::RecvLine(fd)) != ".\r\n" && !line.empty();) {
        received += line;
      }
      sockettest::SendAll(fd, "250 queued\r\n");
      sockettest::RecvUntilClosed(fd);
    });
    const Outcome run =
        RunAgainst(peer.Port(), "DATA\nSubject: hi\n\n.hidden\nbody\n.\n", {"--protocol", "smtp"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output, "220 smtp\n354 go ahead\n250 queued\n");
  }
  // The blank line between header and body is kept, the dot doubled.
  EXPECT_EQ(received, "DATA\r\nSubject: hi\r\n\r\n..hidden\r\nbody\r\n");

  received.clear();
  {
    Peer peer([&received](int fd) {
      received += sockettest::RecvLine(fd);
      received += sockettest::RecvLine(fd);
      sockettest::SendAll(fd, "STORED\r\n");
      received += sockettest::RecvLine(fd);  // a noreply command: no answer
      received += sockettest::RecvLine(fd);
      received += sockettest::RecvLine(fd);
      sockettest::SendAll(fd, "END\r\n");
      sockettest::RecvUntilClosed(fd);
    });
    const Outcome run =
        RunAgainst(peer.Port(), "set k 0 0 5\nhello\nadd j 0 0 1 noreply\nx\nget z\n",
                   {"--protocol", "memcached"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output, "STORED\nEND\n");
  }
  EXPECT_EQ(received, "set k 0 0 5\r\nhello\r\nadd j 0 0 1 noreply\r\nx\r\nget z\r\n");
}

TEST(TamselFaults, GreetingIsReadWithoutBeingAskedFor) {
  Peer peer(Replying("+OK POP3 ready\r\n", {"+OK 0 0\r\n"}), 2);
  Outcome run = RunAgainst(peer.Port(), "STAT\n");  // auto: what comes first is the greeting
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "+OK POP3 ready\n+OK 0 0\n");
  run = RunAgainst(peer.Port(), "STAT\n", {"--no-greeting", "--transcript"});
  EXPECT_EQ(run.output, "-> STAT\n<- +OK POP3 ready\n");  // the user asked for it
}

TEST(TamselFaults, WideReplyNumbersAreShownAndTheRunGoesOn) {
  Peer peer(Replying("", {"40000 wide\r\n", "32768\r\n", "250 ok\r\n"}));
  const Outcome run = RunAgainst(peer.Port(), "A\nincr k 1\nC\n", {"--protocol", "line"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "40000 wide\n32768\n250 ok\n");
}

TEST(TamselFaults, TimeOutAndLongLinesAreNamed) {
  const auto where = [](const Peer& peer) { return "127.0.0.1:" + std::to_string(peer.Port()); };
  {
    Peer peer([](int fd) { sockettest::RecvUntilClosed(fd); });
    const Outcome run =
        RunAgainst(peer.Port(), "", {"--send", "NOOP", "--timeout", "200", "--no-greeting"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "tamsel: no reply from " + where(peer) + ": timed out after 200 ms\n");
  }
  {
    Peer peer([](int fd) {
      sockettest::RecvLine(fd);
      sockettest::SendAll(fd, std::string(70000, 'a') + "\r\n");
      sockettest::RecvUntilClosed(fd);
    });
    const Outcome run = RunAgainst(peer.Port(), "GET\n", {"--no-greeting"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "tamsel: " + where(peer) + " sent a line longer than 64 KiB\n");
  }
}

TEST(TamselFaults, ClosingReadsTheSameWhenEverNoticed) {
  // Closed while the reply is awaited, and closed before the next command.
  Peer waiting([](int fd) { sockettest::RecvLine(fd); });
  Peer between([](int fd) {
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "250 bye\r\n");
  });
  for (const Peer* peer : {&waiting, &between}) {
    const Outcome run = RunAgainst(
        peer->Port(), "", {"--send", "QUIT", "--send", "NOOP", "--no-greeting", "--level", "1"});
    EXPECT_EQ(run.status, 1);
    const std::string message =
        "tamsel: 127.0.0.1:" + std::to_string(peer->Port()) + " closed the connection\n";
    EXPECT_EQ(run.errors.substr(run.errors.size() - std::min(run.errors.size(), message.size())),
              message);
  }
}

TEST(TamselFaults, AnUnterminatedLastLineIsShownBeforeTheClose) {
  Peer inReply([](int fd) {
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "250-first\r\n250 last without its end");
  });
  Peer asReply([](int fd) {
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "bye");
  });
  const std::pair<const Peer*, std::string> cases[] = {
      {&inReply, "250-first\n250 last without its end\n"}, {&asReply, "bye\n"}};
  for (const auto& [peer, output] : cases) {
    const Outcome run =
        RunAgainst(peer->Port(), "", {"--send", "QUIT", "--send", "NOOP", "--no-greeting"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, output);
    EXPECT_EQ(run.errors,
              "tamsel: 127.0.0.1:" + std::to_string(peer->Port()) + " closed the connection\n");
  }
}

TEST(TamselFaults, ErrorRepliesAndExpectedCodesSetTheExitStatus) {
  Peer peer(Replying("220 hi\r\n", {"550 no\r\n", "250 ok\r\n"}), 3);
  Outcome run = RunAgainst(peer.Port(), "RCPT\nNOOP\n");
  EXPECT_EQ(run.status, 3);  // at the end: both replies shown
  EXPECT_EQ(run.output, "220 hi\n550 no\n250 ok\n");
  run = RunAgainst(peer.Port(), "RCPT\nNOOP\n", {"--expect", "2xx,3xx"});
  EXPECT_EQ(run.status, 3);  // stops at the first
  EXPECT_EQ(run.output, "220 hi\n550 no\n");
  EXPECT_EQ(run.errors, "tamsel: unexpected reply to RCPT from 127.0.0.1:" +
                            std::to_string(peer.Port()) + ": 550 no\n");
  run = RunAgainst(peer.Port(), "RCPT\nNOOP\n", {"--expect", "220,5x0,250"});
  EXPECT_EQ(run.status, 3);  // 550 matched, so only the error counts
  EXPECT_EQ(run.errors,
            "tamsel: 1 error reply from 127.0.0.1:" + std::to_string(peer.Port()) + "\n");

  std::string problem;
  Parsed({"h", "1", "--expect", "2xx,"}, &problem);
  EXPECT_EQ(problem, "--expect takes codes separated by commas: 2xx,");
  Parsed({"h", "1", "--protocol", "gopher"}, &problem);
  EXPECT_EQ(problem,
            "unknown protocol gopher (auto, line, smtp, ftp, pop3, imap, redis, memcached)");
}

TEST(TamselFaults, LevelOneTracesWholeRepliesAndTheGreeting) {
  Peer peer(Replying("220-hi\r\n220 there\r\n", {"250-a\r\n250 b\r\n"}));
  const Outcome run = RunAgainst(peer.Port(), "EHLO x\n", {"--level", "1", "--protocol", "smtp"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "220-hi\n220 there\n250-a\n250 b\n");
}

TEST(TamselCommandLine, TranscriptMarksBothSides) {
  Peer peer(Replying("", {"+OK\r\n"}));
  const Outcome run =
      RunAgainst(peer.Port(), "PING\n", {"--transcript", "--timestamps", "--protocol", "redis"});
  EXPECT_EQ(run.status, 0);
  // "hh:mm:ss.mmm -> PING", then the reply.
  ASSERT_EQ(run.output.size(), 13 + 8 + 13 + 7u) << run.output;
  EXPECT_EQ(run.output.substr(12, 9), " -> PING\n");
  EXPECT_EQ(run.output.substr(33), " <- +OK\n");
  EXPECT_EQ(run.output[2], ':');
}

}  // namespace

namespace {

// Values are read by their byte count, whatever their size, and written as
// they are; the reply after them is read in step.
TEST(TamselValues, ValuesBeyondALineAreWrittenByteForByte) {
  std::string value(70000, 'v');
  value[10] = '\n';
  value[20] = '\0';
  Peer peer(Replying("", {"$70000\r\n" + value + "\r\n", "+PONG\r\n"}));
  const Outcome run = RunAgainst(peer.Port(), "GET big\nPING\n", {"--protocol", "redis"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(run.output == "$70000\n" + value + "\n+PONG\n");
}

// The first line of a reply is out before the rest of it has arrived.
class Watched : public std::stringbuf {
 public:
  std::atomic<bool> written{false};

 protected:
  std::streamsize xsputn(const char* data, std::streamsize count) override {
    written = true;
    return std::stringbuf::xsputn(data, count);
  }
  int overflow(int c) override {
    written = true;
    return std::stringbuf::overflow(c);
  }
};

TEST(TamselValues, EachLineIsPrintedWhenItArrives) {
  Watched buffer;
  std::atomic<bool> before{false};
  Peer peer([&](int fd) {
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "211-first\r\n");
    for (int i = 0; i < 500 && !buffer.written; ++i) sockettest::SleepMs(10);
    before = buffer.written.load();
    sockettest::SendAll(fd, "211 end\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  const Options options = Parsed({"127.0.0.1", std::to_string(peer.Port()), "--timeout", "5000",
                                  "--protocol", "ftp", "--no-greeting", "--send", "FEAT"});
  std::istringstream in;
  std::ostream out(&buffer);
  std::ostringstream err;
  EXPECT_EQ(tamsel::RunCommandLine(options, in, out, err), 0) << err.str();
  EXPECT_TRUE(before);
  EXPECT_EQ(buffer.str(), "211-first\n211 end\n");
}

// A --send that carries its data line is sent as it is; the next --send is
// a command of its own, whose reply is read.
TEST(TamselValues, ASendWithItsDataLineIsSentAsItIs) {
  std::string received;
  Peer peer(Replying("", {"STORED\r\n", "", "VALUE k 0 2\r\nhi\r\nEND\r\n"}, &received));
  const Outcome run = RunAgainst(peer.Port(), "",
                                 {"--protocol", "memcached", "--send", "set k 0 0 2\r\nhi",
                                  "--send", "get k", "--transcript"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output,
            "-> set k 0 0 2\n-> hi\n<- STORED\n-> get k\n<- VALUE k 0 2\n<- hi\n<- END\n");
  EXPECT_EQ(received, "set k 0 0 2\r\nhi\r\nget k\r\n");

  std::string problem;
  Parsed({"h", "1", "--protocol", "smtp", "--send", "MAIL FROM:<a>\nRCPT TO:<b>"}, &problem);
  EXPECT_EQ(problem,
            "--send holds a line break; only a memcached storage command (its data line) and an "
            "IMAP command (its literal) may carry one: give each command its own --send");
}

TEST(TamselValues, MalformedRepliesEndTheRunNamingThem) {
  for (const std::string header : {"$-5", "$99999999999999999999", "*-2"}) {
    Peer peer(Replying("", {header + "\r\n", "+PONG\r\n"}));
    const Outcome run = RunAgainst(peer.Port(), "GET a\nPING\n", {"--protocol", "redis"});
    EXPECT_EQ(run.status, 1) << header;
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors.rfind("tamsel: 127.0.0.1:" + std::to_string(peer.Port()) +
                                   " sent a malformed reply \"" + header + "\": ",
                               0),
              0u)
        << run.errors;
  }
}

TEST(TamselLogin, OptionsAndThePassword) {
  std::string problem;
  Parsed({"h", "1", "--password", "x"}, &problem);
  EXPECT_EQ(problem.rfind("--password is not taken", 0), 0u);
  Parsed({"h", "1", "--auth", "PLAIN"}, &problem);
  EXPECT_EQ(problem, "--auth, --password-file and --allow-plaintext need --user");
  Parsed({"h", "1", "--user", "u", "--protocol", "memcached"}, &problem);
  EXPECT_EQ(problem,
            "--user needs a protocol with a log-in (smtp, pop3, imap, ftp, redis), not "
            "memcached");
  Options options = Parsed({"h", "1", "--protocol", "imap", "--user", "anna", "--auth",
                            "SCRAM-SHA-256", "--password-file", "/nonexistent/pw"},
                           &problem);
  EXPECT_EQ(problem, "");
  EXPECT_EQ(options.user, "anna");
  EXPECT_EQ(options.auth, "SCRAM-SHA-256");

  ::unsetenv("TAMSEL_PASSWORD");
  EXPECT_EQ(tamsel::PasswordFor(options, problem), "");
  EXPECT_EQ(problem, "cannot read the password from /nonexistent/pw");
  const std::string file = testing::TempDir() + "/tamsel-password";
  {
    std::ofstream out(file);
    out << "from file\r\nsecond line\n";
  }
  options.passwordFile = file;
  problem.clear();
  EXPECT_EQ(tamsel::PasswordFor(options, problem), "from file");
  ::setenv("TAMSEL_PASSWORD", "from environment", 1);
  EXPECT_EQ(tamsel::PasswordFor(options, problem), "from environment");
  ::unsetenv("TAMSEL_PASSWORD");
  std::remove(file.c_str());
}

// A refused log-in ends the run with its own status; the password shows
// nowhere, not even at the highest report level.
TEST(TamselLogin, ARefusedLogInEndsWithStatusFourAndNoPassword) {
  Peer peer(Replying("+OK ready\r\n", {"+OK\r\nUSER\r\n.\r\n", "+OK\r\n", "-ERR [AUTH] no\r\n"}));
  const Options options =
      Parsed({"127.0.0.1", std::to_string(peer.Port()), "--protocol", "pop3", "--user", "anna",
              "--allow-plaintext", "--transcript", "--level", "8", "--send", "STAT"});
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(tamsel::RunCommandLine(options, in, out, err, "s3cret!"), tamsel::kExitLogin);
  EXPECT_EQ(out.str().find("s3cret"), std::string::npos) << out.str();
  EXPECT_EQ(err.str().find("s3cret"), std::string::npos) << err.str();
  EXPECT_NE(out.str().find("-> PASS ****\n"), std::string::npos) << out.str();
  EXPECT_NE(err.str().find("tamsel: 127.0.0.1:" + std::to_string(peer.Port()) +
                           " refused the log-in: -ERR [AUTH] no\n"),
            std::string::npos)
      << err.str();
  EXPECT_NE(err.str().find("warning: --allow-plaintext"), std::string::npos);
}

}  // namespace

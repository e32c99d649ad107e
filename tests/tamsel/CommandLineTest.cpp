// tamsel's command line and window against loopback peers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <sstream>

#include "programs/tamsel/CommandLine.h"
#include "programs/tamsel/TamselWindow.h"
#include "tests/socket/Peer.h"
#include "toolkit/Application.h"

namespace {

using sockettest::Peer;
using tamsel::Options;

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

// Serves `replies` in order, one per line received; the peer answers with
// nothing but them, so a shifted reply shows as a wrong line.
sockettest::Peer::Script Replying(std::string greeting, std::vector<std::string> replies,
                                  std::string* received = nullptr) {
  return [greeting, replies, received](int fd) {
    if (!greeting.empty()) sockettest::SendAll(fd, greeting);
    for (const std::string& reply : replies) {
      const std::string line = sockettest::RecvLine(fd);
      if (line.empty()) return;
      if (received != nullptr) *received += line;
      sockettest::SendAll(fd, reply);
    }
    sockettest::RecvUntilClosed(fd);
  };
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
  EXPECT_EQ(problem, "unknown protocol gopher (auto, line, smtp, ftp, pop3, redis, memcached)");
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

TEST(TamselWindow, ListsTransactionsWithTheirReplyNumbers) {
  Peer peer([](int fd) {
    sockettest::SendAll(fd, "220 ready\r\n");
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "250 fine\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  tamsel::TamselWindow window;
  window.SetHost("127.0.0.1");
  window.SetPort(peer.Port());
  window.SetTimeOut(5000);
  window.ConnectToServer();
  window.SendCommand("NOOP");
  auto* list = window.findChild<QTreeWidget*>();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "(greeting)");
  EXPECT_EQ(list->topLevelItem(0)->text(1), "220");
  EXPECT_EQ(list->topLevelItem(1)->text(0), "NOOP");
  EXPECT_EQ(list->topLevelItem(1)->text(1), "250");
  EXPECT_EQ(list->topLevelItem(1)->text(2), "250 fine");
  window.DisconnectFromServer();
}

TEST(TamselWindow, CancelEndsAWaitAndTheErrorIsShown) {
  Peer peer([](int fd) { sockettest::RecvUntilClosed(fd); });  // never greets
  const std::string where = "127.0.0.1:" + std::to_string(peer.Port());
  std::vector<std::string> boxes;
  toolkit::SetErrorBoxHandler([&](const std::string& message) { boxes.push_back(message); });
  {
    tamsel::TamselWindow window;
    window.SetHost("127.0.0.1");
    window.SetPort(peer.Port());
    window.SetTimeOut(0);
    window.SetProtocol(tamsel::Protocol::Smtp);  // waits for the greeting
    QTimer::singleShot(30, &window, [&] { window.CancelWait(); });
    window.ConnectToServer();  // connects, then waits for the greeting
  }
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  EXPECT_EQ(boxes, std::vector<std::string>{"the wait for " + where + " was cancelled"});
}

}  // namespace

namespace {

// A window pointed at the loopback port, its error boxes collected.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    toolkit::SetErrorBoxHandler([this](const std::string& message) { boxes.push_back(message); });
  }
  ~WindowTest() override {
    toolkit::SetErrorBoxHandler(
        [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  }
  void Aim(uint16_t port, int timeOut = 5000) {
    window.SetHost("127.0.0.1");
    window.SetPort(port);
    window.SetTimeOut(timeOut);
  }
  QTreeWidget* List() { return window.findChild<QTreeWidget*>(); }
  QString Row(int i, int column) { return List()->topLevelItem(i)->text(column); }

  std::vector<std::string> boxes;
  tamsel::TamselWindow window;
};

TEST_F(WindowTest, ConnectWorksAgainAfterARefusedConnection) {
  uint16_t refused = 0;
  { refused = sockettest::Listener().Port(); }
  Peer peer(Replying("220 up\r\n", {}));
  Aim(refused);
  window.ConnectToServer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "127.0.0.1:" + std::to_string(refused) + " refused the connection");
  window.SetPort(peer.Port());
  window.ConnectToServer();
  EXPECT_EQ(boxes.size(), 1u) << boxes.back();
  ASSERT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_EQ(Row(0, 2), "220 up");
  // The component's own text stays in the trace.
  auto* trace = window.findChild<QPlainTextEdit*>();
  ASSERT_NE(trace, nullptr);
  EXPECT_TRUE(trace->toPlainText().contains("Connection Failed (10061:Connection refused)"));
  window.DisconnectFromServer();
}

TEST_F(WindowTest, CancelAndTimeOutAreToldApartAndListed) {
  Peer peer(Replying("", {}));
  Aim(peer.Port(), 0);
  window.SetProtocol(tamsel::Protocol::Line);
  window.ConnectToServer();
  QTimer::singleShot(30, &window, [this] { window.CancelWait(); });
  window.SendCommand("FIRST");
  window.SetTimeOut(100);  // changeable while connected
  window.SendCommand("SECOND");
  ASSERT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(Row(0, 0), "FIRST");
  EXPECT_EQ(Row(0, 2), "(cancelled)");
  EXPECT_EQ(Row(1, 2), "(timed out after 100 ms)");
  const std::string where = "127.0.0.1:" + std::to_string(peer.Port());
  EXPECT_EQ(boxes,
            (std::vector<std::string>{"the wait for " + where + " was cancelled",
                                      "no reply from " + where + ": timed out after 100 ms"}));
  window.DisconnectFromServer();
}

TEST_F(WindowTest, MessageDataAndMemcachedDataLinesThenTheSessionAsText) {
  std::string received;
  Peer peer([&received](int fd) {
    sockettest::SendAll(fd, "220 smtp\r\n");
    received += sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "354 go\r\n");
    for (std::string line; (line = sockettest::RecvLine(fd)) != ".\r\n" && !line.empty();) {
      received += line;
    }
    sockettest::SendAll(fd, "250 queued\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  Aim(peer.Port());
  window.SetProtocol(tamsel::Protocol::Smtp);
  window.ConnectToServer();
  for (const char* line : {"DATA", "Subject: x", "", ".dot", "."}) window.SendCommand(line);
  window.DisconnectFromServer();
  peer.Join();
  EXPECT_EQ(received, "DATA\r\nSubject: x\r\n\r\n..dot\r\n");
  ASSERT_EQ(List()->topLevelItemCount(), 3);
  EXPECT_EQ(Row(1, 1), "354");
  EXPECT_EQ(Row(2, 0), "(message, 3 lines)");
  EXPECT_EQ(Row(2, 2), "250 queued");
  const QString text = window.SessionText();
  EXPECT_EQ(text,
            "(greeting)\n<- 220 smtp\n-> DATA\n<- 354 go\n-> Subject: x\n-> \n-> .dot\n-> .\n"
            "<- 250 queued\n");
  const QString path = QDir::temp().filePath("tamsel-session-test.txt");
  ASSERT_TRUE(window.SaveSession(path));
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(saved.readAll()), text);
  saved.remove();
  window.ClearSession();
  EXPECT_EQ(List()->topLevelItemCount(), 0);
  EXPECT_EQ(window.SessionText(), "");

  std::string stored;
  Peer cache([&stored](int fd) {
    stored += sockettest::RecvLine(fd);
    stored += sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "STORED\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  window.SetPort(cache.Port());
  window.SetProtocol(tamsel::Protocol::Memcached);
  window.ConnectToServer();
  window.SendCommand("set k 0 0 2");
  EXPECT_EQ(List()->topLevelItemCount(), 0);  // waits for its data line
  window.SendCommand("hi");
  ASSERT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_EQ(Row(0, 0), "set k 0 0 2");
  EXPECT_EQ(Row(0, 2), "STORED");
  window.DisconnectFromServer();
  cache.Join();
  EXPECT_EQ(stored, "set k 0 0 2\r\nhi\r\n");
}

TEST_F(WindowTest, ReturnInThePortFieldConnectsAndTheLocalAddressShowsOnlyThen) {
  Peer peer(Replying("220 up\r\n", {}));
  Aim(peer.Port());
  window.show();
  auto* port = window.findChildren<QSpinBox*>().at(0);
  QLabel* local = nullptr;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text().startsWith("Local address") || label->text().isEmpty()) local = label;
  }
  ASSERT_NE(local, nullptr);
  EXPECT_FALSE(local->isVisible());
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(port, &press);
  ASSERT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_TRUE(local->isVisible());
  EXPECT_TRUE(local->text().startsWith("Local address: "));
  window.DisconnectFromServer();
  EXPECT_FALSE(local->isVisible());
}

}  // namespace

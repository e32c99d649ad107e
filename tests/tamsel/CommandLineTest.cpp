// tamsel's command line and window against loopback peers.
#include <gtest/gtest.h>

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
  EXPECT_NE(run.errors.find("the server closed the connection"), std::string::npos);
}

TEST(TamselCommandLine, RefusedConnectionNamesTheReason) {
  uint16_t port = 0;
  { port = sockettest::Listener().Port(); }
  const Outcome run = RunAgainst(port, "NOOP\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "tamsel: 127.0.0.1:" + std::to_string(port) +
                            ": Connection Failed (10061:Connection refused)\n");
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
  std::vector<std::string> boxes;
  toolkit::SetErrorBoxHandler([&](const std::string& message) { boxes.push_back(message); });
  {
    tamsel::TamselWindow window;
    window.SetHost("127.0.0.1");
    window.SetPort(peer.Port());
    window.SetTimeOut(0);
    QTimer::singleShot(30, &window, [&] { window.CancelWait(); });
    window.ConnectToServer();  // connects, then waits for the greeting
  }
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  EXPECT_EQ(boxes, std::vector<std::string>{"Socket readln aborted"});
}

}  // namespace

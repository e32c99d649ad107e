// tamsel's TLS options against openssl s_server, dovecot's POP3 server and
// scripted loopback peers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTreeWidget>
#include <mutex>
#include <sstream>

#include "programs/tamsel/CommandLine.h"
#include "programs/tamsel/TamselWindow.h"
#include "tests/socket/Peer.h"
#include "tests/socket/TlsPeers.h"
#include "tests/support/Peers.h"
#include "toolkit/Application.h"

namespace {

using sockettest::Peer;
using sockettest::TestCertificates;
using sockettest::TlsServer;
using tamsel::Options;
using testing::HasSubstr;
using testing::StartsWith;

std::string ProblemOf(const std::vector<std::string>& arguments, Options* parsed = nullptr) {
  Options options;
  const std::string problem = tamsel::ParseOptions(arguments, options);
  if (parsed != nullptr) *parsed = options;
  return problem;
}

TEST(TamselTlsOptions, AreReadAndCheckedTogether) {
  Options options;
  EXPECT_EQ(ProblemOf({"h", "993", "--tls", "--cafile", "ca.pem", "--insecure"}, &options), "");
  EXPECT_TRUE(options.tls);
  EXPECT_EQ(options.caFile, "ca.pem");
  EXPECT_TRUE(options.insecure);
  EXPECT_FALSE(options.startTls);
  for (const char* name : {"smtp", "pop3", "ftp", "imap"}) {
    EXPECT_EQ(ProblemOf({"h", "25", "--starttls", name}, &options), "");
    EXPECT_EQ(options.startTls, conversation::ProtocolNamed(name));
  }
  EXPECT_EQ(ProblemOf({"h", "25", "--starttls", "http"}),
            "--starttls takes smtp, pop3, ftp or imap: http");
  EXPECT_EQ(ProblemOf({"h", "25", "--starttls"}), "--starttls needs a value");
  EXPECT_EQ(ProblemOf({"h", "25", "--tls", "--starttls", "smtp"}),
            "--tls and --starttls exclude each other");
  EXPECT_EQ(ProblemOf({"h", "25", "--insecure"}),
            "--cafile and --insecure need --tls or --starttls");
  EXPECT_EQ(ProblemOf({"h", "25", "--cafile", "ca.pem"}),
            "--cafile and --insecure need --tls or --starttls");
}

struct Outcome {
  int status;
  std::string output;
  std::string errors;
};

Outcome RunTamsel(const std::string& host, uint16_t port, std::vector<std::string> extra,
                  const std::string& input = {}) {
  std::vector<std::string> arguments{host, std::to_string(port), "--timeout", "5000"};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  Options options;
  const std::string problem = tamsel::ParseOptions(arguments, options);
  EXPECT_EQ(problem, "");
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = tamsel::RunCommandLine(options, in, out, err);
  return {status, out.str(), err.str()};
}

class TamselTls : public testing::Test {
 protected:
  void SetUp() override {
    if (!TestCertificates::Get().Ready()) {
      PEER_UNAVAILABLE("openssl could not make certificates: " + TestCertificates::Get().Log());
    }
  }
  const std::string ca = TestCertificates::Get().CaFile();
};

TEST_F(TamselTls, ImplicitTlsRunsCommandsAndSummarisesTheCertificate) {
  TlsServer server("good");
  ASSERT_NE(server.Port(), 0) << server.Log();
  const Outcome outcome =
      RunTamsel("localhost", server.Port(), {"--tls", "--cafile", ca, "--send", "EHLO me"});
  EXPECT_EQ(outcome.status, 0) << outcome.errors;
  EXPECT_EQ(outcome.output, "em OLHE\n");
  EXPECT_THAT(outcome.errors, HasSubstr("tamsel: TLS: TLSv1.3, "));
  EXPECT_THAT(outcome.errors,
              HasSubstr("certificate CN = localhost, issued by CN = Tessera Test CA"));
  EXPECT_THAT(outcome.errors, HasSubstr("; verified\n"));
}

TEST_F(TamselTls, IPv6HostsWithAndWithoutBrackets) {
  TlsServer server("good", {"-rev"}, {}, "[::1]");
  if (server.Port() == 0) PEER_UNAVAILABLE("no IPv6 loopback: " + server.Log());
  for (const char* host : {"::1", "[::1]"}) {
    const Outcome outcome =
        RunTamsel(host, server.Port(), {"--tls", "--cafile", ca, "--send", "v6"});
    EXPECT_EQ(outcome.status, 0) << host << ": " << outcome.errors;
    EXPECT_EQ(outcome.output, "6v\n") << host;
  }
}

TEST_F(TamselTls, UntrustedCertificatesFailUnlessInsecureWhichWarns) {
  TlsServer server("selfsigned");
  ASSERT_NE(server.Port(), 0) << server.Log();
  const std::string where = "127.0.0.1:" + std::to_string(server.Port());
  const Outcome refused = RunTamsel("127.0.0.1", server.Port(), {"--tls", "--send", "x"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.output, "");
  // tamsel's words, then OpenSSL's reason (worded differently by its versions).
  const std::string said = "tamsel: TLS with " + where + " failed: ";
  EXPECT_THAT(refused.errors, StartsWith(said));
  EXPECT_GT(refused.errors.size(), said.size() + 1);

  const Outcome insecure =
      RunTamsel("127.0.0.1", server.Port(), {"--tls", "--insecure", "--send", "ab"});
  EXPECT_EQ(insecure.status, 0);
  EXPECT_EQ(insecure.output, "ba\n");
  EXPECT_THAT(insecure.errors,
              testing::StartsWith(
                  "tamsel: warning: --insecure: the server's certificate is not checked\n"));
  EXPECT_THAT(insecure.errors, HasSubstr("; not verified: self-signed certificate\n"));
}

TEST_F(TamselTls, StartTlsPop3AgainstDovecot) {
  sockettest::Pop3Server server;
  if (server.Port() == 0) PEER_UNAVAILABLE("dovecot did not start: " + server.Log());
  const Outcome outcome = RunTamsel("localhost", server.Port(),
                                    {"--starttls", "pop3", "--cafile", ca, "--protocol", "pop3",
                                     "--transcript", "--send", "CAPA", "--send", "QUIT"});
  EXPECT_EQ(outcome.status, 0) << outcome.errors;
  // The greeting's text is the distribution's ("Dovecot (Debian) ready." in 2.3).
  EXPECT_THAT(outcome.output, testing::StartsWith("<- +OK "));
  EXPECT_THAT(outcome.output, HasSubstr("ready.\n"
                                        "-> STLS\n"
                                        "<- +OK Begin TLS negotiation now.\n"
                                        "-> CAPA\n"
                                        "<- +OK\n"));
  EXPECT_THAT(outcome.output, HasSubstr("<- SASL PLAIN"));  // offered only over TLS
  EXPECT_THAT(outcome.output, HasSubstr("-> QUIT\n<- +OK Logging out\n"));
  EXPECT_THAT(outcome.errors, HasSubstr("; verified\n"));
}

// A server that greets, answers each line with the next of `replies` and
// keeps the lines it received.
class ScriptedServer {
 public:
  ScriptedServer(std::string greeting, std::vector<std::string> replies)
      : peer_([this, greeting, replies](int fd) {
          sockettest::SendAll(fd, greeting);
          for (const std::string& reply : replies) {
            const std::string line = sockettest::RecvLine(fd);
            if (line.empty()) return;
            {
              std::lock_guard lock(mutex_);
              received_.push_back(line);
            }
            sockettest::SendAll(fd, reply);
          }
          sockettest::RecvUntilClosed(fd);
        }) {}

  uint16_t Port() const { return peer_.Port(); }
  std::vector<std::string> Received() {
    peer_.Join();
    std::lock_guard lock(mutex_);
    return received_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> received_;
  Peer peer_;
};

TEST_F(TamselTls, EachProtocolAsksForTheUpgradeItsWayAndARefusalEndsTheRun) {
  struct Case {
    const char* protocol;
    std::string greeting;
    std::vector<std::string> replies;
    std::vector<std::string> sent;
    std::string refusal;
  };
  const Case cases[] = {
      {"smtp",
       "220 mail.example ESMTP\r\n",
       {"250-mail.example\r\n250 8BITMIME\r\n", "454 4.7.0 TLS not available\r\n"},
       {"EHLO tamsel.localdomain\r\n", "STARTTLS\r\n"},
       "454 4.7.0 TLS not available"},
      {"pop3", "+OK ready\r\n", {"-ERR not now\r\n"}, {"STLS\r\n"}, "-ERR not now"},
      {"ftp", "220 ftp\r\n", {"502 not implemented\r\n"}, {"AUTH TLS\r\n"}, "502 not implemented"},
      {"imap",
       "* OK IMAP ready\r\n",
       {"* BYE not today\r\na001 NO no TLS\r\n"},
       {"a001 STARTTLS\r\n"},
       "a001 NO no TLS"},
  };
  for (const Case& c : cases) {
    ScriptedServer server(c.greeting, c.replies);
    const Outcome outcome = RunTamsel("127.0.0.1", server.Port(), {"--starttls", c.protocol});
    EXPECT_EQ(outcome.status, 1) << c.protocol;
    EXPECT_EQ(outcome.errors, "tamsel: 127.0.0.1:" + std::to_string(server.Port()) +
                                  " did not agree to STARTTLS: " + c.refusal + "\n")
        << c.protocol;
    EXPECT_EQ(server.Received(), c.sent) << c.protocol;
  }
}

TEST_F(TamselTls, PlainTextInjectedAfterTheGrantIsRefused) {
  ScriptedServer server(
      "220 mail.example ESMTP\r\n",
      {"250 mail.example\r\n", "220 2.0.0 Ready to start TLS\r\nMAIL FROM:<evil@example>\r\n"});
  const Outcome outcome = RunTamsel("127.0.0.1", server.Port(), {"--starttls", "smtp"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_THAT(outcome.output, testing::EndsWith("220 2.0.0 Ready to start TLS\n"));
  EXPECT_THAT(outcome.errors, HasSubstr("sent plain text right after agreeing to STARTTLS"));
}

// The window, with its error boxes collected instead of shown.
class TamselTlsWindow : public TamselTls {
 protected:
  void SetUp() override {
    TamselTls::SetUp();
    toolkit::SetErrorBoxHandler([this](const std::string& message) { boxes.push_back(message); });
  }
  void TearDown() override { toolkit::SetErrorBoxHandler({}); }

  void ConnectTo(uint16_t port, tamsel::TamselWindow::TlsMode mode, bool trust = true,
                 const char* how = nullptr) {
    window.SetHost(QStringLiteral("127.0.0.1"));
    window.SetPort(port);
    window.SetTimeOut(5000);
    window.SetTls(mode, how != nullptr ? conversation::ProtocolNamed(how) : nullptr);
    window.SetCaFile(trust ? QString::fromStdString(ca) : QString());
    window.ConnectToServer();
  }

  std::vector<std::string> boxes;
  tamsel::TamselWindow window;
};

TEST_F(TamselTlsWindow, ImplicitTlsClosesThePadlockAndShowsTheCertificate) {
  TlsServer server("good");
  ASSERT_NE(server.Port(), 0) << server.Log();
  EXPECT_FALSE(window.PadlockClosed());
  ConnectTo(server.Port(), tamsel::TamselWindow::TlsMode::Implicit);
  ASSERT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_TRUE(window.PadlockClosed());
  const std::string summary = window.CertificateSummary().toStdString();
  EXPECT_THAT(summary, HasSubstr("certificate CN = localhost, issued by CN = Tessera Test CA"));
  EXPECT_THAT(summary, testing::EndsWith("; verified"));
  window.SendCommand(QStringLiteral("abc"));
  auto* list = window.findChild<QTreeWidget*>();
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("cba"));

  window.DisconnectFromServer();
  EXPECT_FALSE(window.PadlockClosed());
  EXPECT_EQ(window.CertificateSummary(), QString());
}

TEST_F(TamselTlsWindow, AnUntrustedCertificateIsRefusedUnlessNotCheckedWhichIsShown) {
  TlsServer server("selfsigned");
  ASSERT_NE(server.Port(), 0) << server.Log();
  ConnectTo(server.Port(), tamsel::TamselWindow::TlsMode::Implicit, /*trust=*/false);
  ASSERT_EQ(boxes.size(), 1u);
  // The window's words, then OpenSSL's reason (worded differently by its versions).
  const std::string said = "TLS with 127.0.0.1:" + std::to_string(server.Port()) + " failed: ";
  EXPECT_THAT(boxes[0], StartsWith(said));
  EXPECT_GT(boxes[0].size(), said.size());
  EXPECT_FALSE(window.PadlockClosed());

  window.SetInsecure(true);
  EXPECT_EQ(window.CertificateSummary(),
            QStringLiteral("Warning: the certificate will not be checked"));
  ConnectTo(server.Port(), tamsel::TamselWindow::TlsMode::Implicit, /*trust=*/false);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(window.PadlockClosed());
  EXPECT_THAT(window.CertificateSummary().toStdString(),
              testing::EndsWith("; not verified: self-signed certificate"));
}

TEST_F(TamselTlsWindow, StartTlsListsTheNegotiationThenEncrypts) {
  sockettest::Pop3Server server;
  if (server.Port() == 0) PEER_UNAVAILABLE("dovecot did not start: " + server.Log());
  window.SetProtocol(*conversation::ProtocolNamed("pop3"));
  ConnectTo(server.Port(), tamsel::TamselWindow::TlsMode::StartTls, true, "pop3");
  ASSERT_TRUE(boxes.empty()) << boxes.front();
  auto* list = window.findChild<QTreeWidget*>();
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("(greeting)"));
  EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("STLS"));
  EXPECT_TRUE(window.PadlockClosed());
  window.SendCommand(QStringLiteral("CAPA"));
  EXPECT_EQ(list->topLevelItem(2)->text(2), QStringLiteral("+OK"));
}

}  // namespace

// TPowersock over TLS: implicit TLS against openssl s_server, STARTTLS
// against dovecot and against scripted peers, and the ways a handshake can
// fail, time out or be canceled.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "socket/Psock.h"
#include "tests/socket/Peer.h"
#include "tests/socket/TlsPeers.h"
#include "tests/support/Peers.h"
#include "toolkit/Pump.h"

namespace {

using Psock::ESockError;
using Psock::SockErrorKind;
using Psock::TPowersock;
using sockettest::OpenDescriptors;
using sockettest::Peer;
using sockettest::TestCertificates;
using sockettest::TlsServer;
using testing::HasSubstr;
using Clock = std::chrono::steady_clock;

struct Failure {
  SockErrorKind kind = SockErrorKind::WinsockError;
  std::string text = "no error";
};

template <typename Call>
Failure FailureOf(Call call) {
  try {
    call();
  } catch (const ESockError& error) {
    return {error.Kind(), error.Message()};
  }
  return {};
}

// Sends `greeting`, then answers the first line with `reply` (in one send),
// then reads until the client closes.
Peer::Script StartTlsPeer(std::string greeting, std::string reply) {
  return [greeting, reply](int fd) {
    sockettest::SendAll(fd, greeting);
    if (sockettest::RecvLine(fd).empty()) return;
    sockettest::SendAll(fd, reply);
    sockettest::RecvUntilClosed(fd);
  };
}

class PowersockTls : public testing::Test {
 protected:
  void PumpUntilDataAvailable() {
    const auto limit = Clock::now() + std::chrono::seconds(5);
    while (!sock->DataAvailable() && Clock::now() < limit) toolkit::WaitForMessages();
  }

  void SetUp() override {
    if (!TestCertificates::Get().Ready()) {
      PEER_UNAVAILABLE("openssl could not make certificates: " + TestCertificates::Get().Log());
    }
    sock = std::make_unique<TPowersock>(nullptr);
    sock->Host = "127.0.0.1";
    sock->TimeOut = 5000;
    sock->TlsCaFile = TestCertificates::Get().CaFile();
    sock->OnStatus = [this](toolkit::Component*, const std::string& status) {
      trace.push_back(status);
    };
    sock->OnConnectionFailed = [this](TPowersock*) { ++connectionFailures; };
  }

  void TearDown() override { sock.reset(); }

  std::unique_ptr<TPowersock> sock;
  std::vector<std::string> trace;
  int connectionFailures = 0;
};

TEST_F(PowersockTls, ImplicitTlsConnectsWithinOneWaitAndCarriesTransactions) {
  TlsServer server("good");
  ASSERT_NE(server.Port(), 0) << server.Log();
  sock->Port = server.Port();
  sock->UseTls = true;
  sock->ReportLevel = 8;

  sock->Connect();
  EXPECT_TRUE(sock->Connected);
  EXPECT_TRUE(sock->TlsActive());
  EXPECT_THAT(trace, testing::ElementsAre("Connecting", "Resolve Host", "Timer On", "TLS Handshake",
                                          "TLS Established", "Timer Off"));
  EXPECT_EQ(sock->TlsProtocol(), "TLSv1.3");
  EXPECT_FALSE(sock->TlsCipher().empty());
  EXPECT_EQ(sock->PeerSubject(), "CN = localhost");
  EXPECT_EQ(sock->PeerIssuer(), "CN = Tessera Test CA");
  EXPECT_THAT(sock->PeerExpiry(), HasSubstr("GMT"));
  EXPECT_EQ(sock->TlsVerifyResult(), "ok");

  EXPECT_EQ(sock->Transaction("250 hello"), "olleh 052\n");
  EXPECT_EQ(sock->ReplyNumber, 0);
  EXPECT_EQ(sock->Transaction("052 reversed"), "desrever 250\n");
  EXPECT_EQ(sock->ReplyNumber, 0);
  sock->Writeln("abc");
  PumpUntilDataAvailable();
  EXPECT_EQ(sock->ReadLn(), "cba\n");  // DataAvailable kept the bytes it decrypted

  sock->Disconnect();
  EXPECT_FALSE(sock->TlsActive());
  EXPECT_FALSE(sock->Connected);
  EXPECT_EQ(sock->TlsProtocol(), "TLSv1.3");  // kept until the next Connect
}

TEST_F(PowersockTls, ImplicitTlsReachesAnIPv6PeerCheckedByItsAddress) {
  TlsServer server("good", {"-rev"}, {}, "[::1]");
  if (server.Port() == 0) PEER_UNAVAILABLE("no IPv6 loopback: " + server.Log());
  sock->Port = server.Port();
  sock->UseTls = true;
  for (const char* host : {"::1", "[::1]"}) {
    sock->Host = host;
    sock->Connect();
    EXPECT_EQ(sock->TlsVerifyResult(), "ok") << host;
    EXPECT_EQ(sock->Transaction("over six"), "xis revo\n") << host;
    sock->Disconnect();
  }
}

TEST_F(PowersockTls, ReadLnReturnsEveryLineOfALongTlsStreamInOrder) {
  sockettest::TempFolder files;
  constexpr int kLines = 20000;
  {
    std::ofstream out(files.File("lines.txt"));
    for (int i = 0; i < kLines; ++i) out << "line " << i << " of the stream\r\n";
  }
  TlsServer server("good", {"-WWW"}, files.Path());
  ASSERT_NE(server.Port(), 0) << server.Log();
  sock->Port = server.Port();
  sock->UseTls = true;
  sock->Connect();
  sock->Writeln("GET /lines.txt HTTP/1.0");
  sock->Writeln("");
  EXPECT_EQ(sock->ReadLn(), "HTTP/1.0 200 ok\r\n");
  EXPECT_EQ(sock->ReadLn(), "Content-type: text/plain\r\n");
  EXPECT_EQ(sock->ReadLn(), "\r\n");
  for (int i = 0; i < kLines; ++i) {
    const std::string expected = "line " + std::to_string(i) + " of the stream\r\n";
    const std::string line = sock->ReadLn();
    if (line != expected) {
      ADD_FAILURE() << "line " << i << ": " << line;
      break;
    }
  }
  EXPECT_EQ(sock->ReadLn(), "");  // the server has closed
}

TEST_F(PowersockTls, DisconnectSendsCloseNotify) {
  TlsServer server("good", {"-rev", "-msg"});
  ASSERT_NE(server.Port(), 0) << server.Log();
  sock->Port = server.Port();
  sock->UseTls = true;
  sock->Connect();
  EXPECT_EQ(sock->Transaction("x"), "x\n");
  sock->Disconnect();
  const auto limit = Clock::now() + std::chrono::seconds(5);
  while (server.Log().find("close_notify") == std::string::npos && Clock::now() < limit) {
    sockettest::SleepMs(10);
  }
  EXPECT_THAT(server.Log(), HasSubstr("<<< TLS 1.3, Alert [length 0002], warning close_notify"));
}

TEST_F(PowersockTls, HandshakeFailuresSayWhyAndLeaveNoConnection) {
  // Each is a failed handshake; the reason is OpenSSL's text, whose wording
  // changes between its versions, so only its presence is checked.
  struct Case {
    const char* certificate;
    std::vector<std::string> options;
    const char* host;
  };
  const Case cases[] = {
      {"wronghost", {"-rev"}, "localhost"},
      {"good", {"-rev", "-tls1", "-cipher", "DEFAULT@SECLEVEL=0"}, "127.0.0.1"},
      {"expired", {"-rev"}, "127.0.0.1"},
      {"selfsigned", {"-rev"}, "127.0.0.1"},
  };
  for (const Case& c : cases) {
    TlsServer server(c.certificate, c.options);
    ASSERT_NE(server.Port(), 0) << server.Log();
    sock->Host = c.host;
    sock->Port = server.Port();
    sock->UseTls = true;
    const int failuresBefore = connectionFailures;
    const Failure failure = FailureOf([&] { sock->Connect(); });
    EXPECT_EQ(failure.kind, SockErrorKind::TlsFailed) << c.certificate;
    EXPECT_FALSE(failure.text.empty()) << c.certificate;
    EXPECT_NE(failure.text, "no error") << c.certificate;
    EXPECT_EQ(connectionFailures, failuresBefore + 1) << c.certificate;
    EXPECT_FALSE(sock->Connected) << c.certificate;
    EXPECT_FALSE(sock->TlsActive());
  }
  // The certificate that failed the check is still there to be shown.
  EXPECT_EQ(sock->PeerSubject(), "CN = localhost");
  EXPECT_EQ(sock->TlsProtocol(), "");  // no session was agreed
  // The component is ready for the next attempt.
  TlsServer good("good");
  sock->Host = "127.0.0.1";
  sock->Port = good.Port();
  sock->Connect();
  EXPECT_EQ(sock->Transaction("ok"), "ko\n");
}

TEST_F(PowersockTls, WithoutVerificationAnyCertificatePassesAndTheOutcomeIsTold) {
  TlsServer server("selfsigned");
  ASSERT_NE(server.Port(), 0) << server.Log();
  sock->Port = server.Port();
  sock->UseTls = true;
  sock->TlsVerify = false;
  sock->TlsCaFile.clear();
  sock->Connect();
  EXPECT_TRUE(sock->TlsActive());
  // OpenSSL's reason, worded differently by its versions.
  EXPECT_NE(sock->TlsVerifyResult(), "ok");
  EXPECT_FALSE(sock->TlsVerifyResult().empty());
  EXPECT_EQ(sock->Transaction("abc"), "cba\n");
}

TEST_F(PowersockTls, PeersThatDoNotCompleteTheHandshakeFailWithoutHanging) {
  struct Case {
    const char* what;
    Peer::Script script;
    bool closeAfterScript;
    SockErrorKind kind;
    const char* reason;  // nullptr: OpenSSL's text, worded differently by its versions
  };
  const Case cases[] = {
      {"plain-text greeting",
       [](int fd) {
         sockettest::SendAll(fd, "220 plain.example ESMTP\r\n");
         sockettest::RecvUntilClosed(fd);
       },
       true, SockErrorKind::TlsFailed, nullptr},
      {"close during the handshake",
       [](int fd) {
         char hello[16384];
         if (sockettest::WaitReadable(fd)) ::recv(fd, hello, sizeof hello, 0);
       },
       true, SockErrorKind::TlsFailed, nullptr},
      {"reset during the handshake",
       [](int fd) {
         sockettest::WaitReadable(fd);
         sockettest::ResetAndClose(fd);
       },
       false, SockErrorKind::WinsockError, "10054:Connection reset by peer"},
  };
  for (const Case& c : cases) {
    Peer peer(c.script, 1, c.closeAfterScript);
    sock->Port = peer.Port();
    sock->UseTls = true;
    // Far beyond any wait of a loaded machine: the failure comes from the
    // peer, long before the time-out.
    sock->TimeOut = 120000;
    const auto start = Clock::now();
    const Failure failure = FailureOf([&] { sock->Connect(); });
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(60)) << c.what;
    EXPECT_EQ(failure.kind, c.kind) << c.what;
    if (c.reason == nullptr) {
      EXPECT_FALSE(failure.text.empty()) << c.what;
      EXPECT_NE(failure.text, "no error") << c.what;
    } else {
      EXPECT_EQ(failure.text, c.reason) << c.what;
    }
    EXPECT_FALSE(sock->Connected) << c.what;
  }
}

TEST_F(PowersockTls, HandshakeIsBoundedByTimeOutAndEndedByCancel) {
  // The peer accepts and never answers the client's hello.
  const auto silent = [](int fd) { sockettest::RecvUntilClosed(fd); };
  {
    Peer peer(silent);
    sock->Port = peer.Port();
    sock->UseTls = true;
    sock->TimeOut = 300;
    const auto start = Clock::now();
    const Failure failure = FailureOf([&] { sock->Connect(); });
    EXPECT_EQ(failure.text, "Connection Timed out");
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_EQ(connectionFailures, 1);
    EXPECT_FALSE(sock->Connected);
  }
  {
    Peer peer(silent);
    sock->Port = peer.Port();
    sock->TimeOut = 5000;
    sock->OnStatus = [this](toolkit::Component*, const std::string& status) {
      if (status == "TLS Handshake") sock->Cancel();
    };
    sock->ReportLevel = 8;
    EXPECT_EQ(FailureOf([&] { sock->Connect(); }).text, "Connection Canceled");
    EXPECT_EQ(connectionFailures, 2);
    EXPECT_FALSE(sock->Connected);
  }
}

TEST_F(PowersockTls, StartTlsUpgradesAPop3SessionOfDovecot) {
  sockettest::Pop3Server server;
  if (server.Port() == 0) PEER_UNAVAILABLE("dovecot did not start: " + server.Log());
  sock->Host = "localhost";
  sock->Port = server.Port();
  sock->Connect();
  EXPECT_FALSE(sock->TlsActive());
  EXPECT_THAT(sock->ReadLn(), testing::StartsWith("+OK"));
  EXPECT_EQ(sock->Transaction("STLS"), "+OK Begin TLS negotiation now.\r\n");
  sock->ReportLevel = 8;
  sock->StartTls();
  EXPECT_THAT(trace, testing::IsSupersetOf({"StartTls", "TLS Handshake", "TLS Established"}));
  EXPECT_TRUE(sock->TlsActive());
  EXPECT_EQ(sock->TlsVerifyResult(), "ok");
  EXPECT_EQ(sock->PeerSubject(), "CN = localhost");

  EXPECT_EQ(sock->Transaction("CAPA"), "+OK\r\n");
  std::string capabilities;
  for (std::string line = sock->ReadLn(); !line.empty() && line != ".\r\n"; line = sock->ReadLn()) {
    capabilities += line;
  }
  EXPECT_THAT(capabilities, HasSubstr("SASL PLAIN"));  // offered only over TLS
  EXPECT_THAT(sock->Transaction("QUIT"), testing::StartsWith("+OK"));
  sock->Disconnect();
}

TEST_F(PowersockTls, StartTlsRefusesPlainTextThatFollowedTheReply) {
  Peer peer(StartTlsPeer("220 mail.example ESMTP\r\n",
                         "220 2.0.0 Ready to start TLS\r\nMAIL FROM:<injected@example>\r\n"));
  sock->Port = peer.Port();
  sock->Connect();
  EXPECT_EQ(sock->ReadLn(), "220 mail.example ESMTP\r\n");
  EXPECT_EQ(sock->Transaction("STARTTLS"), "220 2.0.0 Ready to start TLS\r\n");
  // The injected line arrived with the reply, or arrives a moment later.
  const auto limit = Clock::now() + std::chrono::seconds(5);
  while (!sock->DataAvailable() && Clock::now() < limit) toolkit::WaitForMessages();

  const Failure failure = FailureOf([&] { sock->StartTls(); });
  EXPECT_EQ(failure.kind, SockErrorKind::PlaintextAfterStartTls);
  EXPECT_EQ(failure.text, "STARTTLS refused: plain text followed the reply (discarded)");
  EXPECT_FALSE(sock->TlsActive());
  EXPECT_FALSE(sock->DataAvailable());  // the injected bytes are gone
  sock->Disconnect();                   // before the peer, which waits for it
}

TEST_F(PowersockTls, StartTlsNeedsAConnectionAndHonoursTimeOutAndCancel) {
  EXPECT_EQ(FailureOf([&] { sock->StartTls(); }).text, "10057:Socket is not connected");
  {
    Peer peer(StartTlsPeer("+OK ready\r\n", "+OK go ahead\r\n"));
    sock->Port = peer.Port();
    sock->TimeOut = 300;
    sock->Connect();
    sock->ReadLn();
    sock->Transaction("STLS");
    const Failure failure = FailureOf([&] { sock->StartTls(); });
    EXPECT_EQ(failure.kind, SockErrorKind::TlsHandshakeTimedOut);
    EXPECT_EQ(failure.text, "TLS Handshake Timed out");
    EXPECT_FALSE(sock->Connected);  // a half-done handshake leaves nothing usable
  }
  {
    Peer peer(StartTlsPeer("+OK ready\r\n", "+OK go ahead\r\n"));
    sock->Port = peer.Port();
    sock->TimeOut = 5000;
    sock->Connect();
    sock->ReadLn();
    sock->Transaction("STLS");
    sock->ReportLevel = 8;
    sock->OnStatus = [this](toolkit::Component*, const std::string& status) {
      if (status == "TLS Handshake") sock->Cancel();
    };
    EXPECT_EQ(FailureOf([&] { sock->StartTls(); }).text, "TLS Handshake Canceled");
    EXPECT_FALSE(sock->Connected);
  }
}

TEST_F(PowersockTls, AThousandTlsSessionsLeaveTheDescriptorCountUnchanged) {
  TlsServer server("good");
  ASSERT_NE(server.Port(), 0) << server.Log();
  sock->Port = server.Port();
  sock->UseTls = true;
  sock->Connect();  // the first session settles what OpenSSL keeps open
  sock->Disconnect();
  const int before = OpenDescriptors();
  for (int i = 0; i < 1000; ++i) {
    const std::string number = std::to_string(i);
    sock->Connect();
    const std::string reply = sock->Transaction("n" + number);
    sock->Disconnect();
    if (reply != std::string(number.rbegin(), number.rend()) + "n\n") {
      ADD_FAILURE() << "session " << i << ": " << reply;
      break;
    }
  }
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace

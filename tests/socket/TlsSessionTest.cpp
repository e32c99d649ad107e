// TlsSession against openssl s_server and plain loopback peers, driven by
// poll() the way the component drives it by its notifications. How
// handshakes fail, STARTTLS and verification switched off are tested through
// the component (PowersockTlsTest.cpp).
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <memory>
#include <string>

#include "socket/TlsSession.h"
#include "tests/socket/Peer.h"
#include "tests/socket/TlsPeers.h"
#include "tests/support/Peers.h"

namespace {

using Psock::TlsOptions;
using Psock::TlsSession;
using Psock::TlsStatus;
using sockettest::Peer;
using sockettest::TestCertificates;
using sockettest::TlsServer;
using testing::HasSubstr;

// A non-blocking client socket connected to 127.0.0.1:port.
class ClientSocket {
 public:
  explicit ClientSocket(uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = sockettest::Loopback(port);
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
  }
  ~ClientSocket() {
    if (fd_ >= 0) ::close(fd_);
  }
  ClientSocket(const ClientSocket&) = delete;
  ClientSocket& operator=(const ClientSocket&) = delete;
  int Fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// A session over its own socket, with the steps run to their end: each
// want-read or want-write waits for the socket (5 s at most in all).
class Client {
 public:
  Client(uint16_t port, TlsOptions options)
      : socket_(port), session_(Psock::DescriptorTransport(socket_.Fd()), options) {}

  TlsSession& Session() { return session_; }
  int Fd() const { return socket_.Fd(); }

  template <typename Step>
  TlsStatus Drive(Step step) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
      const TlsStatus status = step();
      if (status != TlsStatus::WantRead && status != TlsStatus::WantWrite) return status;
      if (std::chrono::steady_clock::now() > limit) return status;
      pollfd probe{Fd(), static_cast<short>(status == TlsStatus::WantRead ? POLLIN : POLLOUT), 0};
      ::poll(&probe, 1, 100);
    }
  }

  TlsStatus Handshake() {
    return Drive([this] { return session_.Handshake(); });
  }

  bool WriteAll(const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
      size_t sent = 0;
      const TlsStatus status =
          Drive([&] { return session_.Write(text.data() + done, text.size() - done, sent); });
      if (status != TlsStatus::Done) return false;
      done += sent;
    }
    return true;
  }

  // Reads until a line feed; stops early on Closed or Failed.
  std::string ReadLine(TlsStatus* last = nullptr) {
    std::string line;
    TlsStatus status = TlsStatus::Done;
    while (line.empty() || line.back() != '\n') {
      char byte = 0;
      size_t received = 0;
      status = Drive([&] { return session_.Read(&byte, 1, received); });
      if (status != TlsStatus::Done) break;
      line.push_back(byte);
    }
    if (last != nullptr) *last = status;
    return line;
  }

 private:
  ClientSocket socket_;
  TlsSession session_;
};

TlsOptions Trusting(const std::string& serverName) {
  return {serverName, TestCertificates::Get().CaFile(), true};
}

class TlsSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!TestCertificates::Get().Ready()) {
      PEER_UNAVAILABLE("openssl could not make certificates: " + TestCertificates::Get().Log());
    }
  }
};

TEST_F(TlsSessionTest, VerifiedSessionCarriesLinesAndTellsWhatWasAgreed) {
  TlsServer server("good");
  ASSERT_NE(server.Port(), 0) << server.Log();
  Client client(server.Port(), Trusting("localhost"));

  ASSERT_EQ(client.Handshake(), TlsStatus::Done) << client.Session().FailureReason();
  const Psock::TlsInfo info = client.Session().Info();
  EXPECT_EQ(info.protocol, "TLSv1.3");
  EXPECT_FALSE(info.cipher.empty());
  EXPECT_EQ(info.subject, "CN = localhost");
  EXPECT_EQ(info.issuer, "CN = Tessera Test CA");
  EXPECT_THAT(info.expiry, HasSubstr("GMT"));
  EXPECT_EQ(info.verifyResult, "ok");
  EXPECT_TRUE(info.verified);

  ASSERT_TRUE(client.WriteAll("hello\n"));
  EXPECT_EQ(client.ReadLine(), "olleh\n");
  ASSERT_TRUE(client.WriteAll("second line\n"));
  EXPECT_EQ(client.ReadLine(), "enil dnoces\n");
  EXPECT_EQ(client.Session().Shutdown(), TlsStatus::Done);
  EXPECT_EQ(client.Session().Shutdown(), TlsStatus::Done);  // once is enough
}

TEST_F(TlsSessionTest, AddressLiteralsAreCheckedAgainstTheCertificatesAddresses) {
  TlsServer server("good");
  ASSERT_NE(server.Port(), 0) << server.Log();
  for (const char* name : {"127.0.0.1", "::1", "[::1]"}) {
    Client client(server.Port(), Trusting(name));
    EXPECT_EQ(client.Handshake(), TlsStatus::Done)
        << name << ": " << client.Session().FailureReason();
  }
  Client other(server.Port(), Trusting("127.0.0.2"));
  EXPECT_EQ(other.Handshake(), TlsStatus::Failed);
  EXPECT_FALSE(other.Session().FailureReason().empty());  // OpenSSL's words
}

TEST_F(TlsSessionTest, UnreadableCaFileFailsTheFirstStep) {
  ClientSocket unused(0);
  TlsSession session(Psock::DescriptorTransport(unused.Fd()), {"localhost", "/nonexistent/ca.pem"});
  EXPECT_EQ(session.Handshake(), TlsStatus::Failed);
  EXPECT_THAT(session.FailureReason(), HasSubstr("cannot load CA file /nonexistent/ca.pem"));
}

TEST_F(TlsSessionTest, DecryptedBytesWaitInTheSessionWithoutSocketReadiness) {
  TlsServer server("good");
  ASSERT_NE(server.Port(), 0) << server.Log();
  Client client(server.Port(), Trusting("localhost"));
  ASSERT_EQ(client.Handshake(), TlsStatus::Done) << client.Session().FailureReason();
  ASSERT_TRUE(client.WriteAll("abcdef\n"));

  char first = 0;
  size_t received = 0;
  ASSERT_EQ(client.Drive([&] { return client.Session().Read(&first, 1, received); }),
            TlsStatus::Done);
  EXPECT_EQ(first, 'f');
  // The rest of the record is inside the session: a caller that waited for
  // the socket now would wait in vain.
  EXPECT_TRUE(client.Session().HasPending());
  pollfd probe{client.Fd(), POLLIN, 0};
  EXPECT_EQ(::poll(&probe, 1, 0), 0);
  char rest[16] = {};
  EXPECT_EQ(client.Session().Read(rest, sizeof rest, received), TlsStatus::Done);
  EXPECT_EQ(std::string(rest, received), "edcba\n");
  EXPECT_FALSE(client.Session().HasPending());
}

TEST_F(TlsSessionTest, PeerThatGoesAwayEndsTheSessionAsClosed) {
  auto server = std::make_unique<TlsServer>("good");
  ASSERT_NE(server->Port(), 0) << server->Log();
  Client client(server->Port(), Trusting("localhost"));
  ASSERT_EQ(client.Handshake(), TlsStatus::Done) << client.Session().FailureReason();
  ASSERT_TRUE(client.WriteAll("x\n"));
  EXPECT_EQ(client.ReadLine(), "x\n");
  server.reset();  // the process ends; its socket closes without close_notify

  TlsStatus last = TlsStatus::Done;
  EXPECT_EQ(client.ReadLine(&last), "");
  EXPECT_EQ(last, TlsStatus::Closed);
  char byte = 0;
  size_t received = 0;
  EXPECT_EQ(client.Session().Read(&byte, 1, received), TlsStatus::Closed);  // and stays so
  EXPECT_EQ(client.Session().Shutdown(), TlsStatus::Done);                  // nothing more is sent
}

TEST_F(TlsSessionTest, PlaintextAheadCountsBytesReadAheadAndWaitingInTheSocket) {
  Peer peer([](int fd) {
    if (sockettest::RecvLine(fd).empty()) return;
    sockettest::SendAll(fd, "220 go ahead\r\nINJECTED\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  ClientSocket socket(peer.Port());
  EXPECT_EQ(TlsSession::PlaintextAhead(socket.Fd(), 0), 0u);
  EXPECT_EQ(TlsSession::PlaintextAhead(socket.Fd(), 5), 5u);

  sockettest::SendAll(socket.Fd(), "STARTTLS\n");
  for (int i = 0; i < 2500 && TlsSession::PlaintextAhead(socket.Fd(), 0) < 24; ++i) {
    sockettest::SleepMs(2);
  }
  EXPECT_EQ(TlsSession::PlaintextAhead(socket.Fd(), 0), 24u);
  char reply[14];
  ASSERT_EQ(::recv(socket.Fd(), reply, sizeof reply, 0), 14);  // the granting reply
  EXPECT_EQ(TlsSession::PlaintextAhead(socket.Fd(), 0), 10u);
  EXPECT_EQ(TlsSession::PlaintextAhead(socket.Fd(), 3), 13u);
}

}  // namespace

// TPowersock's counted reads, its caller's own errors and the host and
// reply-number texts of the socket library.
#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <string>

#include "socket/Psock.h"
#include "tests/socket/ConnectedSocketTest.h"
#include "tests/socket/Peer.h"

namespace {

using Psock::EAbortError;
using Psock::ESockError;
using Psock::SockErrorKind;
using Psock::TPowersock;
using sockettest::Peer;

class ReadBytes : public sockettest::ConnectedSocketTest {};

// A value with line feeds, zero bytes and CR LF inside comes out byte for
// byte; lines before and after it are read as lines.
TEST_F(ReadBytes, CountedBytesBetweenLinesPassExactly) {
  const std::string value("a\r\nb\0c\nd", 8);
  Start([&](int fd) {
    sockettest::SendAll(fd, "$8\r\n" + value + "\r\nnext\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  EXPECT_EQ(sock->ReadLn(), "$8\r\n");
  EXPECT_EQ(sock->ReadBytes(8), value);
  EXPECT_EQ(sock->ReadBytes(2), "\r\n");
  EXPECT_EQ(sock->ReadLn(), "next\r\n");
  EXPECT_EQ(sock->ReadBytes(0), "");
}

// A megabyte arrives in pieces; reads of the largest count join them.
TEST_F(ReadBytes, AMegabyteInLargestReads) {
  std::string value(1 << 20, '\0');
  for (size_t i = 0; i < value.size(); ++i) value[i] = static_cast<char>(i * 7 % 251);
  Start([&](int fd) {
    sockettest::SendAll(fd, value);
    sockettest::RecvUntilClosed(fd);
  });
  std::string received;
  while (received.size() < value.size()) {
    const size_t count = std::min(TPowersock::kMaxRead, value.size() - received.size());
    const std::string piece = sock->ReadBytes(count);
    ASSERT_EQ(piece.size(), count);
    received += piece;
  }
  EXPECT_EQ(received, value);
}

TEST_F(ReadBytes, MoreThanOneBufferIsARangeErrorBeforeReading) {
  Start([](int fd) {
    sockettest::SendAll(fd, "kept\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  EXPECT_THROW(sock->ReadBytes(TPowersock::kMaxRead + 1), rtl::ERangeError);
  EXPECT_EQ(sock->ReadLn(), "kept\r\n");
}

TEST_F(ReadBytes, PeerClosingEarlyGivesWhatItSent) {
  Start([](int fd) { sockettest::SendAll(fd, "shor"); });
  EXPECT_EQ(sock->ReadBytes(10), "shor");
  EXPECT_EQ(sock->ReadBytes(10), "");
}

// A time-out keeps what has arrived: the next read gets all of it.
TEST_F(ReadBytes, TimeOutKeepsThePartReceived) {
  Start([](int fd) {
    sockettest::SendAll(fd, "01234");
    sockettest::RecvLine(fd);  // the client has given up once
    sockettest::SendAll(fd, "56789");
    sockettest::RecvUntilClosed(fd);
  });
  sock->TimeOut = 50;
  try {
    sock->ReadBytes(10);
    ADD_FAILURE() << "no time-out";
  } catch (const EAbortError& error) {
    EXPECT_EQ(error.Kind(), SockErrorKind::ReadAborted);
    EXPECT_EQ(error.Message(), "Socket read aborted");
  }
  EXPECT_TRUE(sock->TimedOut);
  EXPECT_FALSE(sock->Canceled);
  sock->TimeOut = 5000;
  sock->Writeln("more");
  EXPECT_EQ(sock->ReadBytes(10), "0123456789");
}

TEST_F(ReadBytes, CancelEndsTheWait) {
  Start([](int fd) { sockettest::RecvUntilClosed(fd); });
  sock->TimeOut = 0;
  QTimer::singleShot(30, [this] { sock->Cancel(); });
  EXPECT_THROW(sock->ReadBytes(4), EAbortError);
  EXPECT_FALSE(sock->TimedOut);
  EXPECT_FALSE(sock->Canceled);
}

// Callers raise the component's error with a text of their own, also from
// an event handler in the middle of an operation.
TEST(CallerError, AHandlerMayRaiseItsOwnSockError) {
  TPowersock sock(nullptr);
  sock.Host = "0.0.0.0";  // no address: the handler is asked
  sock.Port = 9;
  sock.OnInvalidHost = [](bool&) { throw ESockError("the caller says no"); };
  try {
    sock.Connect();
    ADD_FAILURE() << "the handler's error did not pass";
  } catch (const ESockError& error) {
    EXPECT_EQ(error.Kind(), SockErrorKind::Caller);
    EXPECT_EQ(error.ErrorNumber(), 0);
    EXPECT_EQ(error.Message(), "the caller says no");
  }
  EXPECT_FALSE(sock.Connected);
}

TEST(SocketTexts, HostsRepliesAndReasons) {
  EXPECT_EQ(Psock::WithoutBrackets("[::1]"), "::1");
  EXPECT_EQ(Psock::WithoutBrackets("::1"), "::1");
  EXPECT_EQ(Psock::WithoutBrackets("[x"), "[x");
  EXPECT_EQ(Psock::HostAndPort("::1", 25), "[::1]:25");
  EXPECT_EQ(Psock::HostAndPort("[::1]", 25), "[::1]:25");
  EXPECT_EQ(Psock::HostAndPort("mail.example", 587), "mail.example:587");
  EXPECT_EQ(Psock::LeadingDigits("250-ok"), "250");
  EXPECT_EQ(Psock::LeadingDigits("12345678901234"), "1234567890");
  EXPECT_EQ(Psock::LeadingDigits("+OK"), "");
  EXPECT_EQ(Psock::ErrorReason(Psock::WSAECONNREFUSED), "Connection refused");
  EXPECT_EQ(Psock::ErrorReason(0), "");
  EXPECT_EQ(Psock::ErrorReason(12345), "");
  EXPECT_TRUE(Psock::MeansConnectionClosed(Psock::WSAECONNRESET));
  EXPECT_FALSE(Psock::MeansConnectionClosed(Psock::WSAECONNREFUSED));
}

}  // namespace

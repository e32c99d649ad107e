// How TPowersock's reads wait once the socket is empty: on the socket itself
// when no OnDataAvailable handler watches, through the read notification
// when one does; and the platform shim's read interest and readiness that
// this rests on.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "socket/Psock.h"
#include "socket/WinsockShim.h"
#include "tests/socket/ConnectedSocketTest.h"
#include "tests/socket/Peer.h"
#include "toolkit/MessageWindow.h"
#include "toolkit/Pump.h"

namespace {

using Psock::EAbortError;
using Psock::TPowersock;
using sockettest::Peer;

constexpr auto kEventLimit = std::chrono::seconds(30);

void PumpUntil(const std::function<bool()>& done) {
  const auto limit = std::chrono::steady_clock::now() + kEventLimit;
  while (!done() && std::chrono::steady_clock::now() < limit) toolkit::WaitForMessages();
}

// The message of the EAbortError that `call` raises, or "no error".
template <typename Call>
std::string AbortOf(Call call) {
  try {
    call();
  } catch (const EAbortError& error) {
    return error.Message();
  }
  return "no error";
}

class ReadWait : public sockettest::ConnectedSocketTest {};

// Answers each line, after `delayMs`, with "re <line>".
Peer::Script Echoing(int delayMs) {
  return [delayMs](int fd) {
    for (;;) {
      const std::string line = sockettest::RecvLine(fd);
      if (line.empty()) return;
      if (delayMs > 0) sockettest::SleepMs(delayMs);
      sockettest::SendAll(fd, "re " + line);
    }
  };
}

TEST_F(ReadWait, RepliesThatComeLaterAreReadOneAfterTheOther) {
  // Quick replies (met without sleeping) and slower ones (met by sleeping)
  // in one session: each reply to its own command.
  Start([](int fd) {
    for (int i = 0;; ++i) {
      const std::string line = sockettest::RecvLine(fd);
      if (line.empty()) return;
      if (i % 10 == 9) sockettest::SleepMs(5);
      sockettest::SendAll(fd, "re " + line);
    }
  });
  for (int i = 0; i < 60; ++i) {
    const std::string command = "cmd " + std::to_string(i);
    ASSERT_EQ(sock->Transaction(command), "re " + command + "\r\n");
  }
  EXPECT_FALSE(sock->TimeOutTimer->Running());
}

TEST_F(ReadWait, CountedBytesThatComeInPiecesAreJoined) {
  Start([](int fd) {
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "head\r\n");
    for (const char* piece : {"abc", "def", "ghij"}) {
      sockettest::SleepMs(5);
      sockettest::SendAll(fd, piece);
    }
    sockettest::RecvUntilClosed(fd);
  });
  EXPECT_EQ(sock->Transaction("go"), "head\r\n");
  EXPECT_EQ(sock->ReadBytes(10), "abcdefghij");
}

TEST_F(ReadWait, TimeOutEndsAWaitAfterALine) {
  Start([](int fd) {
    sockettest::SendAll(fd, "one\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  EXPECT_EQ(sock->ReadLn(), "one\r\n");  // the socket is empty after it
  sock->TimeOut = 50;
  EXPECT_EQ(AbortOf([&] { sock->ReadLn(); }), "Socket readln aborted");
  EXPECT_TRUE(sock->TimedOut);
  EXPECT_FALSE(sock->Canceled);
  EXPECT_FALSE(sock->TimeOutTimer->Running());
  EXPECT_EQ(AbortOf([&] { sock->ReadBytes(4); }), "Socket read aborted");
  EXPECT_TRUE(sock->TimedOut);
  EXPECT_TRUE(sock->Connected);
}

TEST_F(ReadWait, CancelFromATimerEndsAWaitAfterALine) {
  Start([](int fd) {
    sockettest::SendAll(fd, "one\r\n");
    sockettest::RecvLine(fd);  // "late", sent after the cancel
    sockettest::SendAll(fd, "two\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  EXPECT_EQ(sock->ReadLn(), "one\r\n");
  sock->TimeOut = 0;  // only the cancel can end this wait
  QTimer::singleShot(30, [this] { sock->Cancel(); });
  EXPECT_EQ(AbortOf([&] { sock->ReadLn(); }), "Socket readln aborted");
  EXPECT_FALSE(sock->TimedOut);
  EXPECT_FALSE(sock->Canceled);
  sock->TimeOut = 5000;
  EXPECT_EQ(sock->Transaction("late"), "two\r\n");
}

TEST_F(ReadWait, PeerClosingDuringAWaitGivesTheEmptyLineAndTheCloseFollows) {
  Start([](int fd) {
    sockettest::SendAll(fd, "one\r\n");
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "unfinished");
  });
  int disconnects = 0;
  sock->OnDisconnect = [&](TPowersock*) { ++disconnects; };
  EXPECT_EQ(sock->ReadLn(), "one\r\n");
  EXPECT_EQ(sock->Transaction("bye"), "");
  EXPECT_EQ(sock->TakePartialLine(), "unfinished");
  PumpUntil([&] { return !sock->Connected; });
  EXPECT_FALSE(sock->Connected);
  EXPECT_EQ(disconnects, 1);
}

TEST_F(ReadWait, WatchedReadsStillFireTheDataAvailableEvent) {
  Start(Echoing(5));
  int events = 0;
  sock->OnDataAvailable = [&](TPowersock*) { ++events; };
  EXPECT_EQ(sock->Transaction("a"), "re a\r\n");
  EXPECT_EQ(sock->Transaction("b"), "re b\r\n");  // waits after an emptying read
  PumpUntil([&] { return events >= 2; });
  EXPECT_GE(events, 2);
  EXPECT_FALSE(sock->DataAvailable());
}

TEST_F(ReadWait, HandlerSetBetweenReadsSeesTheNextData) {
  Start(Echoing(0));
  EXPECT_EQ(sock->Transaction("a"), "re a\r\n");
  int events = 0;
  sock->OnDataAvailable = [&](TPowersock*) { ++events; };
  sock->Writeln("b");
  PumpUntil([&] { return events > 0; });
  EXPECT_EQ(events, 1);
  EXPECT_EQ(sock->ReadLn(), "re b\r\n");
}

// ---------------------------------------------------------------------------
// The shim: read interest and readiness

class ReadInterest : public testing::Test {
 protected:
  void SetUp() override {
    int pair[2] = {-1, -1};
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    mine = pair[0];
    theirs = pair[1];
    window = std::make_unique<toolkit::MessageWindow>([this](const toolkit::Message& message) {
      if (message.number == kMessage && !Psock::IsStaleNotification(message.parameter)) {
        events.push_back(static_cast<uint16_t>(message.longParameter & 0xFFFF));
      }
    });
    ASSERT_EQ(Psock::WSAAsyncSelect(mine, window.get(), kMessage, Psock::FD_READ | Psock::FD_CLOSE),
              0);
    // A socket pair has its peer from the start; one byte each way makes
    // that known to the shim as for a connected TCP socket.
    ASSERT_TRUE(sockettest::SendAll(theirs, "x"));
    char byte = 0;
    for (int i = 0; i < 1000 && Psock::recv(mine, &byte, 1, false) != 1; ++i) {
      toolkit::WaitForMessages();
    }
    Settle();
    events.clear();
  }
  void TearDown() override {
    if (mine >= 0) Psock::closesocket(mine);
    if (theirs >= 0) ::close(theirs);
    window.reset();
  }
  // Pumps a few times, so that whatever the notifier sees is handled.
  void Settle() {
    for (int i = 0; i < 5; ++i) toolkit::WaitForMessages(std::chrono::milliseconds(5));
  }

  static constexpr uint32_t kMessage = 2000;
  int mine = -1;
  int theirs = -1;
  std::unique_ptr<toolkit::MessageWindow> window;
  std::vector<uint16_t> events;
};

TEST_F(ReadInterest, RefusedReadNotificationIsSkippedButTheReadinessIsKnown) {
  bool wanted = false;
  Psock::SetReadInterest(mine, [&] { return wanted; });
  EXPECT_FALSE(Psock::ReadableSeen(mine));
  ASSERT_TRUE(sockettest::SendAll(theirs, "ab"));
  PumpUntil([&] { return Psock::ReadableSeen(mine); });
  Settle();
  EXPECT_TRUE(Psock::ReadableSeen(mine));
  EXPECT_TRUE(events.empty());
  // Counted as posted: asking for it now brings nothing until the next recv.
  wanted = true;
  Settle();
  EXPECT_TRUE(events.empty());
  char bytes[1] = {};
  EXPECT_EQ(Psock::recv(mine, bytes, 1, false), 1);
  EXPECT_FALSE(Psock::ReadableSeen(mine));
  PumpUntil([&] { return !events.empty(); });  // "b" still waits
  EXPECT_EQ(events, std::vector<uint16_t>{Psock::FD_READ});
  EXPECT_TRUE(Psock::ReadableSeen(mine));
}

TEST_F(ReadInterest, CloseIsPostedWhateverTheReadInterest) {
  Psock::SetReadInterest(mine, [] { return false; });
  ::close(theirs);
  theirs = -1;
  PumpUntil([&] { return !events.empty(); });
  EXPECT_EQ(events, std::vector<uint16_t>{Psock::FD_CLOSE});
  EXPECT_TRUE(Psock::ReadableSeen(mine));
}

TEST_F(ReadInterest, AttachingAgainClearsTheInterest) {
  Psock::SetReadInterest(mine, [] { return false; });
  ASSERT_EQ(Psock::WSAAsyncSelect(mine, window.get(), kMessage, Psock::FD_READ | Psock::FD_CLOSE),
            0);
  ASSERT_TRUE(sockettest::SendAll(theirs, "c"));
  PumpUntil([&] { return !events.empty(); });
  EXPECT_EQ(events, std::vector<uint16_t>{Psock::FD_READ});
}

TEST(ReadReadiness, WaitsTellWhetherTheSocketHasSomethingToRead) {
  int pair[2] = {-1, -1};
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  EXPECT_FALSE(Psock::WaitUntilReadable(pair[0], 1));
  EXPECT_FALSE(Psock::SpinUntilReadable(pair[0], std::chrono::microseconds(200)));
  ASSERT_TRUE(sockettest::SendAll(pair[1], "z"));
  EXPECT_TRUE(Psock::SpinUntilReadable(pair[0], std::chrono::seconds(5)));
  EXPECT_TRUE(Psock::WaitUntilReadable(pair[0], 5000));
  ::close(pair[1]);
  char byte = 0;
  EXPECT_EQ(::recv(pair[0], &byte, 1, 0), 1);
  EXPECT_TRUE(Psock::WaitUntilReadable(pair[0], 5000));  // the end is there
  ::close(pair[0]);
  EXPECT_FALSE(Psock::WaitUntilReadable(Psock::kNoSocket, 1));
  EXPECT_FALSE(Psock::SpinUntilReadable(Psock::kNoSocket, std::chrono::microseconds(10)));
}

// ---------------------------------------------------------------------------
// Look-ups on their own thread

TEST(Lookup, ANewerLookUpReplacesTheOneStillRunning) {
  TPowersock sock(nullptr);
  const auto start = [&](const char* name) {
    Psock::WSAAsyncGetHostByName(sock.WindowHandle.get(), TPowersock::LookupMessage, name,
                                 sock.HostEntryBuffer->data());
  };
  sock.HostEntryBuffer->fill(0xEE);
  sock.LookupDone = false;
  start("nothing.invalid");
  start("localhost");
  PumpUntil([&] { return sock.LookupDone; });
  EXPECT_TRUE(sock.Succeeded);  // the answer for localhost, not the failure
  const unsigned char* entry = sock.HostEntryBuffer->data();
  const bool ipv4 = entry[0] == 127;
  const bool ipv6Only = entry[0] == 0 && entry[Psock::kHostEntryIPv6 + 15] == 1;
  EXPECT_TRUE(ipv4 || ipv6Only);
  // The withdrawn look-up sends nothing after it.
  sock.LookupDone = false;
  for (int i = 0; i < 20; ++i) toolkit::WaitForMessages(std::chrono::milliseconds(5));
  EXPECT_FALSE(sock.LookupDone);
}

TEST(Lookup, NamesThatCannotBeLookedUpFailAsUnknownHosts) {
  TPowersock sock(nullptr);
  for (const char* name : {"nothing.invalid",
                           "b\xfc"
                           "cher.invalid",
                           "a..b"}) {
    sock.HostEntryBuffer->fill(0xEE);
    sock.LookupDone = false;
    Psock::WSAAsyncGetHostByName(sock.WindowHandle.get(), TPowersock::LookupMessage, name,
                                 sock.HostEntryBuffer->data());
    PumpUntil([&] { return sock.LookupDone; });
    EXPECT_TRUE(sock.LookupDone) << name;
    EXPECT_FALSE(sock.Succeeded) << name;
    EXPECT_EQ(sock.LastError, Psock::WSAHOST_NOT_FOUND) << name;
    EXPECT_EQ(sock.HostEntryBuffer->at(0), 0xEE) << name;  // nothing written
  }
}

}  // namespace

// The conversation engine against scripted loopback peers.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "conversation/Conversation.h"
#include "tests/socket/Peer.h"

namespace {

using conversation::Conversation;
using conversation::EConversationError;
using conversation::FailureKind;
using conversation::ProtocolNamed;
using conversation::Reply;
using sockettest::Peer;
using Strings = std::vector<std::string>;

// Keeps what goes by, as a transcript would show it.
class Recorder : public conversation::Listener {
 public:
  void Sent(std::string_view line) override { events.push_back("-> " + std::string(line)); }
  void Received(std::string_view line, bool) override {
    events.push_back("<- " + std::string(line));
    if (onLine) onLine();
  }
  void Value(std::string_view bytes, bool last) override {
    value.append(bytes);
    ++pieces;
    largestPiece = std::max(largestPiece, bytes.size());
    if (last) events.push_back("<- (" + std::to_string(value.size()) + " bytes)");
  }
  Strings events;
  std::string value;
  size_t pieces = 0;
  size_t largestPiece = 0;
  std::function<void()> onLine;
};

class Engine : public testing::Test {
 protected:
  void Start(Peer::Script script, const char* protocol) {
    peer = std::make_unique<Peer>(std::move(script));
    sock = std::make_unique<Psock::TPowersock>(nullptr);
    sock->Host = "127.0.0.1";
    sock->Port = peer->Port();
    sock->TimeOut = 5000;
    sock->Connect();
    talk = std::make_unique<Conversation>(*sock, *ProtocolNamed(protocol), &recorder);
  }
  void TearDown() override {
    talk.reset();
    sock.reset();
    peer.reset();
  }

  std::unique_ptr<Peer> peer;
  std::unique_ptr<Psock::TPowersock> sock;
  std::unique_ptr<Conversation> talk;
  Recorder recorder;
};

// Each line reaches the listener when it arrives: the peer sends the end
// of the reply only after the client has shown its first line.
TEST_F(Engine, ReplyLinesAreToldAsTheyArrive) {
  std::atomic<bool> shown{false};
  std::atomic<bool> waited{false};
  Start(
      [&](int fd) {
        sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "211-first\r\n");
        for (int i = 0; i < 500 && !shown; ++i) sockettest::SleepMs(10);
        waited = shown.load();
        sockettest::SendAll(fd, "211 end\r\n");
        sockettest::RecvUntilClosed(fd);
      },
      "ftp");
  recorder.onLine = [&] { shown = true; };
  const Reply reply = talk->Run("FEAT");
  EXPECT_TRUE(waited);
  EXPECT_EQ(reply.first, "211-first");
  EXPECT_EQ(reply.last, "211 end");
  EXPECT_EQ(reply.lines, 2u);
  EXPECT_EQ(recorder.events, (Strings{"-> FEAT", "<- 211-first", "<- 211 end"}));
}

// A megabyte value passes byte for byte, in pieces of at most one buffer,
// and the reply after it is read in step.
TEST_F(Engine, AMegabyteRedisValueByteForByte) {
  std::string value(1 << 20, '\0');
  for (size_t i = 0; i < value.size(); ++i) value[i] = static_cast<char>("ab\r\n\0x"[i % 6]);
  Start(
      [&](int fd) {
        sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "$" + std::to_string(value.size()) + "\r\n" + value + "\r\n");
        sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "+PONG\r\n");
        sockettest::RecvUntilClosed(fd);
      },
      "redis");
  const Reply get = talk->Run("GET big");
  EXPECT_FALSE(get.closed);
  EXPECT_EQ(recorder.value.size(), value.size());
  EXPECT_TRUE(recorder.value == value);
  EXPECT_LE(recorder.largestPiece, Psock::TPowersock::kMaxRead);
  EXPECT_EQ(talk->Run("PING").first, "+PONG");
}

// A storage command that carries its data line is sent as it is; the next
// command is a command, and its reply is read.
TEST_F(Engine, MemcachedCommandWithItsDataLineIsSentAsItIs) {
  std::string received;
  Start(
      [&](int fd) {
        received += sockettest::RecvLine(fd);
        received += sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "STORED\r\n");
        received += sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "VALUE k 0 2\r\nhi\r\nEND\r\n");
        sockettest::RecvUntilClosed(fd);
      },
      "memcached");
  EXPECT_EQ(talk->Run("set k 0 0 2\r\nhi").first, "STORED");
  const Reply get = talk->Run("get k");
  EXPECT_EQ(get.last, "END");
  EXPECT_EQ(received, "set k 0 0 2\r\nhi\r\nget k\r\n");
  EXPECT_EQ(recorder.value, "hi");
}

TEST_F(Engine, OtherCommandsWithLineBreaksAreRefusedUnsent) {
  Start([](int fd) { sockettest::RecvUntilClosed(fd); }, "smtp");
  try {
    talk->Run("MAIL FROM:<a>\r\nRCPT TO:<b>");
    ADD_FAILURE() << "sent";
  } catch (const EConversationError& error) {
    EXPECT_EQ(error.Kind(), FailureKind::BadCommand);
  }
  EXPECT_TRUE(recorder.events.empty());
}

TEST_F(Engine, AMalformedHeaderEndsTheReplyWithItsName) {
  Start(
      [](int fd) {
        sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "$-5\r\n");
        sockettest::RecvUntilClosed(fd);
      },
      "redis");
  try {
    talk->Run("GET a");
    ADD_FAILURE() << "taken";
  } catch (const EConversationError& error) {
    EXPECT_EQ(error.Kind(), FailureKind::MalformedReply);
    EXPECT_EQ(error.Message(), "malformed reply \"$-5\": a negative byte count");
  }
}

// The short wait for an optional greeting never outlives the greeting,
// whatever ends it.
TEST_F(Engine, TheTimeOutIsBackAfterTheGreetingWhateverHappens) {
  Start([](int fd) { sockettest::SendAll(fd, std::string(70000, 'x')); }, "auto");
  EXPECT_THROW(talk->Greet(), rtl::ERangeError);
  EXPECT_EQ(sock->TimeOut, 5000);
}

TEST_F(Engine, AnOptionalGreetingThatNeverComesIsNone) {
  Start([](int fd) { sockettest::RecvUntilClosed(fd); }, "auto");
  const Reply greeting = talk->Greet();
  EXPECT_EQ(greeting.lines, 0u);
  EXPECT_FALSE(greeting.closed);
  EXPECT_EQ(sock->TimeOut, 5000);
}

// IMAP: a tag is added when the command has none, untagged lines belong to
// the reply, and APPEND sends its literal only after the server's "+".
TEST_F(Engine, ImapTagsAndAppendWaitsForTheContinuation) {
  std::string received;
  Start(
      [&](int fd) {
        sockettest::SendAll(fd, "* OK [CAPABILITY IMAP4rev1 AUTH=PLAIN] ready\r\n");
        received += sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "* 2 EXISTS\r\na001 OK selected\r\n");
        received += sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "+ go on\r\n");
        received += sockettest::RecvLine(fd);
        received += sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "a002 OK appended\r\n");
        received += sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "mine NO [NONEXISTENT] nowhere\r\n");
        sockettest::RecvUntilClosed(fd);
      },
      "imap");
  EXPECT_EQ(talk->Greet().status, "OK");
  const Reply select = talk->Run("SELECT INBOX");
  EXPECT_EQ(select.command, "a001 SELECT INBOX");
  EXPECT_EQ(select.lines, 2u);
  EXPECT_FALSE(select.error);
  const Reply append = talk->Run("APPEND INBOX {3}\r\nA\r\n");
  EXPECT_EQ(append.last, "a002 OK appended");
  const Reply mine = talk->Run("mine SELECT nowhere");
  EXPECT_TRUE(mine.error);
  EXPECT_EQ(received,
            "a001 SELECT INBOX\r\na002 APPEND INBOX {3}\r\nA\r\n\r\nmine SELECT nowhere\r\n");
}

// A password never goes over plain text unless allowed, and never shows.
TEST_F(Engine, PasswordsStayOutOfTheTranscriptAndOffPlainTextUnlessAllowed) {
  std::string received;
  Start(
      [&](int fd) {
        sockettest::SendAll(fd, "+OK ready\r\n");
        for (int i = 0; i < 3; ++i) {
          const std::string line = sockettest::RecvLine(fd);
          received += line;
          if (line.starts_with("CAPA")) sockettest::SendAll(fd, "+OK\r\nUSER\r\n.\r\n");
          if (line.starts_with("USER")) sockettest::SendAll(fd, "+OK\r\n");
          if (line.starts_with("PASS")) sockettest::SendAll(fd, "-ERR [AUTH] wrong\r\n");
        }
        sockettest::RecvUntilClosed(fd);
      },
      "pop3");
  talk->Greet();
  conversation::LoginSettings login;
  login.credentials = {"anna", "s3cret!"};
  try {
    talk->LogIn(login);
    ADD_FAILURE() << "logged in over plain text";
  } catch (const EConversationError& error) {
    EXPECT_EQ(error.Kind(), FailureKind::PlainText);
  }
  login.allowPlainText = true;
  try {
    talk->LogIn(login);
    ADD_FAILURE() << "a refused log-in passed";
  } catch (const EConversationError& error) {
    EXPECT_EQ(error.Kind(), FailureKind::LoginRefused);
    EXPECT_EQ(error.Message().find("s3cret"), std::string::npos);
  }
  EXPECT_EQ(received, "CAPA\r\nUSER anna\r\nPASS s3cret!\r\n");
  for (const std::string& event : recorder.events) {
    EXPECT_EQ(event.find("s3cret"), std::string::npos) << event;
  }
  EXPECT_EQ(recorder.events.back(), "<- -ERR [AUTH] wrong");
}

}  // namespace

// Reply framing per protocol, fed line by line as a server sends them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programs/tamsel/ReplyFramer.h"

namespace {

using tamsel::Protocol;
using tamsel::ReplyFramer;

// Feeds `lines` (each gets CR LF) after starting `command`; returns how many
// lines it took to complete the reply, 0 when it never completed.
size_t LinesTaken(ReplyFramer& framer, const std::string& command,
                  const std::vector<std::string>& lines) {
  framer.Start(command);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (framer.Feed(lines[i] + "\r\n")) return i + 1;
  }
  return 0;
}

size_t LinesTaken(Protocol protocol, const std::string& command,
                  const std::vector<std::string>& lines) {
  ReplyFramer framer(protocol);
  return LinesTaken(framer, command, lines);
}

TEST(ReplyFramer, NumericRuleEndsAtTheSameCodeAndABlank) {
  // FTP FEAT: the lines between need not start with the code.
  const std::vector<std::string> feat{"211-Features:", " EPRT", " MDTM", "211 End", "200 next"};
  for (Protocol protocol : {Protocol::Auto, Protocol::Ftp, Protocol::Smtp}) {
    EXPECT_EQ(LinesTaken(protocol, "FEAT", feat), 4u);
  }
  EXPECT_EQ(LinesTaken(Protocol::Ftp, "STAT", {"211-status", "211-more", "212 other", "211"}), 4u);
  EXPECT_EQ(LinesTaken(Protocol::Smtp, "EHLO x", {"250-a", "250-b", "250 c"}), 3u);
  EXPECT_EQ(LinesTaken(Protocol::Auto, "NOOP", {"250 ok", "250 more"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Auto, "X", {"+OK no code", "next"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Line, "FEAT", feat), 1u);

  ReplyFramer framer(Protocol::Ftp);
  LinesTaken(framer, "FEAT", feat);
  EXPECT_EQ(framer.Number(), 211);
  EXPECT_EQ(framer.NumberText(), "211");
  EXPECT_EQ(framer.Lines().back(), "211 End");
  EXPECT_FALSE(framer.IsError());
}

TEST(ReplyFramer, Pop3MultiLineByCommandWithDotUnstuffing) {
  EXPECT_EQ(LinesTaken(Protocol::Pop3, "CAPA", {"+OK", "TOP", "UIDL", ".", "+OK x"}), 4u);
  EXPECT_EQ(LinesTaken(Protocol::Pop3, "list", {"+OK 2", "1 120", "2 200", "."}), 4u);
  EXPECT_EQ(LinesTaken(Protocol::Pop3, "LIST 1", {"+OK 1 120", "."}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Pop3, "UIDL", {"+OK", "1 abc", "."}), 3u);
  EXPECT_EQ(LinesTaken(Protocol::Pop3, "RETR 1", {"-ERR no such message", "."}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Pop3, "STAT", {"+OK 2 320", "."}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Pop3, "", {"+OK ready", "."}), 1u);  // greeting

  ReplyFramer framer(Protocol::Pop3);
  ASSERT_EQ(LinesTaken(framer, "TOP 1 5", {"+OK", "Subject: x", "", "..hidden", "..", "."}), 6u);
  EXPECT_EQ(framer.Lines(),
            (std::vector<std::string>{"+OK", "Subject: x", "", ".hidden", ".", "."}));
  framer.Start("DELE 9");
  framer.Feed("-ERR no such message\r\n");
  EXPECT_TRUE(framer.IsError());
}

TEST(ReplyFramer, RedisRespValues) {
  EXPECT_EQ(LinesTaken(Protocol::Redis, "PING", {"+PONG", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "INCR a", {":40000", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "GET a", {"$5", "hello", "x"}), 2u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "GET b", {"$-1", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "GET e", {"$0", "", "x"}), 2u);
  // A bulk string holding a line end spans two lines; its count includes it.
  EXPECT_EQ(LinesTaken(Protocol::Redis, "GET c", {"$6", "ab", "cd", "x"}), 3u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "KEYS *", {"*2", "$1", "a", "$1", "b", "x"}), 5u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "KEYS *", {"*0", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "BLPOP", {"*-1", "x"}), 1u);
  // Nested: [[1, "a"], nil, [], "b"].
  EXPECT_EQ(LinesTaken(Protocol::Redis, "EXEC",
                       {"*4", "*2", ":1", "$1", "a", "$-1", "*0", "$1", "b", "x"}),
            9u);
  EXPECT_EQ(LinesTaken(Protocol::Redis, "HGETALL", {"%1", "+k", ":2", "x"}), 3u);

  ReplyFramer framer(Protocol::Redis);
  LinesTaken(framer, "FOO", {"-ERR unknown command 'FOO'"});
  EXPECT_TRUE(framer.IsError());
  LinesTaken(framer, "GET a", {"$4", "-ERR"});
  EXPECT_FALSE(framer.IsError());  // the value, not an error
}

TEST(ReplyFramer, MemcachedRetrievalStatsAndErrors) {
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "get a b",
                       {"VALUE a 0 3", "one", "VALUE b 0 5", "END", "x", "END", "next"}),
            6u);  // the value "END\r\nx" holds an END of its own
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "gets a", {"VALUE a 0 1 7", "1", "END"}), 3u);
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "get none", {"END", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "stats", {"STAT pid 1", "STAT uptime 2", "END"}), 3u);
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "stats reset", {"RESET", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "set a 0 0 1", {"STORED", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "incr a 1", {"32768", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "bogus", {"ERROR", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Protocol::Memcached, "get", {"ERROR", "x"}), 1u);

  ReplyFramer framer(Protocol::Memcached);
  for (const char* error : {"ERROR", "CLIENT_ERROR bad data chunk", "SERVER_ERROR out of memory"}) {
    LinesTaken(framer, "set a 0 0 1", {error});
    EXPECT_TRUE(framer.IsError()) << error;
  }
  LinesTaken(framer, "incr a 1", {"32768"});
  EXPECT_FALSE(framer.IsError());
  EXPECT_EQ(framer.Number(), 32768);
  LinesTaken(framer, "set a 0 0 1", {"NOT_STORED"});
  EXPECT_FALSE(framer.IsError());
}

TEST(ReplyFramer, ErrorRepliesOfTheNumericProtocols) {
  ReplyFramer framer(Protocol::Smtp);
  const auto error = [&](const std::vector<std::string>& lines) {
    LinesTaken(framer, "CMD", lines);
    return framer.IsError();
  };
  EXPECT_TRUE(error({"550 no such user"}));
  EXPECT_TRUE(error({"421-going", "421 down"}));
  EXPECT_FALSE(error({"354 go ahead"}));
  EXPECT_TRUE(framer.StartsData());
  EXPECT_FALSE(error({"250 ok"}));
  EXPECT_FALSE(framer.StartsData());
  EXPECT_FALSE(error({"5000 not a code"}));
  EXPECT_FALSE(error({"hello"}));

  ReplyFramer ftp(Protocol::Ftp);
  ftp.Start("RETR x");
  ftp.Feed("354 not smtp\r\n");
  EXPECT_FALSE(ftp.StartsData());
}

TEST(ReplyFramer, CommandsWithData) {
  EXPECT_TRUE(tamsel::SendsDataLine(Protocol::Memcached, "set k 0 0 5"));
  EXPECT_TRUE(tamsel::SendsDataLine(Protocol::Memcached, "CAS k 0 0 5 99"));
  for (const char* command : {"add", "replace", "append", "prepend"}) {
    EXPECT_TRUE(tamsel::SendsDataLine(Protocol::Memcached, std::string(command) + " k 0 0 1"));
  }
  EXPECT_FALSE(tamsel::SendsDataLine(Protocol::Memcached, "get k"));
  EXPECT_FALSE(tamsel::SendsDataLine(Protocol::Auto, "set k 0 0 5"));
  EXPECT_FALSE(tamsel::ExpectsReply(Protocol::Memcached, "set k 0 0 5 noreply"));
  EXPECT_TRUE(tamsel::ExpectsReply(Protocol::Memcached, "get noreply"));
  EXPECT_TRUE(tamsel::ExpectsReply(Protocol::Smtp, "X noreply"));

  EXPECT_EQ(tamsel::DotStuffed(".hidden"), "..hidden");
  EXPECT_EQ(tamsel::DotStuffed("."), "..");
  EXPECT_EQ(tamsel::DotStuffed("a.b"), "a.b");
  EXPECT_EQ(tamsel::LeadingNumber("40000 wide"), 40000);
  EXPECT_EQ(tamsel::LeadingNumber("12345678901"), 1234567890);  // at most 10 digits
}

}  // namespace

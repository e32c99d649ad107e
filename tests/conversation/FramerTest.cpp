// Reply framing per protocol, fed as a server sends it: lines, and counted
// values by their byte count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversation/Protocol.h"

namespace {

using conversation::EConversationError;
using conversation::FailureKind;
using conversation::Framing;
using conversation::Need;
using conversation::ReplyFramer;
using Strings = std::vector<std::string>;

struct Framed {
  size_t used = 0;  // bytes of the stream the reply took
  bool complete = false;
  Strings lines;   // the visible lines
  Strings values;  // the counted values, whole
};

// Frames the reply to `command` at the start of `stream`.
Framed Frame(ReplyFramer& framer, const std::string& command, std::string_view stream) {
  framer.Start(command);
  Framed result;
  Need need = Need::Line;
  std::string value;
  while (need != Need::Nothing) {
    if (need == Need::Line) {
      const size_t lineFeed = stream.find('\n', result.used);
      if (lineFeed == std::string_view::npos) break;
      need = framer.Feed(stream.substr(result.used, lineFeed + 1 - result.used));
      result.used = lineFeed + 1;
      if (framer.Visible()) result.lines.push_back(framer.Text());
      continue;
    }
    const size_t count = std::min(framer.Wanted(), stream.size() - result.used);
    if (count == 0 && framer.Wanted() > 0) break;
    const bool last = framer.Wanted() == count;
    value.append(stream.substr(result.used, count));
    result.used += count;
    need = framer.Passed(count);
    if (last) result.values.push_back(std::exchange(value, {}));
  }
  result.complete = need == Need::Nothing;
  return result;
}

std::string Joined(const Strings& lines, size_t count) {
  std::string stream;
  for (size_t i = 0; i < count; ++i) stream += lines[i] + "\r\n";
  return stream;
}

// How many of `lines` (each gets CR LF) the reply took; 0 when it never
// completed or ended inside a line.
size_t LinesTaken(ReplyFramer& framer, const std::string& command, const Strings& lines) {
  const Framed framed = Frame(framer, command, Joined(lines, lines.size()));
  if (!framed.complete) return 0;
  for (size_t i = 1; i <= lines.size(); ++i) {
    if (Joined(lines, i).size() == framed.used) return i;
  }
  return 0;
}

size_t LinesTaken(Framing framing, const std::string& command, const Strings& lines) {
  ReplyFramer framer(framing);
  return LinesTaken(framer, command, lines);
}

// The message of the malformed-reply failure of the reply, "" when none.
std::string MalformedBy(Framing framing, const std::string& command, const std::string& stream) {
  ReplyFramer framer(framing);
  try {
    Frame(framer, command, stream);
  } catch (const EConversationError& error) {
    EXPECT_EQ(error.Kind(), FailureKind::MalformedReply);
    return error.Message();
  }
  return {};
}

TEST(ReplyFramer, NumericRuleEndsAtTheSameCodeAndABlank) {
  // FTP FEAT: the lines between need not start with the code.
  const Strings feat{"211-Features:", " EPRT", " MDTM", "211 End", "200 next"};
  EXPECT_EQ(LinesTaken(Framing::Numeric, "FEAT", feat), 4u);
  EXPECT_EQ(LinesTaken(Framing::Numeric, "STAT", {"211-status", "211-more", "212 other", "211"}),
            4u);
  EXPECT_EQ(LinesTaken(Framing::Numeric, "EHLO x", {"250-a", "250-b", "250 c"}), 3u);
  EXPECT_EQ(LinesTaken(Framing::Numeric, "NOOP", {"250 ok", "250 more"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Numeric, "X", {"+OK no code", "next"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Line, "FEAT", feat), 1u);

  ReplyFramer framer(Framing::Numeric);
  LinesTaken(framer, "FEAT", feat);
  EXPECT_EQ(framer.Number(), 211);
  EXPECT_EQ(framer.NumberText(), "211");
  EXPECT_EQ(framer.First(), "211-Features:");
  EXPECT_EQ(framer.Last(), "211 End");
  EXPECT_EQ(framer.LineCount(), 4u);
  EXPECT_FALSE(framer.IsError());
}

TEST(ReplyFramer, Pop3MultiLineByCommandWithDotUnstuffing) {
  EXPECT_EQ(LinesTaken(Framing::Pop3, "CAPA", {"+OK", "TOP", "UIDL", ".", "+OK x"}), 4u);
  EXPECT_EQ(LinesTaken(Framing::Pop3, "list", {"+OK 2", "1 120", "2 200", "."}), 4u);
  EXPECT_EQ(LinesTaken(Framing::Pop3, "LIST 1", {"+OK 1 120", "."}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Pop3, "RETR 1", {"-ERR no such message", "."}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Pop3, "", {"+OK ready", "."}), 1u);  // greeting

  ReplyFramer framer(Framing::Pop3);
  const Framed top = Frame(framer, "TOP 1 5", "+OK\r\nSubject: x\r\n\r\n..hidden\r\n..\r\n.\r\n");
  EXPECT_EQ(top.lines, (Strings{"+OK", "Subject: x", "", ".hidden", ".", "."}));
  LinesTaken(framer, "DELE 9", {"-ERR no such message"});
  EXPECT_TRUE(framer.IsError());
}

TEST(ReplyFramer, RedisValuesAreCountedNotLines) {
  EXPECT_EQ(LinesTaken(Framing::Redis, "PING", {"+PONG", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "INCR a", {":40000", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "GET a", {"$5", "hello", "x"}), 2u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "GET b", {"$-1", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "GET e", {"$0", "", "x"}), 2u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "KEYS *", {"*2", "$1", "a", "$1", "b", "x"}), 5u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "KEYS *", {"*0", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "BLPOP", {"*-1", "x"}), 1u);
  // Nested: [[1, "a"], nil, [], "b"].
  EXPECT_EQ(LinesTaken(Framing::Redis, "EXEC",
                       {"*4", "*2", ":1", "$1", "a", "$-1", "*0", "$1", "b", "x"}),
            9u);
  EXPECT_EQ(LinesTaken(Framing::Redis, "HGETALL", {"%1", "+k", ":2", "x"}), 3u);
  // Attributes come before the value they describe.
  EXPECT_EQ(LinesTaken(Framing::Redis, "GET a", {"|1", "+ttl", ":3", "+v", "x"}), 4u);

  // A value holds any bytes, line ends and zero bytes included, and is
  // handed on whole, not as lines.
  ReplyFramer framer(Framing::Redis);
  const std::string value("ab\r\ncd\0\n-ERR", 12);
  const Framed framed = Frame(framer, "GET c", "$12\r\n" + value + "\r\n+next\r\n");
  EXPECT_TRUE(framed.complete);
  EXPECT_EQ(framed.values, Strings{value});
  EXPECT_EQ(framed.lines, Strings{"$12"});
  EXPECT_FALSE(framer.IsError());
  LinesTaken(framer, "FOO", {"-ERR unknown command 'FOO'"});
  EXPECT_TRUE(framer.IsError());
}

TEST(ReplyFramer, MalformedRedisRepliesAreNamed) {
  EXPECT_EQ(MalformedBy(Framing::Redis, "GET a", "$-5\r\n"),
            "malformed reply \"$-5\": a negative byte count");
  EXPECT_EQ(MalformedBy(Framing::Redis, "GET a", "$99999999999999999999\r\n"),
            "malformed reply \"$99999999999999999999\": the byte count is not a number");
  EXPECT_EQ(MalformedBy(Framing::Redis, "GET a", "$2147483648\r\n"),
            "malformed reply \"$2147483648\": a value larger than 1 GiB");
  EXPECT_EQ(MalformedBy(Framing::Redis, "GET a", "$x\r\n"),
            "malformed reply \"$x\": the byte count is not a number");
  EXPECT_EQ(MalformedBy(Framing::Redis, "GET a", "$2\r\nabc\r\n"),
            "malformed reply \"c\": a bulk string longer than its byte count");
  EXPECT_EQ(MalformedBy(Framing::Redis, "KEYS *", "*-2\r\n"),
            "malformed reply \"*-2\": a negative element count");
  EXPECT_EQ(MalformedBy(Framing::Redis, "X", "hello\r\n"),
            "malformed reply \"hello\": not a RESP type");
  EXPECT_EQ(MalformedBy(Framing::Redis, "X", "\r\n"),
            "malformed reply \"\": an empty line where a value was due");
  std::string nested;
  for (int i = 0; i < 300; ++i) nested += "*1\r\n";
  EXPECT_EQ(MalformedBy(Framing::Redis, "X", nested),
            "malformed reply \"*1\": aggregates nested too deep");
  EXPECT_EQ(MalformedBy(Framing::Redis, "X", "$-1\r\n"), "");
}

TEST(ReplyFramer, MemcachedValuesRetrievalStatsAndErrors) {
  // The value "END\r\nx" holds an END of its own.
  ReplyFramer framer(Framing::Memcached);
  const Framed framed =
      Frame(framer, "get a b", "VALUE a 0 3\r\none\r\nVALUE b 0 6\r\nEND\r\nx\r\nEND\r\nnext\r\n");
  EXPECT_TRUE(framed.complete);
  EXPECT_EQ(framed.values, (Strings{"one", "END\r\nx"}));
  EXPECT_EQ(framed.lines, (Strings{"VALUE a 0 3", "VALUE b 0 6", "END"}));
  EXPECT_EQ(LinesTaken(Framing::Memcached, "gets a", {"VALUE a 0 1 7", "1", "END"}), 3u);
  EXPECT_EQ(LinesTaken(Framing::Memcached, "get none", {"END", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Memcached, "mg a v", {"VA 2 f0", "hi", "x"}), 2u);
  EXPECT_EQ(LinesTaken(Framing::Memcached, "stats", {"STAT pid 1", "STAT uptime 2", "END"}), 3u);
  EXPECT_EQ(LinesTaken(Framing::Memcached, "stats reset", {"RESET", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Memcached, "set a 0 0 1", {"STORED", "x"}), 1u);
  EXPECT_EQ(LinesTaken(Framing::Memcached, "bogus", {"ERROR", "x"}), 1u);

  for (const char* error : {"ERROR", "CLIENT_ERROR bad data chunk", "SERVER_ERROR out of memory"}) {
    LinesTaken(framer, "set a 0 0 1", {error});
    EXPECT_TRUE(framer.IsError()) << error;
  }
  LinesTaken(framer, "incr a 1", {"32768"});
  EXPECT_FALSE(framer.IsError());
  EXPECT_EQ(framer.Number(), 32768);

  EXPECT_EQ(MalformedBy(Framing::Memcached, "get a", "VALUE a 0 -3\r\n"),
            "malformed reply \"VALUE a 0 -3\": a negative byte count");
  EXPECT_EQ(MalformedBy(Framing::Memcached, "get a", "VALUE a 0 lots\r\n"),
            "malformed reply \"VALUE a 0 lots\": the byte count is not a number");
  EXPECT_EQ(MalformedBy(Framing::Memcached, "get a", "VALUE a 0 1\r\nab\r\nEND\r\n"),
            "malformed reply \"b\": a value longer than its byte count");
}

TEST(ReplyFramer, ImapTaggedUntaggedLiteralsAndContinuations) {
  ReplyFramer framer(Framing::Imap);
  EXPECT_EQ(LinesTaken(framer, "", {"* OK [CAPABILITY IMAP4rev1] ready", "x"}), 1u);
  EXPECT_EQ(framer.Status(), "OK");
  EXPECT_FALSE(framer.IsError());

  const Framed fetch = Frame(framer, "a002 FETCH 1 BODY[]",
                             "* 1 FETCH (BODY[] {11}\r\nhello\r\na002)\r\n"
                             "a001 OK other tag\r\na002 OK Fetch completed.\r\nnext\r\n");
  EXPECT_TRUE(fetch.complete);
  EXPECT_EQ(fetch.values, Strings{"hello\r\na002"});  // a tag inside a literal ends nothing
  EXPECT_EQ(fetch.lines, (Strings{"* 1 FETCH (BODY[] {11}", ")", "a001 OK other tag",
                                  "a002 OK Fetch completed."}));
  EXPECT_EQ(framer.Status(), "OK");
  EXPECT_EQ(framer.Number(), 0);

  EXPECT_EQ(LinesTaken(framer, "a003 APPEND INBOX {5}", {"+ Ready for literal data", "x"}), 1u);
  LinesTaken(framer, "a004 SELECT nowhere", {"a004 NO Mailbox doesn't exist"});
  EXPECT_TRUE(framer.IsError());
  LinesTaken(framer, "a005 BOGUS", {"a005 BAD Error in IMAP command"});
  EXPECT_TRUE(framer.IsError());
  EXPECT_EQ(MalformedBy(Framing::Imap, "a1 FETCH 1 BODY[]", "* 1 FETCH (BODY[] {99999999999})\r\n"),
            "");  // not at the end of the line: no literal
  EXPECT_EQ(MalformedBy(Framing::Imap, "a1 FETCH 1 BODY[]", "* 1 FETCH (BODY[] {99999999999}\r\n"),
            "malformed reply \"* 1 FETCH (BODY[] {99999999999}\": a literal larger than 1 GiB");
}

TEST(ReplyFramer, ErrorRepliesOfTheNumericProtocols) {
  ReplyFramer framer(Framing::Numeric);
  const auto error = [&](const Strings& lines) {
    LinesTaken(framer, "CMD", lines);
    return framer.IsError();
  };
  EXPECT_TRUE(error({"550 no such user"}));
  EXPECT_TRUE(error({"421-going", "421 down"}));
  EXPECT_FALSE(error({"354 go ahead"}));
  EXPECT_FALSE(error({"250 ok"}));
  EXPECT_FALSE(error({"5000 not a code"}));
  EXPECT_FALSE(error({"hello"}));
  LinesTaken(framer, "X", {"12345678901 wide"});
  EXPECT_EQ(framer.NumberText(), "1234567890");  // at most 10 digits
}

TEST(Protocols, OneDescriptionEach) {
  Strings names;
  for (const conversation::Protocol& protocol : conversation::Protocols()) {
    names.push_back(protocol.name);
  }
  EXPECT_EQ(names, (Strings{"auto", "line", "smtp", "ftp", "pop3", "imap", "redis", "memcached"}));
  const conversation::Protocol* imap = conversation::ProtocolNamed("imap");
  ASSERT_NE(imap, nullptr);
  EXPECT_EQ(imap->framing, Framing::Imap);
  EXPECT_EQ(imap->greeting, conversation::Greeting::Required);
  EXPECT_EQ(conversation::ProtocolNamed("gopher"), nullptr);
  Strings upgrades;
  for (const conversation::Protocol* protocol : conversation::StartTlsProtocols()) {
    upgrades.push_back(protocol->name);
  }
  EXPECT_EQ(upgrades, (Strings{"smtp", "ftp", "pop3", "imap"}));
}

TEST(Protocols, CommandsWithData) {
  EXPECT_TRUE(conversation::IsStorageCommand("set k 0 0 5"));
  EXPECT_TRUE(conversation::IsStorageCommand("CAS k 0 0 5 99"));
  EXPECT_FALSE(conversation::IsStorageCommand("get k"));
  EXPECT_FALSE(conversation::ExpectsReply(Framing::Memcached, "set k 0 0 5 noreply"));
  EXPECT_TRUE(conversation::ExpectsReply(Framing::Memcached, "get noreply"));
  EXPECT_TRUE(conversation::ExpectsReply(Framing::Numeric, "X noreply"));
  EXPECT_EQ(conversation::DotStuffed(".hidden"), "..hidden");
  EXPECT_EQ(conversation::DotStuffed("a.b"), "a.b");
  EXPECT_TRUE(conversation::IsUntaggedImapCommand("select INBOX"));
  EXPECT_FALSE(conversation::IsUntaggedImapCommand("t1 SELECT INBOX"));
  EXPECT_TRUE(conversation::Expected({"2xx"}, "250", "250 ok", ""));
  EXPECT_TRUE(conversation::Expected({"OK"}, "", "a001 OK done", "OK"));
  EXPECT_FALSE(conversation::Expected({"2xx", "+OK"}, "550", "550 no", ""));
}

}  // namespace

#include "conversation/Protocol.h"

#include <cctype>
#include <charconv>
#include <optional>

#include "runtime/CharClass.h"
#include "socket/SocketTypes.h"

namespace conversation {

namespace {

// How deep RESP aggregates may nest: far beyond any real reply, and a bound
// on what a hostile server can make the framer hold.
constexpr size_t kMaxNesting = 256;
// The most elements one RESP aggregate may announce.
constexpr int64_t kMaxElements = int64_t{1} << 32;

std::vector<Protocol> MakeProtocols() {
  std::vector<Protocol> all;
  const auto add = [&all](std::string name, std::string display, Greeting greeting,
                          Framing framing) -> Protocol& {
    Protocol& p = all.emplace_back();
    p.name = std::move(name);
    p.displayName = std::move(display);
    p.greeting = greeting;
    p.framing = framing;
    return p;
  };
  add("auto", "Auto", Greeting::Optional, Framing::Numeric).messageData = true;
  add("line", "Line", Greeting::None, Framing::Line);
  Protocol& smtp = add("smtp", "SMTP", Greeting::Required, Framing::Numeric);
  smtp.messageData = true;
  // A client names itself before STARTTLS (and again after it).
  smtp.startTls = {{"EHLO", "250"}, {"STARTTLS", "220"}};
  smtp.login = LoginStyle::Smtp;
  Protocol& ftp = add("ftp", "FTP", Greeting::Required, Framing::Numeric);
  ftp.startTls = {{"AUTH TLS", "234"}};
  ftp.login = LoginStyle::Ftp;
  Protocol& pop3 = add("pop3", "POP3", Greeting::Required, Framing::Pop3);
  pop3.startTls = {{"STLS", "+OK"}};
  pop3.login = LoginStyle::Pop3;
  Protocol& imap = add("imap", "IMAP", Greeting::Required, Framing::Imap);
  imap.startTls = {{"STARTTLS", "OK"}};
  imap.login = LoginStyle::Imap;
  add("redis", "Redis", Greeting::None, Framing::Redis).login = LoginStyle::Redis;
  add("memcached", "memcached", Greeting::None, Framing::Memcached);
  return all;
}

std::string Upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const size_t begin = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > begin) words.push_back(text.substr(begin, i - begin));
  }
  return words;
}

// A whole signed decimal number; nullopt for anything else (also one that
// does not fit 64 bits).
std::optional<int64_t> Count(std::string_view text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string Shown(std::string_view line) {
  constexpr size_t kShown = 40;
  std::string text(line.substr(0, kShown));
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return line.size() > kShown ? text + "..." : text;
}

[[noreturn]] void Malformed(std::string_view line, std::string_view why) {
  throw EConversationError(FailureKind::MalformedReply,
                           "malformed reply \"" + Shown(line) + "\": " + std::string(why));
}

bool IsMemcachedError(std::string_view line) {
  return line == "ERROR" || line.starts_with("ERROR ") || line.starts_with("CLIENT_ERROR") ||
         line.starts_with("SERVER_ERROR");
}

// IMAP: the byte count of a literal that ends the line, "{12}" or "{12+}";
// -1 when the line ends otherwise.
int64_t TrailingLiteral(std::string_view line) {
  if (!line.ends_with('}')) return -1;
  const size_t open = line.rfind('{');
  if (open == std::string_view::npos) return -1;
  std::string_view digits = line.substr(open + 1, line.size() - open - 2);
  if (digits.ends_with('+')) digits.remove_suffix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return -1;
  }
  const std::optional<int64_t> count = digits.size() <= 18 ? Count(digits) : std::nullopt;
  if (!count || *count > kMaxValueBytes) Malformed(line, "a literal larger than 1 GiB");
  return *count;
}

constexpr const char* kImapCommands[] = {
    "CAPABILITY", "NOOP",     "LOGOUT",   "STARTTLS", "AUTHENTICATE", "LOGIN",       "SELECT",
    "EXAMINE",    "CREATE",   "DELETE",   "RENAME",   "SUBSCRIBE",    "UNSUBSCRIBE", "LIST",
    "LSUB",       "STATUS",   "APPEND",   "CHECK",    "CLOSE",        "EXPUNGE",     "SEARCH",
    "FETCH",      "STORE",    "COPY",     "MOVE",     "UID",          "IDLE",        "ENABLE",
    "NAMESPACE",  "ID",       "UNSELECT", "GETQUOTA", "GETQUOTAROOT", "SETQUOTA",    "GETACL",
    "SETACL",     "MYRIGHTS", "COMPRESS", "SORT",     "THREAD",       "NOTIFY",      "GETMETADATA",
    "SETMETADATA"};

}  // namespace

const std::vector<Protocol>& Protocols() {
  static const std::vector<Protocol> all = MakeProtocols();
  return all;
}

const Protocol* ProtocolNamed(std::string_view name) {
  for (const Protocol& protocol : Protocols()) {
    if (protocol.name == name) return &protocol;
  }
  return nullptr;
}

std::vector<const Protocol*> StartTlsProtocols() {
  std::vector<const Protocol*> result;
  for (const Protocol& protocol : Protocols()) {
    if (!protocol.startTls.empty()) result.push_back(&protocol);
  }
  return result;
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

std::string DotStuffed(std::string_view line) {
  if (!line.empty() && line.front() == '.') return "." + std::string(line);
  return std::string(line);
}

bool IsStorageCommand(std::string_view command) {
  const std::vector<std::string_view> words = Words(command);
  if (words.empty()) return false;
  const std::string upper = Upper(words[0]);
  return upper == "SET" || upper == "ADD" || upper == "REPLACE" || upper == "APPEND" ||
         upper == "PREPEND" || upper == "CAS";
}

bool ExpectsReply(Framing framing, std::string_view command) {
  if (framing != Framing::Memcached) return true;
  // "noreply" ends the commands that change data; a key may have the name.
  const std::vector<std::string_view> words = Words(command);
  if (words.size() < 2 || words.back() != "noreply") return true;
  const std::string first = Upper(words[0]);
  return first == "GET" || first == "GETS" || first == "GAT" || first == "GATS" ||
         first == "STATS" || first == "MG";
}

bool IsUntaggedImapCommand(std::string_view command) {
  const std::vector<std::string_view> words = Words(command);
  if (words.empty()) return false;
  const std::string first = Upper(words[0]);
  for (const char* name : kImapCommands) {
    if (first == name) return true;
  }
  return false;
}

std::vector<std::string> ParseCodes(std::string_view text) {
  std::vector<std::string> codes;
  size_t begin = 0;
  while (true) {
    const size_t comma = text.find(',', begin);
    const std::string_view code = text.substr(begin, comma - begin);
    if (code.empty()) return {};
    codes.emplace_back(code);
    if (comma == std::string_view::npos) return codes;
    begin = comma + 1;
  }
}

bool Expected(const std::vector<std::string>& codes, std::string_view numberText,
              std::string_view first, std::string_view status) {
  for (const std::string& code : codes) {
    const bool pattern = code.find_first_not_of("0123456789xX") == std::string::npos;
    if (!pattern) {
      if (first.starts_with(code) || (!status.empty() && status == code)) return true;
      continue;
    }
    if (code.size() != numberText.size()) continue;
    bool matches = true;
    for (size_t i = 0; i < code.size() && matches; ++i) {
      matches = code[i] == 'x' || code[i] == 'X' || code[i] == numberText[i];
    }
    if (matches) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// ReplyFramer

void ReplyFramer::Start(std::string_view command) {
  std::vector<std::string_view> words = Words(command);
  tag_.clear();
  if (framing_ == Framing::Imap && !words.empty()) {
    tag_ = std::string(words.front());
    words.erase(words.begin());
  }
  command_ = words.empty() ? std::string() : Upper(words[0]);
  hasArguments_ = words.size() > 1;
  need_ = Need::Line;
  multiLine_ = false;
  visible_ = false;
  text_.clear();
  first_.clear();
  last_.clear();
  status_.clear();
  lines_ = 0;
  wanted_ = 0;
  afterValue_ = false;
  valueEndsReply_ = false;
  pending_.clear();
}

void ReplyFramer::Keep(std::string_view text) {
  visible_ = true;
  text_.assign(text);
  if (lines_ == 0) first_ = text_;
  last_ = text_;
  ++lines_;
}

Need ReplyFramer::Feed(std::string_view line) {
  if (need_ == Need::Nothing) return need_;
  visible_ = false;
  const bool first = lines_ == 0;
  const std::string_view text = WithoutLineEnd(line);
  switch (framing_) {
    case Framing::Line:
      Keep(text);
      need_ = Need::Nothing;
      break;
    case Framing::Pop3:
      need_ = FeedPop3(text, first);
      break;
    case Framing::Redis:
      need_ = FeedRedis(text);
      break;
    case Framing::Memcached:
      need_ = FeedMemcached(text, first);
      break;
    case Framing::Imap:
      need_ = FeedImap(text, first);
      break;
    case Framing::Numeric:
      Keep(text);
      need_ = FeedNumeric(text);
      break;
  }
  return need_;
}

Need ReplyFramer::Passed(size_t count) {
  if (need_ != Need::Bytes) return need_;
  wanted_ -= std::min(count, wanted_);
  if (wanted_ > 0) return need_;
  afterValue_ = true;
  need_ = Need::Line;
  return need_;
}

// Opens a value of `bytes` announced by `line`.
Need ReplyFramer::Value(int64_t bytes, std::string_view line) {
  if (bytes < 0) Malformed(line, "a negative byte count");
  if (bytes > kMaxValueBytes) Malformed(line, "a value larger than 1 GiB");
  wanted_ = static_cast<size_t>(bytes);
  return Need::Bytes;
}

// A first line "ddd-..." opens a reply that ends at the line that starts with
// the same three digits and a blank (or is just those digits); the lines
// between may hold anything.
Need ReplyFramer::FeedNumeric(std::string_view line) {
  if (lines_ == 1) {
    multiLine_ = line.size() >= 4 && rtl::IsDigit(line[0]) && rtl::IsDigit(line[1]) &&
                 rtl::IsDigit(line[2]) && line[3] == '-';
    return multiLine_ ? Need::Line : Need::Nothing;
  }
  const std::string_view code = std::string_view(first_).substr(0, 3);
  const bool last = line.starts_with(code) && (line.size() == 3 || line[3] == ' ');
  return last ? Need::Nothing : Need::Line;
}

Need ReplyFramer::FeedPop3(std::string_view line, bool first) {
  if (first) {
    Keep(line);
    if (command_.empty() || !line.starts_with("+OK")) return Need::Nothing;
    multiLine_ = command_ == "CAPA" || command_ == "RETR" || command_ == "TOP" ||
                 ((command_ == "LIST" || command_ == "UIDL") && !hasArguments_);
    return multiLine_ ? Need::Line : Need::Nothing;
  }
  if (line == ".") {
    Keep(line);
    return Need::Nothing;
  }
  Keep(line.starts_with("..") ? line.substr(1) : line);
  return Need::Line;
}

Need ReplyFramer::FeedRedis(std::string_view line) {
  if (afterValue_) {
    afterValue_ = false;
    if (!line.empty()) Malformed(line, "a bulk string longer than its byte count");
    return RedisValueDone();
  }
  Keep(line);
  if (line.empty()) Malformed(line, "an empty line where a value was due");
  const char mark = line.front();
  switch (mark) {
    case '$':    // bulk string, "$-1" is null
    case '!':    // bulk error
    case '=': {  // verbatim string
      const std::optional<int64_t> count = Count(line.substr(1));
      if (!count) Malformed(line, "the byte count is not a number");
      if (*count == -1 && mark == '$') return RedisValueDone();
      return Value(*count, line);
    }
    case '*':    // array, "*-1" is null
    case '~':    // set
    case '>':    // push
    case '%':    // map: a key and a value per entry
    case '|': {  // attributes: as a map, then the value they describe
      const std::optional<int64_t> count = Count(line.substr(1));
      if (!count) Malformed(line, "the element count is not a number");
      if (*count == -1 && mark == '*') return RedisValueDone();
      if (*count < 0) Malformed(line, "a negative element count");
      if (*count > kMaxElements) Malformed(line, "more than 2^32 elements");
      if (pending_.size() == kMaxNesting) Malformed(line, "aggregates nested too deep");
      const int64_t elements = mark == '%' || mark == '|' ? *count * 2 : *count;
      if (mark == '|') {
        // The attributes come before the value they belong to, which is one
        // element more of the enclosing level.
        if (!pending_.empty()) ++pending_.back();
        if (elements == 0) return pending_.empty() ? Need::Line : RedisValueDone();
        // At the top the reply is then the attributes and one value.
        pending_.push_back(elements);
        if (pending_.size() == 1) pending_.insert(pending_.begin(), 2);
        return Need::Line;
      }
      if (elements == 0) return RedisValueDone();
      pending_.push_back(elements);
      return Need::Line;
    }
    case '+':
    case '-':
    case ':':
    case '_':
    case ',':
    case '#':
    case '(':
      return RedisValueDone();
    default:
      Malformed(line, "not a RESP type");
  }
}

// One value is complete: it closes every aggregate whose last element it was.
Need ReplyFramer::RedisValueDone() {
  while (!pending_.empty()) {
    if (--pending_.back() > 0) return Need::Line;
    pending_.pop_back();
  }
  return Need::Nothing;
}

Need ReplyFramer::FeedMemcached(std::string_view line, bool first) {
  if (afterValue_) {
    afterValue_ = false;
    if (!line.empty()) Malformed(line, "a value longer than its byte count");
    return valueEndsReply_ ? Need::Nothing : Need::Line;
  }
  Keep(line);
  if (IsMemcachedError(line) || line == "END") return Need::Nothing;
  const bool retrieval =
      command_ == "GET" || command_ == "GETS" || command_ == "GAT" || command_ == "GATS";
  if (retrieval || command_ == "MG") {
    // "VALUE key flags bytes [cas]", or the meta get's "VA bytes ...".
    const std::vector<std::string_view> words = Words(line);
    std::string_view count;
    if (words.size() >= 4 && words[0] == "VALUE") count = words[3];
    if (words.size() >= 2 && words[0] == "VA") count = words[1];
    if (!count.empty()) {
      const std::optional<int64_t> bytes = Count(count);
      if (!bytes) Malformed(line, "the byte count is not a number");
      valueEndsReply_ = command_ == "MG";
      return Value(*bytes, line);
    }
    if (retrieval && line.starts_with("VALUE")) Malformed(line, "a value line without its count");
    return retrieval ? Need::Line : Need::Nothing;
  }
  if (command_ == "STATS") {
    return first && (line == "RESET" || line == "OK") ? Need::Nothing : Need::Line;
  }
  return Need::Nothing;
}

Need ReplyFramer::FeedImap(std::string_view line, bool first) {
  const bool continued = afterValue_;  // the rest of a line after a literal
  afterValue_ = false;
  Keep(line);
  if (const int64_t literal = TrailingLiteral(line); literal >= 0) return Value(literal, line);
  if (continued) return Need::Line;
  if (command_.empty() && first) {  // the greeting: "* OK", "* PREAUTH" or "* BYE"
    const std::vector<std::string_view> words = Words(line);
    status_ = words.size() >= 2 ? Upper(words[1]) : std::string();
    return Need::Nothing;
  }
  if (line.starts_with("+")) return Need::Nothing;  // the server waits for the client
  if (line.starts_with("* ") || line == "*") return Need::Line;
  if (!tag_.empty() && line.starts_with(tag_ + " ")) {
    const std::vector<std::string_view> words = Words(line);
    status_ = words.size() >= 2 ? Upper(words[1]) : std::string();
    return Need::Nothing;
  }
  return Need::Line;  // some other tag's line: the reply goes on
}

int64_t ReplyFramer::Number() const {
  const std::string digits = NumberText();
  int64_t value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

std::string ReplyFramer::NumberText() const {
  if (framing_ == Framing::Imap) return {};
  const std::string& line =
      framing_ == Framing::Numeric || framing_ == Framing::Line ? last_ : first_;
  return std::string(Psock::LeadingDigits(line));
}

bool ReplyFramer::IsError() const {
  if (lines_ == 0) return false;
  switch (framing_) {
    case Framing::Pop3:
      return first_.starts_with("-ERR");
    case Framing::Redis:
      return first_.starts_with("-") || first_.starts_with("!");
    case Framing::Memcached:
      // Value lines between may hold anything; an error ends the reply.
      return IsMemcachedError(first_) || IsMemcachedError(last_);
    case Framing::Imap:
      return status_ == "NO" || status_ == "BAD" || status_ == "BYE";
    case Framing::Numeric:
    case Framing::Line: {
      const std::string code = NumberText();
      const bool failureCode = code.size() == 3 && (code[0] == '4' || code[0] == '5');
      return failureCode || first_.starts_with("-ERR");
    }
  }
  return false;
}

}  // namespace conversation

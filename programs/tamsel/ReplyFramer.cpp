#include "programs/tamsel/ReplyFramer.h"

#include <cctype>
#include <charconv>

namespace tamsel {

namespace {

constexpr const char* kNames[] = {"auto", "line", "smtp", "ftp", "pop3", "redis", "memcached"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view WithoutEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string Upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const size_t begin = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i > begin) words.push_back(text.substr(begin, i - begin));
  }
  return words;
}

// The signed number after a one-character type mark ("$5", "*-1"); nullopt
// when the rest is not a number.
std::optional<int64_t> CountAfterMark(std::string_view line) {
  int64_t value = 0;
  const char* begin = line.data() + 1;
  const char* end = line.data() + line.size();
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (line.size() < 2 || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool IsMemcachedError(std::string_view line) {
  return line == "ERROR" || StartsWith(line, "ERROR ") || StartsWith(line, "CLIENT_ERROR") ||
         StartsWith(line, "SERVER_ERROR");
}

bool IsStorageCommand(std::string_view word) {
  const std::string upper = Upper(word);
  return upper == "SET" || upper == "ADD" || upper == "REPLACE" || upper == "APPEND" ||
         upper == "PREPEND" || upper == "CAS";
}

// The byte count of a memcached value line: "VALUE key flags bytes [cas]"
// or the meta command's "VA bytes ...".
std::optional<int64_t> MemcachedValueBytes(std::string_view line) {
  const std::vector<std::string_view> words = Words(line);
  std::string_view count;
  if (words.size() >= 4 && words[0] == "VALUE") count = words[3];
  if (words.size() >= 2 && words[0] == "VA") count = words[1];
  int64_t value = 0;
  const auto [stop, error] = std::from_chars(count.data(), count.data() + count.size(), value);
  if (count.empty() || error != std::errc() || stop != count.data() + count.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<Protocol> ProtocolNamed(std::string_view name) {
  for (size_t i = 0; i < std::size(kNames); ++i) {
    if (name == kNames[i]) return static_cast<Protocol>(i);
  }
  return std::nullopt;
}

const char* NameOf(Protocol protocol) { return kNames[static_cast<size_t>(protocol)]; }

std::vector<std::string> ProtocolNames() { return {std::begin(kNames), std::end(kNames)}; }

bool HasGreeting(Protocol protocol) {
  return protocol == Protocol::Smtp || protocol == Protocol::Ftp || protocol == Protocol::Pop3;
}

bool SendsDataLine(Protocol protocol, std::string_view command) {
  if (protocol != Protocol::Memcached) return false;
  const std::vector<std::string_view> words = Words(command);
  return !words.empty() && IsStorageCommand(words[0]);
}

bool ExpectsReply(Protocol protocol, std::string_view command) {
  if (protocol != Protocol::Memcached) return true;
  // "noreply" ends the commands that change data; a key may have the name.
  const std::vector<std::string_view> words = Words(command);
  if (words.size() < 2 || words.back() != "noreply") return true;
  const std::string first = Upper(words[0]);
  return first == "GET" || first == "GETS" || first == "GAT" || first == "GATS" ||
         first == "STATS" || first == "MG";
}

std::string DotStuffed(std::string_view line) {
  if (!line.empty() && line.front() == '.') return "." + std::string(line);
  return std::string(line);
}

int64_t LeadingNumber(std::string_view line) {
  int64_t value = 0;
  for (size_t i = 0; i < line.size() && i < 10 && IsDigit(line[i]); ++i) {
    value = value * 10 + (line[i] - '0');
  }
  return value;
}

void ReplyFramer::Start(std::string_view command) {
  const std::vector<std::string_view> words = Words(command);
  command_ = words.empty() ? std::string() : Upper(words[0]);
  hasArguments_ = words.size() > 1;
  lines_.clear();
  complete_ = false;
  multiLine_ = false;
  blockRemaining_ = -1;
  pending_.clear();
}

bool ReplyFramer::Feed(std::string_view line) {
  if (complete_) return true;
  const bool first = lines_.empty();
  const std::string_view text = WithoutEnd(line);
  switch (protocol_) {
    case Protocol::Line:
      lines_.emplace_back(text);
      complete_ = true;
      break;
    case Protocol::Pop3:
      complete_ = FeedPop3(text, first);
      break;
    case Protocol::Redis:
      lines_.emplace_back(text);
      complete_ = FeedRedis(line);
      break;
    case Protocol::Memcached:
      lines_.emplace_back(text);
      complete_ = FeedMemcached(line, first);
      break;
    default:
      lines_.emplace_back(text);
      complete_ = FeedNumeric(text);
      break;
  }
  return complete_;
}

// A first line "ddd-..." opens a reply that ends at the line that starts with
// the same three digits and a blank (or is just those digits); the lines
// between may hold anything.
bool ReplyFramer::FeedNumeric(std::string_view line) {
  const std::string_view code = std::string_view(lines_.front()).substr(0, 3);
  if (lines_.size() == 1) {
    multiLine_ = line.size() >= 4 && IsDigit(line[0]) && IsDigit(line[1]) && IsDigit(line[2]) &&
                 line[3] == '-';
    return !multiLine_;
  }
  return StartsWith(line, code) && (line.size() == 3 || line[3] == ' ');
}

bool ReplyFramer::FeedPop3(std::string_view line, bool first) {
  if (first) {
    lines_.emplace_back(line);
    if (command_.empty() || !StartsWith(line, "+OK")) return true;
    multiLine_ = command_ == "CAPA" || command_ == "RETR" || command_ == "TOP" ||
                 ((command_ == "LIST" || command_ == "UIDL") && !hasArguments_);
    return !multiLine_;
  }
  if (line == ".") {
    lines_.emplace_back(line);
    return true;
  }
  lines_.emplace_back(StartsWith(line, "..") ? line.substr(1) : line);
  return false;
}

bool ReplyFramer::FeedRedis(std::string_view line) {
  if (blockRemaining_ >= 0) {
    blockRemaining_ -= static_cast<int64_t>(line.size());
    if (blockRemaining_ > 0) return false;
    blockRemaining_ = -1;
    return RedisValueDone();
  }
  const std::string_view text = WithoutEnd(line);
  const char mark = text.empty() ? '\0' : text.front();
  const std::optional<int64_t> count = CountAfterMark(text);
  switch (mark) {
    case '$':  // bulk string, "$-1" is null
    case '!':  // bulk error
    case '=':  // verbatim string
      if (!count || *count < 0) return RedisValueDone();
      blockRemaining_ = *count + 2;  // the bytes and CR LF
      return false;
    case '*':  // array, "*-1" is null
    case '~':  // set
    case '>':  // push
    case '%':  // map: a key and a value per entry
      if (!count || *count <= 0) return RedisValueDone();
      pending_.push_back(mark == '%' ? *count * 2 : *count);
      return false;
    default:  // +simple, -error, :integer and the other one-line types
      return RedisValueDone();
  }
}

// One value is complete: it closes every array whose last element it was.
bool ReplyFramer::RedisValueDone() {
  while (!pending_.empty()) {
    if (--pending_.back() > 0) return false;
    pending_.pop_back();
  }
  return true;
}

bool ReplyFramer::FeedMemcached(std::string_view line, bool first) {
  if (blockRemaining_ >= 0) {
    blockRemaining_ -= static_cast<int64_t>(line.size());
    if (blockRemaining_ > 0) return false;
    blockRemaining_ = -1;
    return command_ == "MG";  // a meta get's value ends its reply
  }
  const std::string_view text = WithoutEnd(line);
  if (IsMemcachedError(text) || text == "END") return true;
  const bool retrieval =
      command_ == "GET" || command_ == "GETS" || command_ == "GAT" || command_ == "GATS";
  if (retrieval || command_ == "MG") {
    if (const std::optional<int64_t> bytes = MemcachedValueBytes(text)) {
      blockRemaining_ = *bytes + 2;
      return false;
    }
    return !retrieval;
  }
  if (command_ == "STATS") return first && (text == "RESET" || text == "OK");
  return true;
}

bool ReplyFramer::NumericProtocol() const {
  return protocol_ == Protocol::Auto || protocol_ == Protocol::Line ||
         protocol_ == Protocol::Smtp || protocol_ == Protocol::Ftp;
}

int64_t ReplyFramer::Number() const {
  if (lines_.empty()) return 0;
  return LeadingNumber(NumericProtocol() ? lines_.back() : lines_.front());
}

std::string ReplyFramer::NumberText() const {
  if (lines_.empty()) return {};
  const std::string& line = NumericProtocol() ? lines_.back() : lines_.front();
  size_t digits = 0;
  while (digits < line.size() && digits < 10 && IsDigit(line[digits])) ++digits;
  return line.substr(0, digits);
}

bool ReplyFramer::IsError() const {
  if (lines_.empty()) return false;
  const std::string& first = lines_.front();
  switch (protocol_) {
    case Protocol::Pop3:
      return StartsWith(first, "-ERR");
    case Protocol::Redis:
      return StartsWith(first, "-") || StartsWith(first, "!");
    case Protocol::Memcached:
      // Value lines between may hold anything; an error ends the reply.
      return IsMemcachedError(first) || IsMemcachedError(lines_.back());
    default: {
      const std::string code = NumberText();
      const bool failureCode = code.size() == 3 && (code[0] == '4' || code[0] == '5');
      return failureCode || StartsWith(first, "-ERR");
    }
  }
}

bool ReplyFramer::StartsData() const {
  return (protocol_ == Protocol::Smtp || protocol_ == Protocol::Auto) && NumberText() == "354";
}

}  // namespace tamsel

#include "programs/quillon/Phrasing.h"

#include <utility>

#include "runtime/CharClass.h"

namespace quillon {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
using rtl::IsDigit;
using rtl::IsHexDigit;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A unit may begin with a letter, a degree sign or a micro sign (UTF-8 or
// Latin-1).
bool StartsUnit(std::string_view text) {
  if (text.empty()) return false;
  if (IsLetter(text[0])) return true;
  const auto byte = static_cast<unsigned char>(text[0]);
  if (byte == 0xB0 || byte == 0xB5) return true;
  return byte == 0xC2 && text.size() > 1 &&
         (static_cast<unsigned char>(text[1]) == 0xB0 ||
          static_cast<unsigned char>(text[1]) == 0xB5);
}

// Ends an amount: a digit, a decimal point (either separator) or ")".
bool EndsAmount(char c) { return IsDigit(c) || c == '.' || c == ',' || c == ')'; }

// Where the unit starts in a word that glues an amount to it ("5km" -> 1),
// or npos.
size_t GluedUnitStart(std::string_view word) {
  for (size_t i = 1; i < word.size(); ++i) {
    if (word[i - 1] == '$') {  // a hexadecimal number: its digits are letters too
      const size_t digits = i;
      while (i < word.size() && IsHexDigit(word[i])) ++i;
      if (i > digits && StartsUnit(word.substr(i))) return i;
      continue;
    }
    if (!EndsAmount(word[i - 1]) || !StartsUnit(word.substr(i))) continue;
    const bool exponent = (word[i] == 'e' || word[i] == 'E') && i + 1 < word.size() &&
                          (IsDigit(word[i + 1]) || word[i + 1] == '+' || word[i + 1] == '-');
    if (!exponent) return i;
  }
  return std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

bool IsJoiningWord(std::string_view word) {
  return word == "in" || word == "to" || word == "into" || word == "->";
}

std::optional<ConversionRequest> ParseConversionLine(std::string_view line) {
  // The words with where each starts.
  std::vector<std::pair<size_t, std::string_view>> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.emplace_back(start, line.substr(start, i - start));
  }
  const size_t n = words.size();
  if (n < 3 || !IsJoiningWord(words[n - 2].second)) return std::nullopt;

  const auto [fromStart, fromWord] = words[n - 3];
  const std::string to(words[n - 1].second);
  const size_t glued = GluedUnitStart(fromWord);
  if (glued != std::string_view::npos) {
    const std::string_view amount = Trimmed(line.substr(0, fromStart + glued));
    return ConversionRequest{std::string(amount), std::string(fromWord.substr(glued)), to};
  }
  const std::string_view amount = Trimmed(line.substr(0, fromStart));
  if (amount.empty()) return std::nullopt;
  return ConversionRequest{std::string(amount), std::string(fromWord), to};
}

std::vector<std::string> EntriesOfArguments(const std::vector<std::string>& arguments) {
  bool joined = false;
  for (size_t i = 1; i + 1 < arguments.size(); ++i) joined = joined || IsJoiningWord(arguments[i]);
  if (!joined) return arguments;
  std::string entry;
  for (const std::string& argument : arguments) {
    if (!entry.empty()) entry += ' ';
    entry += argument;
  }
  return {entry};
}

}  // namespace quillon

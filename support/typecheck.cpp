#include "support/typecheck.h"

#include <cstdint>
#include <string_view>

#include "runtime/CharClass.h"
#include "runtime/rtl.h"

namespace typecheck {

namespace {

void SkipBlanks(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
}

}  // namespace

bool IsInteger(const std::string& text) {
  std::string_view rest(text);
  SkipBlanks(rest);
  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  int base = 10;
  for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (rest.starts_with(prefix)) {
      base = 16;
      rest.remove_prefix(prefix.size());
      break;
    }
  }
  if (rest.empty()) return false;

  // The magnitude may reach 2^31 for a negative number, 2^31 - 1 otherwise.
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  uint64_t magnitude = 0;
  for (char c : rest) {
    const int digit = base == 16 ? rtl::HexDigitValue(c) : (rtl::IsDigit(c) ? c - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  return true;
}

bool IsFloat(const std::string& text) {
  std::string_view rest(text);
  SkipBlanks(rest);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  // A value too large for 80 bits is refused; one too small reads as zero
  // (or a denormal), as underflow is silent everywhere else.
  return rtl::ReadStandardDecimal(rest).has_value();
}

std::string DottedField(int32_t index, const std::string& text) {
  std::string rest = text;
  std::string field;
  // One cut: `field` is what lies before the first dot of `rest` (empty
  // without a dot), and `rest` loses everything up to and with that dot (and
  // stays whole without one).
  auto cut = [&] {
    const size_t dot = rest.find('.');
    if (dot == std::string::npos) {
      field.clear();
    } else {
      field = rest.substr(0, dot);
      rest.erase(0, dot + 1);
    }
  };
  cut();
  if (index == 1) return field;
  cut();
  if (index == 2) return field;
  cut();
  if (index == 3) return field;
  return rest;
}

}  // namespace typecheck

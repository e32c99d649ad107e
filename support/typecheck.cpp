#include "support/typecheck.h"

#include <locale.h>
#include <stdlib.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "runtime/rtl.h"

namespace typecheck {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void SkipBlanks(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
}

// Appends the digits of `text` from `i` on to `out`, moving `i` past them.
// Returns how many there were.
size_t CopyDigits(std::string_view text, size_t& i, std::string& out) {
  const size_t first = i;
  while (i < text.size() && IsDigit(text[i])) out += text[i++];
  return i - first;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The "C" locale, for strtold_l: reading a number whose separator has already
// been replaced by "." must not depend on the C library's current locale
// (a Qt program sets it from the user's settings). strtold_l is the glibc
// (and POSIX 2024) locale-explicit form of strtold.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c;
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
    if (StartsWith(rest, prefix)) {
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
    const int digit = base == 16 ? HexValue(c) : (IsDigit(c) ? c - '0' : -1);
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

  // Checks the form and copies it with "." as the separator for strtold_l,
  // which reads the same form whatever the C library's locale is.
  std::string plain;
  size_t i = 0;
  if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) plain += rest[i++];
  size_t mantissaDigits = CopyDigits(rest, i, plain);
  if (i < rest.size() && rest[i] == rtl::DecimalSeparator()) {
    plain += '.';
    ++i;
    mantissaDigits += CopyDigits(rest, i, plain);
  }
  if (mantissaDigits == 0) return false;
  if (i < rest.size() && (rest[i] == 'E' || rest[i] == 'e')) {
    plain += 'e';
    ++i;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) {
      plain += rest[i++];
    }
    if (CopyDigits(rest, i, plain) == 0) return false;
  }
  if (i != rest.size()) return false;

  // The form is right; what remains is the range. A value too large for
  // 80 bits is refused; one too small reads as zero (or a denormal), as
  // underflow is silent everywhere else.
  const locale_t c = CLocale();
  if (c == locale_t{}) return false;  // no "C" locale: nothing can be read safely
  errno = 0;
  char* end = nullptr;
  const rtl::Extended value = strtold_l(plain.c_str(), &end, c);
  if (end != plain.c_str() + plain.size()) return false;
  return !(errno == ERANGE && std::isinf(value));
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

#include "runtime/NumberText.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace rtl {

namespace {

char g_decimalSeparator = '.';

constexpr int kSignificantDigits = 18;

// Writes `digits` (no leading or trailing zeros) as 0.d1d2...dn x 10^exponent
// in the fixed or scientific layout.
std::string LayOut(bool negative, std::string_view digits, int exponent) {
  std::string text;
  text.reserve(32);
  if (negative) text += '-';
  const int count = static_cast<int>(digits.size());
  if (exponent >= -3 && exponent <= kSignificantDigits) {
    if (exponent <= 0) {
      text += '0';
      text += g_decimalSeparator;
      text.append(static_cast<size_t>(-exponent), '0');
      text += digits;
    } else if (count <= exponent) {
      text += digits;
      text.append(static_cast<size_t>(exponent - count), '0');
    } else {
      text += digits.substr(0, static_cast<size_t>(exponent));
      text += g_decimalSeparator;
      text += digits.substr(static_cast<size_t>(exponent));
    }
    return text;
  }
  text += digits[0];
  if (count > 1) {
    text += g_decimalSeparator;
    text += digits.substr(1);
  }
  text += 'E';
  text += std::to_string(exponent - 1);
  return text;
}

}  // namespace

std::string FormatGeneral(Extended value) {
  if (std::isnan(value)) return std::signbit(value) ? "-NAN" : "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // Fast path: whole numbers below 10^18 are their own 18-digit text.
  if (std::fabs(value) < 1e18L && value == std::trunc(value)) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(value)).ptr;
    return std::string(buffer, end);
  }

  // "-d.ddddddddddddddddde+XXXX": correctly rounded to 18 significant digits.
  char buffer[48];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                              kSignificantDigits - 1);
  std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));
  const bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);

  const size_t e = sci.find('e');
  char digits[kSignificantDigits];
  size_t count = 0;
  for (char c : sci.substr(0, e)) {
    if (c != '.') digits[count++] = c;
  }
  while (count > 1 && digits[count - 1] == '0') --count;

  int exponent10 = 0;
  std::string_view exponentText = sci.substr(e + 1);
  if (exponentText.front() == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent10);

  return LayOut(negative, std::string_view(digits, count), exponent10 + 1);
}

char DecimalSeparator() { return g_decimalSeparator; }

void SetDecimalSeparator(char separator) { g_decimalSeparator = separator; }

void LoadDecimalSeparatorFromLocale() {
  locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (user == static_cast<locale_t>(nullptr)) return;  // unknown locale: keep the current one
  const char* radix = nl_langinfo_l(RADIXCHAR, user);
  // A separator of more than one byte cannot stand in a byte string; keep ".".
  if (radix != nullptr && std::strlen(radix) == 1) g_decimalSeparator = radix[0];
  freelocale(user);
}

}  // namespace rtl

#include "runtime/NumberText.h"

#include <langinfo.h>
#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/CharClass.h"

namespace rtl {

namespace {

char g_decimalSeparator = '.';

constexpr int kSignificantDigits = 18;

// ---------------------------------------------------------------------------
// Exact scaling and the C library's conversion

// 10^0 .. 10^27 are exact in the extended format (5^27 < 2^64). The product or
// quotient of an exact integer below 2^64 and one of them is a single
// correctly rounded operation, hence the nearest extended value.
constexpr int kLargestExactPower = 27;
constexpr Extended kPowersOfTen[kLargestExactPower + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr int kMaxFastDigits = 19;  // below 10^19 < 2^64

// significand * 10^exponent when both operands are exact; nothing otherwise.
std::optional<Extended> ScaleExactly(uint64_t significand, int64_t exponent) {
  if (exponent < -kLargestExactPower || exponent > kLargestExactPower) return std::nullopt;
  const Extended value = static_cast<Extended>(significand);
  return exponent >= 0 ? value * kPowersOfTen[exponent] : value / kPowersOfTen[-exponent];
}

// The C library's conversion in the "C" locale, whatever locale the program
// has set (Qt applications set the user's): correctly rounded, any length.
// strtold_l is the glibc (and POSIX 2024) locale-explicit form of strtold.
Extended StringToExtendedInCLocale(const char* text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtold_l(text, nullptr, cLocale);
}

// The digits of a number written with a separator: the integer digits and the
// fraction digits, seen as one sequence.
class DigitSequence {
 public:
  DigitSequence(std::string_view integer, std::string_view fraction)
      : integer_(integer), fraction_(fraction) {}

  int64_t size() const { return static_cast<int64_t>(integer_.size() + fraction_.size()); }
  char operator[](int64_t k) const {
    const auto index = static_cast<size_t>(k);
    return index < integer_.size() ? integer_[index] : fraction_[index - integer_.size()];
  }

 private:
  std::string_view integer_;
  std::string_view fraction_;
};

// The nearest extended value to digits * 10^exponent; nothing on overflow.
std::optional<Extended> ConvertDigits(bool negative, const DigitSequence& digits,
                                      int64_t exponent) {
  int64_t first = 0;
  while (first < digits.size() && digits[first] == '0') ++first;
  if (first == digits.size()) return negative ? -0.0L : 0.0L;
  int64_t last = digits.size() - 1;
  while (digits[last] == '0') --last;
  exponent += digits.size() - 1 - last;  // the trailing zeros move into the exponent

  if (last - first + 1 <= kMaxFastDigits) {
    uint64_t significand = 0;
    for (int64_t k = first; k <= last; ++k) {
      significand = significand * 10 + static_cast<uint64_t>(digits[k] - '0');
    }
    if (auto value = ScaleExactly(significand, exponent)) return negative ? -*value : *value;
  }

  std::string text;
  text.reserve(static_cast<size_t>(last - first) + 24);
  if (negative) text += '-';
  for (int64_t k = first; k <= last; ++k) text += digits[k];
  text += 'e';
  text += std::to_string(exponent);
  const Extended value = StringToExtendedInCLocale(text.c_str());
  if (std::isinf(value)) return std::nullopt;
  return value;
}

// ---------------------------------------------------------------------------
// The 18 significant digits

// Whole numbers below 10^18 are their own 18-digit text.
bool IsShortWhole(Extended value) { return std::fabs(value) < 1e18L && value == std::trunc(value); }

// A finite, non-zero value rounded to 18 significant digits d1 d2 ... dn
// (trailing zeros dropped): value = d1.d2...dn x 10^exponent.
struct GeneralDigits {
  bool negative = false;
  char digits[kSignificantDigits] = {};
  size_t count = 0;
  int exponent = 0;

  std::string_view View() const { return std::string_view(digits, count); }
};

GeneralDigits Decompose(Extended value) {
  // "-d.ddddddddddddddddde+XXXX": correctly rounded to 18 significant digits.
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));
  GeneralDigits general;
  general.negative = sci.front() == '-';
  if (general.negative) sci.remove_prefix(1);

  const size_t e = sci.find('e');
  for (char c : sci.substr(0, e)) {
    if (c != '.') general.digits[general.count++] = c;
  }
  while (general.count > 1 && general.digits[general.count - 1] == '0') --general.count;

  std::string_view exponentText = sci.substr(e + 1);
  if (exponentText.front() == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), general.exponent);
  return general;
}

// Writes `digits` (no leading or trailing zeros) as 0.d1d2...dn x 10^exponent
// in the fixed or scientific layout.
std::string LayOut(bool negative, std::string_view digits, int exponent, char separator) {
  std::string text;
  text.reserve(32);
  if (negative) text += '-';
  const int count = static_cast<int>(digits.size());
  if (exponent >= -3 && exponent <= kSignificantDigits) {
    if (exponent <= 0) {
      text += '0';
      text += separator;
      text.append(static_cast<size_t>(-exponent), '0');
      text += digits;
    } else if (count <= exponent) {
      text += digits;
      text.append(static_cast<size_t>(exponent - count), '0');
    } else {
      text += digits.substr(0, static_cast<size_t>(exponent));
      text += separator;
      text += digits.substr(static_cast<size_t>(exponent));
    }
    return text;
  }
  text += digits[0];
  if (count > 1) {
    text += separator;
    text += digits.substr(1);
  }
  text += 'E';
  text += std::to_string(exponent - 1);
  return text;
}

// ---------------------------------------------------------------------------
// Decimal reading

enum class DecimalSyntax {
  kEntry,     // a lone separator is a number; exponent digits optional, read below 500
  kStandard,  // a digit is needed; an exponent letter needs digits, all are read
};

constexpr int64_t kEntryExponentLimit = 500;
// Standard exponents saturate here, far beyond any overflow or underflow, yet
// with room for the digit count that is added to them.
constexpr int64_t kExponentSaturation = 1'000'000'000'000'000;

std::optional<Extended> ReadDecimalText(std::string_view text, char separator,
                                        DecimalSyntax syntax) {
  size_t i = 0;
  const size_t n = text.size();
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  const size_t integerStart = i;
  while (i < n && IsDigit(text[i])) ++i;
  const std::string_view integer = text.substr(integerStart, i - integerStart);

  std::string_view fraction;
  bool hasSeparator = false;
  if (i < n && text[i] == separator) {
    hasSeparator = true;
    const size_t fractionStart = ++i;
    while (i < n && IsDigit(text[i])) ++i;
    fraction = text.substr(fractionStart, i - fractionStart);
  }
  const bool anyDigit = !integer.empty() || !fraction.empty();
  if (!anyDigit && (syntax == DecimalSyntax::kStandard || !hasSeparator)) return std::nullopt;

  int64_t exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    const size_t exponentStart = i;
    if (syntax == DecimalSyntax::kEntry) {
      while (i < n && IsDigit(text[i]) && exponent < kEntryExponentLimit) {
        exponent = exponent * 10 + (text[i++] - '0');
      }
    } else {
      while (i < n && IsDigit(text[i])) {
        exponent = std::min(exponent * 10 + (text[i++] - '0'), kExponentSaturation);
      }
      if (i == exponentStart) return std::nullopt;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != n) return std::nullopt;

  return ConvertDigits(negative, DigitSequence(integer, fraction),
                       exponent - static_cast<int64_t>(fraction.size()));
}

}  // namespace

// ---------------------------------------------------------------------------
// The separator

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

// ---------------------------------------------------------------------------
// The general number text

std::string FormatGeneral(Extended value, char separator) {
  if (std::isnan(value)) return std::signbit(value) ? "-NAN" : "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  if (IsShortWhole(value)) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(value)).ptr;
    return std::string(buffer, end);
  }
  const GeneralDigits general = Decompose(value);
  return LayOut(general.negative, general.View(), general.exponent + 1, separator);
}

std::optional<Extended> ReadBackGeneral(Extended value) {
  if (value == 0) return 0.0L;  // "0", which reads as +0 even for -0
  if (IsShortWhole(value)) return value;
  const GeneralDigits general = Decompose(value);
  return ConvertDigits(general.negative, DigitSequence(general.View(), {}),
                       general.exponent - static_cast<int64_t>(general.count - 1));
}

// ---------------------------------------------------------------------------
// Reading and writing

std::optional<Extended> ReadDecimal(std::string_view text, char separator) {
  return ReadDecimalText(text, separator, DecimalSyntax::kEntry);
}

std::optional<Extended> ReadStandardDecimal(std::string_view text, char separator) {
  return ReadDecimalText(text, separator, DecimalSyntax::kStandard);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<Extended> ReadHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  uint32_t value = 0;
  int significant = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    if (significant > 0 || digit != 0) {
      if (++significant > 8) return std::nullopt;
      value = value << 4 | static_cast<uint32_t>(digit);
    }
  }
  return static_cast<Extended>(static_cast<int32_t>(value));
}

std::string FormatHex(int64_t value) {
  char digits[24];
  if (value < 0) {
    std::snprintf(digits, sizeof digits, "$%016" PRIX64, static_cast<uint64_t>(value));
  } else {
    std::snprintf(digits, sizeof digits, "$%04" PRIX64, static_cast<uint64_t>(value));
  }
  return digits;
}

}  // namespace rtl

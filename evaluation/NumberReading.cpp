#include "evaluation/NumberReading.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace PMisc::detail {

namespace {

using rtl::Extended;

// 10^0 .. 10^27 are exact in the extended format (5^27 < 2^64). The product or
// quotient of an exact integer below 2^64 and one of them is a single
// correctly rounded operation, hence the nearest extended value.
constexpr int kLargestExactPower = 27;
constexpr Extended kPowersOfTen[kLargestExactPower + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr int kMaxFastDigits = 19;  // below 10^19 < 2^64
constexpr int kExponentDigitLimit = 500;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The C library's conversion in the "C" locale, whatever locale the program
// has set (Qt applications set the user's): correctly rounded, any length.
Extended StringToExtendedInCLocale(const char* text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtold_l(text, nullptr, cLocale);
}

// significand * 10^exponent when both operands are exact; nothing otherwise.
std::optional<Extended> ScaleExactly(uint64_t significand, int64_t exponent) {
  if (exponent < -kLargestExactPower || exponent > kLargestExactPower) return std::nullopt;
  const Extended value = static_cast<Extended>(significand);
  return exponent >= 0 ? value * kPowersOfTen[exponent] : value / kPowersOfTen[-exponent];
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

}  // namespace

std::optional<Extended> ReadDecimal(std::string_view text, char separator) {
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
  if (integer.empty() && fraction.empty() && !hasSeparator) return std::nullopt;

  int64_t exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    while (i < n && IsDigit(text[i]) && exponent < kExponentDigitLimit) {
      exponent = exponent * 10 + (text[i++] - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != n) return std::nullopt;

  return ConvertDigits(negative, DigitSequence(integer, fraction),
                       exponent - static_cast<int64_t>(fraction.size()));
}

std::optional<Extended> ReadHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  uint32_t value = 0;
  int significant = 0;
  for (char c : digits) {
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    if (significant > 0 || digit != 0) {
      if (++significant > 8) return std::nullopt;
      value = value << 4 | digit;
    }
  }
  return static_cast<Extended>(static_cast<int32_t>(value));
}

std::optional<Extended> ReadBackGeneral(Extended value) {
  if (value == 0) return 0.0L;  // "0", which reads as +0 even for -0
  // Whole numbers below 10^18 are written with all their digits.
  if (std::fabs(value) < 1e18L && value == std::trunc(value)) return value;

  // "-d.ddddddddddddddddde-dddd": the 18 digits the general text shows.
  char buffer[48];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific, 17);
  *result.ptr = '\0';
  const char* p = buffer;
  const bool negative = *p == '-';
  if (negative) ++p;
  uint64_t significand = 0;
  for (; *p != 'e'; ++p) {
    if (*p != '.') significand = significand * 10 + static_cast<uint64_t>(*p - '0');
  }
  int exponent = 0;
  std::from_chars(p[1] == '+' ? p + 2 : p + 1, result.ptr, exponent);
  exponent -= 17;
  while (significand % 10 == 0) {
    significand /= 10;
    ++exponent;
  }
  if (auto exact = ScaleExactly(significand, exponent)) return negative ? -*exact : *exact;

  const Extended readBack = StringToExtendedInCLocale(buffer);
  if (std::isinf(readBack)) return std::nullopt;
  return readBack;
}

}  // namespace PMisc::detail

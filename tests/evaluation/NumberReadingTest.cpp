// Reading numbers: the decimal syntax, nearest-value conversion against the C
// library, "$" hex, and the read-back of intermediate results.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "runtime/NumberText.h"
#include "tests/evaluation/Outcome.h"

namespace {

using rtl::Extended;
using rtl::ReadBackGeneral;
using rtl::ReadDecimal;
using rtl::ReadHex;

// The bits ReadDecimal gives, or "invalid".
std::string Read(const std::string& text, char separator = '.') {
  auto value = ReadDecimal(text, separator);
  if (!value) return "invalid";
  char bits[22];
  return std::string(rtl::FormatBits(rtl::BitsOf(*value), bits));
}

std::string Bits(Extended value) {
  char bits[22];
  return std::string(rtl::FormatBits(rtl::BitsOf(value), bits));
}

// The C library's reading of the same text with "." ("C" locale).
std::string Library(const std::string& text) { return Bits(std::strtold(text.c_str(), nullptr)); }

TEST(ReadDecimal, Syntax) {
  EXPECT_EQ(Read("."), Bits(0));
  EXPECT_EQ(Read("-."), Bits(-0.0L));
  EXPECT_EQ(Read("5."), Bits(5));
  EXPECT_EQ(Read(".5"), Bits(0.5));
  EXPECT_EQ(Read("+7"), Bits(7));
  EXPECT_EQ(Read("2E"), Bits(2));
  EXPECT_EQ(Read("2e+"), Bits(2));
  EXPECT_EQ(Read("2e-"), Bits(2));
  EXPECT_EQ(Read("1e0000000000005"), Bits(1e5L));
  EXPECT_EQ(Read("1e499"), Library("1e499"));
  EXPECT_EQ(Read("1E4932"), Library("1e4932"));
  EXPECT_EQ(Read("1e-4950"), Library("1e-4950"));  // denormal: silent
  EXPECT_EQ(Read("1e-4999"), Bits(0));             // underflow: silent
  EXPECT_EQ(Read("2,5", ','), Bits(2.5));
  for (const char* bad : {"", "+", "-", "e5", "E", "1.2.3", "1e5000", "1e4999", "1.2e4932", "1 ",
                          " 1", "1e5x", "0x10", "inf", "nan", "1,5", "--1", "1e--5"}) {
    EXPECT_EQ(Read(bad), "invalid") << bad;
  }
  EXPECT_EQ(Read("1.5", ','), "invalid");
}

// Digit strings of every shape read as the nearest extended value, as the C
// library's correctly rounded conversion does.
TEST(ReadDecimal, MatchesTheCLibraryOnRandomDigits) {
  std::mt19937_64 random(20261208);
  auto digits = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  for (int trial = 0; trial < 20000; ++trial) {
    std::string text;
    if (random() % 4 == 0) text += '-';
    const int integerDigits = static_cast<int>(random() % 25);
    const int fractionDigits = static_cast<int>(random() % 25);
    if (integerDigits + fractionDigits == 0) continue;  // "." alone: the C library rejects it
    text += digits(integerDigits);
    if (fractionDigits > 0 || integerDigits == 0) text += '.' + digits(fractionDigits);
    if (random() % 2) {
      text += random() % 2 ? "e-" : "e";
      text += std::to_string(random() % (trial % 3 == 0 ? 5000 : 60));
    }
    const std::string expected = Library(text);
    ASSERT_EQ(Read(text), std::strtold(text.c_str(), nullptr) == HUGE_VALL ||
                                  std::strtold(text.c_str(), nullptr) == -HUGE_VALL
                              ? "invalid"
                              : expected)
        << text;
    std::string comma = text;
    for (char& c : comma) c = c == '.' ? ',' : c;
    ASSERT_EQ(Read(comma, ','), Read(text)) << comma;
  }
}

TEST(ReadDecimal, HalfwayCasesRoundToEven) {
  // 2^64 + 2048 lies halfway between two extended values; the one below is even.
  EXPECT_EQ(Read("18446744073709553664"), Library("18446744073709553664"));
  EXPECT_EQ(Read("18446744073709553664.000000000000000000001"),
            Library("18446744073709553664.000000000000000000001"));
  EXPECT_EQ(Read("18446744073709555712"), Library("18446744073709555712"));
  EXPECT_EQ(Read(std::string(400, '9')), Library(std::string(400, '9')));
  EXPECT_EQ(Read("0." + std::string(4000, '0') + "1e4000"), Bits(0.1L));
}

TEST(ReadHex, SignedThirtyTwoBits) {
  EXPECT_EQ(ReadHex("ff"), 255);
  EXPECT_EQ(ReadHex("FF"), 255);
  EXPECT_EQ(ReadHex("ffffffff"), -1);
  EXPECT_EQ(ReadHex("0000000000ffffffff"), -1);
  EXPECT_FALSE(ReadHex(""));
  EXPECT_FALSE(ReadHex("100000000"));
  EXPECT_FALSE(ReadHex("fg"));
  EXPECT_FALSE(ReadHex("-1"));
}

// ReadBackGeneral is the general number text read back, without the text.
TEST(ReadBackGeneral, EqualsReadingTheGeneralText) {
  std::mt19937_64 random(8);
  for (int trial = 0; trial < 20000; ++trial) {
    const uint16_t exponent =
        static_cast<uint16_t>(random() % 0x7FFF) | (random() % 2 ? 0x8000 : 0);
    Extended value = rtl::ExtendedFromBits(exponent, random() | 0x8000000000000000ull);
    if (trial % 4 == 0)
      value = std::ldexp(value, -(std::ilogb(value)) + static_cast<int>(random() % 130) - 65);
    if (!std::isfinite(value)) continue;
    const auto fromText = ReadDecimal(rtl::FormatGeneral(value), rtl::DecimalSeparator());
    const auto direct = ReadBackGeneral(value);
    ASSERT_EQ(fromText.has_value(), direct.has_value()) << rtl::FormatGeneral(value);
    if (direct) {
      ASSERT_EQ(Bits(*direct), Bits(*fromText)) << rtl::FormatGeneral(value);
    }
  }
  EXPECT_FALSE(ReadBackGeneral(std::numeric_limits<Extended>::max()));
  EXPECT_EQ(Bits(*ReadBackGeneral(-0.0L)), Bits(0));
  EXPECT_EQ(Bits(*ReadBackGeneral(std::numeric_limits<Extended>::denorm_min())),
            Library("4E-4951"));
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/rtl.h"

namespace {

using rtl::Extended;
using rtl::FormatGeneral;

// Restores the decimal separator after a test that changes it.
class SeparatorGuard {
 public:
  explicit SeparatorGuard(char separator) : saved_(rtl::DecimalSeparator()) {
    rtl::SetDecimalSeparator(separator);
  }
  ~SeparatorGuard() { rtl::SetDecimalSeparator(saved_); }

 private:
  char saved_;
};

// The default limit magnitude of the entry field: exponent 7FFE, significand
// FFFFFFFFFFFFFFB0.
const Extended kM = rtl::ExtendedFromBits(0x7FFE, 0xFFFFFFFFFFFFFFB0ull);

TEST(FormatGeneral, WritesFixedNotationBetweenTenThousandthAndTenToEighteen) {
  SeparatorGuard dot('.');
  EXPECT_EQ(FormatGeneral(6), "6");
  EXPECT_EQ(FormatGeneral(-2.5L), "-2.5");
  EXPECT_EQ(FormatGeneral(0.0001L), "0.0001");
  EXPECT_EQ(FormatGeneral(123456789012345678.0L), "123456789012345678");
  EXPECT_EQ(FormatGeneral(0.05L), "0.05");
  EXPECT_EQ(FormatGeneral(123.25L), "123.25");
  EXPECT_EQ(FormatGeneral(100), "100");
  EXPECT_EQ(FormatGeneral(1e17L * 5), "500000000000000000");
}

TEST(FormatGeneral, WritesScientificNotationOutsideTheFixedRange) {
  SeparatorGuard dot('.');
  EXPECT_EQ(FormatGeneral(0.00001L), "1E-5");
  EXPECT_EQ(FormatGeneral(1e18L), "1E18");
  EXPECT_EQ(FormatGeneral(1.5e-7L), "1.5E-7");
  EXPECT_EQ(FormatGeneral(2e20L), "2E20");
  EXPECT_EQ(FormatGeneral(-1.25e30L), "-1.25E30");
  EXPECT_EQ(FormatGeneral(kM), "1.18973149535723176E4932");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<Extended>::denorm_min()), "3.6451995318824746E-4951");
}

TEST(FormatGeneral, RoundsToEighteenSignificantDigits) {
  SeparatorGuard dot('.');
  EXPECT_EQ(FormatGeneral(3.14159265358979323846L), "3.14159265358979324");
  EXPECT_EQ(FormatGeneral(1.0L / 3), "0.333333333333333333");
  EXPECT_EQ(FormatGeneral(2.0L / 3), "0.666666666666666667");
  // 999999999999999999.5 rounds up into the next decade and switches layout.
  EXPECT_EQ(FormatGeneral(999999999999999999.5L), "1E18");
  EXPECT_EQ(FormatGeneral(0.000099999999999999999999L), "0.0001");
  // Whole numbers of 19 digits lose their last digit.
  EXPECT_EQ(FormatGeneral(1234567890123456789.0L), "1.23456789012345679E18");
}

TEST(FormatGeneral, WritesZeroInfinityAndNotANumber) {
  EXPECT_EQ(FormatGeneral(0), "0");
  EXPECT_EQ(FormatGeneral(-0.0L), "0");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<Extended>::infinity()), "INF");
  EXPECT_EQ(FormatGeneral(-std::numeric_limits<Extended>::infinity()), "-INF");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<Extended>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatGeneral(-std::numeric_limits<Extended>::quiet_NaN()), "-NAN");
}

TEST(FormatGeneral, UsesTheProcessWideSeparator) {
  SeparatorGuard comma(',');
  EXPECT_EQ(FormatGeneral(2.5L), "2,5");
  EXPECT_EQ(FormatGeneral(1.5e-7L), "1,5E-7");
  EXPECT_EQ(FormatGeneral(0.0001L), "0,0001");
}

TEST(FormatGeneral, TextReadsBackToTheSameEighteenDigitValue) {
  SeparatorGuard dot('.');
  for (Extended v : {1.0L / 7, 1e-300L / 3, 6.02214076e23L, -9.87654321e-12L, 1e4000L / 7}) {
    const std::string text = FormatGeneral(v);
    const Extended back = std::strtold(text.c_str(), nullptr);
    EXPECT_EQ(FormatGeneral(back), text) << text;
    EXPECT_NEAR(static_cast<double>(back / v), 1.0, 1e-17) << text;
  }
}

TEST(FormatGeneral, TakesAnExplicitSeparatorOverTheProcessWideOne) {
  SeparatorGuard comma(',');
  EXPECT_EQ(FormatGeneral(2.5L, '.'), "2.5");
  EXPECT_EQ(FormatGeneral(-1.5e-7L, '.'), "-1.5E-7");
  EXPECT_EQ(FormatGeneral(2.5L), "2,5");
}

std::optional<Extended> Standard(std::string_view text, char separator = '.') {
  return rtl::ReadStandardDecimal(text, separator);
}

TEST(ReadStandardDecimal, NeedsDigitsInTheNumberAndInItsExponent) {
  EXPECT_EQ(Standard("3.5"), 3.5L);
  EXPECT_EQ(Standard("+3."), 3.0L);
  EXPECT_EQ(Standard("-.5"), -0.5L);
  EXPECT_EQ(Standard("1e+3"), 1000.0L);
  EXPECT_EQ(Standard("2,5", ','), 2.5L);
  for (const char* bad : {"", ".", "-", "+.", "2E", "2e+", "e5", "1.2.3", " 1", "1 ", "inf", "nan",
                          "0x10", "1,5", "1e5x"}) {
    EXPECT_FALSE(Standard(bad)) << bad;
  }
  EXPECT_FALSE(Standard("1.5", ','));
}

TEST(ReadStandardDecimal, ReadsWholeExponentsOverflowFailsUnderflowIsSilent) {
  // Unlike an entry, whose exponent digits stop at 500, every digit counts.
  EXPECT_EQ(Standard("1e0000000000000000000000005"), 1e5L);
  EXPECT_EQ(Standard("1e-5000"), 0.0L);
  EXPECT_EQ(Standard("1e-99999999999999999999999999"), 0.0L);
  EXPECT_GT(*Standard("1e-4940"), 0.0L);  // a denormal
  EXPECT_FALSE(Standard("1e5000"));
  EXPECT_FALSE(Standard("-1e99999999999999999999999999"));
  EXPECT_EQ(Standard("0." + std::string(5000, '0') + "1e5001"), 1.0L);
  EXPECT_EQ(Standard("1.18973149535723176502e4932"), std::numeric_limits<Extended>::max());
  EXPECT_FALSE(Standard("1.18973149535723177e4932"));
}

TEST(FormatHex, FourDigitsAtLeastAndSixteenForNegativeValues) {
  EXPECT_EQ(rtl::FormatHex(0), "$0000");
  EXPECT_EQ(rtl::FormatHex(255), "$00FF");
  EXPECT_EQ(rtl::FormatHex(65536), "$10000");
  EXPECT_EQ(rtl::FormatHex(INT64_MAX), "$7FFFFFFFFFFFFFFF");
  EXPECT_EQ(rtl::FormatHex(-1), "$FFFFFFFFFFFFFFFF");
  EXPECT_EQ(rtl::FormatHex(INT64_MIN), "$8000000000000000");
}

TEST(DecimalSeparator, IsReadFromTheLocaleWithoutChangingTheCLocale) {
  SeparatorGuard keep('.');
  rtl::LoadDecimalSeparatorFromLocale();
  const char separator = rtl::DecimalSeparator();
  EXPECT_TRUE(separator == '.' || separator == ',') << separator;
  // The C library's own conversions are left in the "C" locale.
  EXPECT_EQ(std::strtod("1.5", nullptr), 1.5);
}

TEST(ExtendedBits, RoundTripsThroughTheBitPattern) {
  EXPECT_EQ(rtl::BitsOf(1.0L), (rtl::ExtendedBits{0x3FFF, 0x8000000000000000ull}));
  EXPECT_EQ(rtl::BitsOf(-2.0L), (rtl::ExtendedBits{0xC000, 0x8000000000000000ull}));
  EXPECT_EQ(rtl::ExtendedFromBits(0x4008, 0xFA00000000000000ull), 1000.0L);
  char text[22];
  EXPECT_EQ(rtl::FormatBits(rtl::BitsOf(0.001L), text), "3FF5 83126E978D4FDF3B");
}

}  // namespace

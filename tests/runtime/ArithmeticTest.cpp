#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "runtime/rtl.h"

namespace {

using rtl::Extended;

constexpr Extended kMax = std::numeric_limits<Extended>::max();

TEST(CheckedArithmetic, RaisesTheMatchingErrorInsteadOfNonFiniteResults) {
  EXPECT_EQ(rtl::Divide(1, 4), 0.25L);
  EXPECT_THROW(rtl::Divide(1, 0), rtl::EZeroDivide);
  EXPECT_THROW(rtl::Divide(-1, 0), rtl::EZeroDivide);
  EXPECT_THROW(rtl::Divide(0, 0), rtl::EInvalidOp);
  EXPECT_THROW(rtl::Multiply(kMax, 2), rtl::EOverflow);
  EXPECT_THROW(rtl::Add(kMax, kMax), rtl::EOverflow);
  EXPECT_THROW(rtl::Subtract(-kMax, kMax), rtl::EOverflow);
  EXPECT_THROW(rtl::Divide(kMax, 0.5L), rtl::EOverflow);
}

TEST(CheckedArithmetic, UnderflowAndDenormalsAreSilent) {
  const Extended tiny = std::numeric_limits<Extended>::min();
  EXPECT_EQ(rtl::Multiply(tiny, tiny), 0.0L);
  EXPECT_GT(rtl::Divide(tiny, 4), 0.0L);
}

TEST(CheckedArithmetic, ErrorsCarryTheirFixedMessages) {
  EXPECT_STREQ(rtl::EZeroDivide().what(), "Floating point division by zero");
  EXPECT_STREQ(rtl::EInvalidOp().what(), "Invalid floating point operation");
  EXPECT_STREQ(rtl::EOverflow().what(), "Floating point overflow");
  EXPECT_EQ(rtl::EDivByZero().Message(), "Division by zero");
  EXPECT_EQ(rtl::ERangeError().Message(), "Range check error");
  EXPECT_EQ(rtl::EListError(-3).Message(), "List index out of bounds (-3)");
  // The math errors share one base.
  EXPECT_THROW(throw rtl::EOverflow(), rtl::EMathError);
}

TEST(IntegerConversion, RoundsToNearestWithTiesToEven) {
  EXPECT_EQ(rtl::Round64(2.5L), 2);
  EXPECT_EQ(rtl::Round64(3.5L), 4);
  EXPECT_EQ(rtl::Round64(-2.5L), -2);
  EXPECT_EQ(rtl::Round64(-2.6L), -3);
  EXPECT_EQ(rtl::Round64(9223372036854775806.5L), 9223372036854775806);  // a tie
  EXPECT_EQ(rtl::Round64(9223372036854775807.0L), INT64_MAX);
}

TEST(IntegerConversion, TruncatesTowardZero) {
  EXPECT_EQ(rtl::Trunc64(2.7L), 2);
  EXPECT_EQ(rtl::Trunc64(-2.7L), -2);
  EXPECT_EQ(rtl::Trunc64(-9223372036854775807.0L), -INT64_MAX);
}

TEST(IntegerConversion, TruncationForIntegerOperatorsAcceptsTheWholeRange) {
  EXPECT_EQ(rtl::TruncFitting64(-9223372036854775808.0L), INT64_MIN);
  EXPECT_EQ(rtl::TruncFitting64(-7.9L), -7);
  EXPECT_THROW(rtl::TruncFitting64(9223372036854775808.0L), rtl::EInvalidOp);
  EXPECT_THROW(rtl::TruncFitting64(-9223372036854775809.0L), rtl::EInvalidOp);
}

TEST(IntegerConversion, MagnitudesOfTwoToSixtyThreeAreInvalid) {
  const Extended twoTo63 = 9223372036854775808.0L;
  EXPECT_THROW(rtl::Round64(twoTo63), rtl::EInvalidOp);
  EXPECT_THROW(rtl::Round64(-twoTo63), rtl::EInvalidOp);
  EXPECT_THROW(rtl::Trunc64(-twoTo63), rtl::EInvalidOp);
  EXPECT_THROW(rtl::Trunc64(std::numeric_limits<Extended>::quiet_NaN()), rtl::EInvalidOp);
}

// Every representable value next to either end of the 64-bit range: below
// 2^63 the spacing of extended values is 0.5, so the halves are ties.
TEST(IntegerConversion, RoundingNextToTheEndsOfTheRange) {
  EXPECT_EQ(rtl::Round64(9223372036854775807.0L), INT64_MAX);
  EXPECT_EQ(rtl::Round64(9223372036854775806.5L), INT64_MAX - 1);  // tie to even
  EXPECT_EQ(rtl::Round64(9223372036854775805.5L), INT64_MAX - 1);  // tie to even
  // The tie above INT64_MAX goes to the even 2^63, which does not fit.
  EXPECT_THROW(rtl::Round64(9223372036854775807.5L), rtl::EInvalidOp);
  EXPECT_THROW(rtl::Round64(9223372036854775808.0L), rtl::EInvalidOp);

  EXPECT_EQ(rtl::Round64(-9223372036854775807.0L), -INT64_MAX);
  EXPECT_EQ(rtl::Round64(-9223372036854775806.5L), -INT64_MAX + 1);
  EXPECT_EQ(rtl::Round64(-9223372036854775807.5L), INT64_MIN);  // tie to the even -2^63
  EXPECT_THROW(rtl::Round64(-9223372036854775808.0L), rtl::EInvalidOp);

  EXPECT_EQ(rtl::Trunc64(9223372036854775807.5L), INT64_MAX);
  EXPECT_EQ(rtl::Trunc64(-9223372036854775807.5L), -INT64_MAX);
}

TEST(RangeChecked, RaisesWhenTheValueDoesNotFit) {
  EXPECT_EQ((rtl::RangeChecked<uint16_t>(65535)), 65535);
  EXPECT_THROW((rtl::RangeChecked<uint16_t>(65536)), rtl::ERangeError);
  EXPECT_THROW((rtl::RangeChecked<int16_t>(40000)), rtl::ERangeError);
  EXPECT_THROW((rtl::RangeChecked<uint32_t>(-1)), rtl::ERangeError);
}

}  // namespace

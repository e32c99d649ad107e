// Quantities: exact arithmetic with dimensions, and the one rounding.
#include <gtest/gtest.h>

#include <cmath>

#include "quantity/Quantity.h"

namespace {

using quantity::BaseQuantity;
using quantity::Dimension;
using quantity::EQuantityError;
using quantity::Quantity;

const Dimension kLength = Dimension::Of(BaseQuantity::Length);
const Dimension kTime = Dimension::Of(BaseQuantity::Time);
const Dimension kMass = Dimension::Of(BaseQuantity::Mass);

Quantity Of(const mpq_class& value, const Dimension& dimension) { return {value, dimension}; }

TEST(Quantity, ArithmeticKeepsValuesExactAndDimensionsChecked) {
  const Quantity foot = Of(mpq_class(381, 1250), kLength);
  const Quantity second = Of(1, kTime);
  const Quantity speed = quantity::Divide(foot, second);
  EXPECT_EQ(quantity::DimensionName(speed.dimension), "speed");
  EXPECT_EQ(quantity::Power(foot, 3).value, mpq_class(55306341, 1953125000));
  EXPECT_EQ(quantity::DimensionName(quantity::Power(foot, -2).dimension), "fuel economy");
  EXPECT_EQ(quantity::Add(foot, foot).value, mpq_class(381, 625));
  EXPECT_EQ(quantity::Subtract(foot, foot).value, 0);
  // A third of a foot and back is a foot again: no rounding on the way.
  const Quantity third = quantity::Divide(foot, Quantity::Number(3));
  EXPECT_EQ(quantity::Multiply(third, Quantity::Number(3)).value, foot.value);

  try {
    quantity::Add(foot, Of(1, kMass));
    FAIL();
  } catch (const EQuantityError& error) {
    EXPECT_EQ(error.Message(), "cannot add length and mass");
  }
  EXPECT_THROW(quantity::Divide(foot, Of(0, kTime)), EQuantityError);
  EXPECT_THROW(quantity::Power(Of(0, kTime), -1), EQuantityError);
  EXPECT_THROW(quantity::Power(Of(10, kTime), 5000), EQuantityError);
  // Bounded size: a huge power is refused before it is computed.
  EXPECT_THROW(quantity::Power(Of(mpq_class(mpz_class(1) << 5000), kTime), 999), EQuantityError);
}

TEST(Quantity, ConversionNamesBothDimensions) {
  EXPECT_EQ(quantity::ConvertExact(Of(1, kLength), Of(mpq_class(381, 1250), kLength)),
            mpq_class(1250, 381));
  try {
    quantity::ConvertExact(Of(1, kLength * kLength), Of(1, kMass / kTime));
    FAIL();
  } catch (const EQuantityError& error) {
    EXPECT_EQ(error.Message(), "cannot convert area to mass/time");
    EXPECT_EQ(error.Position(), 0);
  }
}

TEST(Quantity, NamesAndBaseUnitsOfDimensions) {
  Dimension force;
  ASSERT_TRUE(quantity::DimensionByName("force", force));
  EXPECT_EQ(quantity::BaseUnitsText(force), "m kg/s^2");
  EXPECT_EQ(quantity::DimensionName(force * kLength), "energy");
  EXPECT_EQ(quantity::DimensionName(kLength * kLength * kLength * kLength), "length^4");
  EXPECT_EQ(quantity::DimensionName(Dimension{}), "number");
  EXPECT_EQ(quantity::BaseUnitsText(Dimension{}), "");
  EXPECT_FALSE(quantity::DimensionByName("colour", force));
}

// The bits of the rounding: nearest, ties to even, through subnormals.
TEST(Quantity, ToExtendedRoundsOnceToNearestTiesToEven) {
  const mpq_class twoTo64(mpz_class(1) << 64);
  // 1 + 2^-64 lies halfway between 1 and its neighbour 1 + 2^-63: to even (1).
  EXPECT_EQ(rtl::BitsOf(quantity::ToExtended(1 + 1 / twoTo64)),
            (rtl::ExtendedBits{0x3FFF, 0x8000000000000000}));
  // 1 + 3 * 2^-64 lies halfway between odd and even neighbours: to even.
  EXPECT_EQ(rtl::BitsOf(quantity::ToExtended(1 + 3 / twoTo64)),
            (rtl::ExtendedBits{0x3FFF, 0x8000000000000002}));
  // A hair above the halfway point rounds up.
  EXPECT_EQ(rtl::BitsOf(quantity::ToExtended(1 + 1 / twoTo64 + 1 / (twoTo64 * twoTo64))),
            (rtl::ExtendedBits{0x3FFF, 0x8000000000000001}));
  EXPECT_EQ(quantity::ToExtended(mpq_class(1, 10)), 0.1L);
  EXPECT_EQ(quantity::ToExtended(mpq_class(-1250, 381)), -1250.0L / 381.0L);
  EXPECT_EQ(quantity::ToExtended(0), 0.0L);
  // Rounding up to the next power of two.
  EXPECT_EQ(quantity::ToExtended(2 - 1 / (twoTo64 * 4)), 2.0L);
  // Subnormal and the smallest one.
  const mpq_class tiny = 1 / mpq_class(mpz_class(1) << 16445);
  EXPECT_EQ(quantity::ToExtended(tiny), std::numeric_limits<long double>::denorm_min());
  EXPECT_EQ(quantity::ToExtended(tiny / 3), 0.0L);
  EXPECT_EQ(quantity::ToExtended(mpq_class(mpz_class(1) << 16383)), std::ldexp(1.0L, 16383));
  EXPECT_THROW(quantity::ToExtended(mpq_class(mpz_class(1) << 16384)), EQuantityError);
}

TEST(Quantity, ExactTextIsTheReducedFraction) {
  EXPECT_EQ(quantity::ExactText(mpq_class(2500, 762)), "1250/381");
  EXPECT_EQ(quantity::ExactText(-3), "-3");
}

}  // namespace

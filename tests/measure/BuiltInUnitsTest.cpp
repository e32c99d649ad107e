#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "measure/units.h"

namespace {

using units::TCategory;
using units::UnitCategories;

// The catalogue as static initialisation in another translation unit sees it:
// complete, whatever the order in which the two units are initialised.
const int32_t kCategoriesSeenDuringStaticInit = UnitCategories().CategoryCount();

struct ExpectedUnit {
  const char* symbol;
  const char* name;
  uint16_t signExponent;
  uint64_t significand;
};

struct ExpectedCategory {
  const char* name;
  int32_t baseIndex;  // also both selections
  std::vector<ExpectedUnit> units;
};

// The final state of the built-in set, factors as 80-bit patterns.
const std::vector<ExpectedCategory> kExpected = {
    {"Length",
     2,
     {
         {"mm", "millimeters", 0x3FF5, 0x83126E978D4FDF3B},
         {"cm", "centimeters", 0x3FF8, 0xA3D70A3D70A3D70A},
         {"m", "meters", 0x3FFF, 0x8000000000000000},
         {"km", "kilometers", 0x4008, 0xFA00000000000000},
         {"in", "inches", 0x3FF9, 0xD013A92A30553260},
         {"ft", "feet", 0x3FFD, 0x9C0EBEDFA43FE5C9},
         {"yd", "yards", 0x3FFE, 0xEA161E4F765FD8AE},
         {"f", "fathoms", 0x3FFF, 0xEA161E4F765FD8AE},
         {"mi", "miles, statute", 0x4009, 0xC92B020C49BA5E34},
         {"nmi", "nautical miles, U.S.", 0x4009, 0xE780000000000000},
         {"league", "leagues, statute", 0x400B, 0x96E04189374BC6A8},
         {"au", "astronomical units", 0x4024, 0x8B52EA973FFFFFFF},
     }},
    {"Time",
     2,
     {
         {"ns", "nanoseconds", 0x3FE1, 0x89705F4136B4A597},
         {"ms", "milliseconds", 0x3FF5, 0x83126E978D4FDF3B},
         {"s", "seconds", 0x3FFF, 0x8000000000000000},
         {"mn", "minutes", 0x4004, 0xF000000000000000},
         {"hr", "hours", 0x400A, 0xE100000000000000},
         {"day", "days", 0x400F, 0xA8C0000000000000},
         {"wk", "weeks", 0x4012, 0x93A8000000000000},
         {"mth", "months", 0x4014, 0xA082A00000000000},
         {"yr", "years", 0x4017, 0xF0C3F00000000000},
         {"dec", "decades", 0x401B, 0x967A760000000000},
         {"cen", "centuries", 0x401E, 0xBC19138000000000},
         {"mnm", "millenia", 0x4021, 0xEB1F586000000000},
         {"eon", "eons", 0x4035, 0xE03AF0A3ED800000},
     }},
    {"Force",
     0,
     {
         {"N", "newtons", 0x3FFF, 0x8000000000000000},
         {"kN", "kilonewtons", 0x4008, 0xFA00000000000000},
         {"amu", "atomic mass units", 0x3FA9, 0xA145B16AE2BFC19A},
         {"mg", "milligrams", 0x3FEE, 0xA4873DB45C0BC63C},
         {"g", "grams force", 0x3FF8, 0xA0AC124221E37F97},
         {"kg", "kilograms force", 0x4002, 0x9CE809D495182A99},
         {"tn", "metric tons", 0x400C, 0x993A99999999999A},
         {"oz", "ounces force", 0x3FFD, 0x8E5834945B21B2AB},
         {"lb", "pounds force", 0x4001, 0x8E5834945B21B2B9},
         {"kip", "kilopounds", 0x400B, 0x8B022358E0FEE888},
         {"ton", "U.S. Tons force, short", 0x400C, 0x8B022358E0FEE888},
     }},
    {"Temperature",
     0,
     {
         {"C", "Celsius", 0x3FFF, 0x8000000000000000},
         {"F", "Fahrenheit", 0x3FFF, 0x8000000000000000},
         {"K", "Kelvin", 0x3FFF, 0x8000000000000000},
         {"R", "Rankine", 0x3FFF, 0x8000000000000000},
     }},
    {"Angle",
     4,
     {
         {"rad", "radians", 0x4004, 0xE52EE0D31E0FBDBB},
         {"sec", "seconds", 0x3FF3, 0x91A2B3C4D5E6F80A},
         {"min", "minutes", 0x3FF9, 0x8888888888888889},
         {"gr", "grades", 0x3FFE, 0xE666666666666667},
         {"deg", "degrees", 0x3FFF, 0x8000000000000000},
         {"quad", "quadrants", 0x4005, 0xB400000000000000},
         {"rev", "revolutions", 0x4007, 0xB400000000000000},
     }},
    {"Computer Bits",
     5,
     {
         {"b", "bits", 0x3FFC, 0x8000000000000000},
         {"Kb", "kilobits", 0x4006, 0x8000000000000000},
         {"Mb", "megabits", 0x4010, 0x8000000000000000},
         {"Gb", "gigabits", 0x401A, 0x8000000000000000},
         {"Tb", "terabits", 0x4024, 0x8000000000000000},
         {"B", "bytes", 0x3FFF, 0x8000000000000000},
         {"KB", "kilobytes", 0x4009, 0x8000000000000000},
         {"MB", "megabytes", 0x4013, 0x8000000000000000},
         {"GB", "gigabytes", 0x401D, 0x8000000000000000},
         {"TB", "terabytes", 0x4027, 0x8000000000000000},
     }},
};

std::string Pattern(rtl::Extended value) {
  char text[22];
  return std::string(rtl::FormatBits(rtl::BitsOf(value), text));
}

TEST(UnitCategories, IsBuiltBeforeMainAndIsOneObject) {
  EXPECT_EQ(kCategoriesSeenDuringStaticInit, 6);
  EXPECT_EQ(&UnitCategories(), &UnitCategories());
}

TEST(UnitCategories, HoldsTheSixCategoriesWithTheirBasesAndSelections) {
  const units::TCategories& catalogue = UnitCategories();
  ASSERT_EQ(catalogue.CategoryCount(), 6);
  EXPECT_EQ(kExpected.size(), 6u);
  for (int32_t c = 0; c < 6; ++c) {
    const TCategory& category = catalogue.GetCategory(c);
    const ExpectedCategory& expected = kExpected[static_cast<size_t>(c)];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(category.Name, expected.name);
    EXPECT_EQ(category.UnitCount(), static_cast<int32_t>(expected.units.size()));
    EXPECT_EQ(category.BaseIndex, expected.baseIndex);
    EXPECT_EQ(category.Selection1, expected.baseIndex);
    EXPECT_EQ(category.Selection2, expected.baseIndex);
    EXPECT_TRUE(category.Listed);
    EXPECT_EQ(category.Amount, 1.0L);
  }
  EXPECT_EQ(catalogue.GetCategory(0).UnitCount() + catalogue.GetCategory(1).UnitCount() +
                catalogue.GetCategory(2).UnitCount() + catalogue.GetCategory(3).UnitCount() +
                catalogue.GetCategory(4).UnitCount() + catalogue.GetCategory(5).UnitCount(),
            57);
}

TEST(UnitCategories, EveryUnitHasItsSymbolNameFlagsAndExactFinalFactor) {
  const units::TCategories& catalogue = UnitCategories();
  ASSERT_EQ(catalogue.CategoryCount(), 6);
  for (int32_t c = 0; c < 6; ++c) {
    const TCategory& category = catalogue.GetCategory(c);
    const ExpectedCategory& expected = kExpected[static_cast<size_t>(c)];
    ASSERT_EQ(category.UnitCount(), static_cast<int32_t>(expected.units.size()));
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      const units::TUnit& unit = category.GetUnit(u);
      const ExpectedUnit& want = expected.units[static_cast<size_t>(u)];
      SCOPED_TRACE(std::string(expected.name) + " / " + want.symbol);
      EXPECT_EQ(unit.Symbol, want.symbol);
      EXPECT_EQ(unit.Name, want.name);
      EXPECT_EQ(Pattern(unit.Factor),
                Pattern(rtl::ExtendedFromBits(want.signExponent, want.significand)));
      EXPECT_TRUE(unit.Flag1);
      EXPECT_FALSE(unit.Flag2);
    }
  }
}

TEST(UnitCategories, NotableValuesAndNoPlaceholderLeft) {
  const units::TCategories& catalogue = UnitCategories();
  EXPECT_EQ(catalogue.GetCategory(0).GetUnit(3).Factor, 1000.0L);  // km
  EXPECT_EQ(catalogue.GetCategory(0).GetUnit(9).Factor, 1852.0L);  // nmi
  EXPECT_NE(catalogue.GetCategory(0).GetUnit(8).Factor, 1609.344L);
  EXPECT_EQ(catalogue.GetCategory(4).GetUnit(6).Factor, 360.0L);  // rev
  EXPECT_EQ(catalogue.GetCategory(5).GetUnit(0).Factor, 0.125L);  // b
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const TCategory& category = catalogue.GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      EXPECT_NE(category.GetUnit(u).Symbol, "PH s");
      EXPECT_NE(category.GetUnit(u).Symbol, "PH rev");
    }
  }
  try {
    catalogue.GetCategory(6);
    ADD_FAILURE() << "GetCategory(6) raised nothing";
  } catch (const rtl::Exception& error) {
    EXPECT_EQ(error.Message(), "6 Out of Range 0-6");
  }
}

}  // namespace

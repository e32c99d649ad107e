// Units files: exact factors rounded once, lines loaded or reported.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "measure/UnitsFile.h"
#include "tests/support/MessageOf.h"

namespace {

using rtl::Extended;
using testsupport::MessageOf;
using units::ExactFactor;

std::string Pattern(Extended value) {
  char text[22];
  return std::string(rtl::FormatBits(rtl::BitsOf(value), text));
}

std::string FactorPattern(const char* expression) { return Pattern(ExactFactor(expression)); }

TEST(ExactFactor, ReadsDecimalsProductsQuotientsPowersAndParentheses) {
  EXPECT_EQ(ExactFactor("1"), 1.0L);
  EXPECT_EQ(ExactFactor("0.45359237"), 0.45359237L);
  EXPECT_EQ(ExactFactor(".5"), 0.5L);
  EXPECT_EQ(ExactFactor("1.5e-3"), 1.5e-3L);
  EXPECT_EQ(ExactFactor("2E3"), 2000.0L);
  EXPECT_EQ(ExactFactor("10^-6"), 1e-6L);
  EXPECT_EQ(ExactFactor("1024^2"), 1048576.0L);
  EXPECT_EQ(ExactFactor("(1/3)^-2"), 9.0L);
  EXPECT_EQ(ExactFactor(" 231 * 0.0254 ^ 3 "), ExactFactor("0.003785411784"));
  EXPECT_EQ(ExactFactor("1/3600"), 1.0L / 3600.0L);  // one correctly rounded division
  EXPECT_EQ(ExactFactor("8/2/2"), 2.0L);             // left to right
}

TEST(ExactFactor, RoundsTheExactValueOnceToNearestWithTiesToEven) {
  // 0.1 rounded at 64 bits, not through the 53 bits of a double.
  EXPECT_EQ(FactorPattern("0.1"), "3FFB CCCCCCCCCCCCCCCD");
  // 0.0254^3 * 231 rounded once; rounding 0.0254 first would give another value.
  EXPECT_NE(ExactFactor("231*0.0254^3"), 231 * 0.0254L * 0.0254L * 0.0254L);
  // 1 + 2^-64 lies halfway between 1 and the next value up: to even, 1.
  EXPECT_EQ(FactorPattern("18446744073709551617/18446744073709551616"), "3FFF 8000000000000000");
  // 1 + 3 * 2^-64 lies halfway between an odd and an even significand.
  EXPECT_EQ(FactorPattern("18446744073709551619/18446744073709551616"), "3FFF 8000000000000002");
  // 1 + 3 * 2^-65 is above the halfway point: up.
  EXPECT_EQ(FactorPattern("36893488147419103235/36893488147419103232"), "3FFF 8000000000000001");
  // 2 - 2^-64 is halfway to 2: rounding carries into the exponent.
  EXPECT_EQ(FactorPattern("36893488147419103231/18446744073709551616"), "4000 8000000000000000");
  // The ends of the range.
  EXPECT_EQ(FactorPattern("2^-16382"), "0001 8000000000000000");
  EXPECT_EQ(FactorPattern("2^16383*1.5"), "7FFE C000000000000000");
}

TEST(ExactFactor, RefusesWhatIsNoPositiveExtendedValue) {
  const auto message = [](const std::string& expression) {
    return MessageOf<units::EFactorError>([expression] { ExactFactor(expression); });
  };
  EXPECT_EQ(message(""), "missing factor");
  EXPECT_EQ(message("0"), "factor must be greater than 0");
  EXPECT_EQ(message("1/0"), "division by zero in the factor");
  EXPECT_EQ(message("0^-1"), "division by zero in the factor");
  EXPECT_EQ(message("-1"), "expected a number instead of \"-\" at column 1 of the factor");
  EXPECT_EQ(message("2*x"), "expected a number instead of \"x\" at column 3 of the factor");
  EXPECT_EQ(message("1 2"), "unexpected \"2\" at column 3 of the factor");
  EXPECT_EQ(message("2^3^2"), "unexpected \"^\" at column 4 of the factor");
  EXPECT_EQ(message("2^1.5"), "unexpected \".\" at column 4 of the factor");
  EXPECT_EQ(message("(1"), "expected \")\" instead of end of factor");
  EXPECT_EQ(message("2^"), "expected an integer exponent instead of end of factor");
  EXPECT_EQ(message("1e"), "expected an exponent instead of end of factor");
  EXPECT_EQ(message("10^16384"), "factor too large for an extended value");
  EXPECT_EQ(message("2^99999"), "exponent too large in the factor");
  EXPECT_EQ(message("1e99999999999999999999"), "exponent too large in the factor");
  EXPECT_EQ(message("2^16384"), "factor too large for an extended value");
  EXPECT_EQ(message("2^-16383"), "factor too small for an extended value");
  EXPECT_EQ(message("(10^5000)^5000"), "power too large in the factor");
  EXPECT_EQ(ExactFactor(std::string(100, '(') + "2" + std::string(100, ')')), 2.0L);
  EXPECT_EQ(message(std::string(100000, '(')), "parentheses nested too deeply in the factor");
}

// A catalogue with one category of two units, as a program might have.
struct Catalogue {
  units::TCategories catalogue;
  Catalogue() {
    catalogue.AddCategory("Length");
    catalogue.GetCategory(0).AddUnit("m", "meters", 1);
    catalogue.GetCategory(0).AddUnit("km", "kilometers", 1000);
  }
};

TEST(LoadUnitsText, AddsCategoriesAndGivesExistingOnesMoreUnits) {
  Catalogue fixture;
  const units::UnitsFileReport report = units::LoadUnitsText(fixture.catalogue, R"(
# Comments and blank lines are skipped.

[Mass]
kg   kilograms = 1
lb   pounds, avoirdupois = 0.45359237   # the international pound
[ Length ]
in   inches = 0.0254
[Mass]
oz   ounces = 0.45359237/16
)",
                                                             "test.txt");
  EXPECT_TRUE(report.problems.empty());
  EXPECT_EQ(report.categoriesAdded, 1);
  EXPECT_EQ(report.unitsAdded, 4);
  ASSERT_EQ(fixture.catalogue.CategoryCount(), 2);

  const units::TCategory& length = fixture.catalogue.GetCategory(0);
  ASSERT_EQ(length.UnitCount(), 3);
  EXPECT_EQ(length.GetUnit(1).Factor, 1000.0L);  // untouched
  EXPECT_EQ(length.GetUnit(2).Symbol, "in");
  EXPECT_EQ(length.GetUnit(2).Factor, 0.0254L);
  EXPECT_EQ(length.BaseIndex, 0);

  const units::TCategory& mass = fixture.catalogue.GetCategory(1);
  EXPECT_EQ(mass.Name, "Mass");
  EXPECT_TRUE(mass.Listed);
  ASSERT_EQ(mass.UnitCount(), 3);
  EXPECT_EQ(mass.BaseIndex, 0);
  EXPECT_EQ(mass.GetUnit(1).Name, "pounds, avoirdupois");
  EXPECT_EQ(mass.GetUnit(2).Factor, ExactFactor("0.028349523125"));
}

TEST(LoadUnitsText, ReportsEachBadLineWithItsNumberAndLoadsTheOthers) {
  Catalogue fixture;
  const units::UnitsFileReport report = units::LoadUnitsText(fixture.catalogue,
                                                             "stray  unit = 2\n"             // 1
                                                             "[Length]\n"                    // 2
                                                             "km   again = 1000\n"           // 3
                                                             "yd   yards = 0.9144\r\n"       // 4
                                                             "ft   feet = 0.3048*x\n"        // 5
                                                             "mi   = 1609.344\n"             // 6
                                                             "just words\n"                  // 7
                                                             "[Speed\n"                      // 8
                                                             "kn   knots = 1852/3600\n"      // 9
                                                             "[]\n"                          // 10
                                                             "[Speed]\n"                     // 11
                                                             "kn   knots = 1852/3600\n"      // 12
                                                             "m/s  meters per second = 1\n"  // 13
                                                             "mi   miles = 1609.344",        // 14
                                                             "extra.txt");
  std::vector<std::string> problems;
  for (const auto& problem : report.problems) problems.push_back(problem.Text());
  const std::vector<std::string> expected = {
      "extra.txt:1: unit stray has no category: a line \"[NAME]\" must come first",
      "extra.txt:3: km already exists. A unit's symbol must be unique.",
      "extra.txt:5: expected a number instead of \"x\" at column 8 of the factor",
      "extra.txt:6: missing name for unit mi",
      "extra.txt:7: expected a unit \"SYMBOL NAME = FACTOR\" or a category \"[NAME]\"",
      "extra.txt:8: a category line must end with \"]\"",
      "extra.txt:9: unit kn has no category: a line \"[NAME]\" must come first",
      "extra.txt:10: empty category name",
      "extra.txt:12: unit kn would be the base of Speed: its factor must be 1",
  };
  EXPECT_EQ(problems, expected);

  const units::TCategory& length = fixture.catalogue.GetCategory(0);
  ASSERT_EQ(length.UnitCount(), 3);
  EXPECT_EQ(length.GetUnit(1).Name, "kilometers");  // the duplicate changed nothing
  EXPECT_EQ(length.GetUnit(2).Symbol, "yd");
  EXPECT_EQ(length.GetUnit(2).Factor, 0.9144L);
  const units::TCategory& speed = fixture.catalogue.GetCategory(1);
  ASSERT_EQ(speed.UnitCount(), 2);
  EXPECT_EQ(speed.GetUnit(0).Symbol, "m/s");
  EXPECT_EQ(speed.GetUnit(1).Symbol, "mi");
  EXPECT_EQ(report.unitsAdded, 3);
  EXPECT_EQ(report.categoriesAdded, 1);
}

TEST(LoadUnitsText, ACategoryWithoutABaseTakesNoUnits) {
  Catalogue fixture;
  fixture.catalogue.GetCategory(0).SetBaseUnit(-1);
  const units::UnitsFileReport report =
      units::LoadUnitsText(fixture.catalogue, "[Length]\nin inches = 0.0254\n", "f");
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_EQ(report.problems[0].Text(), "f:2: Length has no base unit");
  EXPECT_EQ(fixture.catalogue.GetCategory(0).UnitCount(), 2);
}

TEST(LoadUnitsFile, ReadsAFileAndReportsOneThatCannotBeRead) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("units_file_test_" + std::to_string(getpid()));
  {
    std::ofstream file(path);
    file << "[Length]\nft feet = 0.3048\n";
  }
  Catalogue fixture;
  const units::UnitsFileReport report = units::LoadUnitsFile(fixture.catalogue, path.string());
  std::filesystem::remove(path);
  EXPECT_TRUE(report.problems.empty());
  EXPECT_EQ(fixture.catalogue.GetCategory(0).UnitCount(), 3);

  const units::UnitsFileReport missing = units::LoadUnitsFile(fixture.catalogue, path.string());
  ASSERT_EQ(missing.problems.size(), 1u);
  EXPECT_EQ(missing.problems[0].Text(), path.string() + ": cannot be read");
  EXPECT_EQ(fixture.catalogue.GetCategory(0).UnitCount(), 3);
}

}  // namespace

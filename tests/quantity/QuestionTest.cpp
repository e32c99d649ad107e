// Questions: the grammar, positions of faults, split and exact answers.
#include <gtest/gtest.h>

#include "quantity/Question.h"

namespace {

using quantity::EQuantityError;

const quantity::UnitTable& Table() {
  static quantity::UnitTable table;
  static const bool loaded = [] {
    const auto problems = table.LoadFile(QUANTITY_DEFINITIONS_FILE);
    EXPECT_TRUE(problems.empty()) << problems.front().Text();
    return true;
  }();
  (void)loaded;
  return table;
}

std::string Ask(const char* question) { return quantity::Ask(Table(), question).Text(); }

int32_t FaultAt(const char* question) {
  try {
    quantity::Ask(Table(), question);
  } catch (const EQuantityError& error) {
    return error.Position();
  }
  return -1;
}

TEST(Question, PrecedenceJuxtapositionBeforeDivision) {
  EXPECT_EQ(Ask("3 kWh / 2 h to W"), "1500");
  EXPECT_EQ(Ask("1 J/kg K to J/(kg K)"), "1");
  EXPECT_EQ(Ask("1/1000 kg to g"), "1");  // a fraction of numbers binds first
  EXPECT_EQ(Ask("2^3 m to m"), "8");
  EXPECT_EQ(Ask("-2 m^2 to m²"), "-2");
  EXPECT_EQ(Ask("1 m squared to ft^2"), "10.7639104167097223");
  EXPECT_EQ(Ask("1 m**3 to L"), "1000");
  EXPECT_EQ(Ask("1 m·kg to kg m"), "1");
  EXPECT_EQ(Ask("10 m per s to m/s"), "10");
  EXPECT_EQ(Ask("(1 ft + 1 in) * 2 to in"), "26");
}

TEST(Question, WithoutAUnitAskedForTheAnswerIsInBaseUnits) {
  EXPECT_EQ(Ask("1 N"), "1 m kg/s^2");
  EXPECT_EQ(Ask("2 * 3"), "6");
  EXPECT_EQ(Ask("1 ft / 1 m"), "0.3048");
}

TEST(Question, FaultsCarryTheirPosition) {
  EXPECT_EQ(FaultAt("3 furlongz"), 3);
  EXPECT_EQ(FaultAt("1 m to s"), 8);
  EXPECT_EQ(FaultAt("1 m +"), 6);
  EXPECT_EQ(FaultAt("1 m + 1 s"), 5);
  EXPECT_EQ(FaultAt("(1 m"), 5);
  EXPECT_EQ(FaultAt("1 m ^ 1.5"), 7);
  EXPECT_EQ(FaultAt("1 m # 2"), 5);
  EXPECT_EQ(FaultAt("1 m to ft;"), 11);  // the missing unit, at the end
  EXPECT_EQ(FaultAt(""), 1);
  EXPECT_EQ(FaultAt("1 m / 0"), 5);
  // Deep nesting is refused, not a stack overflow.
  const std::string deep = std::string(5000, '(') + "1" + std::string(5000, ')');
  EXPECT_THROW(quantity::Ask(Table(), deep), EQuantityError);
  const std::string signs = std::string(5000, '-') + "1";
  EXPECT_THROW(quantity::Ask(Table(), signs), EQuantityError);
  EXPECT_THROW(quantity::Ask(Table(), "1e99999 m"), EQuantityError);
}

TEST(Question, SplitAndExactAnswers) {
  const quantity::Answer split = quantity::Ask(Table(), "1.8 m to ft;in");
  ASSERT_EQ(split.parts.size(), 2u);
  EXPECT_EQ(split.parts[0].amount, 5);
  EXPECT_EQ(split.parts[0].unit, "ft");
  EXPECT_EQ(split.parts[1].amount, mpq_class(1380, 127));
  EXPECT_EQ(split.ExactText(), "5 ft 1380/127 in");
  EXPECT_EQ(quantity::Ask(Table(), "1 m to ft").ExactText(), "1250/381");
  EXPECT_EQ(quantity::Ask(Table(), "1,5 m to cm", ',').Text(','), "150");
}

TEST(Question, ConvertTakesAnExactAmount) {
  EXPECT_EQ(quantity::Convert(Table(), mpq_class(1, 3), "ft", "in").ExactText(), "4");
  EXPECT_EQ(quantity::Convert(Table(), -40, "°F", "°C").Text(), "-40");
  EXPECT_THROW(quantity::Convert(Table(), 1, "ft", "s"), EQuantityError);
}

}  // namespace

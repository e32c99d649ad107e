// EvaluateExpression against the literal rewriting model on random entries
// built from the pieces users type and the pieces that trip the rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "evaluation/PMisc.h"
#include "fuzz/EvaluationFuzz.h"
#include "fuzz/ReferenceEvaluator.h"
#include "tests/support/Localized.h"

namespace {

const std::vector<std::string> kPieces = {"1",       "2",
                                          "0",       "7",
                                          "3.5",     "0.1",
                                          ".",       "1E3",
                                          "2e-1",    "2E",
                                          "e",       "pi",
                                          "E",       "sin",
                                          "abs",     "cos",
                                          "ln",      "sqrt",
                                          "int",     "round",
                                          "!",       "$ff",
                                          "$",       "-",
                                          "-",       "--",
                                          "+",       "*",
                                          "/",       "%",
                                          "^",       "=",
                                          "|",       "&",
                                          "(",       "(",
                                          ")",       ")",
                                          " ",       "\t",
                                          "\x9B",    "~",
                                          "x",       "1.18973149535723176502E4932",
                                          "1e-4940", "9223372036854775807",
                                          "1e300",   "0.333333333333333333"};

const std::vector<std::string> kNumbers = {
    "1",  "2",   "3",    "0", "7",  "2.5", "0.1",
    "10", "1E3", "2e-1", "e", "pi", "$ff", "9223372036854775807"};
const std::vector<std::string> kFunctions = {"sin", "abs", "int", "sqrt", "ln", "round", "cos"};
const std::vector<std::string> kOperators = {"+", "-", "*", "/", "%", "^", "=", "|", "&", "--"};

// Mostly well-formed entries: operands joined by operators, with signs,
// function names, factorials and nested groups.
class EntryMaker {
 public:
  explicit EntryMaker(unsigned seed) : random_(seed) {}

  std::string Expression(int depth) {
    std::string text = Operand(depth);
    for (int n = Below(4); n > 0; --n) text += Pick(kOperators) + Operand(depth);
    return text;
  }

  std::string Noise() {
    std::string text;
    for (int n = 1 + Below(14); n > 0; --n) text += Pick(kPieces);
    return text;
  }

  int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

 private:
  std::string Operand(int depth) {
    std::string text = Below(5) == 0 ? "-" : "";
    if (Below(6) == 0) text += Pick(kFunctions);
    text += depth < 3 && Below(4) == 0 ? "(" + Expression(depth + 1) + ")" : Pick(kNumbers);
    if (Below(10) == 0) text += "!";
    return text;
  }

  const std::string& Pick(const std::vector<std::string>& list) {
    return list[random_() % list.size()];
  }

  std::mt19937 random_;
};

TEST(Differential, MatchesTheRewritingModelOnRandomEntries) {
  EntryMaker maker(1208);
  int values = 0;
  const int trials = 30000;
  for (int trial = 0; trial < trials; ++trial) {
    std::string entry = trial % 3 == 0 ? maker.Noise() : maker.Expression(0);
    if (trial % 3 == 1)
      entry.insert(static_cast<size_t>(maker.Below(static_cast<int>(entry.size()) + 1)),
                   kPieces[static_cast<size_t>(maker.Below(static_cast<int>(kPieces.size())))]);
    entry = testsupport::Localized(entry);
    const std::string fast = fuzzing::OutcomeOf([&] { return PMisc::EvaluateExpression(entry); });
    const std::string model =
        fuzzing::OutcomeOf([&] { return fuzzing::ReferenceEvaluateExpression(entry); });
    ASSERT_EQ(fast, model) << "entry: " << entry;
    values += fast.starts_with("value");
  }
  EXPECT_GT(values, trials / 4);  // the mix yields values, not only errors
}

}  // namespace

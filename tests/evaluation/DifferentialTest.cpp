// EvaluateExpression and EvaluateTerm against the independent reference
// evaluator on random entries built from the pieces users type and the
// pieces that trip the rules.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <sstream>
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

// The evaluator's outcome for a text, which must be the reference's.
std::string CheckedOutcome(const std::string& text, bool term) {
  const std::string fast = fuzzing::OutcomeOf(
      [&] { return term ? PMisc::EvaluateTerm(text) : PMisc::EvaluateExpression(text); });
  const std::string model = fuzzing::OutcomeOf([&] {
    return term ? fuzzing::ReferenceEvaluateTerm(text) : fuzzing::ReferenceEvaluateExpression(text);
  });
  EXPECT_EQ(fast, model) << (term ? "term: " : "entry: ") << text;
  return fast;
}

TEST(Differential, MatchesTheRewritingModelOnRandomEntries) {
  EntryMaker maker(1208);
  int values = 0;
  const int trials = 30000;
  for (int trial = 0; trial < trials; ++trial) {
    std::string entry = trial % 3 == 0 ? maker.Noise() : maker.Expression(0);
    if (trial % 3 == 1)
      entry.insert(static_cast<size_t>(maker.Below(static_cast<int>(entry.size()) + 1)),
                   kPieces[static_cast<size_t>(maker.Below(static_cast<int>(kPieces.size())))]);
    values += CheckedOutcome(testsupport::Localized(entry), false).starts_with("value");
    ASSERT_FALSE(HasFailure());
  }
  EXPECT_GT(values, trials / 4);  // the mix yields values, not only errors
}

// Terms alone: every function name, factorials, signs and number forms, met
// in every order.
std::vector<std::string> Words(const std::string& text) {
  std::istringstream words(text);
  return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

const std::vector<std::string> kTermPieces = Words(
    "arctanh arctan cotan tanh tan arccosh arccos cosh cosec cos sec arcsinh arcsin sinh sin csc "
    "abs frac int ln round ceil floor log sqrt ! $ - -- 1 0 2.5 0.5 7 . e E pi PI ff 1e3 e-2 1754 "
    "9223372036854775807.5 1e19 2147483647.5 x");

TEST(Differential, TermsMatchTheReference) {
  std::mt19937 random(2026);
  int values = 0;
  const int trials = 30000;
  for (int trial = 0; trial < trials; ++trial) {
    std::string term;
    for (int n = 1 + static_cast<int>(random() % 6); n > 0; --n) {
      term += kTermPieces[random() % kTermPieces.size()];
    }
    values += CheckedOutcome(testsupport::Localized(term), true).starts_with("value");
    ASSERT_FALSE(HasFailure());
  }
  EXPECT_GT(values, trials / 20);  // not only errors
}

}  // namespace

// EvaluateTerm, the function table, factorials and the name recogniser.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/evaluation/Outcome.h"

namespace {

using evaltest::Assign;
using evaltest::Decimal;
using evaltest::kInvalidOp;
using evaltest::kOverflow;
using evaltest::kZeroDivide;
using evaltest::Outcome;
using evaltest::TermOutcome;
using evaltest::Value;
using rtl::Extended;

const std::string kInvalidCharacters = Assign("invalid character(s) in expression");

// Arguments the compiler cannot fold: expected values come from the same
// run-time library the evaluator calls.
volatile Extended one = 1;
volatile Extended two = 2;
volatile Extended thousand = 1000;

TEST(EvaluateTerm, NormalisesMinusPairsAndCapitals) {
  EXPECT_EQ(TermOutcome("--5"), Value(5));
  EXPECT_EQ(TermOutcome("---5"), Value(-5));
  EXPECT_EQ(TermOutcome("SIN1"), Value(std::sin(1.0L)));
  EXPECT_EQ(TermOutcome("-PI"), Value(-std::numbers::pi_v<Extended>));
  EXPECT_EQ(TermOutcome("-E"), Value(-std::exp(1.0L)));
  EXPECT_EQ(TermOutcome("+5"), Value(5));
  EXPECT_EQ(TermOutcome("2E-"), Value(2));
  EXPECT_EQ(TermOutcome(""), kInvalidCharacters);
  EXPECT_EQ(TermOutcome("1+2"), kInvalidCharacters);
  EXPECT_EQ(TermOutcome("-sin1"), kInvalidCharacters);
  EXPECT_EQ(TermOutcome("sin"), kInvalidCharacters);
  EXPECT_EQ(TermOutcome("!"), kInvalidCharacters);
}

TEST(Functions, TrigonometryAndItsInverses) {
  const Extended pi = std::numbers::pi_v<Extended>;
  EXPECT_EQ(TermOutcome("cos0"), Value(1));
  EXPECT_EQ(TermOutcome("tan1"), Value(std::tan(one)));
  EXPECT_EQ(TermOutcome("sec0"), Value(1));
  EXPECT_EQ(TermOutcome("cosec1"), Value(1 / std::sin(one)));
  EXPECT_EQ(TermOutcome("cotan1"), Value(1 / std::tan(one)));
  EXPECT_EQ(TermOutcome("arctan1"), Value(std::atan(one)));
  EXPECT_EQ(TermOutcome("arcsin1"), Value(pi / 2));
  EXPECT_EQ(TermOutcome("arccos-1"), Value(pi));
  EXPECT_EQ(TermOutcome("arccos1"), Value(0));
  EXPECT_EQ(TermOutcome("arcsin1.5"), kInvalidOp);
  EXPECT_EQ(TermOutcome("arccos-2"), kInvalidOp);
  EXPECT_EQ(TermOutcome("arcsin1e3000"), kInvalidOp);
  EXPECT_EQ(TermOutcome("cosec0"), kZeroDivide);
  EXPECT_EQ(TermOutcome("csc0"), kZeroDivide);
  EXPECT_EQ(TermOutcome("cotan0"), kZeroDivide);
}

TEST(Functions, Hyperbolic) {
  const Extended h = std::exp(1.0L) / 2;
  EXPECT_EQ(TermOutcome("sinh1"), Value(h - 0.25L / h));
  EXPECT_EQ(TermOutcome("cosh1"), Value(h + 0.25L / h));
  EXPECT_EQ(TermOutcome("tanh6000"), Value(1));
  EXPECT_EQ(TermOutcome("tanh-6000"), Value(-1));
  EXPECT_EQ(TermOutcome("tanh0"), Value(0));
  EXPECT_EQ(TermOutcome("sinh20000"), kOverflow);
  EXPECT_EQ(TermOutcome("cosh20000"), kOverflow);
  EXPECT_EQ(TermOutcome("sinh-20000"), kZeroDivide);  // e^x / 2 underflows to 0
  EXPECT_EQ(TermOutcome("arcsinh0"), Value(0));
  EXPECT_EQ(TermOutcome("arcsinh-1"), Value(-std::log(2 + 1 / (1 + std::sqrt(2.0L)))));
  EXPECT_EQ(TermOutcome("arcsinh1e20"), Value(std::log(2.0L) + std::log(1e20L)));
  EXPECT_EQ(Outcome("arccosh(0.5)"), Value(0));
  EXPECT_EQ(TermOutcome("arccosh1e20"), Value(std::log(2.0L) + std::log(1e20L)));
  EXPECT_EQ(Outcome("arctanh(1)"), Value(Decimal("1.1E4932")));
  EXPECT_EQ(TermOutcome("arctanh-2"), Value(-Decimal("1.1E4932")));
  EXPECT_EQ(TermOutcome("arctanh0"), Value(0));
}

TEST(Functions, IntegerParts) {
  EXPECT_EQ(Outcome("round(2.5)"), Value(2));
  EXPECT_EQ(Outcome("round(3.5)"), Value(4));
  EXPECT_EQ(Outcome("round(-2.5)"), Value(-2));
  EXPECT_EQ(Outcome("int(-2.7)"), Value(-2));
  EXPECT_EQ(Outcome("int(1e30)"), Value(1e30L));
  EXPECT_EQ(Outcome("frac(-2.5)"), Value(-0.5));
  EXPECT_EQ(Outcome("ceil(-2.7)"), Value(-2));
  EXPECT_EQ(Outcome("ceil(2.2)"), Value(3));
  EXPECT_EQ(Outcome("floor(-2.7)"), Value(-3));
  EXPECT_EQ(Outcome("floor(2.7)"), Value(2));
  // 32-bit results: the low half of the 64-bit truncation, wrapping around.
  EXPECT_EQ(Outcome("ceil(2147483647.5)"), Value(-2147483648.0L));
  EXPECT_EQ(Outcome("floor(-2147483648.5)"), Value(2147483647));
  EXPECT_EQ(Outcome("ceil(4294967296)"), Value(0));
  EXPECT_EQ(Outcome("round(9223372036854775808)"), kInvalidOp);
  // 2^63 - 0.5 is below the bound but rounds to 2^63.
  EXPECT_EQ(TermOutcome("round9223372036854775807.5"), kInvalidOp);
  EXPECT_EQ(TermOutcome("round9223372036854775806.5"), Value(9223372036854775806.0L));
  EXPECT_EQ(TermOutcome("round-9223372036854775807.5"), Value(-9223372036854775808.0L));
  EXPECT_EQ(Outcome("ceil(1e19)"), kInvalidOp);
  EXPECT_EQ(Outcome("floor(-1e19)"), kInvalidOp);
  EXPECT_EQ(Outcome("abs(-3)"), Value(3));
}

TEST(Functions, LogarithmsAndRoots) {
  EXPECT_EQ(TermOutcome("ln1"), Value(0));
  EXPECT_EQ(TermOutcome("lne"), Value(std::log(std::exp(1.0L))));
  EXPECT_EQ(TermOutcome("log1000"), Value(std::log10(thousand)));
  EXPECT_EQ(TermOutcome("sqrt16"), Value(4));
  EXPECT_EQ(TermOutcome("ln0"), kZeroDivide);
  EXPECT_EQ(TermOutcome("log0"), kZeroDivide);
  EXPECT_EQ(TermOutcome("ln-1"), kInvalidOp);
  EXPECT_EQ(TermOutcome("log-1"), kInvalidOp);
  EXPECT_EQ(TermOutcome("sqrt-1"), kInvalidOp);
}

TEST(Functions, LongestNameWins) {
  EXPECT_EQ(TermOutcome("arctanh0.5"), Value(0.5L * std::log(1 + two)));
  EXPECT_EQ(TermOutcome("cosec2"), Value(1 / std::sin(two)));
  EXPECT_EQ(TermOutcome("cosh0"), Value(1));
  const Extended y = std::exp(1.0L) * std::exp(1.0L);
  EXPECT_EQ(TermOutcome("tanh1"), Value((y - 1) / (y + 1)));
}

TEST(Power, IntegralExponentsMultiplyAndOthersUseLogarithms) {
  EXPECT_EQ(Outcome("2^10"), Value(1024));
  EXPECT_EQ(Outcome("2^-2"), Value(0.25));
  EXPECT_EQ(Outcome("(-2)^3"), Value(-8));
  EXPECT_EQ(Outcome("0^5"), Value(0));
  EXPECT_EQ(Outcome("0^0.5"), Value(0));
  EXPECT_EQ(Outcome("1.5^2147483647"), kOverflow);
  EXPECT_EQ(Outcome("10^-5000"), kOverflow);  // 10^5000 is formed first
  EXPECT_EQ(Outcome("(-2)^0.5"), kInvalidOp);
  EXPECT_EQ(Outcome("0.5^2147483648"), Value(0));
}

TEST(Factorial, PublicFunction) {
  EXPECT_EQ(PMisc::Factorial(0), 1);
  EXPECT_EQ(PMisc::Factorial(-0.0L), 1);
  EXPECT_EQ(PMisc::Factorial(10), 3628800);
  EXPECT_EQ(PMisc::Factorial(-4), -24);
  EXPECT_THROW(PMisc::Factorial(0.5), PMisc::EAssignError);
  EXPECT_THROW(PMisc::Factorial(1755), rtl::EOverflow);
  EXPECT_THROW(PMisc::Factorial(1e30L), rtl::EOverflow);
  EXPECT_EQ(PMisc::Secant(0), 1);
  EXPECT_EQ(PMisc::Cosecant(std::numbers::pi_v<Extended> / 2), 1);
  EXPECT_THROW(PMisc::Cosecant(0), rtl::EZeroDivide);
}

TEST(IsFunctionName, MatchesWholeNamesInAnyCase) {
  for (const char* name :
       {"arctanh", "arctan", "cotan", "tanh",    "tan",    "arccosh", "arccos", "cosh",
        "cosec",   "cos",    "sec",   "arcsinh", "arcsin", "sinh",    "sin",    "csc",
        "abs",     "frac",   "int",   "ln",      "round",  "ceil",    "floor",  "log",
        "sqrt",    "!",      "$",     "SIN",     "ArcTanh"}) {
    EXPECT_TRUE(PMisc::IsFunctionName(name)) << name;
  }
  for (const char* text : {"", "si", "sin1", "sinx", "pi", "e", "exp", "arctanhh", " sin"}) {
    EXPECT_FALSE(PMisc::IsFunctionName(text)) << text;
  }
}

}  // namespace

// EvaluateExpression: operators, groups, minus classification, errors and the
// 18-digit rewriting of intermediate results.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "tests/evaluation/Outcome.h"

namespace {

using evaltest::Assign;
using evaltest::Decimal;
using evaltest::kDivByZero;
using evaltest::kInvalidOp;
using evaltest::kOverflow;
using evaltest::kZeroDivide;
using evaltest::Outcome;
using evaltest::Rounded;
using evaltest::Value;
using rtl::Extended;

const std::string kBlank = Assign("entry cannot be blank");
const std::string kMismatch = Assign("() (parentheses) do not match");
const std::string kInvalidExpression = Assign("invalid expression");
const std::string kInvalidCharacters = Assign("invalid character(s) in expression");
const std::string kInvalidHex = Assign("invalid use of $ (hex function)");
const std::string kNotInteger = Assign("! (factoral) applicable to integers only");
const std::string kTooDeep = Assign("entry is nested too deeply");

TEST(Operators, ApplyInFourLeftAssociativePasses) {
  EXPECT_EQ(Outcome("2+3*4"), Value(14));
  EXPECT_EQ(Outcome("2^3^2"), Value(64));
  EXPECT_EQ(Outcome("-2^2"), Value(4));
  EXPECT_EQ(Outcome("2^-1"), Value(0.5));
  EXPECT_EQ(Outcome("0^0"), Value(1));
  EXPECT_EQ(Outcome("10-4-3"), Value(3));
  EXPECT_EQ(Outcome("64/4/2"), Value(8));
  EXPECT_EQ(Outcome("1+1=2"), Value(1));
  EXPECT_EQ(Outcome("1+1=3"), Value(0));
  EXPECT_EQ(Outcome("2*3=6|0"), Value(0));  // "=" is the last pass: 6 = (6|0)
}

TEST(Operators, RemainderTruncatesBothSidesAndTakesTheDividendsSign) {
  EXPECT_EQ(Outcome("7%3"), Value(1));
  EXPECT_EQ(Outcome("-7%3"), Value(-1));
  EXPECT_EQ(Outcome("7%-3"), Value(1));
  EXPECT_EQ(Outcome("7.9%3"), Value(1));
  EXPECT_EQ(Outcome("7%0"), kDivByZero);
  EXPECT_EQ(Outcome("7%0.5"), kDivByZero);
}

// The extreme dividend with a divisor of -1 overflows a processor's integer
// division; its remainder is 0. -2^63 truncates into the 64-bit range and is
// a valid operand; anything beyond the range is an invalid operation.
TEST(Operators, RemainderAtTheEndsOfTheIntegerRange) {
  EXPECT_EQ(Outcome("-9223372036854775807%-1"), Value(0));
  EXPECT_EQ(Outcome("9223372036854775807%-1"), Value(0));
  EXPECT_EQ(Outcome("-9223372036854775807%2"), Value(-1));
  EXPECT_EQ(Outcome("-9223372036854775808%-1"), Value(0));
  EXPECT_EQ(Outcome("-9223372036854775808%3"), Value(-2));
  EXPECT_EQ(Outcome("-9223372036854775808%-9223372036854775808"), Value(0));
  EXPECT_EQ(Outcome("7%-9223372036854775808"), Value(7));
  EXPECT_EQ(Outcome("-9223372036854775809%3"), kInvalidOp);
  EXPECT_EQ(Outcome("9223372036854775808%3"), kInvalidOp);
  EXPECT_EQ(Outcome("5%9223372036854775808"), kInvalidOp);
  EXPECT_EQ(Outcome("9223372036854775808%0"), kInvalidOp);  // truncation comes first
  EXPECT_EQ(Outcome("-9223372036854775808%0"), kDivByZero);
}

TEST(Operators, LogicalOperatorsGiveOneOrZero) {
  EXPECT_EQ(Outcome("1&0"), Value(0));
  EXPECT_EQ(Outcome("0&1"), Value(0));
  EXPECT_EQ(Outcome("2&3"), Value(1));
  EXPECT_EQ(Outcome("2|0"), Value(1));
  EXPECT_EQ(Outcome("0|0"), Value(0));
  EXPECT_EQ(Outcome("0|5"), Value(1));
  EXPECT_EQ(Outcome("1|abc"), Value(1));  // the right side is never read
  EXPECT_EQ(Outcome("0|abc"), kInvalidCharacters);
  EXPECT_EQ(Outcome("1&abc"), kInvalidCharacters);
  EXPECT_EQ(Outcome("1|2*abc"), kInvalidCharacters);  // "*" is reduced before "|"
}

TEST(Operators, TypedCode155IsSubtraction) {
  EXPECT_EQ(Outcome("5\x9B"
                    "3"),
            Value(2));
  EXPECT_EQ(Outcome("5\x9B-3"), Value(8));
}

TEST(Groups, AreReplacedByTheTextOfTheirValue) {
  EXPECT_EQ(Outcome("2(3)"), Value(23));
  EXPECT_EQ(Outcome("(1)(2)"), Value(12));
  EXPECT_EQ(Outcome("2(-3)"), Value(-1));
  EXPECT_EQ(Outcome("( 1 + 2 ) * 3"), Value(9));
  EXPECT_EQ(Outcome("1 000"), Value(1000));
  EXPECT_EQ(Outcome("1\t0 0"), Value(100));
  EXPECT_EQ(Outcome("3-(1-2)"), Value(4));
  EXPECT_EQ(Outcome("((2+3)*(4-1))^2"), Value(225));
  EXPECT_EQ(Outcome("(1.5)(2)"), Value(Decimal("1.52")));
  EXPECT_EQ(Outcome("(1/4)2"), Value(Decimal("0.252")));
  EXPECT_EQ(Outcome("(2^70)"), Value(Decimal("1.18059162071741130E21")));
  EXPECT_EQ(Outcome("(1E-20)+1"), Value(1));
}

TEST(Minus, IsASignOrSubtractionByWhatPrecedesIt) {
  EXPECT_EQ(Outcome("--5"), Value(5));
  EXPECT_EQ(Outcome("5--3"), Value(8));
  EXPECT_EQ(Outcome("2*-3"), Value(-6));
  EXPECT_EQ(Outcome("12+-3/4"), Value(11.25));
  EXPECT_EQ(Outcome("e-1"), kInvalidCharacters);  // a sign after e
  EXPECT_EQ(Outcome("E-1"), kInvalidCharacters);
  EXPECT_EQ(Outcome("e+-1"), Value(Rounded(std::exp(1.0L) - 1)));
  EXPECT_EQ(Outcome("2e-1"), Value(Decimal("0.2")));
  EXPECT_EQ(Outcome("2E+3"), Value(5));  // 2E reads as 2
  EXPECT_EQ(Outcome("sin-1"), Value(std::sin(-1.0L)));
  EXPECT_EQ(Outcome("SIN-1"), Value(std::sin(-1.0L)));
  EXPECT_EQ(Outcome("abs-5"), Value(5));
  EXPECT_EQ(Outcome("2*sin(-1)"), kInvalidCharacters);  // 2*sin-1 subtracts 1 from "sin"
  EXPECT_EQ(Outcome("2*(sin(-1))"), Value(Rounded(2 * Rounded(std::sin(-1.0L)))));
  EXPECT_EQ(Outcome("-sin(1)"), kInvalidCharacters);
  EXPECT_EQ(Outcome("-(sin(1))"), Value(-Rounded(std::sin(1.0L))));
  EXPECT_EQ(Outcome("$-1"), kInvalidHex);  // "$" alone counts as a name
}

TEST(Terms, FunctionsApplyToTheTermThatFollows) {
  EXPECT_EQ(Outcome("sin2*3"), Value(Rounded(std::sin(2.0L) * 3)));
  const Extended h = std::exp(2.0L) / 2;
  EXPECT_EQ(Outcome("sinh2"), Value(h - 0.25L / h));  // not sin(h2)
  EXPECT_EQ(Outcome("sin3!"), Value(std::sin(6.0L)));
  EXPECT_EQ(Outcome("cosec(pi/2)"), Value(1));
  EXPECT_EQ(Outcome("csc(pi/2)"), Value(1));
  EXPECT_EQ(Outcome("sinsin1"), Value(std::sin(std::sin(1.0L))));
  EXPECT_EQ(Outcome("sin--1"), Value(std::sin(1.0L)));
}

TEST(Factorials, OfIntegersOnly) {
  EXPECT_EQ(Outcome("5!"), Value(120));
  EXPECT_EQ(Outcome("0!"), Value(1));
  EXPECT_EQ(Outcome("-3!"), Value(-6));
  EXPECT_EQ(Outcome("3!+1"), Value(7));
  EXPECT_EQ(Outcome("3!!"), Value(720));
  EXPECT_EQ(Outcome("abs-3!"), Value(6));
  EXPECT_EQ(Outcome("2.5!"), kNotInteger);
  EXPECT_EQ(Outcome("pi!"), kNotInteger);
  EXPECT_TRUE(std::isfinite(PMisc::EvaluateExpression("1754!")));
  EXPECT_EQ(Outcome("1755!"), kOverflow);
}

TEST(Hex, ReadsSigned32BitIntegers) {
  EXPECT_EQ(Outcome("$ff"), Value(255));
  EXPECT_EQ(Outcome("$FF"), Value(255));
  EXPECT_EQ(Outcome("$FFFFFFFF"), Value(-1));
  EXPECT_EQ(Outcome("$7fffffff"), Value(2147483647));
  EXPECT_EQ(Outcome("$80000000"), Value(-2147483648.0L));
  EXPECT_EQ(Outcome("$000000001"), Value(1));  // eight significant digits at most
  EXPECT_EQ(Outcome("$10+1"), Value(17));
  EXPECT_EQ(Outcome("$123456789"), kInvalidHex);
  EXPECT_EQ(Outcome("$g"), kInvalidHex);
  EXPECT_EQ(Outcome("$"), kInvalidHex);
  EXPECT_EQ(Outcome("$1.5"), kInvalidHex);
}

TEST(Errors, ReasonsForEntriesThatCannotBeRead) {
  EXPECT_EQ(Outcome(""), kBlank);
  EXPECT_EQ(Outcome("()"), kBlank);
  EXPECT_EQ(Outcome("( \t)"), kBlank);
  EXPECT_EQ(Outcome("1+()"), kBlank);
  EXPECT_EQ(Outcome("   "), kInvalidExpression);
  EXPECT_EQ(Outcome("1+"), kInvalidExpression);
  EXPECT_EQ(Outcome("2*"), kInvalidExpression);
  EXPECT_EQ(Outcome(")("), kMismatch);
  EXPECT_EQ(Outcome("(1))"), kMismatch);
  EXPECT_EQ(Outcome("(1"), kInvalidCharacters);
  EXPECT_EQ(Outcome("1++2"), kInvalidCharacters);
  EXPECT_EQ(Outcome("+1"), kInvalidCharacters);
  EXPECT_EQ(Outcome("abc"), kInvalidCharacters);
  EXPECT_EQ(Outcome("sin"), kInvalidCharacters);
  EXPECT_EQ(Outcome("1e5000"), kInvalidCharacters);
  EXPECT_EQ(Outcome("1.2.3"), kInvalidCharacters);
}

TEST(Errors, ArithmeticFaultsKeepTheirOwnClasses) {
  EXPECT_EQ(Outcome("sqrt(-1)"), kInvalidOp);
  EXPECT_EQ(Outcome("0/0"), kInvalidOp);
  EXPECT_EQ(Outcome("(-8)^(1/3)"), kInvalidOp);
  EXPECT_EQ(Outcome("1/0"), kZeroDivide);
  EXPECT_EQ(Outcome("ln(0)"), kZeroDivide);
  EXPECT_EQ(Outcome("cotan(0)"), kZeroDivide);
  EXPECT_EQ(Outcome("0^-1"), kZeroDivide);
  EXPECT_EQ(Outcome("0^-0.5"), kZeroDivide);
  EXPECT_EQ(Outcome("1E4000*1E4000"), kOverflow);
  EXPECT_EQ(Outcome("10^5000"), kOverflow);
}

// Which of several faults is reported follows the order of evaluation: groups
// from the first ")" on, then the passes, each from left to right, and
// within an operator its left side before its right side.
TEST(Errors, TheFirstFaultInEvaluationOrderWins) {
  EXPECT_EQ(Outcome("abc+(1/0)"), kZeroDivide);
  EXPECT_EQ(Outcome("(1+)*(1/0)"), kInvalidExpression);
  EXPECT_EQ(Outcome("()+1)"), kBlank);
  EXPECT_EQ(Outcome("1)+()"), kMismatch);
  EXPECT_EQ(Outcome("abc+1/0"), kZeroDivide);
  EXPECT_EQ(Outcome("abc*1+1/0"), kInvalidCharacters);
  EXPECT_EQ(Outcome("$g*1/0"), kInvalidHex);
  EXPECT_EQ(Outcome("1/0*$g"), kZeroDivide);
  EXPECT_EQ(Outcome("2^abc*1/0"), kInvalidCharacters);
  EXPECT_EQ(Outcome("$g*abc"), kInvalidHex);
  EXPECT_EQ(Outcome("abc*$g"), kInvalidCharacters);
  EXPECT_EQ(Outcome("1+"), kInvalidExpression);
  EXPECT_EQ(Outcome("(abc)+"), kInvalidCharacters);
}

TEST(Precision, ALoneTermKeepsFullPrecision) {
  const Extended pi = std::numbers::pi_v<Extended>;
  EXPECT_EQ(rtl::BitsOf(pi), (rtl::ExtendedBits{0x4000, 0xC90FDAA22168C235}));
  EXPECT_EQ(Outcome("pi"), Value(rtl::ExtendedFromBits(0x4000, 0xC90FDAA22168C235)));
  EXPECT_EQ(Outcome("PI"), Value(pi));
  EXPECT_EQ(Outcome("Pi"), Value(pi));
  EXPECT_EQ(Outcome("-pi"), Value(-pi));
  EXPECT_EQ(Outcome("e"), Value(std::exp(1.0L)));
  EXPECT_EQ(Outcome("sin1"), Value(std::sin(1.0L)));
  EXPECT_EQ(Outcome("0.1"), Value(Decimal("0.1")));
}

TEST(Precision, IntermediateResultsPassThroughEighteenDigits) {
  EXPECT_EQ(Outcome("pi*1"), Value(Decimal("3.14159265358979324")));
  EXPECT_EQ(Outcome("pi+0"), Value(Decimal("3.14159265358979324")));
  EXPECT_EQ(Outcome("1/3"), Value(Decimal("0.333333333333333333")));
  EXPECT_EQ(Outcome("1/3*3"), Value(Decimal("0.999999999999999999")));
  EXPECT_EQ(Outcome("2^0.5"), Value(Rounded(std::exp(0.5L * std::log(2.0L)))));
  EXPECT_EQ(Outcome("-1*0"), Value(0));  // "0": the sign of zero is not written
  EXPECT_EQ(Outcome("1E-4940*1"), Value(Decimal("1E-4940")));
}

// The largest extended value written with 18 digits reads back beyond the
// range, which fails only when the result is read.
TEST(Precision, AResultNextToTheLargestValueFailsWhenReadBack) {
  const std::string largest = "1.18973149535723176502E4932";
  EXPECT_EQ(Outcome(largest), Value(std::numeric_limits<Extended>::max()));
  EXPECT_EQ(Outcome(largest + "*1"), kInvalidCharacters);
  EXPECT_EQ(Outcome("(" + largest + ")"), kInvalidCharacters);
  EXPECT_EQ(Outcome("1|" + largest + "*1"), Value(1));
  EXPECT_EQ(Outcome(largest + "*1|1"), kInvalidCharacters);
}

TEST(Separator, CommaReadsAndWritesNumbers) {
  evaltest::SeparatorGuard comma(',');
  EXPECT_EQ(Outcome("2,5*2"), Value(5));
  EXPECT_EQ(PMisc::EvaluateExpression("2,5*2"), 5);
  EXPECT_EQ(PMisc::EvaluateExpression("(1,5)(2)"), Decimal("1.52"));
  EXPECT_EQ(PMisc::EvaluateExpression("(1/4)2"), Decimal("0.252"));
  EXPECT_EQ(PMisc::EvaluateExpression("1,5E-7"), Decimal("1.5E-7"));
  EXPECT_EQ(PMisc::EvaluateExpression(","), 0);
  EXPECT_THROW(PMisc::EvaluateExpression("2.5"), PMisc::EAssignError);
}

TEST(Separator, DotReadsAndWritesNumbers) {
  evaltest::SeparatorGuard dot('.');
  EXPECT_EQ(PMisc::EvaluateExpression("(1.5)(2)"), Decimal("1.52"));
  EXPECT_EQ(PMisc::EvaluateExpression("."), 0);
  EXPECT_EQ(PMisc::EvaluateExpression("5."), 5);
  EXPECT_EQ(PMisc::EvaluateExpression(".5"), 0.5);
  EXPECT_THROW(PMisc::EvaluateExpression("2,5"), PMisc::EAssignError);
}

TEST(Nesting, DeepGroupsFailWithAnError) {
  const int limit = PMisc::kMaxNesting;
  auto nested = [](int depth) {
    return std::string(static_cast<size_t>(depth), '(') + "1" +
           std::string(static_cast<size_t>(depth), ')');
  };
  EXPECT_EQ(Outcome(nested(limit)), Value(1));
  EXPECT_EQ(Outcome(nested(limit + 1)), kTooDeep);
  EXPECT_EQ(Outcome(nested(100000)), kTooDeep);
  // A "(" that nothing closes opens no level.
  EXPECT_EQ(Outcome("1|" + std::string(100000, '(') + "(1)"), Value(1));
}

TEST(Nesting, LongChainsOfFunctionsFailWithAnError) {
  const auto limit = static_cast<size_t>(PMisc::kMaxNesting);
  auto chain = [](size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += "abs";
    return text + "1";
  };
  EXPECT_EQ(Outcome(chain(limit)), Value(1));
  EXPECT_EQ(Outcome(chain(limit + 1)), kTooDeep);
  EXPECT_EQ(Outcome(chain(100000)), kTooDeep);
  EXPECT_EQ(Outcome("1" + std::string(limit, '!')), Value(1));
  EXPECT_EQ(Outcome("3" + std::string(100000, '!')), kTooDeep);
  EXPECT_EQ(Outcome("sin" + std::string(100000, '-') + "1"), Value(std::sin(1.0L)));
}

// Long entries evaluate correctly (and in time linear in their length).
TEST(Scaling, LongEntries) {
  std::string sum = "1";
  for (int i = 1; i < 100000; ++i) sum += i % 2 ? "+2*1" : "+1";
  EXPECT_EQ(Outcome(sum), Value(1 + 50000 * 2 + 49999));

  std::string groups;
  for (int i = 0; i < 10000; ++i) groups += i ? "+(1+(2*3))" : "(1+(2*3))";
  EXPECT_EQ(Outcome(groups), Value(70000));

  std::string big;
  while (big.size() < 1000000) big += "(2*(3-1))-(1.5+2.5)+";
  big += "0";
  EXPECT_EQ(Outcome(big), Value(0));

  EXPECT_EQ(Outcome(std::string(1000000, ' ') + "1"), Value(1));
  EXPECT_EQ(Outcome(std::string(500000, '-') + "7"), Value(7));
  EXPECT_EQ(Outcome("1" + std::string(300000, '0')), kInvalidCharacters);
}

}  // namespace

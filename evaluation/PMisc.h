/// \file
/// PMisc: the expression evaluator behind every numeric entry.
///
/// EvaluateExpression turns the text a user typed into an 80-bit extended
/// value. It accepts nine infix operators, parentheses, 25 function names, the
/// constants pi and e, a postfix factorial "!" and "$" hexadecimal integers.
/// It works by rewriting text rather than by building a syntax tree, and a few
/// properties of that rewriting are part of its behaviour:
///
///   - each parenthesised group is replaced in the text by the 18-digit text
///     of its value, so a group written after digits joins them: 2(3) is 23;
///   - every intermediate result passes through the 18-digit general number
///     text (rtl::FormatGeneral) and is read back, while a lone term keeps
///     full extended precision: pi is the full extended pi, pi*1 is the value
///     of 3.14159265358979324;
///   - operators are applied in four left-associative passes, "^" first, then
///     "* / % &", then "+ - |", then "="; so 2^3^2 is 64 and -2^2 is 4;
///   - a function applies to the term that follows its name: sin2*3 is
///     sin(2) times 3;
///   - a minus is a sign after an operator, after "E"/"e", after another
///     minus, after a lone function name, and at the start; otherwise it is
///     subtraction. So e-1 is the (invalid) term "e-1", and 2e-1 is 0.2.
///
/// Failures: EAssignError for entries that cannot be read (its message is
/// "Entry could not be evaluated:", a carriage return and the reason), and the
/// runtime's EZeroDivide, EInvalidOp, EOverflow and EDivByZero for arithmetic
/// faults. The evaluator keeps no state between calls; it reads the
/// process-wide decimal separator (rtl::DecimalSeparator()) afresh on every
/// call, for the numbers it reads and the intermediate results it writes.
#pragma once

#include <string>

#include "runtime/rtl.h"

namespace PMisc {

/// An entry that cannot be evaluated. It carries nothing but its message.
class EAssignError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

/// Groups nested more deeply than this, or more than this many function names
/// and factorials applied within one term, make the entry fail with the reason
/// "entry is nested too deeply".
inline constexpr int kMaxNesting = 1000;

/// Evaluates a whole entry. Raises EAssignError or an arithmetic error.
rtl::Extended EvaluateExpression(const std::string& text);

/// Evaluates one term: a stretch of text without infix operators (a number, a
/// constant, function names followed by their argument, a factorial, "$" hex).
rtl::Extended EvaluateTerm(const std::string& term);

/// True when the text, ASCII letters lowercased, is one of the 25 function
/// names, "!" or "$" (whole-text equality, not a prefix test).
bool IsFunctionName(const std::string& text);

/// x!, for integral x (negative x gives the negated factorial of |x|). Raises
/// EAssignError for a non-integral x and EOverflow above 1754!.
rtl::Extended Factorial(rtl::Extended x);

/// 1 / cos x and 1 / sin x.
///@{
rtl::Extended Secant(rtl::Extended x);
rtl::Extended Cosecant(rtl::Extended x);
///@}

}  // namespace PMisc

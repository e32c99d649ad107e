// What an evaluation comes to, as text that a failing test prints readably:
// "value <digits> [<bit pattern>]" or "<error class>: <message>".
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "evaluation/PMisc.h"
#include "fuzz/EvaluationFuzz.h"
#include "tests/support/Localized.h"

namespace evaltest {

inline std::string Value(rtl::Extended value) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.21Lg", value);
  char bits[22];
  return std::string("value ") + digits + " [" +
         std::string(rtl::FormatBits(rtl::BitsOf(value), bits)) + "]";
}

// The value of a decimal text written with ".", read by the C library.
inline rtl::Extended Decimal(const char* text) { return std::strtold(text, nullptr); }

// A value as its 18-digit text reads back, computed by the C library.
inline rtl::Extended Rounded(rtl::Extended value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17Le", value);
  return std::strtold(text, nullptr);
}

inline std::string Assign(std::string_view reason) {
  return "EAssignError: Entry could not be evaluated:\r" + std::string(reason);
}
inline const std::string kZeroDivide = "EZeroDivide: Floating point division by zero";
inline const std::string kInvalidOp = "EInvalidOp: Invalid floating point operation";
inline const std::string kOverflow = "EOverflow: Floating point overflow";
inline const std::string kDivByZero = "EDivByZero: Division by zero";

// The fuzzer's outcome, with a value written readably.
inline std::string OutcomeOf(const std::function<rtl::Extended()>& evaluate) {
  rtl::Extended value = 0;
  const std::string outcome = fuzzing::OutcomeOf([&] { return value = evaluate(); });
  return outcome.starts_with("value ") ? Value(value) : outcome;
}

// EvaluateExpression of a text written with "." as the separator.
inline std::string Outcome(std::string_view text) {
  const std::string localized = testsupport::Localized(text);
  return OutcomeOf([&] { return PMisc::EvaluateExpression(localized); });
}

inline std::string TermOutcome(std::string_view text) {
  const std::string localized = testsupport::Localized(text);
  return OutcomeOf([&] { return PMisc::EvaluateTerm(localized); });
}

// Restores the decimal separator after a test that sets it.
class SeparatorGuard {
 public:
  explicit SeparatorGuard(char separator) : saved_(rtl::DecimalSeparator()) {
    rtl::SetDecimalSeparator(separator);
  }
  ~SeparatorGuard() { rtl::SetDecimalSeparator(saved_); }
  SeparatorGuard(const SeparatorGuard&) = delete;
  SeparatorGuard& operator=(const SeparatorGuard&) = delete;

 private:
  char saved_;
};

}  // namespace evaltest

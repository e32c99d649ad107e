// Terms: constants, function names, factorials, "$" hex and decimal numbers.
#include "evaluation/Terms.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

#include "evaluation/PMisc.h"
#include "evaluation/Reasons.h"

namespace PMisc {

namespace detail {

using rtl::Extended;

namespace {

enum class Operation : uint8_t {
  kArcTanh,
  kArcTan,
  kCoTan,
  kTanh,
  kTan,
  kArcCosh,
  kArcCos,
  kCosh,
  kCosec,
  kCos,
  kSec,
  kArcSinh,
  kArcSin,
  kSinh,
  kSin,
  kCsc,
  kAbs,
  kFrac,
  kInt,
  kLn,
  kRound,
  kCeil,
  kFloor,
  kLog,
  kSqrt,
  kFactorial
};

struct FunctionName {
  std::string_view name;
  Operation operation;
};

// Test order: every name comes before the shorter names it begins with
// (arctanh before arctan, cosec before cos), so the first match is the longest.
constexpr std::array<FunctionName, 25> kFunctionNames = {{
    {"arctanh", Operation::kArcTanh}, {"arctan", Operation::kArcTan},
    {"cotan", Operation::kCoTan},     {"tanh", Operation::kTanh},
    {"tan", Operation::kTan},         {"arccosh", Operation::kArcCosh},
    {"arccos", Operation::kArcCos},   {"cosh", Operation::kCosh},
    {"cosec", Operation::kCosec},     {"cos", Operation::kCos},
    {"sec", Operation::kSec},         {"arcsinh", Operation::kArcSinh},
    {"arcsin", Operation::kArcSin},   {"sinh", Operation::kSinh},
    {"sin", Operation::kSin},         {"csc", Operation::kCsc},
    {"abs", Operation::kAbs},         {"frac", Operation::kFrac},
    {"int", Operation::kInt},         {"ln", Operation::kLn},
    {"round", Operation::kRound},     {"ceil", Operation::kCeil},
    {"floor", Operation::kFloor},     {"log", Operation::kLog},
    {"sqrt", Operation::kSqrt},
}};

constexpr size_t kLongestName = 7;

constexpr Extended kPi = std::numbers::pi_v<Extended>;  // the extended value nearest to pi

// Computed on first use, so that evaluations during static initialisation of
// other units see them too.
Extended E() {
  static const Extended e = std::exp(1.0L);
  return e;
}

Extended Ln2() {
  static const Extended ln2 = std::log(2.0L);
  return ln2;
}

constexpr Extended kTanhLimit = 5678.22249441322L;
constexpr Extended kArcTanhOfOne = 1.1E4932L;

char Lowercase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The name of the table the (lowercase) term begins with, first in test order.
const FunctionName* LeadingName(std::string_view term) {
  if (term.empty()) return nullptr;
  for (const FunctionName& entry : kFunctionNames) {
    if (entry.name[0] == term[0] && term.starts_with(entry.name)) return &entry;
  }
  return nullptr;
}

std::optional<Extended> Constant(std::string_view term) {
  if (term == "pi") return kPi;
  if (term == "-pi") return -kPi;
  if (term == "e") return E();
  if (term == "-e") return -E();
  return std::nullopt;
}

Extended Ln(Extended x) {
  if (x == 0) throw rtl::EZeroDivide();
  if (x < 0) throw rtl::EInvalidOp();
  return std::log(x);
}

Extended Log10(Extended x) {
  if (x == 0) throw rtl::EZeroDivide();
  if (x < 0) throw rtl::EInvalidOp();
  return std::log10(x);
}

Extended Sqrt(Extended x) {
  if (x < 0) throw rtl::EInvalidOp();
  return std::sqrt(x);
}

Extended Exp(Extended x) { return rtl::CheckFinite(std::exp(x)); }

// sqrt(1 - x^2), defined for -1 <= x <= 1 only.
Extended CoSide(Extended x) {
  if (!(std::fabs(x) <= 1)) throw rtl::EInvalidOp();
  return Sqrt(rtl::Subtract(1, rtl::Multiply(x, x)));
}

Extended ArcSinh(Extended x) {
  if (x == 0) return 0;
  const Extended a = std::fabs(x);
  Extended result;
  if (a > 1e10L) {
    result = rtl::Add(Ln2(), Ln(a));
  } else {
    const Extended square = rtl::Multiply(a, a);
    const Extended denominator = rtl::Add(1, Sqrt(rtl::Add(1, square)));
    result = Ln(rtl::Add(rtl::Add(1, a), rtl::Divide(square, denominator)));
  }
  return x < 0 ? -result : result;
}

Extended ArcCosh(Extended x) {
  if (x <= 1) return 0;
  if (x > 1e10L) return rtl::Add(Ln2(), Ln(x));
  return Ln(rtl::Add(x, Sqrt(rtl::Multiply(rtl::Subtract(x, 1), rtl::Add(x, 1)))));
}

Extended ArcTanh(Extended x) {
  if (x == 0) return 0;
  const Extended a = std::fabs(x);
  Extended result;
  if (a >= 1) {
    result = kArcTanhOfOne;
  } else {
    result =
        rtl::Multiply(0.5L, Ln(rtl::Add(1, rtl::Divide(rtl::Multiply(2, a), rtl::Subtract(1, a)))));
  }
  return x < 0 ? -result : result;
}

// h - 0.25 / h (sinh) or h + 0.25 / h (cosh), where h = e^x / 2.
Extended Hyperbolic(Extended x, bool cosine) {
  const Extended h = rtl::Divide(Exp(x), 2);
  const Extended q = rtl::Divide(0.25L, h);
  return cosine ? rtl::Add(h, q) : rtl::Subtract(h, q);
}

Extended Tanh(Extended x) {
  if (x > kTanhLimit) return 1;
  if (x < -kTanhLimit) return -1;
  const Extended ex = Exp(x);
  const Extended y = rtl::Multiply(ex, ex);
  return rtl::Divide(rtl::Subtract(y, 1), rtl::Add(y, 1));
}

// The low 32 bits of x truncated to 64 bits, read as signed, stepped by one
// (with 32-bit wrap-around) when x - int x has the sign `direction`.
Extended CeilOrFloor(Extended x, int direction) {
  auto bits = static_cast<uint32_t>(rtl::Trunc64(x));
  const Extended fraction = rtl::Subtract(x, std::trunc(x));
  if (direction > 0 ? fraction > 0 : fraction < 0) bits += static_cast<uint32_t>(direction);
  return static_cast<int32_t>(bits);
}

Extended Apply(Operation operation, Extended x) {
  switch (operation) {
    case Operation::kSin:
      return std::sin(x);
    case Operation::kCos:
      return std::cos(x);
    case Operation::kTan:
      return rtl::CheckFinite(std::tan(x));
    case Operation::kSec:
      return Secant(x);
    case Operation::kCosec:
    case Operation::kCsc:
      return Cosecant(x);
    case Operation::kCoTan:
      return rtl::Divide(1, std::tan(x));
    case Operation::kArcTan:
      return std::atan(x);
    case Operation::kArcSin:
      return std::atan2(x, CoSide(x));
    case Operation::kArcCos:
      return std::atan2(CoSide(x), x);
    case Operation::kSinh:
      return Hyperbolic(x, false);
    case Operation::kCosh:
      return Hyperbolic(x, true);
    case Operation::kTanh:
      return Tanh(x);
    case Operation::kArcSinh:
      return ArcSinh(x);
    case Operation::kArcCosh:
      return ArcCosh(x);
    case Operation::kArcTanh:
      return ArcTanh(x);
    case Operation::kAbs:
      return std::fabs(x);
    case Operation::kInt:
      return std::trunc(x);
    case Operation::kFrac:
      return rtl::Subtract(x, std::trunc(x));
    case Operation::kRound:
      return static_cast<Extended>(rtl::Round64(x));
    case Operation::kCeil:
      return CeilOrFloor(x, 1);
    case Operation::kFloor:
      return CeilOrFloor(x, -1);
    case Operation::kLn:
      return Ln(x);
    case Operation::kLog:
      return Log10(x);
    case Operation::kSqrt:
      return Sqrt(x);
    case Operation::kFactorial:
      return Factorial(x);
  }
  return x;  // not reached: every operation is handled above
}

// Whether the term holds capitals or "--", which evaluation removes first.
bool NeedsNormalising(std::string_view term) {
  char previous = '\0';
  for (char c : term) {
    if ((c >= 'A' && c <= 'Z') || (c == '-' && previous == '-')) return true;
    previous = c;
  }
  return false;
}

// Deletes "--" pairs, the first one each time, until none is left, and
// lowercases ASCII letters. Deleting the first pair never joins two minuses
// (the character before it is no minus), so every run of minuses simply
// keeps its length modulo 2.
std::string Normalised(std::string_view term) {
  std::string result;
  result.reserve(term.size());
  size_t i = 0;
  while (i < term.size()) {
    if (term[i] == '-') {
      size_t run = 0;
      while (i < term.size() && term[i] == '-') ++run, ++i;
      if (run % 2 == 1) result += '-';
    } else {
      result += Lowercase(term[i++]);
    }
  }
  return result;
}

// A normalised term. Instead of calling itself for the argument of each
// function name and the operand of each factorial, it peels them off into a
// list and applies them innermost first once the core value is known, which
// is the same order of evaluation without recursion.
Extended EvaluateNormalisedTerm(std::string_view term) {
  std::array<Operation, kMaxNesting> pending;
  size_t count = 0;
  auto push = [&](Operation operation) {
    if (count == pending.size()) Fail(kNestedTooDeeply);
    pending[count++] = operation;
  };

  Extended value;
  for (;;) {
    if (auto constant = Constant(term)) {
      value = *constant;
      break;
    }
    if (const FunctionName* name = LeadingName(term)) {
      push(name->operation);
      term.remove_prefix(name->name.size());
      continue;
    }
    if (!term.empty() && term.back() == '!') {
      push(Operation::kFactorial);
      term.remove_suffix(1);
      continue;
    }
    if (!term.empty() && term.front() == '$') {
      auto hex = rtl::ReadHex(term.substr(1));
      if (!hex) Fail(kInvalidHex);
      value = *hex;
      break;
    }
    auto decimal = rtl::ReadDecimal(term);
    if (!decimal) Fail(kInvalidCharacters);
    value = *decimal;
    break;
  }
  while (count > 0) value = Apply(pending[--count], value);
  return value;
}

}  // namespace

Extended EvaluateTermText(std::string_view term) {
  if (NeedsNormalising(term)) return EvaluateNormalisedTerm(Normalised(term));
  return EvaluateNormalisedTerm(term);
}

bool IsFunctionNameText(std::string_view text) {
  if (text.empty() || text.size() > kLongestName) return false;
  char lowered[kLongestName];
  for (size_t i = 0; i < text.size(); ++i) lowered[i] = Lowercase(text[i]);
  const std::string_view name(lowered, text.size());
  if (name == "!" || name == "$") return true;
  for (const FunctionName& entry : kFunctionNames) {
    if (entry.name == name) return true;
  }
  return false;
}

}  // namespace detail

rtl::Extended EvaluateTerm(const std::string& term) { return detail::EvaluateTermText(term); }

bool IsFunctionName(const std::string& text) { return detail::IsFunctionNameText(text); }

rtl::Extended Factorial(rtl::Extended x) {
  if (x != std::trunc(x)) detail::Fail(detail::kFactorialOfNonInteger);
  rtl::Extended a = std::fabs(x);
  if (a == 0) {
    a = 1;
  } else {
    for (rtl::Extended b = a - 1; b > 0; b = b - 1) a = rtl::Multiply(a, b);
  }
  return x < 0 ? -a : a;
}

rtl::Extended Secant(rtl::Extended x) { return rtl::Divide(1, std::cos(x)); }

rtl::Extended Cosecant(rtl::Extended x) { return rtl::Divide(1, std::sin(x)); }

}  // namespace PMisc

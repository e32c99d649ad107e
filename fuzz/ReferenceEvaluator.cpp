#include "fuzz/ReferenceEvaluator.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string_view>
#include <vector>

#include "evaluation/PMisc.h"

namespace fuzzing {

namespace {

using rtl::Extended;

constexpr char kSubtraction = static_cast<char>(155);
constexpr Extended kTwoTo63 = 9223372036854775808.0L;

[[noreturn]] void Fail(std::string_view reason) {
  throw PMisc::EAssignError("Entry could not be evaluated:\r" + std::string(reason));
}

// ---------------------------------------------------------------------------
// Arithmetic with the faults raised: a NaN is an invalid operation, an
// infinity an overflow, a division by zero is told apart by its operands.

Extended Checked(Extended result) {
  if (std::isnan(result)) throw rtl::EInvalidOp();
  if (std::isinf(result)) throw rtl::EOverflow();
  return result;
}

Extended Quotient(Extended a, Extended b) {
  if (b == 0) {
    if (a == 0) throw rtl::EInvalidOp();
    throw rtl::EZeroDivide();
  }
  return Checked(a / b);
}

// ---------------------------------------------------------------------------
// Number texts

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The general number text: 18 significant digits from printf, laid out as
// 0.d1d2...dn x 10^E says.
std::string GeneralText(Extended value) {
  if (value == 0) return "0";
  char printed[64];
  std::snprintf(printed, sizeof printed, "%.17Le", value);
  const std::string_view text(printed);
  const size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = std::atoi(printed + e + 1) + 1;
  const char separator = rtl::DecimalSeparator();

  std::string result = value < 0 ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent >= -3 && exponent <= 18) {
    if (exponent <= 0) {
      result += "0";
      result += separator;
      result += std::string(static_cast<size_t>(-exponent), '0') + digits;
    } else if (count <= exponent) {
      result += digits + std::string(static_cast<size_t>(exponent - count), '0');
    } else {
      result += digits.substr(0, static_cast<size_t>(exponent));
      result += separator;
      result += digits.substr(static_cast<size_t>(exponent));
    }
  } else {
    result += digits[0];
    if (count > 1) {
      result += separator;
      result += digits.substr(1);
    }
    result += "E" + std::to_string(exponent - 1);
  }
  return result;
}

// A decimal number of a term: sign, digits with at most one separator (a lone
// separator counts), an exponent whose digits are read while it is below 500.
// The value comes from strtold in the "C" locale.
std::optional<Extended> DecimalNumber(const std::string& term) {
  const char separator = rtl::DecimalSeparator();
  size_t i = 0;
  const size_t n = term.size();
  std::string plain;
  if (i < n && (term[i] == '+' || term[i] == '-')) {
    if (term[i] == '-') plain += '-';
    ++i;
  }
  plain += '0';
  bool anything = false;
  while (i < n && IsDigit(term[i])) plain += term[i++], anything = true;
  plain += '.';
  if (i < n && term[i] == separator) {
    ++i;
    anything = true;
    while (i < n && IsDigit(term[i])) plain += term[i++];
  }
  if (!anything) return std::nullopt;
  int exponent = 0;
  bool negativeExponent = false;
  if (i < n && (term[i] == 'e' || term[i] == 'E')) {
    ++i;
    if (i < n && (term[i] == '+' || term[i] == '-')) negativeExponent = term[i++] == '-';
    while (i < n && IsDigit(term[i]) && exponent < 500)
      exponent = exponent * 10 + (term[i++] - '0');
  }
  if (i != n) return std::nullopt;
  plain += 'e';
  if (negativeExponent) plain += '-';
  plain += std::to_string(exponent);

  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const Extended value = strtold_l(plain.c_str(), nullptr, cLocale);
  if (std::isinf(value)) return std::nullopt;
  return value;
}

// "$" and hexadecimal digits (already lowercase), at most 32 bits, signed.
std::optional<Extended> HexNumber(const std::string& term) {
  if (term.size() < 2) return std::nullopt;
  uint64_t value = 0;
  for (char c : term.substr(1)) {
    int digit;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// ---------------------------------------------------------------------------
// Functions

Extended NaturalLog(Extended x) {
  if (x == 0) throw rtl::EZeroDivide();
  if (x < 0) throw rtl::EInvalidOp();
  return std::log(x);
}

Extended SquareRoot(Extended x) {
  if (x < 0) throw rtl::EInvalidOp();
  return std::sqrt(x);
}

Extended ExpOf(Extended x) { return Checked(std::exp(x)); }

// sqrt(1 - x^2) for arcsin and arccos.
Extended Complement(Extended x) {
  if (x < -1 || x > 1) throw rtl::EInvalidOp();
  return SquareRoot(Checked(1 - Checked(x * x)));
}

// To a signed 64-bit integer toward zero; a magnitude of 2^63 or more fails.
int64_t Truncated(Extended x) {
  if (!(std::fabs(x) < kTwoTo63)) throw rtl::EInvalidOp();
  return static_cast<int64_t>(std::trunc(x));
}

// Nearest integer, ties to even, worked out from the fraction.
Extended Rounded(Extended x) {
  if (!(std::fabs(x) < kTwoTo63)) throw rtl::EInvalidOp();
  const Extended whole = std::trunc(x);
  const Extended fraction = std::fabs(x - whole);
  const Extended away = x < 0 ? whole - 1 : whole + 1;
  Extended result = whole;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2) != 0)) result = away;
  if (result >= kTwoTo63) throw rtl::EInvalidOp();             // 2^63 - 0.5 goes up to 2^63
  return static_cast<Extended>(static_cast<int64_t>(result));  // an integer: no -0
}

// The low 32 bits of the truncation, read as signed, stepped by `step` (with
// wrap-around) when the fraction has the sign of `step`.
Extended CeilingOrFloor(Extended x, int step) {
  auto low = static_cast<uint32_t>(static_cast<uint64_t>(Truncated(x)));
  const Extended fraction = x - std::trunc(x);
  if ((step > 0 && fraction > 0) || (step < 0 && fraction < 0)) {
    low += static_cast<uint32_t>(step);
  }
  return static_cast<int32_t>(low);
}

Extended Function(std::string_view name, Extended x) {
  const Extended ln2 = std::log(2.0L);
  if (name == "sin") return std::sin(x);
  if (name == "cos") return std::cos(x);
  if (name == "tan") return Checked(std::tan(x));
  if (name == "sec") return Quotient(1, std::cos(x));
  if (name == "cosec" || name == "csc") return Quotient(1, std::sin(x));
  if (name == "cotan") return Quotient(1, std::tan(x));
  if (name == "arctan") return std::atan(x);
  if (name == "arcsin") return std::atan2(x, Complement(x));
  if (name == "arccos") return std::atan2(Complement(x), x);
  if (name == "sinh" || name == "cosh") {
    const Extended h = ExpOf(x) / 2;
    const Extended q = Quotient(0.25L, h);
    return Checked(name == "sinh" ? h - q : h + q);
  }
  if (name == "tanh") {
    if (x > 5678.22249441322L) return 1;
    if (x < -5678.22249441322L) return -1;
    const Extended ex = ExpOf(x);
    const Extended y = Checked(ex * ex);
    return Quotient(y - 1, Checked(y + 1));
  }
  if (name == "arcsinh") {
    if (x == 0) return 0;
    const Extended a = std::fabs(x);
    Extended r;
    if (a > 1e10L) {
      r = Checked(ln2 + NaturalLog(a));
    } else {
      const Extended a2 = Checked(a * a);
      r = NaturalLog(
          Checked(Checked(1 + a) + Quotient(a2, Checked(1 + SquareRoot(Checked(1 + a2))))));
    }
    return x < 0 ? -r : r;
  }
  if (name == "arccosh") {
    if (x <= 1) return 0;
    if (x > 1e10L) return Checked(ln2 + NaturalLog(x));
    return NaturalLog(Checked(x + SquareRoot(Checked((x - 1) * Checked(x + 1)))));
  }
  if (name == "arctanh") {
    if (x == 0) return 0;
    const Extended a = std::fabs(x);
    const Extended r =
        a >= 1 ? 1.1E4932L : Checked(0.5L * NaturalLog(Checked(1 + Quotient(2 * a, 1 - a))));
    return x < 0 ? -r : r;
  }
  if (name == "abs") return std::fabs(x);
  if (name == "int") return std::trunc(x);
  if (name == "frac") return x - std::trunc(x);
  if (name == "round") return Rounded(x);
  if (name == "ceil") return CeilingOrFloor(x, 1);
  if (name == "floor") return CeilingOrFloor(x, -1);
  if (name == "ln") return NaturalLog(x);
  if (name == "log") {
    NaturalLog(x);  // the same faults as ln
    return std::log10(x);
  }
  return SquareRoot(x);  // "sqrt"
}

// Longer names before the shorter names they begin with.
constexpr std::string_view kNames[] = {
    "arctanh", "arctan", "cotan",   "tanh",   "tan",   "arccosh", "arccos", "cosh", "cosec",
    "cos",     "sec",    "arcsinh", "arcsin", "sinh",  "sin",     "csc",    "abs",  "frac",
    "int",     "ln",     "round",   "ceil",   "floor", "log",     "sqrt"};

std::string Lowercased(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool IsName(const std::string& text) {
  const std::string lower = Lowercased(text);
  if (lower == "!" || lower == "$") return true;
  return std::find(std::begin(kNames), std::end(kNames), lower) != std::end(kNames);
}

Extended FactorialOf(Extended x) {
  if (x != std::trunc(x)) Fail("! (factoral) applicable to integers only");
  Extended a = std::fabs(x);
  if (a == 0) {
    a = 1;
  } else {
    for (Extended b = a - 1; b > 0; b = b - 1) a = Checked(a * b);
  }
  return x < 0 ? -a : a;
}

// ---------------------------------------------------------------------------
// Operators

Extended Power(Extended b, Extended x) {
  if (x == 0) return 1;
  if (b == 0 && x > 0) return 0;
  if (std::trunc(x) == x && std::fabs(x) <= 2147483647) {
    auto bits = static_cast<uint64_t>(std::fabs(x));
    Extended result = 1;
    Extended square = b;
    while (bits != 0) {
      if (bits % 2 == 1) result = Checked(result * square);
      bits /= 2;
      if (bits != 0) square = Checked(square * square);
    }
    return x < 0 ? Quotient(1, result) : result;
  }
  if (b == 0) throw rtl::EZeroDivide();
  if (b < 0) throw rtl::EInvalidOp();
  return ExpOf(Checked(x * std::log(b)));
}

// -2^63 itself is a valid operand of "%": only values whose truncation does
// not fit a signed 64-bit integer fail.
int64_t RemainderOperand(Extended x) {
  if (x < -kTwoTo63 || x >= kTwoTo63) throw rtl::EInvalidOp();
  if (x == -kTwoTo63) return INT64_MIN;
  return static_cast<int64_t>(std::trunc(x));
}

std::string Apply(char op, const std::string& leftTerm, const std::string& rightTerm) {
  const Extended left = ReferenceEvaluateTerm(leftTerm);
  if (op == '|' && left != 0) return "1";
  const Extended right = ReferenceEvaluateTerm(rightTerm);
  switch (op) {
    case '^':
      return GeneralText(Power(left, right));
    case '*':
      return GeneralText(Checked(left * right));
    case '/':
      return GeneralText(Quotient(left, right));
    case '+':
      return GeneralText(Checked(left + right));
    case kSubtraction:
      return GeneralText(Checked(left - right));
    case '%': {
      const int64_t dividend = RemainderOperand(left);
      const int64_t divisor = RemainderOperand(right);
      if (divisor == 0) throw rtl::EDivByZero();
      return std::to_string(divisor == -1 ? 0 : dividend % divisor);
    }
    case '&':
      return left != 0 && right != 0 ? "1" : "0";
    case '|':
      return right != 0 ? "1" : "0";
    default:  // '='
      return left == right ? "1" : "0";
  }
}

bool IsOperator(char c) {
  return std::string_view("^*/%+=|&").find(c) != std::string_view::npos || c == kSubtraction;
}

bool IsSignContext(char c) {
  return std::string_view("%&*+/=^|Ee~").find(c) != std::string_view::npos || c == kSubtraction;
}

}  // namespace

Extended ReferenceEvaluateTerm(std::string term) {
  for (size_t at = term.find("--"); at != std::string::npos; at = term.find("--")) {
    term.erase(at, 2);
  }
  term = Lowercased(term);
  if (term == "pi") return std::numbers::pi_v<Extended>;
  if (term == "-pi") return -std::numbers::pi_v<Extended>;
  if (term == "e") return std::exp(1.0L);
  if (term == "-e") return -std::exp(1.0L);
  for (std::string_view name : kNames) {
    if (term.starts_with(name)) {
      return Function(name, ReferenceEvaluateTerm(term.substr(name.size())));
    }
  }
  if (!term.empty() && term.back() == '!') {
    return FactorialOf(ReferenceEvaluateTerm(term.substr(0, term.size() - 1)));
  }
  if (!term.empty() && term.front() == '$') {
    const auto value = HexNumber(term);
    if (!value) Fail("invalid use of $ (hex function)");
    return *value;
  }
  const auto value = DecimalNumber(term);
  if (!value) Fail("invalid character(s) in expression");
  return *value;
}

Extended ReferenceEvaluateExpression(std::string text) {
  if (text.empty()) Fail("entry cannot be blank");
  std::erase(text, ' ');
  std::erase(text, '\t');

  for (;;) {
    const size_t p = text.find(')');
    if (p == std::string::npos) break;
    const size_t q = p == 0 ? std::string::npos : text.rfind('(', p - 1);
    if (q == std::string::npos) Fail("() (parentheses) do not match");
    const Extended value = ReferenceEvaluateExpression(text.substr(q + 1, p - q - 1));
    text.replace(q, p - q + 1, GeneralText(value));
  }

  std::string scratch = text;
  for (;;) {
    const size_t i = scratch.find('-');
    if (i == std::string::npos) break;
    const bool sign = i == 0 || IsName(scratch.substr(0, i)) || IsSignContext(scratch[i - 1]);
    if (sign) {
      scratch[i] = '~';
    } else {
      scratch[i] = text[i] = kSubtraction;
    }
  }

  std::vector<std::string> terms;
  std::vector<char> ops;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsOperator(text[i])) continue;
    terms.push_back(text.substr(start, i - start));
    ops.push_back(text[i]);
    start = i + 1;
  }
  if (start < text.size()) terms.push_back(text.substr(start));
  if (terms.size() != ops.size() + 1) Fail("invalid expression");

  const std::string_view passes[] = {"^", "*/%&", std::string_view("+\x9B|"), "="};
  for (std::string_view pass : passes) {
    size_t k = 0;
    while (k < ops.size()) {
      if (pass.find(ops[k]) == std::string_view::npos) {
        ++k;
        continue;
      }
      terms[k] = Apply(ops[k], terms[k], terms[k + 1]);
      terms.erase(terms.begin() + static_cast<std::ptrdiff_t>(k) + 1);
      ops.erase(ops.begin() + static_cast<std::ptrdiff_t>(k));
    }
  }
  return ReferenceEvaluateTerm(terms.front());
}

}  // namespace fuzzing

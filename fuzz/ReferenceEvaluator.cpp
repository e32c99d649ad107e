#include "fuzz/ReferenceEvaluator.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "evaluation/PMisc.h"

namespace fuzzing {

namespace {

using rtl::Extended;

constexpr char kSubtraction = static_cast<char>(155);

[[noreturn]] void Fail(std::string_view reason) {
  throw PMisc::EAssignError("Entry could not be evaluated:\r" + std::string(reason));
}

bool IsOperator(char c) {
  return std::string_view("^*/%+=|&").find(c) != std::string_view::npos || c == kSubtraction;
}

bool IsSignContext(char c) {
  return std::string_view("%&*+/=^|Ee~").find(c) != std::string_view::npos || c == kSubtraction;
}

Extended Power(Extended b, Extended x) {
  if (x == 0) return 1;
  if (b == 0 && x > 0) return 0;
  if (x == std::trunc(x) && std::fabs(x) <= 2147483647) {
    auto n = static_cast<uint32_t>(std::fabs(x));
    Extended result = 1;
    while (n > 0) {
      if (n & 1) result = rtl::Multiply(result, b);
      n >>= 1;
      if (n > 0) b = rtl::Multiply(b, b);
    }
    return x < 0 ? rtl::Divide(1, result) : result;
  }
  if (b == 0) throw rtl::EZeroDivide();
  if (b < 0) throw rtl::EInvalidOp();
  return rtl::CheckFinite(std::exp(rtl::Multiply(x, std::log(b))));
}

std::string Apply(char op, const std::string& leftText, const std::string& rightText) {
  const Extended left = PMisc::EvaluateTerm(leftText);
  if (op == '|' && left != 0) return "1";
  const Extended right = PMisc::EvaluateTerm(rightText);
  switch (op) {
    case '^':
      return rtl::FormatGeneral(Power(left, right));
    case '*':
      return rtl::FormatGeneral(rtl::Multiply(left, right));
    case '/':
      return rtl::FormatGeneral(rtl::Divide(left, right));
    case '+':
      return rtl::FormatGeneral(rtl::Add(left, right));
    case kSubtraction:
      return rtl::FormatGeneral(rtl::Subtract(left, right));
    case '%': {
      const int64_t l = rtl::TruncFitting64(left);
      const int64_t r = rtl::TruncFitting64(right);
      if (r == 0) throw rtl::EDivByZero();
      return std::to_string(r == -1 ? 0 : l % r);
    }
    case '&':
      return left != 0 && right != 0 ? "1" : "0";
    case '|':
      return right != 0 ? "1" : "0";
    default:
      return left == right ? "1" : "0";
  }
}

}  // namespace

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
    text.replace(q, p - q + 1, rtl::FormatGeneral(value));
  }

  std::string scratch = text;
  for (;;) {
    const size_t i = scratch.find('-');
    if (i == std::string::npos) break;
    const bool sign =
        i == 0 || PMisc::IsFunctionName(scratch.substr(0, i)) || IsSignContext(scratch[i - 1]);
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
  return PMisc::EvaluateTerm(terms.front());
}

}  // namespace fuzzing

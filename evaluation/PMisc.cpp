// The expression evaluator: groups, minus classification, splitting and the
// four reduction passes.
//
// The text is rewritten as described in PMisc.h, but in single sweeps rather
// than by rescanning after every change, so the cost grows linearly with the
// length of the entry:
//   - groups are closed with a stack while the text is copied: each ")"
//     evaluates the text after its "(" (already free of inner groups) and
//     replaces it by the general number text of its value, the same order and
//     the same spliced text as taking the first ")" again and again;
//   - minuses are classified left to right in one pass;
//   - each reduction pass compacts the term and operator lists in one sweep;
//   - an intermediate result is kept as a value and read back through its
//     18-digit text only when an operator or the end uses it, which is when
//     the rewritten text would have been read.
#include "evaluation/PMisc.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "evaluation/Reasons.h"
#include "evaluation/Terms.h"

namespace PMisc {

namespace detail {

void Fail(std::string_view reason) {
  std::string message = "Entry could not be evaluated:\r";
  message += reason;
  throw EAssignError(std::move(message));
}

namespace {

using rtl::Extended;

// A typed minus classed as subtraction is overwritten by this character, which
// is also an operator when typed.
constexpr unsigned char kSubtraction = 155;

// Character roles, one table lookup each.
enum Role : uint8_t {
  kBlankCharacter = 1,
  kOperatorCharacter = 2,
  kSignContext = 4,  // a minus right after it is a sign
};

constexpr std::array<uint8_t, 256> MakeRoles() {
  std::array<uint8_t, 256> roles{};
  roles[' '] = roles['\t'] = kBlankCharacter;
  for (unsigned char c : std::string_view("^*/%+=|&")) roles[c] |= kOperatorCharacter;
  roles[kSubtraction] |= kOperatorCharacter;
  for (unsigned char c : std::string_view("%&*+/=^|Ee~")) roles[c] |= kSignContext;
  roles[kSubtraction] |= kSignContext;
  roles['-'] |= kSignContext;  // an earlier minus, already classed (see ClassifyMinuses)
  return roles;
}

constexpr std::array<uint8_t, 256> kRoles = MakeRoles();

bool Has(char c, Role role) { return (kRoles[static_cast<unsigned char>(c)] & role) != 0; }

// The operators of each reduction pass, as bits.
constexpr unsigned PassOf(unsigned char op) {
  switch (op) {
    case '^':
      return 1;
    case '*':
    case '/':
    case '%':
    case '&':
      return 2;
    case '+':
    case kSubtraction:
    case '|':
      return 4;
    default:
      return 8;  // '='
  }
}

// A term of the list: text not yet evaluated, or the value of an operation.
// Arithmetic results stand for their general number text and are read back
// through it when used; the integer results of "%", "&", "|" and "=" read
// back exactly. 32 bytes: a result has no text, and its kind takes the place
// of the text's length.
class Operand {
 public:
  Operand() : Operand(nullptr, kExact, 0) {}
  static Operand Text(const char* text, size_t size) { return Operand(text, size, 0); }
  static Operand Rounded(Extended value) { return Operand(nullptr, kRounded, value); }
  static Operand Exact(Extended value) { return Operand(nullptr, kExact, value); }

  Extended Evaluate() const {
    if (text_ != nullptr) return EvaluateTermText(std::string_view(text_, sizeOrKind_));
    if (sizeOrKind_ == kExact) return value_;
    auto readBack = rtl::ReadBackGeneral(value_);
    if (!readBack) Fail(kInvalidCharacters);
    return *readBack;
  }

 private:
  enum : size_t { kRounded, kExact };

  Operand(const char* text, size_t sizeOrKind, Extended value)
      : text_(text), sizeOrKind_(sizeOrKind), value_(value) {}

  const char* text_;  // never null for a text, which may be empty
  size_t sizeOrKind_;
  Extended value_;
};

// b raised to x.
Extended Power(Extended b, Extended x) {
  if (x == 0) return 1;
  if (b == 0 && x > 0) return 0;
  if (x == std::trunc(x) && std::fabs(x) <= 2147483647) {
    auto exponent = static_cast<uint32_t>(std::fabs(x));
    Extended result = 1;
    Extended square = b;
    for (;;) {
      if (exponent & 1) result = rtl::Multiply(result, square);
      exponent >>= 1;
      if (exponent == 0) break;
      square = rtl::Multiply(square, square);
    }
    return x < 0 ? rtl::Divide(1, result) : result;
  }
  if (b == 0) throw rtl::EZeroDivide();
  if (b < 0) throw rtl::EInvalidOp();
  return rtl::CheckFinite(std::exp(rtl::Multiply(x, std::log(b))));
}

// The 64-bit remainder of the truncated values. -2^63 is a valid dividend,
// and -2^63 % -1 overflows in the processor's integer division, so a
// divisor of -1 gives its (zero) remainder directly.
Extended Remainder(Extended left, Extended right) {
  const int64_t dividend = rtl::TruncFitting64(left);
  const int64_t divisor = rtl::TruncFitting64(right);
  if (divisor == 0) throw rtl::EDivByZero();
  if (divisor == -1) return 0;
  return static_cast<Extended>(dividend % divisor);
}

Operand Combine(unsigned char op, const Operand& leftTerm, const Operand& rightTerm) {
  const Extended left = leftTerm.Evaluate();
  if (op == '|' && left != 0) return Operand::Exact(1);  // the right side stays unread
  const Extended right = rightTerm.Evaluate();
  switch (op) {
    case '^':
      return Operand::Rounded(Power(left, right));
    case '*':
      return Operand::Rounded(rtl::Multiply(left, right));
    case '/':
      return Operand::Rounded(rtl::Divide(left, right));
    case '+':
      return Operand::Rounded(rtl::Add(left, right));
    case kSubtraction:
      return Operand::Rounded(rtl::Subtract(left, right));
    case '%':
      return Operand::Exact(Remainder(left, right));
    case '&':
      return Operand::Exact(left != 0 && right != 0 ? 1 : 0);
    case '|':
      return Operand::Exact(right != 0 ? 1 : 0);
    default:
      return Operand::Exact(left == right ? 1 : 0);  // '='
  }
}

// The lists of one evaluation, reused by every group of the entry.
struct Workspace {
  std::vector<Operand> terms;
  std::vector<unsigned char> ops;
};

// Classes every "-" as a sign (left alone) or as subtraction (overwritten by
// code 155), left to right. A minus is a sign at the start, after a text that
// is a function name as a whole, and after a sign-context character; an
// earlier minus counts as one, whichever way it was classed.
void ClassifyMinuses(char* text, size_t size) {
  for (size_t i = 1; i < size; ++i) {
    if (text[i] != '-') continue;
    if (Has(text[i - 1], kSignContext)) continue;
    if (IsFunctionNameText(std::string_view(text, i))) continue;
    text[i] = static_cast<char>(kSubtraction);
  }
}

// Evaluates a text without blanks or groups; the text is overwritten.
Extended EvaluateFlat(char* text, size_t size, Workspace& work) {
  ClassifyMinuses(text, size);

  // Splitting: terms between operators. Exactly one term more than operators
  // unless the text is empty or ends in an operator.
  if (size == 0 || Has(text[size - 1], kOperatorCharacter)) Fail(kInvalidExpression);
  auto& terms = work.terms;
  auto& ops = work.ops;
  terms.clear();
  ops.clear();
  size_t operators = 0;
  for (size_t i = 0; i < size; ++i) operators += Has(text[i], kOperatorCharacter);
  terms.reserve(operators + 1);
  ops.reserve(operators);
  unsigned passes = 0;
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    if (!Has(text[i], kOperatorCharacter)) continue;
    const auto op = static_cast<unsigned char>(text[i]);
    terms.push_back(Operand::Text(text + start, i - start));
    ops.push_back(op);
    passes |= PassOf(op);
    start = i + 1;
  }
  terms.push_back(Operand::Text(text + start, size - start));

  // Reduction: each pass walks the operators from the first to the last and
  // merges the two terms around each of its own, left-associatively.
  for (unsigned pass = 1; pass <= 8; pass <<= 1) {
    if ((passes & pass) == 0) continue;
    size_t kept = 0;  // operators kept so far; terms[kept] is the running left term
    for (size_t k = 0; k < ops.size(); ++k) {
      if (PassOf(ops[k]) == pass) {
        terms[kept] = Combine(ops[k], terms[kept], terms[k + 1]);
      } else {
        ops[kept] = ops[k];
        terms[++kept] = terms[k + 1];
      }
    }
    ops.resize(kept);
    terms.resize(kept + 1);
  }
  return terms.front().Evaluate();
}

// Which "(" will be closed by a ")" later on, for entries with so many "("
// that the nesting bound may apply: an unmatched "(" is an ordinary
// character and opens no level.
std::vector<bool> MatchedOpenings(std::string_view text) {
  std::vector<bool> matched(text.size());
  size_t closings = 0;
  for (size_t i = text.size(); i-- > 0;) {
    if (text[i] == ')') {
      ++closings;
    } else if (text[i] == '(' && closings > 0) {
      --closings;
      matched[i] = true;
    }
  }
  return matched;
}

// The entry without blanks, each group replaced by the general number text
// of its value, innermost and leftmost first. Every ")" closes the latest "("
// still open; a "(" that nothing closes stays as an ordinary character.
std::string WithoutBlanksAndGroups(std::string_view text, Workspace& work) {
  std::string working;
  working.reserve(text.size());

  size_t openings = 0;
  for (char c : text) openings += c == '(';
  std::vector<bool> matched;
  if (openings > static_cast<size_t>(kMaxNesting)) matched = MatchedOpenings(text);

  struct Opening {
    size_t position;  // of the "(" in `working`
    bool counts;      // whether it opens a level of nesting
  };
  std::vector<Opening> open;
  size_t depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (Has(c, kBlankCharacter)) continue;
    if (c == '(') {
      const bool counts = matched.empty() || matched[i];
      depth += counts;
      open.push_back({working.size(), counts});
      working += c;
    } else if (c == ')') {
      if (open.empty()) Fail(kParenthesesMismatch);
      const Opening group = open.back();
      open.pop_back();
      if (depth > static_cast<size_t>(kMaxNesting)) Fail(kNestedTooDeeply);
      depth -= group.counts;
      const size_t innerStart = group.position + 1;
      if (innerStart == working.size()) Fail(kBlank);
      const Extended value =
          EvaluateFlat(working.data() + innerStart, working.size() - innerStart, work);
      working.resize(group.position);
      working += rtl::FormatGeneral(value);
    } else {
      working += c;
    }
  }
  return working;
}

}  // namespace

}  // namespace detail

rtl::Extended EvaluateExpression(const std::string& text) {
  using namespace detail;
  if (text.empty()) Fail(kBlank);
  Workspace work;
  std::string working = WithoutBlanksAndGroups(text, work);
  return EvaluateFlat(working.data(), working.size(), work);
}

}  // namespace PMisc

#include "measure/UnitsFile.h"

#include <gmpxx.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "runtime/CharClass.h"

namespace units {

namespace {

// Exponents beyond these bounds could only give values far outside the
// extended range (about 1e-4951 to 1e4932), and would cost time and memory
// to compute exactly.
constexpr long kMaxDecimalExponent = 6000;
constexpr long kMaxPowerExponent = 20000;
constexpr size_t kMaxPowerBits = 200000;  // bits of a power's result
constexpr int kMaxNesting = 100;          // parentheses within parentheses

// ---------------------------------------------------------------------------
// Exact factor expressions, as rationals:
//   product  := power (("*" | "/") power)*
//   power    := primary ("^" ["+" | "-"] digits)?
//   primary  := decimal | "(" product ")"
//   decimal  := digits ["." digits] [("e" | "E") ["+" | "-"] digits]
//             | "." digits [exponent]
// Blanks between the parts are skipped.
class FactorParser {
 public:
  explicit FactorParser(std::string_view text) : text_(text) {}

  mpq_class Parse() {
    SkipBlanks();
    if (AtEnd()) throw EFactorError("missing factor");
    mpq_class value = Product();
    SkipBlanks();
    if (!AtEnd()) Fail("unexpected");
    return value;
  }

 private:
  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }

  void SkipBlanks() {
    while (!AtEnd() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }

  [[noreturn]] void Fail(const std::string& what) const {
    if (AtEnd()) throw EFactorError(what + " end of factor");
    throw EFactorError(what + " \"" + std::string(1, text_[at_]) + "\" at column " +
                       std::to_string(at_ + 1) + " of the factor");
  }

  mpq_class Product() {
    mpq_class value = Power();
    for (;;) {
      SkipBlanks();
      const char op = Peek();
      if (op != '*' && op != '/') return value;
      ++at_;
      const mpq_class right = Power();
      if (op == '*') {
        value *= right;
      } else {
        if (right == 0) throw EFactorError("division by zero in the factor");
        value /= right;
      }
    }
  }

  mpq_class Power() {
    mpq_class base = Primary();
    SkipBlanks();
    if (Peek() != '^') return base;
    ++at_;
    SkipBlanks();
    bool negative = false;
    if (Peek() == '+' || Peek() == '-') negative = text_[at_++] == '-';
    const long exponent = Digits("an integer exponent", kMaxPowerExponent);
    return RaiseTo(base, negative ? -exponent : exponent);
  }

  static mpq_class RaiseTo(const mpq_class& base, long exponent) {
    if (exponent == 0) return 1;
    if (base == 0) {
      if (exponent < 0) throw EFactorError("division by zero in the factor");
      return 0;
    }
    const unsigned long magnitude = static_cast<unsigned long>(exponent < 0 ? -exponent : exponent);
    const size_t bits =
        mpz_sizeinbase(base.get_num_mpz_t(), 2) + mpz_sizeinbase(base.get_den_mpz_t(), 2);
    if (bits > 2 && magnitude > kMaxPowerBits / bits) {
      throw EFactorError("power too large in the factor");
    }
    mpz_class num, den;
    mpz_pow_ui(num.get_mpz_t(), base.get_num_mpz_t(), magnitude);
    mpz_pow_ui(den.get_mpz_t(), base.get_den_mpz_t(), magnitude);
    mpq_class result = exponent > 0 ? mpq_class(num, den) : mpq_class(den, num);
    result.canonicalize();
    return result;
  }

  mpq_class Primary() {
    SkipBlanks();
    if (Peek() == '(') {
      if (++depth_ > kMaxNesting) throw EFactorError("parentheses nested too deeply in the factor");
      ++at_;
      mpq_class value = Product();
      --depth_;
      SkipBlanks();
      if (Peek() != ')') Fail("expected \")\" instead of");
      ++at_;
      return value;
    }
    if (rtl::IsDigit(Peek()) || Peek() == '.') return Decimal();
    Fail("expected a number instead of");
  }

  // A run of digits as a number, bounded so that it fits an exponent.
  long Digits(const char* what, long limit) {
    if (!rtl::IsDigit(Peek())) Fail(std::string("expected ") + what + " instead of");
    long value = 0;
    while (rtl::IsDigit(Peek())) {
      value = value * 10 + (text_[at_++] - '0');
      if (value > limit) throw EFactorError("exponent too large in the factor");
    }
    return value;
  }

  mpq_class Decimal() {
    std::string digits;  // the significant digits without the point
    long scale = 0;      // the value is digits * 10^-scale
    while (rtl::IsDigit(Peek())) digits += text_[at_++];
    if (Peek() == '.') {
      ++at_;
      while (rtl::IsDigit(Peek())) {
        digits += text_[at_++];
        ++scale;
      }
    }
    if (digits.empty()) Fail("expected digits instead of");
    if (Peek() == 'e' || Peek() == 'E') {
      ++at_;
      bool negative = false;
      if (Peek() == '+' || Peek() == '-') negative = text_[at_++] == '-';
      const long exponent = Digits("an exponent", kMaxDecimalExponent);
      scale += negative ? exponent : -exponent;
    }
    if (scale > kMaxDecimalExponent || scale < -kMaxDecimalExponent) {
      throw EFactorError("exponent too large in the factor");
    }
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
    const mpz_class significand(digits, 10);
    mpq_class value = scale >= 0 ? mpq_class(significand, power) : mpq_class(significand * power);
    value.canonicalize();
    return value;
  }

  std::string_view text_;
  size_t at_ = 0;
  int depth_ = 0;
};

// The extended value nearest to `q` (> 0), ties to even: the significand is
// q scaled into [2^63, 2^64) and rounded once, from the exact remainder.
rtl::Extended RoundToExtended(const mpq_class& q) {
  static_assert(sizeof(unsigned long) == sizeof(uint64_t), "a significand fits mpz's ui");
  const mpz_class& num = q.get_num();
  const mpz_class& den = q.get_den();

  // e with 2^e <= q < 2^(e+1).
  long e = static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 2)) -
           static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 2));
  {
    mpz_class scaledNum = num, scaledDen = den;
    if (e >= 0)
      scaledDen <<= static_cast<mp_bitcnt_t>(e);
    else
      scaledNum <<= static_cast<mp_bitcnt_t>(-e);
    if (scaledNum < scaledDen) --e;
  }
  if (e > 16383) throw EFactorError("factor too large for an extended value");
  if (e < -16382) throw EFactorError("factor too small for an extended value");

  // significand = round(q * 2^(63 - e)).
  mpz_class scaledNum = num, scaledDen = den;
  const long shift = 63 - e;
  if (shift >= 0)
    scaledNum <<= static_cast<mp_bitcnt_t>(shift);
  else
    scaledDen <<= static_cast<mp_bitcnt_t>(-shift);
  mpz_class significand, remainder;
  mpz_fdiv_qr(significand.get_mpz_t(), remainder.get_mpz_t(), scaledNum.get_mpz_t(),
              scaledDen.get_mpz_t());
  const int half = cmp(mpz_class(remainder * 2), scaledDen);
  if (half > 0 || (half == 0 && mpz_odd_p(significand.get_mpz_t()))) ++significand;
  if (mpz_sizeinbase(significand.get_mpz_t(), 2) > 64) {  // rounded up to 2^64
    significand >>= 1;
    ++e;
    if (e > 16383) throw EFactorError("factor too large for an extended value");
  }
  return rtl::ExtendedFromBits(static_cast<uint16_t>(e + 16383), significand.get_ui());
}

// ---------------------------------------------------------------------------
// Lines of a units file.

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Reads the file's lines into a catalogue, one category at a time.
class UnitsFileLoader {
 public:
  UnitsFileLoader(TCategories& catalogue, std::string fileName)
      : catalogue_(catalogue), fileName_(std::move(fileName)) {}

  void Line(int32_t number, std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trimmed(line);
    if (line.empty() || line.front() == '#') return;
    try {
      if (line.front() == '[') {
        Category(line);
      } else {
        Unit(line);
      }
    } catch (const rtl::Exception& error) {
      report_.problems.push_back({fileName_, number, error.Message()});
    }
  }

  UnitsFileReport Report() { return std::move(report_); }

 private:
  // "[NAME]": the category NAME, created when it is new.
  void Category(std::string_view line) {
    category_ = -1;  // units after a bad category line have no home
    if (line.back() != ']') throw rtl::Exception("a category line must end with \"]\"");
    const std::string name(Trimmed(line.substr(1, line.size() - 2)));
    if (name.empty()) throw rtl::Exception("empty category name");
    for (int32_t c = 0; c < catalogue_.CategoryCount(); ++c) {
      if (catalogue_.GetCategory(c).Name == name) {
        category_ = c;
        return;
      }
    }
    catalogue_.AddCategory(name);
    category_ = catalogue_.CategoryCount() - 1;
    ++report_.categoriesAdded;
  }

  // "SYMBOL NAME = FACTOR [# comment]".
  void Unit(std::string_view line) {
    const size_t symbolEnd = line.find_first_of(" \t=");
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || symbolEnd == 0) {
      throw rtl::Exception("expected a unit \"SYMBOL NAME = FACTOR\" or a category \"[NAME]\"");
    }
    const std::string symbol(line.substr(0, symbolEnd));
    const std::string name(Trimmed(line.substr(symbolEnd, equals - symbolEnd)));
    std::string_view factorText = line.substr(equals + 1);
    factorText = Trimmed(factorText.substr(0, factorText.find('#')));
    if (name.empty()) throw rtl::Exception("missing name for unit " + symbol);
    if (category_ < 0) {
      throw rtl::Exception("unit " + symbol +
                           " has no category: a line \"[NAME]\" must come first");
    }

    const rtl::Extended factor = ExactFactor(factorText);
    TCategory& category = catalogue_.GetCategory(category_);
    if (category.UnitCount() == 0 && factor != 1) {
      throw rtl::Exception("unit " + symbol + " would be the base of " + category.Name +
                           ": its factor must be 1");
    }
    if (category.UnitCount() > 0 && category.BaseIndex < 0) {
      throw rtl::Exception(category.Name + " has no base unit");
    }
    category.AddUnit(symbol, name, factor);
    ++report_.unitsAdded;
  }

  TCategories& catalogue_;
  const std::string fileName_;
  int32_t category_ = -1;
  UnitsFileReport report_;
};

}  // namespace

rtl::Extended ExactFactor(std::string_view expression) {
  const mpq_class value = FactorParser(expression).Parse();
  if (value <= 0) throw EFactorError("factor must be greater than 0");
  return RoundToExtended(value);
}

std::string UnitsFileProblem::Text() const {
  if (line == 0) return file + ": " + reason;
  return file + ":" + std::to_string(line) + ": " + reason;
}

UnitsFileReport LoadUnitsText(TCategories& catalogue, std::string_view text,
                              const std::string& fileName) {
  UnitsFileLoader loader(catalogue, fileName);
  int32_t number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    loader.Line(++number, text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return loader.Report();
}

UnitsFileReport LoadUnitsFile(TCategories& catalogue, const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  if (file) text << file.rdbuf();
  if (!file) {
    UnitsFileReport report;
    report.problems.push_back({path, 0, "cannot be read"});
    return report;
  }
  return LoadUnitsText(catalogue, text.str(), path);
}

}  // namespace units

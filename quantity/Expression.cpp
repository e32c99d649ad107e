#include "quantity/Expression.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>

#include "runtime/CharClass.h"

namespace quantity::detail {

namespace {

constexpr int kMaxDepth = 100;
constexpr long kMaxDecimalExponent = 10000;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// UTF-8 sequences that are operators rather than letters: the middle dot and
// the multiplication sign (*), the division sign (/), the minus sign (-),
// superscript two and three (^2, ^3).
struct Glyph {
  std::string_view bytes;
  std::string_view op;
  int power;  // for superscripts, else 0
};
constexpr Glyph kGlyphs[] = {
    {"\xC2\xB7", "*", 0},     {"\xC3\x97", "*", 0}, {"\xC3\xB7", "/", 0},
    {"\xE2\x88\x92", "-", 0}, {"\xC2\xB2", "^", 2}, {"\xC2\xB3", "^", 3},
};

const Glyph* GlyphAt(std::string_view text, size_t i) {
  if (static_cast<unsigned char>(text[i]) < 0x80) return nullptr;
  for (const Glyph& glyph : kGlyphs)
    if (text.substr(i).starts_with(glyph.bytes)) return &glyph;
  return nullptr;
}

bool IsWordByte(std::string_view text, size_t i) {
  const char c = text[i];
  if (IsAsciiLetter(c) || c == '_' || c == '%') return true;
  return static_cast<unsigned char>(c) >= 0x80 && GlyphAt(text, i) == nullptr;
}

Token MakeOperator(std::string text, size_t at) {
  Token token;
  token.kind = Token::Kind::Operator;
  token.text = std::move(text);
  token.position = static_cast<int32_t>(at + 1);
  return token;
}

// A number token at the end of `tokens`, its value 0 until set.
Token& AddNumber(std::vector<Token>& tokens, size_t at) {
  Token& token = tokens.emplace_back();
  token.kind = Token::Kind::Number;
  token.position = static_cast<int32_t>(at + 1);
  return token;
}

// A decimal number at text[i]: digits, a decimal point, an exponent.
void ReadNumber(std::string_view text, size_t& i, char separator, std::vector<Token>& tokens) {
  const size_t start = i;
  // The digits without the decimal point, read by GMP at once.
  std::string written;
  long scale = 0;
  while (i < text.size() && rtl::IsDigit(text[i])) written += text[i++];
  if (i < text.size() && (text[i] == '.' || text[i] == separator) && i + 1 < text.size() &&
      rtl::IsDigit(text[i + 1])) {
    ++i;
    while (i < text.size() && rtl::IsDigit(text[i])) {
      written += text[i++];
      --scale;
    }
  }
  const bool any = !written.empty();
  if (!any) throw EQuantityError("number expected", static_cast<int32_t>(start + 1));
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
    if (j < text.size() && rtl::IsDigit(text[j])) {
      long exponent = 0;
      while (j < text.size() && rtl::IsDigit(text[j])) {
        if (exponent <= kMaxDecimalExponent) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (exponent > kMaxDecimalExponent)
        throw EQuantityError("exponent too large", static_cast<int32_t>(i + 1));
      scale += negative ? -exponent : exponent;
      i = j;
    }
  }
  Token& token = AddNumber(tokens, start);
  // Most numbers have a few digits: kept (and reduced) in machine integers.
  if (static_cast<long>(written.size()) + std::max(scale, 0L) <= 18 && scale >= -18) {
    uint64_t numerator = 0, denominator = 1;
    for (const char digit : written)
      numerator = numerator * 10 + static_cast<uint64_t>(digit - '0');
    for (long k = 0; k < scale; ++k) numerator *= 10;
    for (long k = 0; k < -scale; ++k) denominator *= 10;
    token.SetNumber(numerator, denominator);
    return;
  }
  mpq_class value;
  mpz_set_str(mpq_numref(value.get_mpq_t()), written.c_str(), 10);
  if (sgn(value) != 0 && (scale > kMaxDecimalExponent || scale < -kMaxDecimalExponent))
    throw EQuantityError("exponent too large", static_cast<int32_t>(start + 1));
  if (scale != 0 && sgn(value) != 0) {
    const unsigned long magnitude = static_cast<unsigned long>(scale < 0 ? -scale : scale);
    if (scale > 0) {
      mpz_class power;
      mpz_ui_pow_ui(power.get_mpz_t(), 10, magnitude);
      mpz_mul(mpq_numref(value.get_mpq_t()), mpq_numref(value.get_mpq_t()), power.get_mpz_t());
    } else {
      mpz_ui_pow_ui(mpq_denref(value.get_mpq_t()), 10, magnitude);
      value.canonicalize();
    }
  }
  CheckSize(value);
  token.SetNumber(std::move(value));
}

// q *= right and q /= right in place, as Multiply and Divide compute them.
void MultiplyBy(Quantity& q, const Quantity& right) {
  q.value *= right.value;
  q.dimension = q.dimension * right.dimension;
  CheckSize(q.value);
}

void DivideBy(Quantity& q, const Quantity& right) {
  if (sgn(right.value) == 0) throw EQuantityError("division by zero");
  q.value /= right.value;
  q.dimension = q.dimension / right.dimension;
  CheckSize(q.value);
}

}  // namespace

static_assert(sizeof(unsigned long) == sizeof(uint64_t), "a token's integers fit mpz's ui");

mpq_class Token::Number() const {
  mpq_class value;
  NumberInto(value);
  return value;
}

void Token::NumberInto(mpq_class& value) const {
  if (big_) {
    value = *big_;
    return;
  }
  mpz_set_ui(mpq_numref(value.get_mpq_t()), static_cast<unsigned long>(numerator_));
  mpz_set_ui(mpq_denref(value.get_mpq_t()), static_cast<unsigned long>(denominator_));
}

void Token::SetNumber(mpq_class value) {
  value.canonicalize();
  if (sgn(value) >= 0 && mpz_fits_ulong_p(value.get_num_mpz_t()) &&
      mpz_fits_ulong_p(value.get_den_mpz_t())) {
    SetNumber(value.get_num().get_ui(), value.get_den().get_ui());
    return;
  }
  big_ = std::move(value);
}

void Token::SetNumber(uint64_t numerator, uint64_t denominator) {
  const uint64_t common = std::gcd(numerator, denominator);
  numerator_ = common > 1 ? numerator / common : numerator;
  denominator_ = common > 1 ? denominator / common : denominator;
  big_.reset();
}

bool Token::NumberIsZero() const { return big_ ? sgn(*big_) == 0 : numerator_ == 0; }

bool Token::NumberIsInteger() const { return big_ ? big_->get_den() == 1 : denominator_ == 1; }

std::optional<uint64_t> Token::SmallInteger(uint64_t limit) const {
  if (big_ || denominator_ != 1 || numerator_ > limit) return std::nullopt;
  return numerator_;
}

std::vector<Token> Tokenize(std::string_view text, char separator,
                            const std::function<bool(std::string_view)>& isName) {
  std::vector<Token> tokens;
  Tokenize(text, separator, isName, tokens);
  return tokens;
}

void Tokenize(std::string_view text, char separator,
              const std::function<bool(std::string_view)>& isName, std::vector<Token>& tokens) {
  tokens.clear();
  tokens.reserve(text.size() / 2 + 2);
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (const Glyph* glyph = GlyphAt(text, i)) {
      tokens.push_back(MakeOperator(std::string(glyph->op), i));
      if (glyph->power != 0) AddNumber(tokens, i).SetNumber(static_cast<uint64_t>(glyph->power), 1);
      i += glyph->bytes.size();
      continue;
    }
    if (rtl::IsDigit(c) || (c == '.' && i + 1 < text.size() && rtl::IsDigit(text[i + 1]))) {
      ReadNumber(text, i, separator, tokens);
      continue;
    }
    if (text.substr(i).starts_with("->")) {
      tokens.push_back(MakeOperator("->", i));
      i += 2;
      continue;
    }
    if (text.substr(i).starts_with("**")) {
      tokens.push_back(MakeOperator("^", i));
      i += 2;
      continue;
    }
    if (std::string_view("+-*/^();").find(c) != std::string_view::npos) {
      tokens.push_back(MakeOperator(std::string(1, c), i));
      ++i;
      continue;
    }
    if (IsWordByte(text, i)) {
      const size_t start = i;
      // A name may hold digits after its first letter (mmH2O).
      size_t whole = i;
      while (whole < text.size() && (IsWordByte(text, whole) || rtl::IsDigit(text[whole]))) ++whole;
      while (i < text.size() && IsWordByte(text, i)) ++i;
      if (whole > i && isName(text.substr(start, whole - start))) i = whole;
      // A hyphen joins two words that together are one name: light-year.
      while (i + 1 < text.size() && text[i] == '-' && IsWordByte(text, i + 1)) {
        size_t j = i + 1;
        while (j < text.size() && IsWordByte(text, j)) ++j;
        if (!isName(text.substr(start, j - start))) break;
        i = j;
      }
      // Digits glued to a word are its power (m2, cm3) unless the whole is
      // a name.
      size_t digitsEnd = i;
      while (digitsEnd < text.size() && rtl::IsDigit(text[digitsEnd])) ++digitsEnd;
      if (digitsEnd > i && isName(text.substr(start, digitsEnd - start))) i = digitsEnd;
      Token word;
      word.kind = Token::Kind::Word;
      word.text = std::string(text.substr(start, i - start));
      word.position = static_cast<int32_t>(start + 1);
      tokens.push_back(std::move(word));
      if (digitsEnd > i) {
        tokens.push_back(MakeOperator("^", i));
        ReadNumber(text, i, '.', tokens);
      }
      continue;
    }
    throw EQuantityError(std::string("unexpected character \"") + c + "\"",
                         static_cast<int32_t>(i + 1));
  }
  Token end;
  end.position = static_cast<int32_t>(text.size() + 1);
  tokens.push_back(std::move(end));
}

bool IsJoiningWord(const Token& token) {
  if (token.kind == Token::Kind::Operator) return token.text == "->";
  if (token.kind != Token::Kind::Word) return false;
  return token.text == "to" || token.text == "in" || token.text == "into" || token.text == "as";
}

bool Parser::IsOperator(const char* op) const {
  return at_ < end_ && tokens_[at_].kind == Token::Kind::Operator && tokens_[at_].text == op;
}

bool Parser::IsWord(const char* word) const {
  return at_ < end_ && tokens_[at_].kind == Token::Kind::Word && tokens_[at_].text == word;
}

void Parser::Fail(const std::string& message) const {
  const size_t at = std::min(at_ < end_ ? at_ : end_, tokens_.size() - 1);
  throw EQuantityError(message, tokens_[at].position);
}

Quantity Parser::ParseAll() {
  if (at_ >= end_) Fail("amount expected");
  Quantity q = Sum();
  if (at_ < end_) {
    Fail(tokens_[at_].kind == Token::Kind::Number ? "an operator is missing before this number"
                                                  : "unexpected \"" + tokens_[at_].text + "\"");
  }
  return q;
}

Quantity Parser::Sum() {
  bool hasUnit = false;
  Quantity q = Term(hasUnit);
  for (;;) {
    if (IsOperator("+") || IsOperator("-")) {
      const bool minus = tokens_[at_].text == "-";
      const int32_t position = tokens_[at_].position;
      ++at_;
      bool ignored = false;
      const Quantity right = Term(ignored);
      try {
        q = minus ? Subtract(q, right) : Add(q, right);
      } catch (const EQuantityError& error) {
        throw EQuantityError(error.Message(), position);
      }
    } else if (hasUnit && !q.dimension.IsNone() && at_ < end_ &&
               tokens_[at_].kind == Token::Kind::Number) {
      // A compound amount: 5 ft 3 in.
      const int32_t position = tokens_[at_].position;
      bool partHasUnit = false;
      const Quantity right = Term(partHasUnit);
      try {
        q = Add(q, right);
      } catch (const EQuantityError& error) {
        throw EQuantityError(error.Message(), position);
      }
    } else {
      return q;
    }
  }
}

Quantity Parser::Term(bool& hasUnit) {
  Quantity q = Product(hasUnit);
  while (IsOperator("*") || IsOperator("/") || IsWord("per")) {
    const bool divide = tokens_[at_].text != "*";
    const int32_t position = tokens_[at_].position;
    ++at_;
    const auto apply = [&](const Quantity& right) {
      try {
        if (divide) {
          DivideBy(q, right);
        } else {
          MultiplyBy(q, right);
        }
      } catch (const EQuantityError& error) {
        throw EQuantityError(error.Message(), position);
      }
    };
    // Most right-hand sides of a definition are one unit (mile/hour).
    if (const Quantity* unit = PlainUnitAhead(); unit != nullptr && !StartsPower(at_ + 1)) {
      ++at_;
      hasUnit = true;
      apply(*unit);
    } else {
      apply(Product(hasUnit));
    }
  }
  return q;
}

const Quantity* Parser::PlainUnitAhead() const {
  if (!exact_ || keepUses_ || at_ >= end_ || tokens_[at_].kind != Token::Kind::Word) return nullptr;
  // A word after it may make a name of several words; a power applies to it.
  if (at_ + 1 < end_ &&
      (tokens_[at_ + 1].kind == Token::Kind::Word ||
       (tokens_[at_ + 1].kind == Token::Kind::Operator && tokens_[at_ + 1].text == "^")))
    return nullptr;
  const Unit* unit = exact_(tokens_[at_].text);
  if (unit == nullptr || (unit->reading && sgn(unit->zero) != 0)) return nullptr;
  return &unit->value;
}

bool Parser::StartsPower() const { return StartsPower(at_); }

bool Parser::StartsPower(size_t at) const {
  if (at >= end_) return false;
  const Token& token = tokens_[at];
  switch (token.kind) {
    case Token::Kind::Word:
      return token.text != "per";
    case Token::Kind::Operator:
      return token.text == "(";
    default:
      return false;
  }
}

Quantity Parser::Product(bool& hasUnit) {
  Quantity q = PowerOf(hasUnit);
  // Juxtaposed factors; a number after a unit starts a compound amount.
  while (StartsPower()) {
    const int32_t position = tokens_[at_].position;
    const auto multiply = [&](const Quantity& right) {
      try {
        MultiplyBy(q, right);
      } catch (const EQuantityError& error) {
        throw EQuantityError(error.Message(), position);
      }
    };
    if (const Quantity* unit = PlainUnitAhead()) {
      ++at_;
      hasUnit = true;
      multiply(*unit);
    } else {
      multiply(PowerOf(hasUnit));
    }
  }
  return q;
}

int64_t Parser::Exponent() {
  bool negative = false;
  bool parenthesized = false;
  if (IsOperator("(")) {
    parenthesized = true;
    ++at_;
  }
  while (IsOperator("-") || IsOperator("+")) {
    negative = negative != (tokens_[at_].text == "-");
    ++at_;
  }
  if (at_ >= end_ || tokens_[at_].kind != Token::Kind::Number) Fail("integer exponent expected");
  if (!tokens_[at_].NumberIsInteger()) Fail("the exponent must be an integer");
  const std::optional<uint64_t> number = tokens_[at_].SmallInteger(1000);
  if (!number) Fail("exponent too large");
  ++at_;
  if (parenthesized) {
    if (!IsOperator(")")) Fail("\")\" expected");
    ++at_;
  }
  const auto n = static_cast<int64_t>(*number);
  return negative ? -n : n;
}

Quantity Parser::PowerOf(bool& hasUnit) {
  Quantity q = Unary(hasUnit);
  for (;;) {
    if (IsOperator("^")) {
      const int32_t position = tokens_[at_].position;
      ++at_;
      const int64_t n = Exponent();
      try {
        q = Power(q, n);
      } catch (const EQuantityError& error) {
        throw EQuantityError(error.Message(), position);
      }
    } else if (IsWord("squared")) {
      ++at_;
      q = Power(q, 2);
    } else if (IsWord("cubed")) {
      ++at_;
      q = Power(q, 3);
    } else {
      return q;
    }
  }
}

Quantity Parser::Unary(bool& hasUnit) {
  if (IsOperator("-") || IsOperator("+")) {
    const bool minus = tokens_[at_].text == "-";
    ++at_;
    if (++depth_ > kMaxDepth) Fail("expression nested too deeply");
    Quantity q = PowerOf(hasUnit);
    --depth_;
    if (minus) q.value = -q.value;
    return q;
  }
  return Primary(hasUnit);
}

// Each kind of primary is built by a function of its own, returned as it is
// made: a move of a GMP rational allocates.
Quantity Parser::Primary(bool& hasUnit) {
  if (at_ >= end_) Fail("amount expected");
  const Token& token = tokens_[at_];
  if (token.kind == Token::Kind::Number) return NumberAt();
  if (token.kind == Token::Kind::Operator && token.text == "(") return Parenthesized();
  if (token.kind == Token::Kind::Word) return UnitAt(hasUnit);
  Fail(token.kind == Token::Kind::End ? "amount expected" : "unexpected \"" + token.text + "\"");
}

Quantity Parser::NumberAt() {
  Quantity q;
  tokens_[at_++].NumberInto(q.value);
  // A fraction of numbers binds first: 1/1000 kg is a thousandth of a kg.
  while (at_ + 1 < end_ && tokens_[at_].kind == Token::Kind::Operator && tokens_[at_].text == "/" &&
         tokens_[at_ + 1].kind == Token::Kind::Number &&
         !(at_ + 2 < end_ && tokens_[at_ + 2].kind == Token::Kind::Operator &&
           tokens_[at_ + 2].text == "^")) {
    if (tokens_[at_ + 1].NumberIsZero()) Fail("division by zero");
    q.value /= tokens_[at_ + 1].Number();
    at_ += 2;
  }
  return q;
}

Quantity Parser::Parenthesized() {
  ++at_;
  if (++depth_ > kMaxDepth) Fail("expression nested too deeply");
  Quantity q = Sum();
  --depth_;
  if (!IsOperator(")")) Fail("\")\" expected");
  ++at_;
  return q;
}

Quantity Parser::UnitAt(bool& hasUnit) {
  // The longest run of words (up to four) that names a unit.
  size_t run = 0;
  while (run < 4 && at_ + run < end_ && tokens_[at_ + run].kind == Token::Kind::Word &&
         tokens_[at_ + run].text != "per")
    ++run;
  const int32_t position = tokens_[at_].position;
  std::string name;
  for (size_t n = run; n >= 1; --n) {
    name = tokens_[at_].text;
    for (size_t k = 1; k < n; ++k) {
      name += ' ';
      name += tokens_[at_ + k].text;
    }
    const auto readingError = [&name, position] {
      return EQuantityError(
          name +
              " reads a temperature on a scale and cannot be part of an "
              "expression; write a difference of temperatures in K, or deltaC, deltaF",
          position);
    };
    if (exact_ && !keepUses_) {
      if (const Unit* unit = exact_(name)) {
        if (unit->reading && sgn(unit->zero) != 0) throw readingError();
        at_ += n;
        hasUnit = true;
        return unit->value;
      }
    }
    std::optional<FoundUnit> found = lookup_(name, position);
    if (!found) continue;
    if (found->unit->reading && sgn(found->unit->zero) != 0) throw readingError();
    at_ += n;
    hasUnit = true;
    if (keepUses_) used_.push_back(UnitUse{*found, position});
    return found->Value();
  }
  const std::string& word = tokens_[at_].text;
  if (word == "square" || word == "sq" || word == "cubic" || word == "cu") {
    ++at_;
    if (++depth_ > kMaxDepth) Fail("expression nested too deeply");
    const Quantity q = Primary(hasUnit);
    --depth_;
    return Power(q, word == "square" || word == "sq" ? 2 : 3);
  }
  throw EQuantityError("unknown unit \"" + word + "\"", position);
}

}  // namespace quantity::detail

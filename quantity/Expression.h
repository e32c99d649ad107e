// Reading expressions of numbers and units, shared by questions and
// definitions: the tokens, and a parser over a range of them.
//
//   sum      := product-list { ("+" | "-") product-list | compound }
//   term     := product { ("*" | "/" | "per") product }
//   product  := power { power }          juxtaposition binds before "/"
//   power    := unary [ "^" integer ]    also "**", "²", "³", "squared"
//   unary    := ("-" | "+") unary | primary
//   primary  := number | unit | "(" sum ")" | ("square" | "cubic") primary
//
// A compound amount ("5 ft 3 in", "1 h 30 min") is a sum: a term that has
// a unit, followed by one that starts with a number, adds to it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quantity/Quantity.h"
#include "quantity/Units.h"

namespace quantity::detail {

struct Token {
  enum class Kind { Number, Word, Operator, End };
  Kind kind = Kind::End;
  std::string text;      // a word as written; an operator's character
  int32_t position = 0;  // character offset from 1

  // A number's exact value (only a number's). Most numbers written fit
  // machine integers, and are kept so: a token costs no GMP allocation.
  mpq_class Number() const;
  void NumberInto(mpq_class& value) const;
  void SetNumber(mpq_class value);
  void SetNumber(uint64_t numerator, uint64_t denominator);
  bool NumberIsZero() const;
  bool NumberIsInteger() const;
  // The number when it is an integer up to `limit`, else nothing.
  std::optional<uint64_t> SmallInteger(uint64_t limit) const;

 private:
  uint64_t numerator_ = 0, denominator_ = 1;  // reduced, when big_ is empty
  std::optional<mpq_class> big_;
};

// The tokens of `text`, ending with an End token. `isName` tells whether a
// hyphenated word ("light-year") is one name. Raises EQuantityError at the
// position of a character that belongs to no token.
std::vector<Token> Tokenize(std::string_view text, char separator,
                            const std::function<bool(std::string_view)>& isName);
// The same into `tokens`, whose memory is reused.
void Tokenize(std::string_view text, char separator,
              const std::function<bool(std::string_view)>& isName, std::vector<Token>& tokens);

// Looks a unit up by the text written; nothing when unknown.
using Lookup = std::function<std::optional<FoundUnit>(const std::string& text, int32_t position)>;

// A unit met while parsing, where it was written.
struct UnitUse {
  FoundUnit found;
  int32_t position = 0;
};

// Parses tokens[begin, end) as a sum. Raises EQuantityError with the
// position of the fault.
class Parser {
 public:
  Parser(const std::vector<Token>& tokens, size_t begin, size_t end, Lookup lookup)
      : tokens_(tokens), at_(begin), end_(end), lookup_(std::move(lookup)) {}

  // The whole range as one quantity.
  Quantity ParseAll();

  // The units used, in order.
  const std::vector<UnitUse>& Used() const noexcept { return used_; }

  // Whether Used() is kept (it is unless turned off).
  void KeepUses(bool keep) noexcept { keepUses_ = keep; }

  // A look-up of names exactly as written, asked before `lookup` where
  // Used() is not kept: the unit, or null to ask `lookup`.
  using ExactLookup = std::function<const Unit*(const std::string& text)>;
  void SetExactLookup(ExactLookup exact) { exact_ = std::move(exact); }

 private:
  Quantity Sum();
  Quantity Term(bool& hasUnit);
  Quantity Product(bool& hasUnit);
  Quantity PowerOf(bool& hasUnit);
  Quantity Unary(bool& hasUnit);
  Quantity Primary(bool& hasUnit);
  Quantity NumberAt();
  Quantity Parenthesized();
  int64_t Exponent();
  Quantity UnitAt(bool& hasUnit);
  bool IsOperator(const char* op) const;
  bool IsWord(const char* word) const;
  bool StartsPower() const;
  bool StartsPower(size_t at) const;
  const Quantity* PlainUnitAhead() const;
  [[noreturn]] void Fail(const std::string& message) const;

  const std::vector<Token>& tokens_;
  size_t at_;
  size_t end_;
  Lookup lookup_;
  ExactLookup exact_;
  int depth_ = 0;
  bool keepUses_ = true;
  std::vector<UnitUse> used_;
};

// Whether `word` is a joining word of a question: to, in, into, ->, as.
bool IsJoiningWord(const Token& token);

}  // namespace quantity::detail

#include "quantity/Question.h"

#include <algorithm>

#include "quantity/Expression.h"
#include "runtime/NumberText.h"

namespace quantity {

namespace {

using detail::Token;

std::string JoinedWords(const std::vector<Token>& tokens, size_t begin, size_t end) {
  std::string text;
  for (size_t i = begin; i < end; ++i) {
    if (tokens[i].kind != Token::Kind::Word) return {};
    if (!text.empty()) text += ' ';
    text += tokens[i].text;
  }
  return text;
}

// The scale written tokens[begin, end) (all words), also "C", "F" and "R"
// for °C, °F and °R; nothing when those words name no scale.
std::optional<FoundUnit> ScaleOf(const UnitTable& table, const std::vector<Token>& tokens,
                                 size_t begin, size_t end) {
  const std::string name = JoinedWords(tokens, begin, end);
  if (name.empty()) return std::nullopt;
  try {
    std::optional<FoundUnit> found = table.Find(name);
    if (found && found->unit->reading) return found;
    if (name.size() <= 2) {
      std::optional<FoundUnit> degrees = table.Find("\xC2\xB0" + name);
      if (degrees && degrees->unit->reading) return degrees;
    }
  } catch (const EQuantityError&) {
    // Not a scale; the parser reports the name with its position.
  }
  return std::nullopt;
}

void AddNote(std::vector<std::string>& notes, const std::string& note) {
  if (!note.empty() && std::find(notes.begin(), notes.end(), note) == notes.end())
    notes.push_back(note);
}

// "[+|-] NUMBER SCALE": a temperature reading.
bool ReadingAt(const UnitTable& table, const std::vector<Token>& tokens, size_t begin, size_t end,
               mpq_class& reading, std::optional<FoundUnit>& scale) {
  size_t at = begin;
  bool negative = false;
  if (at < end && tokens[at].kind == Token::Kind::Operator &&
      (tokens[at].text == "-" || tokens[at].text == "+"))
    negative = tokens[at++].text == "-";
  if (at >= end || tokens[at].kind != Token::Kind::Number) return false;
  tokens[at].NumberInto(reading);
  if (negative) reading = -reading;
  scale = ScaleOf(table, tokens, at + 1, end);
  return scale.has_value();
}

// The joining word that separates the amount from the unit asked for: the
// last one, outside parentheses, with something after it.
size_t JoinAt(const std::vector<Token>& tokens) {
  const size_t end = tokens.size() - 1;
  size_t join = end;
  int depth = 0;
  for (size_t i = 0; i + 1 < end; ++i) {
    const Token& token = tokens[i];
    if (token.kind == Token::Kind::Operator && token.text == "(") ++depth;
    if (token.kind == Token::Kind::Operator && token.text == ")") --depth;
    if (depth == 0 && i > 0 && detail::IsJoiningWord(token)) join = i;
  }
  return join;
}

std::string Amount(const mpq_class& value, bool exact, char separator) {
  return exact ? ExactText(value) : rtl::FormatGeneral(ToExtended(value), separator);
}

std::string Compose(const Answer& answer, bool exact, char separator) {
  std::string text;
  for (const AnswerPart& part : answer.parts) {
    if (!text.empty()) text += ' ';
    text += Amount(part.amount, exact, separator);
    if ((answer.parts.size() > 1 || !answer.unitAsked) && !part.unit.empty())
      text += " " + part.unit;
  }
  return text;
}

}  // namespace

std::string Answer::Text(char separator) const { return Compose(*this, false, separator); }

std::string Answer::ExactText() const { return Compose(*this, true, '.'); }

namespace {

std::vector<Token> Tokens(const UnitTable& table, std::string_view question, char separator) {
  const auto isName = [&table](std::string_view name) {
    try {
      return table.Find(name).has_value();
    } catch (const EQuantityError&) {
      return false;
    }
  };
  return detail::Tokenize(question, separator, isName);
}

Answer AskTokens(const UnitTable& table, const std::vector<Token>& tokens,
                 std::string_view question) {
  const size_t end = tokens.size() - 1;
  if (end == 0) throw EQuantityError("the question is empty", 1);
  const size_t join = JoinAt(tokens);
  Answer answer;
  answer.unitAsked = join != end;

  // A temperature reading converted to another scale.
  mpq_class reading;
  std::optional<FoundUnit> from;
  if (ReadingAt(table, tokens, 0, join, reading, from)) {
    std::optional<FoundUnit> to;
    if (answer.unitAsked) to = ScaleOf(table, tokens, join + 1, end);
    const bool fromOffset = sgn(from->unit->zero) != 0;
    if (to || !answer.unitAsked) {
      const mpq_class kelvin = (reading - from->unit->zero) * from->Value().value;
      if (sgn(kelvin) < 0) throw EQuantityError("below absolute zero", tokens[0].position);
      if (to) {
        answer.parts.push_back(AnswerPart{kelvin / to->Value().value + to->unit->zero,
                                          JoinedWords(tokens, join + 1, end)});
      } else {
        answer.parts.push_back(AnswerPart{kelvin, "K"});
      }
      AddNote(answer.notes, from->note);
      if (to) AddNote(answer.notes, to->note);
      return answer;
    }
    if (fromOffset)
      throw EQuantityError(
          from->Name() +
              " is a reading on a temperature scale: convert it to "
              "another scale (K, °C, °F, °R), or write a difference as deltaC, deltaF",
          tokens[join + 1].position);
  }

  const auto lookup = [&table](const std::string& name, int32_t position) {
    try {
      return table.Find(name);
    } catch (const EQuantityError& error) {
      throw EQuantityError(error.Message(), position);
    }
  };
  detail::Parser amountParser(tokens, 0, join, lookup);
  const Quantity amount = amountParser.ParseAll();
  for (const detail::UnitUse& use : amountParser.Used()) AddNote(answer.notes, use.found.note);
  if (!answer.unitAsked) {
    answer.parts.push_back(AnswerPart{amount.value, BaseUnitsText(amount.dimension)});
    return answer;
  }

  // The units asked for, separated by ";".
  std::vector<std::pair<Quantity, std::string>> targets;
  size_t begin = join + 1;
  for (size_t i = begin; i <= end; ++i) {
    if (i < end && !(tokens[i].kind == Token::Kind::Operator && tokens[i].text == ";")) continue;
    if (i == begin) throw EQuantityError("a unit is missing", tokens[i].position);
    detail::Parser parser(tokens, begin, i, lookup);
    Quantity unit = parser.ParseAll();
    for (const detail::UnitUse& use : parser.Used()) AddNote(answer.notes, use.found.note);
    if (unit.dimension != amount.dimension)
      throw EQuantityError("cannot convert " + DimensionName(amount.dimension) + " to " +
                               DimensionName(unit.dimension),
                           tokens[begin].position);
    if (sgn(unit.value) <= 0)
      throw EQuantityError("the unit asked for must be greater than zero", tokens[begin].position);
    std::string written(
        question.substr(static_cast<size_t>(tokens[begin].position - 1),
                        static_cast<size_t>(tokens[i].position - tokens[begin].position)));
    while (!written.empty() && (written.back() == ' ' || written.back() == '\t'))
      written.pop_back();
    targets.emplace_back(std::move(unit), std::move(written));
    begin = i + 1;
  }
  if (targets.size() == 1) {
    answer.parts.push_back(AnswerPart{ConvertExact(amount, targets[0].first), targets[0].second});
    return answer;
  }
  // A split answer: whole numbers of each unit but the last.
  const int sign = sgn(amount.value);
  mpq_class rest = abs(amount.value);
  for (size_t k = 0; k < targets.size(); ++k) {
    mpq_class count = rest / targets[k].first.value;
    if (k + 1 < targets.size()) {
      mpz_class whole;
      mpz_fdiv_q(whole.get_mpz_t(), count.get_num_mpz_t(), count.get_den_mpz_t());
      count = whole;
      rest -= count * targets[k].first.value;
    }
    answer.parts.push_back(AnswerPart{sign < 0 ? mpq_class(-count) : count, targets[k].second});
  }
  return answer;
}

}  // namespace

Answer Ask(const UnitTable& table, std::string_view question, char separator) {
  return AskTokens(table, Tokens(table, question, separator), question);
}

Answer Convert(const UnitTable& table, const mpq_class& amount, std::string_view from,
               std::string_view to) {
  const std::string question = "1 " + std::string(from) + " to " + std::string(to);
  std::vector<Token> tokens = Tokens(table, question, '.');
  tokens.front().SetNumber(amount);
  return AskTokens(table, tokens, question);
}

}  // namespace quantity

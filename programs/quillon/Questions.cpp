#include "programs/quillon/Questions.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <system_error>

#include "programs/quillon/Texts.h"
#include "programs/quillon/UnitNotes.h"
#include "runtime/CharClass.h"

namespace quillon {

namespace {

// The evaluator's own words (lower case; it reads them in any case).
constexpr std::string_view kEvaluatorNames[] = {
    "pi",     "e",      "sin",    "cos",   "tan",  "sec",   "cosec",   "csc",     "cotan",
    "arcsin", "arccos", "arctan", "sinh",  "cosh", "tanh",  "arcsinh", "arccosh", "arctanh",
    "abs",    "int",    "frac",   "round", "ceil", "floor", "ln",      "log",     "sqrt"};

// The prefixed units that the window lists beside the units of the file.
const std::vector<std::pair<std::string, std::vector<const char*>>> kListedPrefixes = {
    {"m", {"k", "c", "m", "\xC2\xB5", "n"}},
    {"g", {"m", "\xC2\xB5"}},
    {"L", {"m", "c", "d"}},
    {"s", {"m", "\xC2\xB5", "n"}},
    {"W", {"k", "M", "G"}},
    {"J", {"k", "M"}},
    {"Wh", {"k", "M", "G"}},
    {"Pa", {"h", "k", "M"}},
    {"Hz", {"k", "M", "G"}},
    {"N", {"k"}},
    {"V", {"m", "k"}},
    {"A", {"m"}},
    {"B", {"k", "M", "G", "T", "Ki", "Mi", "Gi", "Ti"}},
    {"bit", {"k", "M", "G"}},
    {"eV", {"k", "M", "G"}},
    {"t", {"k"}},
};

bool IsWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '%' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// The window's lists show Latin-1 bytes: a UTF-8 name within Latin-1 (°C,
// µs, Å) is written in it; nothing when it holds other characters (Ω).
std::optional<std::string> Latin1(std::string_view utf8) {
  std::string text;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      text += utf8[i];
    } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[++i]);
      text += static_cast<char>(byte == 0xC2 ? next : next + 0x40);
    } else {
      return std::nullopt;
    }
  }
  return text;
}

std::string Lowered(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

std::string WithPosition(const quantity::EQuantityError& error) {
  if (error.Position() <= 0) return error.Message();
  return WithArgument(Translate("quillon::Questions", "at %1:"), std::to_string(error.Position())) +
         " " + error.Message();
}

// The engine's notes in the user's language.
std::vector<std::string> TranslatedNotes(const std::vector<std::string>& notes) {
  std::vector<std::string> translated;
  translated.reserve(notes.size());
  for (const std::string& note : notes) translated.push_back(TranslatedNote(note));
  return translated;
}

}  // namespace

quantity::UnitTable& UnitDefinitions() {
  // Never destroyed: the process ends without freeing each unit one by one.
  static quantity::UnitTable* const table = new quantity::UnitTable;
  return *table;
}

std::vector<std::string> LoadUnitDefinitions(quantity::UnitTable& table, const UnitsFiles& files) {
  std::vector<std::string> problems;
  const auto load = [&](const std::string& path) {
    for (const quantity::DefinitionProblem& problem : table.LoadFile(path))
      problems.push_back(problem.Text());
  };
  if (files.shipped.empty()) {
    problems.push_back(
        Translate("quillon::Questions", "the units file that ships with quillon was not found"));
  } else {
    load(files.shipped);
  }
  std::error_code error;
  if (!files.user.empty() && std::filesystem::exists(files.user, error)) load(files.user);
  return problems;
}

bool MentionsUnits(std::string_view entry) {
  size_t i = 0;
  while (i < entry.size()) {
    const char c = entry[i];
    if (c == '$') {  // hexadecimal: its digits may be letters
      ++i;
      while (i < entry.size() && rtl::IsHexDigit(entry[i])) ++i;
      continue;
    }
    if (rtl::IsDigit(c)) {
      while (i < entry.size() && (rtl::IsDigit(entry[i]) || entry[i] == '.' || entry[i] == ','))
        ++i;
      // An exponent: e or E with digits, possibly signed.
      if (i + 1 < entry.size() && (entry[i] == 'e' || entry[i] == 'E')) {
        size_t j = i + 1;
        if (entry[j] == '+' || entry[j] == '-') ++j;
        if (j < entry.size() && rtl::IsDigit(entry[j])) i = j;
      }
      continue;
    }
    if (c == '-' && i + 1 < entry.size() && entry[i + 1] == '>') return true;
    if (!IsWordByte(c)) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < entry.size() && (IsWordByte(entry[i]) || rtl::IsDigit(entry[i]))) ++i;
    const std::string word = Lowered(entry.substr(start, i - start));
    bool known = false;
    for (std::string_view name : kEvaluatorNames) known = known || word == name;
    if (!known) return true;
  }
  return false;
}

QuestionAnswer AnswerQuestion(const quantity::UnitTable& table, std::string_view question,
                              bool exact) {
  try {
    const quantity::Answer answer = quantity::Ask(table, question, rtl::DecimalSeparator());
    return {exact ? answer.ExactText() : answer.Text(rtl::DecimalSeparator()),
            TranslatedNotes(answer.notes)};
  } catch (const quantity::EQuantityError& error) {
    throw quantity::EQuantityError(WithPosition(error), error.Position());
  }
}

mpq_class ExactValue(rtl::Extended value) {
  if (!std::isfinite(value)) throw rtl::EInvalidOp();
  const rtl::ExtendedBits bits = rtl::BitsOf(value);
  const long biased = bits.signExponent & 0x7FFF;
  // value = significand * 2^(exponent - 16383 - 63); subnormals use 1 - 16383.
  const long shift = (biased == 0 ? 1 : biased) - 16383 - 63;
  static_assert(sizeof(unsigned long) == sizeof(uint64_t), "a significand fits mpz's ui");
  mpq_class result{mpz_class(static_cast<unsigned long>(bits.significand))};
  if (shift >= 0) {
    mpq_mul_2exp(result.get_mpq_t(), result.get_mpq_t(), static_cast<mp_bitcnt_t>(shift));
  } else {
    mpq_div_2exp(result.get_mpq_t(), result.get_mpq_t(), static_cast<mp_bitcnt_t>(-shift));
  }
  return (bits.signExponent & 0x8000) != 0 ? mpq_class(-result) : result;
}

QuestionAnswer ConvertAmount(const quantity::UnitTable& table, rtl::Extended amount,
                             std::string_view from, std::string_view to) {
  try {
    const quantity::Answer answer = quantity::Convert(table, ExactValue(amount), from, to);
    return {answer.Text(rtl::DecimalSeparator()), TranslatedNotes(answer.notes)};
  } catch (const quantity::EQuantityError& error) {
    // Its position lies in a question made up here: the message alone.
    throw quantity::EQuantityError(error.Message());
  }
}

void AddDefinitionsToCatalogue(units::TCategories& catalogue, const quantity::UnitTable& table) {
  std::vector<std::pair<std::string, std::vector<const quantity::Unit*>>> groups;
  for (const auto& unit : table.Units()) {
    if (unit->value.dimension.IsNone()) continue;
    const std::string name = quantity::DimensionName(unit->value.dimension);
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const auto& entry) { return entry.first == name; });
    if (group == groups.end()) {
      groups.emplace_back(name, std::vector<const quantity::Unit*>{});
      group = groups.end() - 1;
    }
    group->second.push_back(unit.get());
  }
  for (auto& [name, members] : groups) {
    const bool temperature = name == "temperature";
    std::string title = name;
    title[0] = static_cast<char>(title[0] - 'a' + 'A');
    std::vector<std::pair<std::string, const quantity::Unit*>> listed;
    std::vector<std::pair<std::string, mpq_class>> prefixed;  // km, MB: listed too
    for (const quantity::Unit* unit : members) {
      for (const auto& [symbol, prefixes] : kListedPrefixes) {
        if (unit->names.front() != symbol) continue;
        for (const char* prefix : prefixes) {
          if (const auto found = table.Find(std::string(prefix) + symbol))
            prefixed.emplace_back(found->Name(), found->Value().value);
        }
      }
      std::string symbol = unit->names.front();
      if (temperature) {
        if (!unit->reading) continue;
        if (symbol.starts_with("\xC2\xB0")) symbol = symbol.substr(2);  // °C is C
        if (symbol != "K" && symbol != "C" && symbol != "F" && symbol != "R") continue;
      }
      listed.emplace_back(symbol, unit);
    }
    if (listed.size() < 2) continue;
    // The base unit first, where the dimension has one.
    std::stable_partition(listed.begin(), listed.end(),
                          [](const auto& entry) { return entry.second->value.value == 1; });
    catalogue.AddCategory(title);
    units::TCategory& category = catalogue.GetCategory(catalogue.CategoryCount() - 1);
    const mpq_class base = listed.front().second->value.value;
    const auto add = [&](const std::string& symbol, const std::string& name,
                         const mpq_class& value) {
      try {
        category.AddUnit(symbol, name, quantity::ToExtended(value / base));
      } catch (const rtl::Exception&) {
        // A symbol the catalogue holds already in this category, or a ratio
        // beyond the extended range: the window does without it.
      }
    };
    for (const auto& [symbol, unit] : listed) {
      // The symbol and the first other name that Latin-1 can show.
      std::vector<std::string> shown;
      for (const std::string& name : unit->names) {
        if (const auto text = Latin1(name)) shown.push_back(*text);
      }
      if (shown.empty()) continue;
      const std::optional<std::string> written = Latin1(symbol);
      const std::string first = written ? *written : shown.front();
      std::string other = first;
      for (const std::string& name : shown) {
        if (name != first) {
          other = name;
          break;
        }
      }
      add(first, other, unit->value.value);
    }
    for (const auto& [symbol, value] : prefixed) {
      if (const auto text = Latin1(symbol)) add(*text, *text, value);
    }
  }
}

std::string ListUnits(const quantity::UnitTable& table) {
  std::string text;
  for (const auto& [category, units] : table.Categories()) {
    text += "[" + category + "]\n";
    for (const quantity::Unit* unit : units) {
      std::string names;
      for (const std::string& name : unit->names) names += (names.empty() ? "" : ", ") + name;
      std::string value = quantity::ExactText(unit->value.value);
      const std::string base = quantity::BaseUnitsText(unit->value.dimension);
      if (!base.empty()) value += " " + base;
      text += "  " + names + " = " + unit->definition + "  (" + value + ")\n";
    }
  }
  return text;
}

}  // namespace quillon

#include "quantity/Units.h"

#include <algorithm>
#include <deque>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "quantity/Expression.h"
#include "runtime/CharClass.h"

namespace quantity {

namespace {

struct Prefix {
  std::string_view symbol;
  std::string_view word;
  int base;  // 10 or 2
  int power;
};

// The SI prefixes (the longer "da" before "d") and the binary ones of
// IEC 80000-13. The micro sign is accepted as U+00B5, as Greek mu and as "u".
constexpr Prefix kPrefixes[] = {
    {"Q", "quetta", 10, 30}, {"R", "ronna", 10, 27},        {"Y", "yotta", 10, 24},
    {"Z", "zetta", 10, 21},  {"E", "exa", 10, 18},          {"P", "peta", 10, 15},
    {"T", "tera", 10, 12},   {"G", "giga", 10, 9},          {"M", "mega", 10, 6},
    {"k", "kilo", 10, 3},    {"h", "hecto", 10, 2},         {"da", "deca", 10, 1},
    {"", "deka", 10, 1},     {"d", "deci", 10, -1},         {"c", "centi", 10, -2},
    {"m", "milli", 10, -3},  {"\xC2\xB5", "micro", 10, -6}, {"\xCE\xBC", "", 10, -6},
    {"u", "", 10, -6},       {"n", "nano", 10, -9},         {"p", "pico", 10, -12},
    {"f", "femto", 10, -15}, {"a", "atto", 10, -18},        {"z", "zepto", 10, -21},
    {"y", "yocto", 10, -24}, {"r", "ronto", 10, -27},       {"q", "quecto", 10, -30},
    {"Ki", "kibi", 2, 10},   {"Mi", "mebi", 2, 20},         {"Gi", "gibi", 2, 30},
    {"Ti", "tebi", 2, 40},   {"Pi", "pebi", 2, 50},         {"Ei", "exbi", 2, 60},
    {"Zi", "zebi", 2, 70},   {"Yi", "yobi", 2, 80},
};

mpq_class PrefixFactor(const Prefix& prefix) {
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), static_cast<unsigned long>(prefix.base),
                static_cast<unsigned long>(prefix.power < 0 ? -prefix.power : prefix.power));
  mpq_class factor = prefix.power >= 0 ? mpq_class(power) : mpq_class(mpz_class(1), power);
  factor.canonicalize();
  return factor;
}

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithFolded(std::string_view text, std::string_view prefix, bool fold) {
  if (!fold) return text.starts_with(prefix);
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (LowerChar(text[i]) != LowerChar(prefix[i])) return false;
  return true;
}

// Names up to three bytes long, and the first (the symbol), take the prefix
// symbols; longer ones the prefix words.
bool TakesSymbolPrefix(const Unit& unit, const std::string& name) {
  return name == unit.names.front() || name.size() <= 3;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameMeaning(const FoundUnit& a, const FoundUnit& b) {
  if (a.unit == b.unit && a.prefix == b.prefix) return true;
  const Quantity x = a.Value(), y = b.Value();
  return x.value == y.value && x.dimension == y.dimension && a.unit->reading == b.unit->reading &&
         a.unit->zero == b.unit->zero;
}

}  // namespace

Quantity FoundUnit::Value() const {
  if (cmp(prefix, 1) == 0) return unit->value;
  return Quantity{prefix * unit->value.value, unit->value.dimension};
}

std::string DefinitionProblem::Text() const {
  if (line == 0) return file + ": " + reason;
  return file + ":" + std::to_string(line) + ": " + reason;
}

UnitTable::UnitTable() = default;
UnitTable::~UnitTable() = default;

void UnitTable::Index(Unit& unit) {
  for (const std::string& name : unit.names) byName_.emplace(name, &unit);
  IndexSeveralWords(unit);
}

void UnitTable::IndexSeveralWords(const Unit& unit) {
  for (const std::string& name : unit.names) {
    if (const size_t blank = name.find(' '); blank != std::string::npos) {
      std::string lowered = Lower(name);
      const std::string_view firstWord = std::string_view(lowered).substr(0, blank);
      if (auto it = firstWords_.find(firstWord); it != firstWords_.end()) {
        ++it->second;
      } else {
        firstWords_.emplace(firstWord, 1);
      }
      severalWords_.push_back(std::move(lowered));
    }
  }
  lowerNamesBuilt_ = false;
}

void UnitTable::Reindex() {
  byName_.clear();
  firstWords_.clear();
  severalWords_.clear();
  for (auto& unit : units_) Index(*unit);
}

void UnitTable::BuildLowerNames() const {
  if (lowerNamesBuilt_) return;
  byLowerName_.clear();
  for (const auto& unit : units_) {
    for (const std::string& name : unit->names)
      byLowerName_[Lower(name)].emplace_back(&name, unit.get());
  }
  lowerNamesBuilt_ = true;
}

// Exact names and a prefix with a name; with `plural` the name matched must
// be a word of at least three characters.
void UnitTable::FindPlain(std::string_view text, bool fold, bool plural,
                          std::vector<FoundUnit>& found) const {
  const auto acceptName = [&](const std::string& name) { return !plural || name.size() >= 3; };
  if (fold) BuildLowerNames();
  if (fold) {
    if (auto it = byLowerName_.find(Lower(text)); it != byLowerName_.end()) {
      for (const auto& [name, unit] : it->second)
        if (acceptName(*name)) found.push_back(FoundUnit{unit, 1, "", *name, ""});
    }
  } else if (auto it = byName_.find(text); it != byName_.end()) {
    if (acceptName(it->first)) {
      found.push_back(FoundUnit{it->second, 1, "", it->first, ""});
      return;
    }
  }
  for (const Prefix& prefix : kPrefixes) {
    for (const bool word : {false, true}) {
      const std::string_view written = word ? prefix.word : prefix.symbol;
      if (written.empty() || text.size() <= written.size() ||
          !StartsWithFolded(text, written, fold))
        continue;
      const std::string_view rest = text.substr(written.size());
      std::vector<std::pair<const std::string*, Unit*>> candidates;
      if (fold) {
        if (auto it = byLowerName_.find(Lower(rest)); it != byLowerName_.end())
          candidates = it->second;
      } else if (auto it = byName_.find(rest); it != byName_.end()) {
        candidates.emplace_back(&it->first, it->second);
      }
      for (const auto& [namePointer, unit] : candidates) {
        const std::string& name = *namePointer;
        if (unit->prefixes == Prefixes::None) continue;
        if (prefix.base == 2 && unit->prefixes != Prefixes::Binary) continue;
        if (TakesSymbolPrefix(*unit, name) == word) continue;
        if (!acceptName(name)) continue;
        found.push_back(FoundUnit{unit, PrefixFactor(prefix), std::string(written), name, ""});
        if (!fold) return;
      }
    }
  }
}

std::string UnitTable::NoteFor(const FoundUnit& found) const {
  if (auto it = notes_.find(found.Name()); it != notes_.end()) return it->second;
  if (found.prefixName.empty()) {
    if (auto it = notes_.find(found.unit->names.front()); it != notes_.end()) return it->second;
  }
  return {};
}

std::optional<FoundUnit> UnitTable::Find(std::string_view text) const {
  if (text.empty()) return std::nullopt;
  // Words that begin no name of several words are no such name in any form.
  if (const size_t blank = text.find(' '); blank != std::string_view::npos) {
    if (firstWords_.count(Lower(text.substr(0, blank))) == 0) return std::nullopt;
    // In any form (a prefix before it, a plural ending, any case) such a
    // name ends the text, or its singular: "ton g0" needs no search.
    const std::string lowered = Lower(text);
    std::string forms[4] = {lowered};
    if (lowered.size() > 3 && lowered.back() == 's') {
      forms[1] = lowered.substr(0, lowered.size() - 1);
      if (lowered.ends_with("es")) forms[2] = lowered.substr(0, lowered.size() - 2);
      if (lowered.ends_with("ies")) forms[3] = lowered.substr(0, lowered.size() - 3) + "y";
    }
    const bool possible =
        std::any_of(severalWords_.begin(), severalWords_.end(), [&forms](const std::string& name) {
          return std::any_of(std::begin(forms), std::end(forms),
                             [&name](const std::string& form) { return form.ends_with(name); });
        });
    if (!possible) return std::nullopt;
  }
  // Most names are written as the table knows them.
  if (auto it = byName_.find(text); it != byName_.end()) {
    FoundUnit result{it->second, 1, "", it->first, ""};
    if (!notes_.empty()) result.note = NoteFor(result);
    return result;
  }
  // The singular forms of a plural: miles, inches, centuries.
  std::vector<std::string> singulars;
  if (text.size() > 3 && text.back() == 's') {
    singulars.emplace_back(text.substr(0, text.size() - 1));
    if (text.ends_with("es")) singulars.emplace_back(text.substr(0, text.size() - 2));
    if (text.ends_with("ies"))
      singulars.push_back(std::string(text.substr(0, text.size() - 3)) + "y");
  }
  std::vector<FoundUnit> found;
  for (const bool fold : {false, true}) {
    FindPlain(text, fold, false, found);
    // The first singular form that names a unit: "miles" is mile, not mil.
    for (const std::string& singular : singulars) {
      if (!found.empty()) break;
      FindPlain(singular, fold, true, found);
    }
    if (found.empty()) continue;
    for (const FoundUnit& other : found) {
      if (!SameMeaning(found.front(), other))
        throw EQuantityError("\"" + std::string(text) + "\" may be " + found.front().Name() +
                             " or " + other.Name() + "; write it in its exact case");
    }
    FoundUnit result = found.front();
    result.note = NoteFor(result);
    return result;
  }
  return std::nullopt;
}

std::vector<std::pair<std::string, std::vector<const Unit*>>> UnitTable::Categories() const {
  std::vector<std::pair<std::string, std::vector<const Unit*>>> categories;
  std::unordered_map<std::string, size_t> at;
  for (const auto& unit : units_) {
    auto [it, added] = at.emplace(unit->category, categories.size());
    if (added) categories.emplace_back(unit->category, std::vector<const Unit*>{});
    categories[it->second].second.push_back(unit.get());
  }
  return categories;
}

// ---------------------------------------------------------------------------
// Loading definitions.

class DefinitionsLoader {
 public:
  DefinitionsLoader(UnitTable& table, std::string fileName)
      : table_(table), fileName_(std::move(fileName)), firstNew_(table.units_.size()) {}

  void Line(int32_t number, std::string_view line) {
    if (const size_t hash = line.find('#'); hash != std::string_view::npos)
      line = line.substr(0, hash);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trimmed(line);
    if (line.empty()) return;
    try {
      Parse(number, line);
    } catch (const EQuantityError& error) {
      Problem(number, error.Message());
    }
  }

  std::vector<DefinitionProblem> Finish() {
    indexOf_.reserve(table_.units_.size() - firstNew_);
    for (size_t i = firstNew_; i < table_.units_.size(); ++i)
      indexOf_.emplace_back(table_.units_[i].get(), i);
    std::sort(indexOf_.begin(), indexOf_.end());
    for (size_t i = firstNew_; i < table_.units_.size(); ++i) Resolve(i);
    // Whatever failed leaves the table, with all its names.
    bool removed = false;
    std::vector<std::unique_ptr<Unit>> kept;
    for (size_t i = 0; i < table_.units_.size(); ++i) {
      if (i >= firstNew_ && states_[i - firstNew_].state != State::Done) {
        removed = true;
        continue;
      }
      kept.push_back(std::move(table_.units_[i]));
    }
    table_.units_ = std::move(kept);
    if (removed) table_.Reindex();
    for (auto& [name, text] : notes_) table_.notes_[name] = text;
    std::sort(
        problems_.begin(), problems_.end(),
        [](const DefinitionProblem& a, const DefinitionProblem& b) { return a.line < b.line; });
    return std::move(problems_);
  }

 private:
  enum class State { Waiting, Resolving, Done, Failed };
  struct Pending {
    State state = State::Waiting;
    std::string zero;  // of a scale
  };

  void Problem(int32_t line, const std::string& reason) {
    problems_.push_back(DefinitionProblem{fileName_, line, reason});
  }

  void Parse(int32_t number, std::string_view line) {
    if (line.front() == '[') {
      if (line.back() != ']') throw EQuantityError("a category heading ends with \"]\"");
      category_ = std::string(Trimmed(line.substr(1, line.size() - 2)));
      if (category_.empty()) throw EQuantityError("empty category name");
      return;
    }
    if (line.starts_with("note ")) {
      const size_t colon = line.find(':');
      if (colon == std::string_view::npos) throw EQuantityError("a note is \"note NAME: TEXT\"");
      const std::string name(Trimmed(line.substr(5, colon - 5)));
      if (name.empty()) throw EQuantityError("a note needs the name it is on");
      notes_[name] = std::string(Trimmed(line.substr(colon + 1)));
      return;
    }
    auto unit = std::make_unique<Unit>();
    Pending pending;
    for (;;) {
      if (line.starts_with("si ")) {
        unit->prefixes = Prefixes::SI;
      } else if (line.starts_with("binary ")) {
        unit->prefixes = Prefixes::Binary;
      } else if (line.starts_with("reading ")) {
        unit->reading = true;
      } else {
        break;
      }
      line = Trimmed(line.substr(line.find(' ')));
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      throw EQuantityError("\"=\" expected: NAMES = DEFINITION");
    std::string_view definition = Trimmed(line.substr(equals + 1));
    if (unit->reading) {
      const size_t zero = definition.rfind(" zero ");
      if (zero == std::string_view::npos) {
        pending.zero = "0";  // an absolute scale
      } else {
        pending.zero = std::string(Trimmed(definition.substr(zero + 6)));
        definition = Trimmed(definition.substr(0, zero));
      }
    }
    if (definition.empty()) throw EQuantityError("the definition is empty");
    std::string_view names = line.substr(0, equals);
    unit->names.reserve(static_cast<size_t>(std::count(names.begin(), names.end(), ',')) + 1);
    while (!names.empty()) {
      const size_t comma = names.find(',');
      unit->names.push_back(CheckedName(Trimmed(names.substr(0, comma))));
      if (comma == std::string_view::npos) break;
      names.remove_prefix(comma + 1);
    }
    if (unit->names.empty()) throw EQuantityError("a definition needs a name");
    // Each name into the index as it is checked; a name taken takes the
    // line's names out again.
    for (size_t i = 0; i < unit->names.size(); ++i) {
      if (!table_.byName_.try_emplace(unit->names[i], unit.get()).second) {
        for (size_t k = 0; k < i; ++k) table_.byName_.erase(unit->names[k]);
        throw EQuantityError("\"" + unit->names[i] + "\" is already defined");
      }
    }
    table_.IndexSeveralWords(*unit);
    unit->definition = std::string(definition);
    unit->category = category_;
    unit->file = fileName_;
    unit->line = number;
    table_.units_.push_back(std::move(unit));
    states_.push_back(std::move(pending));
  }

  static std::string CheckedName(std::string_view name) {
    if (name.empty()) throw EQuantityError("empty name");
    std::string result;
    result.reserve(name.size());
    if (std::none_of(name.begin(), name.end(), IsBlank)) {
      // One word, as most names are: checked, then taken whole.
      for (size_t i = 0; i < name.size(); ++i) {
        if (!IsNameByte(name[i], i)) throw NotAName(name);
      }
      result.assign(name);
      CheckNotReserved(result);
      return result;
    }
    bool blank = false;
    for (size_t i = 0; i < name.size(); ++i) {
      const char c = name[i];
      if (c == ' ' || c == '\t') {
        blank = true;
        continue;
      }
      if (blank) result += ' ';
      blank = false;
      if (!IsNameByte(c, i)) throw NotAName(name);
      result += c;
    }
    CheckNotReserved(result);
    return result;
  }

  static bool IsNameByte(char c, size_t at) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '%' || c == '-' ||
           static_cast<unsigned char>(c) >= 0x80 || (rtl::IsDigit(c) && at > 0);
  }

  static EQuantityError NotAName(std::string_view name) {
    return EQuantityError("\"" + std::string(name) + "\" is no name: letters, digits, \"-\"");
  }

  static void CheckNotReserved(const std::string& name) {
    // Longer than every word of questions, or not starting as one does.
    if (name.size() > 7 || std::string_view("tipsc").find(name.front()) == std::string_view::npos)
      return;
    for (const std::string_view reserved :
         {"to", "into", "per", "square", "cubic", "sq", "cu", "squared", "cubed"}) {
      if (name == reserved) throw EQuantityError("\"" + name + "\" is a word of questions");
    }
  }

  // The unit at `index` of the table, resolved with what it uses.
  void Resolve(size_t index) {
    Pending& pending = states_[index - firstNew_];
    if (pending.state == State::Done || pending.state == State::Failed) return;
    Unit& unit = *table_.units_[index];
    pending.state = State::Resolving;
    path_.push_back(unit.names.front());
    try {
      Compute(unit, pending);
      pending.state = State::Done;
    } catch (const EQuantityError& error) {
      pending.state = State::Failed;
      Problem(unit.line, error.Message());
    }
    path_.pop_back();
  }

  void Compute(Unit& unit, const Pending& pending) {
    if (unit.definition.front() == '!') {
      Dimension dimension;
      const std::string base = unit.definition.substr(1);
      if (!DimensionByName(base, dimension) || dimension.IsNone() ||
          std::count_if(dimension.exponents.begin(), dimension.exponents.end(),
                        [](int16_t e) { return e != 0; }) != 1 ||
          *std::max_element(dimension.exponents.begin(), dimension.exponents.end()) != 1)
        throw EQuantityError("\"" + base + "\" is no base quantity");
      unit.value = Quantity{1, dimension};
    } else {
      unit.value = Evaluate(unit.definition);
    }
    if (sgn(unit.value.value) <= 0) throw EQuantityError("a unit must be greater than zero");
    if (unit.reading) {
      const Quantity zero = Evaluate(pending.zero);
      if (!zero.dimension.IsNone()) throw EQuantityError("the zero of a scale is a plain number");
      if (unit.value.dimension != Dimension::Of(BaseQuantity::Temperature))
        throw EQuantityError("a scale that reads temperatures must be a temperature");
      unit.zero = zero.value;
    }
    Dimension expected;
    if (DimensionByName(unit.category, expected) && expected != unit.value.dimension)
      throw EQuantityError("the dimension is " + DimensionName(unit.value.dimension) + ", not " +
                           unit.category + " as the category says");
  }

  Quantity Evaluate(const std::string& text) {
    const auto isName = [this](std::string_view name) {
      return table_.byName_.find(name) != table_.byName_.end();
    };
    // One vector of tokens for each depth of definitions being resolved
    // (a definition's parser waits while one it uses is resolved), reused
    // from definition to definition.
    if (tokensAtDepth_.size() <= path_.size()) tokensAtDepth_.resize(path_.size() + 1);
    std::vector<detail::Token>& tokens = tokensAtDepth_[path_.size()];
    detail::Tokenize(text, '.', isName, tokens);
    const auto lookup = [this](const std::string& name, int32_t) { return LookUp(name); };
    detail::Parser parser(tokens, 0, tokens.size() - 1, lookup);
    parser.KeepUses(false);
    parser.SetExactLookup([this](const std::string& name) -> const Unit* {
      const auto it = table_.byName_.find(name);
      if (it == table_.byName_.end()) return nullptr;
      Require(*it->second, name);
      return it->second;
    });
    return parser.ParseAll();
  }

  // The unit written `name`, with the units of this file that it needs
  // resolved first; nothing when unknown. Raises EQuantityError for a
  // circular definition or a unit that could not be defined.
  std::optional<FoundUnit> LookUp(const std::string& name) {
    // Most names are written as defined; a definition needs no notes.
    std::optional<FoundUnit> found;
    if (auto it = table_.byName_.find(name); it != table_.byName_.end()) {
      found.emplace();
      found->unit = it->second;
      found->unitName = it->first;
    } else {
      found = table_.Find(name);
    }
    if (found) Require(*found->unit, name);
    return found;
  }

  // `unit`, written `name`, resolved when it is one of this file's.
  void Require(const Unit& unit, const std::string& name) {
    const auto it =
        std::lower_bound(indexOf_.begin(), indexOf_.end(), std::make_pair(&unit, size_t{0}));
    if (it == indexOf_.end() || it->first != &unit) return;  // loaded before
    const size_t index = it->second;
    switch (states_[index - firstNew_].state) {
      case State::Resolving: {
        std::string cycle;
        for (const std::string& step : path_) cycle += step + " -> ";
        throw EQuantityError("circular definition: " + cycle + unit.names.front());
      }
      case State::Waiting:
        Resolve(index);
        if (states_[index - firstNew_].state != State::Done)
          throw EQuantityError("uses \"" + name + "\", which could not be defined");
        break;
      case State::Failed:
        throw EQuantityError("uses \"" + name + "\", which could not be defined");
      case State::Done:
        break;
    }
  }

  UnitTable& table_;
  std::string fileName_;
  size_t firstNew_;
  std::string category_ = "other";
  std::vector<Pending> states_;
  std::vector<std::string> path_;
  std::deque<std::vector<detail::Token>> tokensAtDepth_;  // deque: its elements stay put
  // The units of this file by address, sorted: their places in the table.
  std::vector<std::pair<const Unit*, size_t>> indexOf_;
  std::map<std::string, std::string> notes_;
  std::vector<DefinitionProblem> problems_;
};

std::vector<DefinitionProblem> UnitTable::Load(std::string_view text, const std::string& fileName) {
  // About one definition a line of 30 bytes, and two names each.
  const size_t expected = units_.size() + text.size() / 30;
  units_.reserve(expected);
  byName_.reserve(2 * expected);
  DefinitionsLoader loader(*this, fileName);
  int32_t number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    loader.Line(++number, text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return loader.Finish();
}

std::vector<DefinitionProblem> UnitTable::LoadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {DefinitionProblem{path, 0, "cannot be read"}};
  std::string text;
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  file.seekg(0, std::ios::beg);
  if (size > 0) {
    text.resize(static_cast<size_t>(size));
    file.read(text.data(), size);
    text.resize(static_cast<size_t>(file.gcount()));
  } else {
    std::ostringstream whole;  // no size known: read to the end
    whole << file.rdbuf();
    text = whole.str();
  }
  return Load(text, path);
}

}  // namespace quantity

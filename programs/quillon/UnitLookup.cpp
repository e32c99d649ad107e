#include "programs/quillon/UnitLookup.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace quillon {

namespace {

// Other spellings of a symbol, by category. An alias applies only in its
// category, and only when that category holds the symbol.
struct Alias {
  std::string_view category;
  std::string_view alias;
  std::string_view symbol;
};

constexpr Alias kAliases[] = {
    {"Time", "h", "hr"},
    {"Time", "hrs", "hr"},
    {"Time", "min", "mn"},
    {"Time", "mins", "mn"},
    {"Time", "sec", "s"},
    {"Time", "secs", "s"},
    {"Time", "d", "day"},
    {"Time", "y", "yr"},
    {"Time", "yrs", "yr"},
    {"Angle", "arcmin", "min"},
    {"Angle", "arcsec", "sec"},
    {"Angle", "grad", "gr"},
    {"Angle", "gon", "gr"},
    {"Angle", "turn", "rev"},
    {"Temperature", "degC", "C"},
    {"Temperature", "degF", "F"},
    {"Temperature", "degK", "K"},
    {"Temperature", "degR", "R"},
    {"Length", "NM", "nmi"},
    {"Mass", "lbs", "lb"},
    {"Mass", "mcg", "ug"},
    {"Volume", "cc", "cm3"},
    {"Speed", "kph", "km/h"},
    {"Speed", "kmh", "km/h"},
    {"Speed", "mi/h", "mph"},
    {"Speed", "kt", "kn"},
    {"Speed", "fps", "ft/s"},
    {"Data Rate", "bps", "bit/s"},
    {"Data Rate", "kbps", "kbit/s"},
    {"Data Rate", "Mbps", "Mbit/s"},
    {"Data Rate", "Gbps", "Gbit/s"},
};

// Characters that people type for letters of a symbol, in UTF-8 and in
// Latin-1 (the window hands its text over as Latin-1).
struct Spelling {
  std::string_view written;
  std::string_view meant;
};

constexpr Spelling kSpellings[] = {
    {"\xC2\xB5", "u"},    // micro sign
    {"\xCE\xBC", "u"},    // Greek small mu
    {"\xC2\xB2", "2"},    // superscript two
    {"\xC2\xB3", "3"},    // superscript three
    {"\xC2\xB0", "deg"},  // degree sign
    {"^2", "2"},         {"^3", "3"}, {"\xB5", "u"}, {"\xB2", "2"}, {"\xB3", "3"}, {"\xB0", "deg"},
};

std::string WrittenOut(std::string_view text) {
  std::string result;
  size_t i = 0;
  while (i < text.size()) {
    const Spelling* found = nullptr;
    for (const Spelling& spelling : kSpellings) {
      if (text.substr(i, spelling.written.size()) == spelling.written) {
        found = &spelling;
        break;
      }
    }
    if (found != nullptr) {
      result += found->meant;
      i += found->written.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::string SingularWord(std::string word) {
  auto endsWith = [&word](std::string_view end) {
    return word.size() > end.size() && word.compare(word.size() - end.size(), end.size(), end) == 0;
  };
  if (word == "feet") return "foot";
  if (endsWith("ies")) return word.substr(0, word.size() - 3) + "y";
  if (endsWith("ches") || endsWith("shes") || endsWith("sses") || endsWith("xes")) {
    return word.substr(0, word.size() - 2);
  }
  if (endsWith("s") && !endsWith("ss")) return word.substr(0, word.size() - 1);
  return word;
}

// A name as it is compared: lower case, American spelling, the word that
// counts in the singular ("miles per hour" -> "mile per hour", "square
// feet" -> "square foot").
std::string NameKey(std::string_view name) {
  std::string key = Lower(name);
  ReplaceAll(key, "metre", "meter");
  ReplaceAll(key, "litre", "liter");
  size_t end = key.size();
  for (std::string_view joint : {" per ", " of "}) end = std::min(end, key.find(joint));
  const size_t start = key.rfind(' ', end == 0 ? 0 : end - 1);
  const size_t wordStart = start == std::string::npos || start >= end ? 0 : start + 1;
  return key.substr(0, wordStart) + SingularWord(key.substr(wordStart, end - wordStart)) +
         key.substr(end);
}

// The part of a unit's name before a qualifier: "miles" of "miles, statute".
std::string_view NameHead(std::string_view name) { return name.substr(0, name.find(',')); }

// The forms of one typed text that the kinds of match compare.
struct Query {
  std::string text;
  std::string writtenOut;
  std::string lower;  // of writtenOut
  std::string nameKey;

  explicit Query(std::string_view typed)
      : text(typed),
        writtenOut(WrittenOut(typed)),
        lower(Lower(writtenOut)),
        nameKey(NameKey(typed)) {}
};

bool HasAlias(std::string_view category, std::string_view symbol, std::string_view alias,
              bool anyCase) {
  for (const Alias& entry : kAliases) {
    if (entry.category != category || entry.symbol != symbol) continue;
    if (entry.alias == alias || (anyCase && Lower(entry.alias) == alias)) return true;
  }
  return false;
}

std::optional<MatchKind> Match(const units::TCategory& category, const units::TUnit& unit,
                               const Query& query) {
  if (query.text.empty()) return std::nullopt;
  if (unit.Symbol == query.text) return MatchKind::kSymbol;
  if (unit.Symbol == query.writtenOut || HasAlias(category.Name, unit.Symbol, query.text, false) ||
      HasAlias(category.Name, unit.Symbol, query.writtenOut, false)) {
    return MatchKind::kSpelling;
  }
  if (Lower(unit.Symbol) == query.lower ||
      HasAlias(category.Name, unit.Symbol, query.lower, true)) {
    return MatchKind::kOtherCase;
  }
  if (!unit.Name.empty() &&
      (NameKey(NameHead(unit.Name)) == query.nameKey || NameKey(unit.Name) == query.nameKey)) {
    return MatchKind::kName;
  }
  return std::nullopt;
}

// The units of one category that a text names by its best kind of match
// there.
struct CategoryMatch {
  MatchKind kind = MatchKind::kName;
  std::vector<int32_t> units;
};

std::optional<CategoryMatch> BestIn(const units::TCategory& category, const Query& query) {
  std::optional<CategoryMatch> best;
  for (int32_t u = 0; u < category.UnitCount(); ++u) {
    const std::optional<MatchKind> kind = Match(category, category.GetUnit(u), query);
    if (!kind) continue;
    if (!best || *kind < best->kind) best = CategoryMatch{*kind, {}};
    if (*kind == best->kind) best->units.push_back(u);
  }
  return best;
}

// Edit distance with transpositions (optimal string alignment).
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// The edit distance when it can be at most `limit`, otherwise more than
// `limit`; texts whose lengths differ by more are not compared at all.
size_t BoundedDistance(std::string_view a, std::string_view b, size_t limit) {
  const size_t difference = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
  return difference > limit ? limit + 1 : EditDistance(a, b);
}

// Nearest units, searched in the given categories only (all when empty).
std::vector<UnitPosition> Nearest(const units::TCategories& catalogue, std::string_view text,
                                  size_t count, const std::vector<int32_t>& categories) {
  const Query query(text);
  const size_t limit = std::max<size_t>(1, (query.lower.size() + 2) / 3);
  std::vector<std::pair<size_t, UnitPosition>> near;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    if (!categories.empty() &&
        std::find(categories.begin(), categories.end(), c) == categories.end())
      continue;
    const units::TCategory& category = catalogue.GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      const units::TUnit& unit = category.GetUnit(u);
      const size_t distance =
          std::min(BoundedDistance(query.lower, Lower(unit.Symbol), limit),
                   BoundedDistance(query.nameKey, NameKey(NameHead(unit.Name)), limit));
      if (distance <= limit) near.push_back({distance, UnitPosition{c, u}});
    }
  }
  std::stable_sort(near.begin(), near.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<UnitPosition> result;
  for (size_t i = 0; i < near.size() && i < count; ++i) result.push_back(near[i].second);
  return result;
}

constexpr size_t kSuggestions = 5;

std::string ListOf(const units::TCategories& catalogue, const std::vector<UnitPosition>& units) {
  std::string text;
  for (const UnitPosition& position : units) {
    if (!text.empty()) text += ", ";
    text += DescribeUnit(catalogue, position);
  }
  return text;
}

[[noreturn]] void Unknown(const units::TCategories& catalogue, std::string_view text,
                          const std::vector<int32_t>& likelyCategories) {
  std::vector<UnitPosition> near = Nearest(catalogue, text, kSuggestions, likelyCategories);
  if (near.empty() && !likelyCategories.empty()) near = Nearest(catalogue, text, kSuggestions, {});
  std::string message = "Unknown unit \"" + std::string(text) + "\"";
  if (!near.empty()) message += "; nearest: " + ListOf(catalogue, near);
  throw EConversionError(message);
}

[[noreturn]] void Ambiguous(const units::TCategories& catalogue, std::string_view text,
                            int32_t category, const std::vector<int32_t>& units) {
  std::vector<UnitPosition> candidates;
  for (int32_t u : units) candidates.push_back({category, u});
  throw EConversionError("\"" + std::string(text) + "\" is ambiguous in " +
                         catalogue.GetCategory(category).Name +
                         "; it may be: " + ListOf(catalogue, candidates));
}

std::vector<int32_t> CategoriesOf(const std::vector<UnitMatch>& matches) {
  std::vector<int32_t> categories;
  for (const UnitMatch& match : matches) {
    if (std::find(categories.begin(), categories.end(), match.category) == categories.end())
      categories.push_back(match.category);
  }
  return categories;
}

}  // namespace

std::vector<UnitMatch> FindUnits(const units::TCategories& catalogue, std::string_view text) {
  const Query query(text);
  std::vector<UnitMatch> matches;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      if (const auto kind = Match(category, category.GetUnit(u), query)) {
        matches.push_back({c, u, *kind});
      }
    }
  }
  std::stable_sort(matches.begin(), matches.end(),
                   [](const UnitMatch& a, const UnitMatch& b) { return a.kind < b.kind; });
  return matches;
}

UnitPair ResolveUnits(const units::TCategories& catalogue, std::string_view from,
                      std::string_view to) {
  const Query fromQuery(from), toQuery(to);
  // The best category: the looser of its two matches first, then both.
  std::optional<std::pair<int, int>> bestRank;
  int32_t bestCategory = -1;
  CategoryMatch bestFrom, bestTo;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    const std::optional<CategoryMatch> source = BestIn(category, fromQuery);
    if (!source) continue;
    const std::optional<CategoryMatch> target = BestIn(category, toQuery);
    if (!target) continue;
    const int looser = static_cast<int>(std::max(source->kind, target->kind));
    const std::pair<int, int> rank{looser,
                                   static_cast<int>(source->kind) + static_cast<int>(target->kind)};
    if (!bestRank || rank < *bestRank) {
      bestRank = rank;
      bestCategory = c;
      bestFrom = *source;
      bestTo = *target;
    }
  }

  if (bestCategory < 0) {
    const std::vector<UnitMatch> sources = FindUnits(catalogue, from);
    const std::vector<UnitMatch> targets = FindUnits(catalogue, to);
    if (sources.empty()) Unknown(catalogue, from, CategoriesOf(targets));
    if (targets.empty()) Unknown(catalogue, to, CategoriesOf(sources));
    const std::string& sourceCategory = catalogue.GetCategory(sources.front().category).Name;
    const std::string& targetCategory = catalogue.GetCategory(targets.front().category).Name;
    throw EConversionError("Cannot convert \"" + std::string(from) + "\" (" + sourceCategory +
                           ") to \"" + std::string(to) + "\" (" + targetCategory +
                           "): the units belong to different categories");
  }
  if (bestFrom.units.size() > 1) Ambiguous(catalogue, from, bestCategory, bestFrom.units);
  if (bestTo.units.size() > 1) Ambiguous(catalogue, to, bestCategory, bestTo.units);
  return UnitPair{bestCategory, bestFrom.units.front(), bestTo.units.front()};
}

std::vector<UnitPosition> NearestUnits(const units::TCategories& catalogue, std::string_view text,
                                       size_t count) {
  return Nearest(catalogue, text, count, {});
}

std::string DescribeUnit(const units::TCategories& catalogue, UnitPosition position) {
  const units::TCategory& category = catalogue.GetCategory(position.category);
  const units::TUnit& unit = category.GetUnit(position.unit);
  return unit.Symbol + (unit.Name.empty() ? "" : " (" + unit.Name + ")") + " in " + category.Name;
}

}  // namespace quillon

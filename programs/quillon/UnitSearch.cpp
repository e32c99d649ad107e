#include "programs/quillon/UnitSearch.h"

#include <array>
#include <optional>
#include <string>

#include "programs/quillon/UnitLookup.h"

namespace quillon {

namespace {

// ASCII letters only: symbols and names are Latin-1 bytes, and a byte above
// 127 ("°") has no case worth folding here.
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = Lower(c);
  return result;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Whether a word of `name` (after a blank, a comma, a bracket or a hyphen)
// begins with `prefix`; both already lowered.
bool AWordStartsWith(std::string_view name, std::string_view prefix) {
  for (std::size_t at = 0; at < name.size(); ++at) {
    const bool wordStart =
        at == 0 || std::string_view(" ,(-/").find(name[at - 1]) != std::string_view::npos;
    if (wordStart && name.substr(at).starts_with(prefix)) return true;
  }
  return false;
}

// The rank of `unit` among the beginnings (ranks 2 and 3 above, counted
// from 0), for the lowered search text; nothing when it does not match.
std::optional<std::size_t> BeginningRank(const units::TUnit& unit, std::string_view lowered) {
  if (Lowered(unit.Symbol).starts_with(lowered)) return 0;
  if (AWordStartsWith(Lowered(unit.Name), lowered)) return 1;
  return std::nullopt;
}

bool Contains(const std::vector<UnitPosition>& hits, int32_t category, int32_t unit) {
  for (const UnitPosition& hit : hits) {
    if (hit.category == category && hit.unit == unit) return true;
  }
  return false;
}

}  // namespace

std::vector<UnitPosition> SearchUnits(const units::TCategories& catalogue, std::string_view text,
                                      std::size_t limit) {
  text = Trimmed(text);
  if (text.empty()) return {};
  std::vector<UnitPosition> found;
  for (const UnitMatch& match : FindUnits(catalogue, text)) {
    found.push_back(UnitPosition{match.category, match.unit});
  }
  const std::string lowered = Lowered(text);
  std::array<std::vector<UnitPosition>, 2> beginnings;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      if (Contains(found, c, u)) continue;
      const auto rank = BeginningRank(category.GetUnit(u), lowered);
      if (rank) beginnings[*rank].push_back(UnitPosition{c, u});
    }
  }
  std::vector<UnitPosition> hits;
  for (const auto* rank : {&found, &beginnings[0], &beginnings[1]}) {
    for (const UnitPosition& hit : *rank) {
      if (hits.size() == limit) return hits;
      hits.push_back(hit);
    }
  }
  return hits;
}

}  // namespace quillon

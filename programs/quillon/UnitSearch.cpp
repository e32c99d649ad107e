#include "programs/quillon/UnitSearch.h"

#include <array>
#include <optional>
#include <string>

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

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Whether a word of `name` (after a blank, a comma, a bracket or a hyphen)
// begins with `prefix`; both already lowered.
bool AWordStartsWith(std::string_view name, std::string_view prefix) {
  for (std::size_t at = 0; at < name.size(); ++at) {
    const bool wordStart =
        at == 0 || std::string_view(" ,(-/").find(name[at - 1]) != std::string_view::npos;
    if (wordStart && StartsWith(name.substr(at), prefix)) return true;
  }
  return false;
}

// The rank of `unit` for the search text (as typed and lowered), counted
// from 0; nothing when it does not match.
std::optional<std::size_t> Rank(const units::TUnit& unit, std::string_view text,
                                std::string_view lowered) {
  if (unit.Symbol == text) return 0;
  const std::string symbol = Lowered(unit.Symbol);
  const std::string name = Lowered(unit.Name);
  if (symbol == lowered) return 1;
  if (name == lowered) return 2;
  if (StartsWith(symbol, lowered)) return 3;
  if (AWordStartsWith(name, lowered)) return 4;
  return std::nullopt;
}

}  // namespace

std::vector<UnitPosition> SearchUnits(const units::TCategories& catalogue, std::string_view text,
                                      std::size_t limit) {
  text = Trimmed(text);
  if (text.empty()) return {};
  const std::string lowered = Lowered(text);
  std::array<std::vector<UnitPosition>, 5> ranks;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      const auto rank = Rank(category.GetUnit(u), text, lowered);
      if (rank) ranks[*rank].push_back(UnitPosition{c, u});
    }
  }
  std::vector<UnitPosition> hits;
  for (const auto& rank : ranks) {
    for (const UnitPosition& hit : rank) {
      if (hits.size() == limit) return hits;
      hits.push_back(hit);
    }
  }
  return hits;
}

}  // namespace quillon

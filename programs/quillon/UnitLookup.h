// Finding units as people write them.
//
// A text names a unit, from the best kind of match to the loosest:
//   1. its symbol, byte for byte ("km", "b" and "B" differ);
//   2. a spelling of the symbol: a common alias ("h" and "hr" for hours and
//      "min" for minutes in Time, "degC" and "°C" for Celsius, "kph",
//      "Mbps", ...) or the symbol with "µ", "²", "³", "^2", "^3", "°"
//      written out ("µm", "m²", "m^2");
//   3. the symbol or alias in another case ("KM", "ML");
//   4. its name, singular or plural, in any case ("kilometers", "mile",
//      "square feet", "litres").
// Aliases belong to a category: "min" is an alias in Time, while in Angle
// "min" is the symbol of the arc minute.
//
// Two texts that must name units of one category (a conversion) are
// resolved together: each category where both match is ranked by the looser
// of its two matches, and the best one wins, the earlier category when two
// rank alike ("5 min to s" is Time, "5 min to deg" is Angle, and "5 kg to
// lb" stays in the first category that has both symbols, as it always did).
// Within the winning category each text must name one unit: "kb" (Kb or KB)
// or "gallons" (US or imperial) is ambiguous there, and the error lists the
// candidates. An unknown text gets the few nearest units as suggestions.
//
// The window's search field (UnitSearch.h) lists what FindUnits finds first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "measure/units.h"
#include "programs/quillon/Conversion.h"

namespace quillon {

// How a text matched a unit, best first.
enum class MatchKind { kSymbol, kSpelling, kOtherCase, kName };

struct UnitMatch {
  int32_t category = 0;
  int32_t unit = 0;
  MatchKind kind = MatchKind::kSymbol;

  friend bool operator==(const UnitMatch&, const UnitMatch&) = default;
};

// Every unit that `text` may name, in any category: the best kind of match
// first, then catalogue order. Empty when nothing matches.
std::vector<UnitMatch> FindUnits(const units::TCategories& catalogue, std::string_view text);

// The two units of one category that `from` and `to` name.
struct UnitPair {
  int32_t category = 0;
  int32_t from = 0;
  int32_t to = 0;
};

// Resolves a conversion's two units as described above. EConversionError
// for an unknown or ambiguous text (with candidates) and for two texts that
// name units of no common category.
UnitPair ResolveUnits(const units::TCategories& catalogue, std::string_view from,
                      std::string_view to);

// Up to `count` units whose symbol or name is close to `text` (a small edit
// distance, case ignored), nearest first; for suggestions.
std::vector<UnitPosition> NearestUnits(const units::TCategories& catalogue, std::string_view text,
                                       size_t count);

// "km (kilometers) in Length".
std::string DescribeUnit(const units::TCategories& catalogue, UnitPosition position);

}  // namespace quillon

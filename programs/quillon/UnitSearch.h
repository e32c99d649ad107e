// Finding a unit of the catalogue from what a person types into the
// window's search field: a symbol or a name, in any case, across every
// category.
//
// The window calls SearchUnits and nothing else, so a more forgiving
// look-up (plurals, aliases) can replace it behind the same signature.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "measure/units.h"
#include "programs/quillon/Conversion.h"

namespace quillon {

// The units that match `text` (blanks around it ignored), best first, at
// most `limit` of them. Within one rank, units keep catalogue order
// (categories in order, then units in order). The ranks:
//   1. the symbol, byte for byte ("B" is bytes, not bits);
//   2. the symbol, ignoring case;
//   3. the name, ignoring case;
//   4. the symbol begins with the text, ignoring case;
//   5. the name, or a word of it, begins with the text, ignoring case.
// An empty text matches nothing.
std::vector<UnitPosition> SearchUnits(const units::TCategories& catalogue, std::string_view text,
                                      std::size_t limit = 50);

}  // namespace quillon

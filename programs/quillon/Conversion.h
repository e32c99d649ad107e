// Unit conversions of quillon, on the unit catalogue (units::TCategories).
//
// Within a category an amount converts as amount * factor(from) /
// factor(to), in checked 80-bit arithmetic. The catalogue holds no offsets,
// so the category "Temperature" is converted here between the scales C, F, K
// and R, and a temperature below absolute zero is refused.
//
// The window and the command line share these functions: the window works
// with positions (category, from, to), the command line with the units as
// people write them (UnitLookup.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "measure/units.h"
#include "runtime/rtl.h"

namespace quillon {

// A conversion that cannot be made: an unknown or ambiguous unit, units of
// two different categories, a temperature unit without a known scale, a
// temperature below absolute zero.
class EConversionError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// Where a unit stands in the catalogue.
struct UnitPosition {
  int32_t category = 0;
  int32_t unit = 0;
};

// The first unit with `symbol`, searching the categories in order; nothing
// when no category has it.
std::optional<UnitPosition> FindUnit(const units::TCategories& catalogue, std::string_view symbol);

// Converts `amount` from unit `from` to unit `to` of `category` (positions).
// The same unit on both sides gives `amount` itself. Raises rtl::EListError
// for a position outside the category, EConversionError for a temperature
// unit other than C, F, K and R or an amount below absolute zero, and the
// arithmetic errors (rtl::EOverflow,
// rtl::EZeroDivide, rtl::EInvalidOp) of the computation.
rtl::Extended Convert(const units::TCategory& category, int32_t from, int32_t to,
                      rtl::Extended amount);

// The same with the category given by its position in `catalogue`.
rtl::Extended Convert(const units::TCategories& catalogue, int32_t category, int32_t from,
                      int32_t to, rtl::Extended amount);

// Converts `amount` between two units as people write them ("km", "KM",
// "kilometers", "h"), resolved by ResolveUnits (UnitLookup.h): exact symbols
// convert in the first category that holds both. EConversionError when a
// unit is unknown or ambiguous, or the two lie in different categories.
rtl::Extended ConvertBySymbol(const units::TCategories& catalogue, rtl::Extended amount,
                              std::string_view from, std::string_view to);

// The catalogue as text: each category in order, then one line per unit with
// its symbol, name and factor (general number text), the base unit marked.
std::string ListCatalogue(const units::TCategories& catalogue);

}  // namespace quillon

// Unit conversions of quillon, on the unit catalogue (units::TCategories).
//
// Units are found by symbol, byte for byte ("b" and "B" differ). Within a
// category an amount converts as amount * factor(from) / factor(to), in
// checked 80-bit arithmetic. The catalogue holds no offsets, so the category
// "Temperature" is converted here between the scales C, F, K and R.
//
// The window and the command line share these functions: the window works
// with positions (category, from, to), the command line with symbols.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "measure/units.h"
#include "runtime/rtl.h"

namespace quillon {

// A conversion that cannot be made: an unknown symbol, units of two
// different categories, a temperature unit without a known scale. The text
// names the valid symbols.
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
// unit other than C, F, K and R, and the arithmetic errors (rtl::EOverflow,
// rtl::EZeroDivide, rtl::EInvalidOp) of the computation.
rtl::Extended Convert(const units::TCategory& category, int32_t from, int32_t to,
                      rtl::Extended amount);

// The same with the category given by its position in `catalogue`.
rtl::Extended Convert(const units::TCategories& catalogue, int32_t category, int32_t from,
                      int32_t to, rtl::Extended amount);

// Converts `amount` between two units given by symbol, in the first category
// that holds both. EConversionError when a symbol is unknown or the two lie
// in different categories.
rtl::Extended ConvertBySymbol(const units::TCategories& catalogue, rtl::Extended amount,
                              std::string_view from, std::string_view to);

// The catalogue as text: each category in order, then one line per unit with
// its symbol, name and factor (general number text), the base unit marked.
std::string ListCatalogue(const units::TCategories& catalogue);

// An entry "AMOUNT FROM in TO" ("5 km in mi", "2*3 ft in m", "100 C in F"):
// the amount is all text before FROM, an expression for the evaluator.
struct ConversionRequest {
  std::string amount;
  std::string from;
  std::string to;
};

// Splits `line` into its request, or nothing when it is not of that form
// (at least four blank-separated words, the last but one being "in").
std::optional<ConversionRequest> ParseConversionLine(std::string_view line);

}  // namespace quillon

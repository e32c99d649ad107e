/// \file
/// Units files: more categories and units for a catalogue, read from text.
///
/// A units file holds one category or one unit a line:
///
/// \verbatim
///   # a comment; blank lines are skipped
///   [Mass]                                  a category: created when the
///                                           catalogue lacks it, otherwise
///                                           it gains the units that follow
///   kg    kilograms        = 1              SYMBOL NAME = FACTOR
///   lb    pounds           = 0.45359237     # a comment may follow a factor
///   gal   gallons, US      = 231*0.0254^3
/// \endverbatim
///
/// The symbol is the first word; the name is the text up to "=" (blanks
/// inside it are kept); the factor, after "=", is the unit's size in the
/// category's base unit, an exact expression of decimals ("0.45359237",
/// "1.5e-3", always with "." as the decimal point), products "*", quotients
/// "/", integer powers "^" ("0.0254^3", "10^-6") and parentheses. It is
/// computed exactly, as a rational number, and rounded once to the nearest
/// extended value (ties to even). The first unit of a new category becomes its
/// base, so its factor must be 1.
///
/// Everything is added through the catalogue's own operations (AddCategory,
/// AddUnit): units already in the catalogue are never changed. A line that
/// cannot be loaded is reported with its file, line number and reason; the
/// other lines still load. A symbol already taken in its category is reported
/// with the catalogue's own message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "measure/units.h"
#include "runtime/rtl.h"

namespace units {

/// A factor text that is no exact expression, or whose value is not a
/// positive number within the extended range.
class EFactorError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

/// The value of a factor expression, computed exactly and rounded once to the
/// nearest extended value, ties to even. Raises EFactorError.
rtl::Extended ExactFactor(std::string_view expression);

/// A line of a units file that was not loaded.
struct UnitsFileProblem {
  std::string file;    ///< the file as named to the loader
  int32_t line = 0;    ///< from 1; 0 when the file itself could not be read
  std::string reason;  ///< why the line was not loaded

  /// "FILE:LINE: REASON", or "FILE: REASON" for the whole file.
  std::string Text() const;
};

/// What a units file added, and what it could not.
struct UnitsFileReport {
  int32_t categoriesAdded = 0;             ///< new categories
  int32_t unitsAdded = 0;                  ///< new units, in new and existing categories
  std::vector<UnitsFileProblem> problems;  ///< the lines not loaded, in file order
};

/// Adds the categories and units of `text` to `catalogue`; `fileName` names
/// the text in the problems.
UnitsFileReport LoadUnitsText(TCategories& catalogue, std::string_view text,
                              const std::string& fileName);

/// The same for the file at `path`. A file that cannot be read is one problem
/// (line 0) and adds nothing.
UnitsFileReport LoadUnitsFile(TCategories& catalogue, const std::string& path);

}  // namespace units

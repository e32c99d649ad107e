/// \file
/// A table of units defined in terms of other units, read from definitions
/// files, and the look-up of a unit by every way people write it.
///
/// A definitions file holds one definition a line:
///
/// \verbatim
///   # a comment (also after a definition)
///   [length]                      a category: the units that follow are
///                                 listed under it; when it names a dimension
///                                 ("length", "speed", "energy") every unit
///                                 under it must have that dimension
///   si m, metre, meter = !length  a base unit (!length, !mass, !time,
///                                 !current, !temperature, !amount,
///                                 !luminous intensity, !information, !angle)
///   ft, foot, feet = 0.3048 m     NAMES = EXPRESSION in numbers and units
///   mph = mile/hour
///   si N, newton = kg m/s^2       "si": takes the SI prefixes (km, kilometre)
///   binary B, byte = 8 bit        "binary": SI and binary prefixes (kB, KiB)
///   reading °C, degC = K zero -273.15
///                                 a temperature scale: a reading x is
///                                 (x - ZERO) units; ZERO is the reading at
///                                 absolute zero (0 when left out)
///   note lb: the pound of mass; the pound-force is lbf
///                                 said once when the name is used
/// \endverbatim
///
/// The first name is the unit's symbol: it and every other name of up to
/// three characters take the prefix symbols (k, M, µ, Ki); longer names take
/// the prefix words (kilo, mega, micro, kibi). Names may hold blanks
/// ("nautical mile"); names longer than two characters are also found in
/// the plural ("miles", "inches", "centuries").
///
/// A definition may use units defined later in the file. Every line is
/// checked when the file is loaded: unknown names, circular definitions,
/// names already taken and dimensions that differ from their category's are
/// reported as "FILE:LINE: REASON", and such a line adds nothing; the other
/// lines still load.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "quantity/Quantity.h"

namespace quantity {

/// Which prefixes a unit takes.
enum class Prefixes : int8_t {
  None,    ///< no prefixes
  SI,      ///< quecto (q) to quetta (Q)
  Binary,  ///< the SI ones and kibi (Ki) to yobi (Yi)
};

/// One unit of the table.
struct Unit {
  std::vector<std::string> names;      ///< the symbol first, then the other names
  std::string definition;              ///< as written after "="
  std::string category;                ///< the heading it was defined under
  Quantity value;                      ///< one unit in base units, exact
  Prefixes prefixes = Prefixes::None;  ///< which prefixes it takes
  bool reading = false;                ///< a temperature scale that reads temperatures
  mpq_class zero;                      ///< for a scale: the reading at absolute zero
  std::string file;                    ///< where it was defined
  int32_t line = 0;                    ///< from 1
};

/// A name found in the table: the unit with the prefix it was written with.
struct FoundUnit {
  const Unit* unit = nullptr;  ///< never null in a result
  mpq_class prefix = 1;        ///< the prefix's factor (1 without one)
  std::string prefixName;      ///< "k", "kilo", "" without one
  std::string unitName;        ///< the unit's name that matched ("m", "metre")
  std::string note;            ///< the note on this name, "" when none

  /// prefix × the unit's value.
  Quantity Value() const;
  /// The name as the table knows it ("km", "kilometre").
  std::string Name() const { return prefixName + unitName; }
};

/// A definition that was not loaded.
struct DefinitionProblem {
  std::string file;    ///< as named to the loader
  int32_t line = 0;    ///< from 1; 0 for the whole file
  std::string reason;  ///< why it was not loaded
  /// "FILE:LINE: REASON", or "FILE: REASON" for the whole file.
  std::string Text() const;
};

/// Units defined in terms of each other, with their look-up.
class UnitTable {
 public:
  UnitTable();
  ~UnitTable();
  UnitTable(const UnitTable&) = delete;
  UnitTable& operator=(const UnitTable&) = delete;

  /// Adds the definitions of `text` (named `fileName` in problems), and
  /// returns the lines that could not be loaded. Definitions may use the
  /// units already in the table.
  std::vector<DefinitionProblem> Load(std::string_view text, const std::string& fileName);

  /// The same for the file at `path`; a file that cannot be read is one
  /// problem (line 0) and adds nothing.
  std::vector<DefinitionProblem> LoadFile(const std::string& path);

  /// The unit written `text` ("km", "kilometres", "nautical miles", "KM"):
  /// the exact name, then a prefix with a unit, then the plural, then the
  /// same in any case when every match means the same unit. Nothing when
  /// unknown. Raises EQuantityError when case-folding finds units that
  /// differ ("MM": millimetre or megametre).
  std::optional<FoundUnit> Find(std::string_view text) const;

  /// Every unit, in the order loaded.
  const std::vector<std::unique_ptr<Unit>>& Units() const noexcept { return units_; }

  /// The categories in the order of their first appearance, each with its
  /// units.
  std::vector<std::pair<std::string, std::vector<const Unit*>>> Categories() const;

 private:
  friend class DefinitionsLoader;
  void Reindex();
  void Index(Unit& unit);
  void IndexSeveralWords(const Unit& unit);
  void BuildLowerNames() const;
  void FindPlain(std::string_view text, bool fold, bool plural,
                 std::vector<FoundUnit>& found) const;
  std::string NoteFor(const FoundUnit& found) const;

  std::vector<std::unique_ptr<Unit>> units_;
  // Looked up by string_view without a copy.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const noexcept {
      return std::hash<std::string_view>()(text);
    }
  };
  std::unordered_map<std::string, Unit*, NameHash, std::equal_to<>> byName_;
  // Built on the first look-up in any case, after every change of the table.
  // The names in lower case, each with the names it lowers from (in their
  // units' names) and their units.
  mutable std::unordered_map<std::string, std::vector<std::pair<const std::string*, Unit*>>>
      byLowerName_;
  mutable bool lowerNamesBuilt_ = false;
  // The first words, lowered, of the names that have several.
  std::unordered_map<std::string, int32_t, NameHash, std::equal_to<>> firstWords_;
  // The names of several words, lowered.
  std::vector<std::string> severalWords_;
  std::unordered_map<std::string, std::string> notes_;
};

}  // namespace quantity

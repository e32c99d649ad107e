/// \file
/// units: a catalogue of units of measure, grouped into named categories.
///
/// A category is an ordered list of units; each unit has a short symbol, a
/// descriptive name and a factor: one of the unit equals `Factor` of the
/// category's base unit, whose own factor is exactly 1. Categories and units
/// are reached by position only (32-bit signed, counted from 0); symbols and
/// names are compared byte for byte, and only to keep them unique.
///
/// Ownership: the catalogue owns its categories and each category owns its
/// units (std::unique_ptr in the lists). GetCategory and GetUnit return
/// references into the catalogue, valid until that category or unit is
/// destroyed (DeleteUnit, or the destruction of its owner).
///
/// UnitCategories() is the process-wide catalogue, filled with the built-in
/// units before main() runs (see BuiltInUnits.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/rtl.h"

namespace units {

/// A category name or a unit symbol that is already taken.
class eNameError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

/// One unit of measure. Flag1 and Flag2 are stored for callers; the catalogue
/// never reads or changes them.
class TUnit {
 public:
  /// A unit with the given symbol, name and factor; Flag1 true, Flag2 false.
  TUnit(std::string symbol, std::string name, rtl::Extended factor);

  std::string Symbol;    ///< short symbol, unique in its category ("km")
  std::string Name;      ///< descriptive name ("kilometers")
  rtl::Extended Factor;  ///< one of this unit in the category's base unit
  bool Flag1 = true;     ///< stored for callers
  bool Flag2 = false;    ///< stored for callers
};

/// A named, ordered list of units with one base unit and two tracked
/// positions. Every field may be read; the selections may be assigned.
class TCategory {
 public:
  TCategory() = default;
  virtual ~TCategory() = default;
  TCategory(const TCategory&) = delete;
  TCategory& operator=(const TCategory&) = delete;

  std::string Name;  ///< unique in the catalogue
  /// The units in the order they were added; a removal closes the gap.
  std::vector<std::unique_ptr<TUnit>> UnitList;
  /// Position of the base unit, or -1 when the category has none. 0 on
  /// construction although the list is still empty.
  int32_t BaseIndex = 0;
  /// Tracked positions: DeleteUnit moves them so that each keeps designating
  /// the same unit when another unit is removed.
  ///@{
  int32_t Selection1 = 0;
  bool Listed = false;  ///< set by TCategories::AddCategory
  int32_t Selection2 = 0;
  ///@}
  rtl::Extended Amount = 1.0L;  ///< stored for callers

  /// The number of units.
  int32_t UnitCount() const;

  /// The unit at `position`; rtl::EListError outside 0 to UnitCount() - 1.
  ///@{
  TUnit& GetUnit(int32_t position);
  const TUnit& GetUnit(int32_t position) const;
  ///@}

  /// Appends a unit. eNameError when `symbol` is taken in this category; the
  /// category is then unchanged. The first unit of an empty category becomes
  /// the base, with factor exactly 1 whatever `factor` says.
  void AddUnit(const std::string& symbol, const std::string& name, rtl::Extended factor);

  /// Removes and destroys the unit at `position`, keeping BaseIndex and the
  /// selections on their units (see units.cpp). Removing the base unit leaves
  /// the category without a base (-1). rtl::EListError outside 0 to
  /// UnitCount() - 1, and then nothing changes.
  void DeleteUnit(int32_t position);

  /// Makes the unit at `position` the base: every other factor is divided by
  /// its factor (80-bit, round to nearest), its own factor becomes exactly 1.
  /// -1 only sets BaseIndex to -1. rtl::EListError outside -1 to
  /// UnitCount() - 1; a failed division raises rtl::EZeroDivide,
  /// rtl::EInvalidOp or rtl::EOverflow. On any error nothing changes.
  void SetBaseUnit(int32_t position);
};

/// The catalogue: an ordered list of categories with unique names.
class TCategories {
 public:
  TCategories() = default;
  virtual ~TCategories() = default;
  TCategories(const TCategories&) = delete;
  TCategories& operator=(const TCategories&) = delete;

  /// The categories in the order they were added.
  std::vector<std::unique_ptr<TCategory>> CategoryList;

  /// The number of categories.
  int32_t CategoryCount() const;

  /// The category at `position`. Outside 0 to CategoryCount() - 1 it raises
  /// rtl::Exception "<position> Out of Range 0-<CategoryCount()>".
  ///@{
  TCategory& GetCategory(int32_t position);
  const TCategory& GetCategory(int32_t position) const;
  ///@}

  /// Appends a new, listed category. eNameError when `name` is taken; the
  /// catalogue is then unchanged.
  void AddCategory(const std::string& name);
};

/// The process-wide catalogue with the built-in units. It is built before
/// main() runs in every program that calls this function, and destroyed once
/// after main() returns.
TCategories& UnitCategories();

}  // namespace units

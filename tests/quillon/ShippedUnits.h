// The process-wide catalogue of a test program with quillon's shipped units
// file loaded into it, as quillon has it after start-up, and the built-in set
// as it was before the loading.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "measure/UnitsFile.h"
#include "measure/units.h"

namespace testsupport {

struct UnitState {
  std::string symbol;
  std::string name;
  rtl::ExtendedBits factor;
  bool flag1;
  bool flag2;

  friend bool operator==(const UnitState&, const UnitState&) = default;
};

struct CategoryState {
  std::string name;
  int32_t baseIndex;
  int32_t selection1;
  int32_t selection2;
  std::vector<UnitState> units;

  friend bool operator==(const CategoryState&, const CategoryState&) = default;
};

inline CategoryState StateOf(const units::TCategory& category, int32_t unitCount) {
  CategoryState state{
      category.Name, category.BaseIndex, category.Selection1, category.Selection2, {}};
  for (int32_t u = 0; u < unitCount; ++u) {
    const units::TUnit& unit = category.GetUnit(u);
    state.units.push_back(
        {unit.Symbol, unit.Name, rtl::BitsOf(unit.Factor), unit.Flag1, unit.Flag2});
  }
  return state;
}

struct ShippedUnits {
  std::vector<CategoryState> builtInBefore;
  units::UnitsFileReport report;
};

// Loads the shipped file (its source, QUILLON_SHIPPED_UNITS_FILE) once.
inline const ShippedUnits& LoadShippedUnitsOnce() {
  static const ShippedUnits loaded = [] {
    ShippedUnits result;
    units::TCategories& catalogue = units::UnitCategories();
    for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
      const units::TCategory& category = catalogue.GetCategory(c);
      result.builtInBefore.push_back(StateOf(category, category.UnitCount()));
    }
    result.report = units::LoadUnitsFile(catalogue, QUILLON_SHIPPED_UNITS_FILE);
    return result;
  }();
  return loaded;
}

}  // namespace testsupport

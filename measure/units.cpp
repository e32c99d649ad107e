#include "measure/units.h"

#include <limits>
#include <utility>

namespace units {

namespace {

int32_t CountOf(size_t size) {
  // A list never grows past int32_t: AddUnit and AddCategory check it.
  return static_cast<int32_t>(size);
}

// Lists are addressed by 32-bit positions; refuse to grow one beyond them.
void CheckRoomFor(size_t size) {
  if (size >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw rtl::EListError(std::numeric_limits<int32_t>::max());
  }
}

}  // namespace

TUnit::TUnit(std::string symbol, std::string name, rtl::Extended factor)
    : Symbol(std::move(symbol)), Name(std::move(name)), Factor(factor) {}

// ---------------------------------------------------------------------------
// TCategory

int32_t TCategory::UnitCount() const { return CountOf(UnitList.size()); }

TUnit& TCategory::GetUnit(int32_t position) {
  if (position < 0 || position >= UnitCount()) throw rtl::EListError(position);
  return *UnitList[static_cast<size_t>(position)];
}

const TUnit& TCategory::GetUnit(int32_t position) const {
  return const_cast<TCategory*>(this)->GetUnit(position);
}

void TCategory::AddUnit(const std::string& symbol, const std::string& name, rtl::Extended factor) {
  for (const auto& unit : UnitList) {
    if (unit->Symbol == symbol) {
      throw eNameError(symbol + " already exists. A unit's symbol must be unique.");
    }
  }
  CheckRoomFor(UnitList.size());
  UnitList.push_back(std::make_unique<TUnit>(symbol, name, factor));
  if (UnitCount() == 1) SetBaseUnit(0);
}

void TCategory::DeleteUnit(int32_t position) {
  // The position is checked before anything moves, so that a failed call
  // leaves the category as it was.
  const int32_t count = UnitCount();
  if (position < 0 || position >= count) throw rtl::EListError(position);

  // Positions before `position` stay; positions after it follow their unit.
  // A selection on the removed unit passes to the unit that moves into its
  // place, or to the new last unit when the last of several was removed.
  if (position == BaseIndex) {
    SetBaseUnit(-1);
  } else if (position < BaseIndex) {
    --BaseIndex;
  }
  if (position < Selection2) --Selection2;
  if (position < Selection1) --Selection1;
  if (position == Selection2 && Selection2 == count - 1 && count != 1) --Selection2;
  if (position == Selection1 && Selection1 == count - 1 && count != 1) --Selection1;

  UnitList.erase(UnitList.begin() + position);
}

void TCategory::SetBaseUnit(int32_t position) {
  if (position < -1 || position >= UnitCount()) throw rtl::EListError(position);
  if (position == -1) {
    BaseIndex = -1;
    return;
  }

  // All quotients are computed before any is stored: a division that fails
  // part-way leaves every factor and BaseIndex as they were.
  const rtl::Extended divisor = UnitList[static_cast<size_t>(position)]->Factor;
  std::vector<rtl::Extended> factors;
  factors.reserve(UnitList.size());
  for (size_t i = 0; i < UnitList.size(); ++i) {
    factors.push_back(
        static_cast<int32_t>(i) == position ? 1.0L : rtl::Divide(UnitList[i]->Factor, divisor));
  }
  for (size_t i = 0; i < UnitList.size(); ++i) UnitList[i]->Factor = factors[i];
  BaseIndex = position;
}

// ---------------------------------------------------------------------------
// TCategories

int32_t TCategories::CategoryCount() const { return CountOf(CategoryList.size()); }

TCategory& TCategories::GetCategory(int32_t position) {
  if (position < 0 || position >= CategoryCount()) {
    throw rtl::Exception(std::to_string(position) + " Out of Range 0-" +
                         std::to_string(CategoryCount()));
  }
  return *CategoryList[static_cast<size_t>(position)];
}

const TCategory& TCategories::GetCategory(int32_t position) const {
  return const_cast<TCategories*>(this)->GetCategory(position);
}

void TCategories::AddCategory(const std::string& name) {
  for (const auto& category : CategoryList) {
    if (category->Name == name) throw eNameError(name + " already exists.");
  }
  CheckRoomFor(CategoryList.size());
  auto category = std::make_unique<TCategory>();
  category->Name = name;
  category->Listed = true;
  CategoryList.push_back(std::move(category));
}

}  // namespace units

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "measure/units.h"
#include "tests/support/MessageOf.h"

namespace {

using rtl::Extended;
using units::TCategories;
using units::TCategory;

using testsupport::MessageOf;

// A category with units "u0".."u<n-1>" of factors 1, 10, 100, ...
void Fill(TCategory& category, int n) {
  Extended factor = 1;
  for (int i = 0; i < n; ++i, factor *= 10) {
    category.AddUnit("u" + std::to_string(i), "unit " + std::to_string(i), factor);
  }
}

TEST(TCategory, StartsEmptyWithBaseAndSelectionsAtZero) {
  TCategory category;
  EXPECT_EQ(category.UnitCount(), 0);
  EXPECT_EQ(category.BaseIndex, 0);
  EXPECT_EQ(category.Selection1, 0);
  EXPECT_EQ(category.Selection2, 0);
  EXPECT_FALSE(category.Listed);
  EXPECT_EQ(category.Amount, 1.0L);
  EXPECT_EQ(MessageOf<rtl::EListError>([&] { category.GetUnit(0); }),
            "List index out of bounds (0)");
}

TEST(AddUnit, FirstUnitBecomesTheBaseWithFactorExactlyOne) {
  TCategory category;
  category.AddUnit("m", "meters", 1000);
  category.AddUnit("km", "kilometers", 1000);
  EXPECT_EQ(category.GetUnit(0).Factor, 1.0L);
  EXPECT_EQ(category.GetUnit(1).Factor, 1000.0L);
  EXPECT_EQ(category.BaseIndex, 0);
  EXPECT_TRUE(category.GetUnit(1).Flag1);
  EXPECT_FALSE(category.GetUnit(1).Flag2);
  EXPECT_EQ(category.GetUnit(1).Symbol, "km");
  EXPECT_EQ(category.GetUnit(1).Name, "kilometers");
}

TEST(AddUnit, SymbolsAreUniqueByteForByte) {
  TCategory category;
  category.AddUnit("b", "bits", 1);
  category.AddUnit("B", "bytes", 8);  // case matters
  category.AddUnit("b ", "bits", 1);  // nothing is trimmed
  category.AddUnit("x", "bytes", 8);  // names may repeat
  category.AddUnit("", "empty", 2);   // the empty symbol counts as one
  EXPECT_EQ(category.UnitCount(), 5);

  EXPECT_EQ(MessageOf<units::eNameError>([&] { category.AddUnit("b", "again", 3); }),
            "b already exists. A unit's symbol must be unique.");
  EXPECT_EQ(MessageOf<units::eNameError>([&] { category.AddUnit("", "again", 3); }),
            " already exists. A unit's symbol must be unique.");
  EXPECT_EQ(category.UnitCount(), 5);
  EXPECT_THROW(category.AddUnit("b", "", 1), rtl::Exception);  // eNameError is an Exception
}

TEST(AddUnit, AfterTheCategoryWasEmptiedTheNextUnitIsTheBaseAgain) {
  TCategory category;
  Fill(category, 2);
  category.DeleteUnit(0);  // the base: no base any more
  EXPECT_EQ(category.BaseIndex, -1);
  category.AddUnit("v", "v", 7);  // a second unit does not restore a base
  EXPECT_EQ(category.BaseIndex, -1);
  EXPECT_EQ(category.GetUnit(1).Factor, 7.0L);
  category.DeleteUnit(0);
  category.DeleteUnit(0);
  category.AddUnit("w", "w", 5);
  EXPECT_EQ(category.BaseIndex, 0);
  EXPECT_EQ(category.GetUnit(0).Factor, 1.0L);
}

TEST(SetBaseUnit, DividesEveryFactorByTheNewBase) {
  TCategory category;
  category.AddUnit("mm", "millimeters", 1);
  category.AddUnit("cm", "centimeters", 10);
  category.AddUnit("m", "meters", 1000);
  category.SetBaseUnit(2);
  EXPECT_EQ(category.BaseIndex, 2);
  EXPECT_EQ(category.GetUnit(0).Factor, 1.0L / 1000.0L);  // nearest to 0.001
  EXPECT_EQ(rtl::BitsOf(category.GetUnit(0).Factor),
            (rtl::ExtendedBits{0x3FF5, 0x83126E978D4FDF3B}));
  EXPECT_EQ(category.GetUnit(1).Factor, 10.0L / 1000.0L);
  EXPECT_EQ(category.GetUnit(2).Factor, 1.0L);
  EXPECT_EQ(category.Selection1, 0);  // selections are not moved
  EXPECT_EQ(category.Selection2, 0);
}

TEST(SetBaseUnit, OnTheCurrentBaseKeepsEveryFactorBitForBit) {
  TCategory category;
  category.AddUnit("a", "a", 1);
  category.AddUnit("b", "b", 3);
  category.AddUnit("c", "c", 7);
  category.SetBaseUnit(1);
  const auto before = rtl::BitsOf(category.GetUnit(2).Factor);
  category.SetBaseUnit(1);
  EXPECT_EQ(rtl::BitsOf(category.GetUnit(2).Factor), before);
  EXPECT_EQ(category.GetUnit(1).Factor, 1.0L);
}

TEST(SetBaseUnit, MinusOneOnlyDropsTheBase) {
  TCategory category;
  Fill(category, 3);
  category.SetBaseUnit(-1);
  EXPECT_EQ(category.BaseIndex, -1);
  EXPECT_EQ(category.GetUnit(2).Factor, 100.0L);
}

TEST(SetBaseUnit, PositionsOutsideTheListChangeNothing) {
  TCategory category;
  Fill(category, 3);
  EXPECT_EQ(MessageOf<rtl::EListError>([&] { category.SetBaseUnit(3); }),
            "List index out of bounds (3)");
  EXPECT_EQ(MessageOf<rtl::EListError>([&] { category.SetBaseUnit(-2); }),
            "List index out of bounds (-2)");
  EXPECT_EQ(category.BaseIndex, 0);
  EXPECT_EQ(category.GetUnit(2).Factor, 100.0L);
}

TEST(SetBaseUnit, AFailedDivisionLeavesFactorsAndBaseAsTheyWere) {
  constexpr Extended kHuge = std::numeric_limits<Extended>::max() / 2;
  constexpr Extended kTiny = 0.25L;
  TCategory category;
  category.AddUnit("one", "", 1);
  category.AddUnit("two", "", 2);
  category.AddUnit("huge", "", kHuge);  // huge / tiny overflows, after "one" and "two"
  category.AddUnit("tiny", "", kTiny);
  EXPECT_THROW(category.SetBaseUnit(3), rtl::EOverflow);
  EXPECT_EQ(category.BaseIndex, 0);
  EXPECT_EQ(category.GetUnit(0).Factor, 1.0L);
  EXPECT_EQ(category.GetUnit(1).Factor, 2.0L);
  EXPECT_EQ(category.GetUnit(2).Factor, kHuge);
  EXPECT_EQ(category.GetUnit(3).Factor, kTiny);
}

TEST(SetBaseUnit, ZeroFactorRaisesDivisionByZeroOrInvalidOperation) {
  TCategory category;
  category.AddUnit("a", "", 1);
  category.AddUnit("zero", "", 0);
  EXPECT_EQ(MessageOf<rtl::EZeroDivide>([&] { category.SetBaseUnit(1); }),
            "Floating point division by zero");
  EXPECT_EQ(category.BaseIndex, 0);
  EXPECT_EQ(category.GetUnit(1).Factor, 0.0L);

  category.SetBaseUnit(-1);
  category.GetUnit(0).Factor = 0;  // 0 / 0 comes first
  category.AddUnit("b", "", 5);
  EXPECT_THROW(category.SetBaseUnit(1), rtl::EInvalidOp);
  EXPECT_EQ(category.BaseIndex, -1);
  EXPECT_EQ(category.GetUnit(2).Factor, 5.0L);

  TCategory single;  // no other unit: no division, the factor becomes 1
  single.AddUnit("z", "", 3);
  single.GetUnit(0).Factor = 0;
  single.SetBaseUnit(0);
  EXPECT_EQ(single.GetUnit(0).Factor, 1.0L);
}

TEST(DeleteUnit, PositionsBeforeTheRemovedUnitStayAndLaterOnesFollowTheirUnit) {
  TCategory category;
  Fill(category, 5);
  category.SetBaseUnit(3);
  category.Selection1 = 3;
  category.Selection2 = 3;
  category.DeleteUnit(0);
  EXPECT_EQ(category.BaseIndex, 2);
  EXPECT_EQ(category.Selection1, 2);
  EXPECT_EQ(category.Selection2, 2);
  EXPECT_EQ(category.GetUnit(2).Symbol, "u3");

  category.Selection1 = 0;
  category.DeleteUnit(1);  // after Selection1, before BaseIndex
  EXPECT_EQ(category.Selection1, 0);
  EXPECT_EQ(category.BaseIndex, 1);
  EXPECT_EQ(category.GetUnit(category.BaseIndex).Symbol, "u3");
}

TEST(DeleteUnit, ASelectionOnTheRemovedUnitPassesToItsSuccessorOrTheNewLast) {
  TCategory category;
  Fill(category, 4);
  category.Selection1 = 3;  // the last of four
  category.Selection2 = 1;  // in the middle
  category.DeleteUnit(3);
  EXPECT_EQ(category.Selection1, 2);
  category.DeleteUnit(1);
  EXPECT_EQ(category.Selection2, 1);
  EXPECT_EQ(category.GetUnit(1).Symbol, "u2");

  TCategory single;
  Fill(single, 1);
  single.DeleteUnit(0);
  EXPECT_EQ(single.Selection1, 0);
  EXPECT_EQ(single.Selection2, 0);
  EXPECT_EQ(single.UnitCount(), 0);
}

TEST(DeleteUnit, RemovingTheBaseLeavesNoBaseAndTheFactorsAsTheyWere) {
  TCategory category;
  Fill(category, 3);
  category.SetBaseUnit(1);
  category.DeleteUnit(1);
  EXPECT_EQ(category.BaseIndex, -1);
  EXPECT_EQ(category.GetUnit(0).Factor, 0.1L);
  EXPECT_EQ(category.GetUnit(1).Factor, 10.0L);
  category.DeleteUnit(0);  // a category without a base keeps -1
  EXPECT_EQ(category.BaseIndex, -1);
}

TEST(DeleteUnit, APositionOutsideTheListRaisesAndChangesNothing) {
  TCategory category;
  Fill(category, 3);
  category.SetBaseUnit(2);
  category.Selection1 = 2;
  category.Selection2 = 1;
  for (int32_t position : {3, -1, std::numeric_limits<int32_t>::min()}) {
    EXPECT_EQ(MessageOf<rtl::EListError>([&] { category.DeleteUnit(position); }),
              "List index out of bounds (" + std::to_string(position) + ")");
    EXPECT_EQ(category.UnitCount(), 3);
    EXPECT_EQ(category.BaseIndex, 2);
    EXPECT_EQ(category.Selection1, 2);
    EXPECT_EQ(category.Selection2, 1);
  }
  TCategory empty;
  EXPECT_THROW(empty.DeleteUnit(0), rtl::EListError);
  EXPECT_EQ(empty.BaseIndex, 0);
}

TEST(TCategories, AddCategoryKeepsNamesUniqueAndListsTheNewCategory) {
  TCategories catalogue;
  EXPECT_EQ(catalogue.CategoryCount(), 0);
  catalogue.AddCategory("Length");
  catalogue.AddCategory("length");
  EXPECT_EQ(MessageOf<units::eNameError>([&] { catalogue.AddCategory("Length"); }),
            "Length already exists.");
  EXPECT_EQ(catalogue.CategoryCount(), 2);
  const TCategory& added = catalogue.GetCategory(1);
  EXPECT_EQ(added.Name, "length");
  EXPECT_TRUE(added.Listed);
  EXPECT_EQ(added.UnitCount(), 0);
}

TEST(TCategories, GetCategoryNamesTheCountInItsRangeMessage) {
  TCategories catalogue;
  EXPECT_EQ(MessageOf<rtl::Exception>([&] { catalogue.GetCategory(0); }), "0 Out of Range 0-0");
  for (const char* name : {"a", "b", "c", "d", "e", "f"}) catalogue.AddCategory(name);
  EXPECT_EQ(MessageOf<rtl::Exception>([&] { catalogue.GetCategory(6); }), "6 Out of Range 0-6");
  EXPECT_EQ(MessageOf<rtl::Exception>([&] { catalogue.GetCategory(-1); }), "-1 Out of Range 0-6");
  EXPECT_EQ(catalogue.GetCategory(5).Name, "f");
}

TEST(TCategories, ReferencesStayValidWhileOtherEntriesAreAdded) {
  TCategories catalogue;
  catalogue.AddCategory("first");
  TCategory& first = catalogue.GetCategory(0);
  first.AddUnit("a", "", 1);
  units::TUnit& unit = first.GetUnit(0);
  for (int i = 0; i < 100; ++i) {
    catalogue.AddCategory("c" + std::to_string(i));
    first.AddUnit("u" + std::to_string(i), "", 2);
  }
  EXPECT_EQ(&catalogue.GetCategory(0), &first);
  EXPECT_EQ(&first.GetUnit(0), &unit);
  EXPECT_EQ(unit.Symbol, "a");
}

}  // namespace

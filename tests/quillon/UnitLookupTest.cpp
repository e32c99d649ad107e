// Finding units as people write them, in the catalogue with the shipped
// units loaded.
#include <gtest/gtest.h>

#include <string>

#include "programs/quillon/UnitLookup.h"
#include "programs/quillon/UnitSearch.h"
#include "tests/quillon/ShippedUnits.h"
#include "tests/support/MessageOf.h"

namespace {

using quillon::MatchKind;
using testsupport::MessageOf;

const units::TCategories& Catalogue() {
  testsupport::LoadShippedUnitsOnce();
  return units::UnitCategories();
}

// "Category/symbol" of the best match of `text`, and how it matched.
std::string Best(const char* text, MatchKind* kind = nullptr) {
  const std::vector<quillon::UnitMatch> matches = quillon::FindUnits(Catalogue(), text);
  if (matches.empty()) return "none";
  if (kind != nullptr) *kind = matches.front().kind;
  const units::TCategory& category = Catalogue().GetCategory(matches.front().category);
  return category.Name + "/" + category.GetUnit(matches.front().unit).Symbol;
}

// "Category: from -> to" of a resolved pair.
std::string Pair(const char* from, const char* to) {
  const quillon::UnitPair pair = quillon::ResolveUnits(Catalogue(), from, to);
  const units::TCategory& category = Catalogue().GetCategory(pair.category);
  return category.Name + ": " + category.GetUnit(pair.from).Symbol + " -> " +
         category.GetUnit(pair.to).Symbol;
}

std::string Refusal(const char* from, const char* to) {
  return MessageOf<quillon::EConversionError>(
      [from, to] { quillon::ResolveUnits(Catalogue(), from, to); });
}

TEST(FindUnits, BySymbolSpellingCaseAndNameInThatOrder) {
  MatchKind kind{};
  EXPECT_EQ(Best("km", &kind), "Length/km");
  EXPECT_EQ(kind, MatchKind::kSymbol);
  EXPECT_EQ(Best("h", &kind), "Time/hr");
  EXPECT_EQ(kind, MatchKind::kSpelling);
  EXPECT_EQ(Best("KM", &kind), "Length/km");
  EXPECT_EQ(kind, MatchKind::kOtherCase);
  EXPECT_EQ(Best("kilometres", &kind), "Length/km");
  EXPECT_EQ(kind, MatchKind::kName);
  EXPECT_EQ(Best("Mile"), "Length/mi");
  EXPECT_EQ(Best("miles"), "Length/mi");
  EXPECT_EQ(Best("square feet"), "Area/ft2");
  EXPECT_EQ(Best("square foot"), "Area/ft2");
  EXPECT_EQ(Best("inches of mercury"), "Pressure/inHg");
  EXPECT_EQ(Best("mile per hour"), "Speed/mph");
  EXPECT_EQ(Best("centuries"), "Time/cen");
  EXPECT_EQ(Best("century"), "Time/cen");
  EXPECT_EQ(Best("Mbps"), "Data Rate/Mbit/s");
  EXPECT_EQ(Best(""), "none");
  EXPECT_EQ(Best("km "), "none");
}

TEST(FindUnits, WritesOutDegreeMicroAndSuperscriptsInUtf8AndLatin1) {
  EXPECT_EQ(Best("\xC2\xB0"
                 "C"),
            "Temperature/C");  // °C in UTF-8
  EXPECT_EQ(Best("\xB0"
                 "F"),
            "Temperature/F");  // °F in Latin-1, as the window passes it
  EXPECT_EQ(Best("degC"), "Temperature/C");
  EXPECT_EQ(Best("celsius"), "Temperature/C");
  EXPECT_EQ(Best("\xC2\xB0"), "Angle/deg");
  EXPECT_EQ(Best("\xC2\xB5m"), "Length/um");
  EXPECT_EQ(Best("\xB5s"), "Time/us");
  EXPECT_EQ(Best("m\xC2\xB2"), "Area/m2");
  EXPECT_EQ(Best("ft^3"), "Volume/ft3");
}

TEST(FindUnits, ListsEveryCandidateBestFirst) {
  const std::vector<quillon::UnitMatch> matches = quillon::FindUnits(Catalogue(), "min");
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(Catalogue().GetCategory(matches[0].category).Name, "Angle");
  EXPECT_EQ(matches[0].kind, MatchKind::kSymbol);
  EXPECT_EQ(Catalogue().GetCategory(matches[1].category).Name, "Time");
  EXPECT_EQ(matches[1].kind, MatchKind::kSpelling);
}

TEST(ResolveUnits, TheOtherUnitDecidesTheCategory) {
  EXPECT_EQ(Pair("min", "s"), "Time: mn -> s");
  EXPECT_EQ(Pair("min", "h"), "Time: mn -> hr");
  EXPECT_EQ(Pair("deg", "min"), "Angle: deg -> min");
  EXPECT_EQ(Pair("seconds", "minutes"), "Time: s -> mn");  // Time comes first
  EXPECT_EQ(Pair("kilometers", "miles"), "Length: km -> mi");
}

TEST(ResolveUnits, ExactSymbolsKeepTheFirstCategoryThatHoldsBoth) {
  EXPECT_EQ(Pair("b", "B"), "Computer Bits: b -> B");
  EXPECT_EQ(Pair("GB", "MB"), "Computer Bits: GB -> MB");  // binary, as built in
  EXPECT_EQ(Pair("kg", "lb"), "Force: kg -> lb");
  EXPECT_EQ(Pair("GiB", "MB"), "Data Size: GiB -> MB");
  EXPECT_EQ(Pair("MB", "kB"), "Data Size: MB -> kB");
  EXPECT_EQ(Pair("kg", "lbs"), "Mass: kg -> lb");
  EXPECT_EQ(Pair("kilograms", "pounds"), "Mass: kg -> lb");
}

TEST(ResolveUnits, AnAmbiguousUnitListsItsCandidates) {
  EXPECT_EQ(Refusal("kb", "B"),
            "\"kb\" is ambiguous in Computer Bits; it may be: Kb (kilobits) in Computer Bits, KB "
            "(kilobytes) in Computer Bits");
  EXPECT_EQ(Refusal("L", "gallons"),
            "\"gallons\" is ambiguous in Volume; it may be: gal (gallons, US) in Volume, impgal "
            "(gallons, imperial) in Volume");
}

TEST(ResolveUnits, AnUnknownUnitGetsTheNearestOnesOfTheOtherUnitsCategory) {
  EXPECT_EQ(Refusal("kmm", "mi"),
            "Unknown unit \"kmm\"; nearest: mm (millimeters) in Length, km (kilometers) in Length");
  EXPECT_EQ(Refusal("Pa", "psu"),
            "Unknown unit \"psu\"; nearest: psi (pounds per square inch) in Pressure, psf (pounds "
            "per square foot) in Pressure");
  EXPECT_EQ(Refusal("furlog", "qqqq"),
            "Unknown unit \"furlog\"; nearest: fur (furlongs) in Length");
  EXPECT_EQ(Refusal("m", "zzzzzz"), "Unknown unit \"zzzzzz\"");
  EXPECT_EQ(Refusal("km", "s"),
            "Cannot convert \"km\" (Length) to \"s\" (Time): the units belong to different "
            "categories");
}

TEST(SearchUnits, TheWindowsSearchFindsTheForgivingMatchesFirst) {
  const auto symbols = [](const char* text) {
    std::string list;
    for (const quillon::UnitPosition& hit : quillon::SearchUnits(Catalogue(), text, 4)) {
      list += Catalogue().GetCategory(hit.category).GetUnit(hit.unit).Symbol + " ";
    }
    return list;
  };
  EXPECT_EQ(symbols("h"), "hr ha hL hPa ");  // the alias, then symbols that begin so
  EXPECT_EQ(symbols("\xB0"
                    "C"),
            "C ");  // as the window passes it, in Latin-1
  EXPECT_EQ(symbols("gallon"), "gal impgal ");
  EXPECT_EQ(symbols("kilometre"), "km ");
}

TEST(NearestUnits, AreFewAndNearestFirst) {
  const std::vector<quillon::UnitPosition> near = quillon::NearestUnits(Catalogue(), "galon", 3);
  ASSERT_FALSE(near.empty());
  EXPECT_LE(near.size(), 3u);
  EXPECT_EQ(quillon::DescribeUnit(Catalogue(), near.front()), "gal (gallons, US) in Volume");
  EXPECT_TRUE(quillon::NearestUnits(Catalogue(), "qqqqqqqq", 5).empty());
  EXPECT_TRUE(quillon::NearestUnits(Catalogue(), std::string(1000000, 'm'), 5).empty());
}

}  // namespace

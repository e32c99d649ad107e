// quillon's questions with units on the shipped definitions: the answers
// that used to be wrong or refused, what stays the evaluator's, the notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "programs/quillon/Conversion.h"
#include "programs/quillon/Questions.h"
#include "tests/quillon/RunQuillon.h"
#include "tests/support/Localized.h"

namespace {

using quillontest::Outcome;
using quillontest::RunQuillon;
using testsupport::Localized;

std::string Answer(const std::string& question) {
  const Outcome run = RunQuillon({question});
  EXPECT_EQ(run.status, quillon::kSuccess) << question << ": " << run.err;
  return run.out.empty() ? "" : run.out.substr(0, run.out.size() - 1);
}

// The ten answers that were wrong or refused, each with the exact value.
TEST(Questions, PrefixesAndCaseNeverChangeAUnit) {
  EXPECT_EQ(Answer("1 ML to L"), "1000000");  // a megalitre, not a millilitre
  EXPECT_EQ(Answer("1 Mm to m"), "1000000");
  EXPECT_EQ(Answer("1 KM to m"), "1000");  // the case of "k" changes nothing else
  const Outcome mm = RunQuillon({"1 MM to m"});
  EXPECT_EQ(mm.status, quillon::kEntryFailed);
  EXPECT_NE(mm.err.find("Mm or mm"), std::string::npos) << mm.err;
}

TEST(Questions, PoundsOuncesAndTonsAreTheInternationalMasses) {
  EXPECT_EQ(Answer("1 lb to kg"), Localized("0.45359237"));
  EXPECT_EQ(Answer("100 kg to lb"), Localized("220.462262184877581"));
  EXPECT_EQ(Answer("1 oz to g"), Localized("28.349523125"));
  EXPECT_EQ(Answer("1 ton to kg"), Localized("907.18474"));
  EXPECT_EQ(Answer("1 lbf to N"), Localized("4.4482216152605"));
  EXPECT_EQ(Answer("1 kip to lbf"), "1000");
  const Outcome pound = RunQuillon({"1 lb to lbf"});
  EXPECT_NE(pound.err.find("cannot convert mass to force"), std::string::npos) << pound.err;
}

TEST(Questions, AstronomicalAndAtomicUnitsAreTheCurrentValues) {
  EXPECT_EQ(Answer("1 au to m"), "149597870700");
  EXPECT_EQ(Answer("1 ly to km"), Localized("9460730472580.8"));
  // CODATA 2022.
  EXPECT_EQ(Answer("1 u to kg"), Localized("1.66053906892E-27"));
  EXPECT_EQ(Answer("1 me to kg"), Localized("9.1093837139E-31"));
}

TEST(Questions, DataSizesArePowersOfTenAndTheBinaryOnesOfTwo) {
  EXPECT_EQ(Answer("1 GB to MB"), "1000");
  EXPECT_EQ(Answer("1 GB to kB"), "1000000");
  EXPECT_EQ(Answer("1 TB to GB"), "1000");
  EXPECT_EQ(Answer("1 GiB to MiB"), "1024");
  EXPECT_EQ(Answer("1 KiB to B"), "1024");
  EXPECT_EQ(Answer("1 B to bit"), "8");
}

TEST(Questions, GallonsAndPintsAreTheUsMeasures) {
  EXPECT_EQ(Answer("1 gallon to liters"), Localized("3.785411784"));
  EXPECT_EQ(Answer("1 pint to ml"), Localized("473.176473"));
  EXPECT_EQ(Answer("1 imperial gallon to L"), Localized("4.54609"));
  EXPECT_EQ(Answer("1 fl oz to ml"), Localized("29.5735295625"));
}

TEST(Questions, NamesOfSeveralWordsAndPlurals) {
  EXPECT_EQ(Answer("1 nautical mile to km"), Localized("1.852"));
  EXPECT_EQ(Answer("2 nautical miles to m"), "3704");
  EXPECT_EQ(Answer("1 light year to km"), Localized("9460730472580.8"));
  EXPECT_EQ(Answer("10 fluid ounces to ml"), Localized("295.735295625"));
  EXPECT_EQ(Answer("1 square mile to km²"), Localized("2.589988110336"));
  EXPECT_EQ(Answer("1 square feet to m^2"), Localized("0.09290304"));
  EXPECT_EQ(Answer("1 cubic inch to cc"), Localized("16.387064"));
  EXPECT_EQ(Answer("3 inches to cm"), Localized("7.62"));
}

TEST(Questions, CompoundAmountsAdd) {
  EXPECT_EQ(Answer("3 ft 4 in to cm"), Localized("101.6"));
  EXPECT_EQ(Answer("5 ft 3 in to in"), "63");
  EXPECT_EQ(Answer("1 h 30 min to min"), "90");
  const Outcome mixed = RunQuillon({"1 m 3 kg"});
  EXPECT_NE(mixed.err.find("cannot add length and mass"), std::string::npos) << mixed.err;
}

TEST(Questions, ArithmeticWithUnits) {
  EXPECT_EQ(Answer("60 mph * 2 h to km"), Localized("193.12128"));
  EXPECT_EQ(Answer("1 kg m/s^2 to N"), "1");
  EXPECT_EQ(Answer("3 kWh / 2 h to W"), "1500");
  EXPECT_EQ(Answer("100 km per h to m/s"), Localized("27.7777777777777778"));
  EXPECT_EQ(Answer("60 mph"), Localized("26.8224 m/s"));
}

TEST(Questions, AnyUnitOfTheSiTakesEveryPrefix) {
  EXPECT_EQ(Answer("1 kN to N"), "1000");
  EXPECT_EQ(Answer("1 MPa to psi"), Localized("145.037737730209215"));
  EXPECT_EQ(Answer("5 µs to ns"), "5000");
  EXPECT_EQ(Answer("1 Qm to Rm"), "1000");
  EXPECT_EQ(Answer("1 qg to rg"), Localized("0.001"));
}

TEST(Questions, AnswersSplitOverUnits) {
  EXPECT_EQ(Answer("1.8 m to ft;in"), Localized("5 ft 10.8661417322834646 in"));
  EXPECT_EQ(Answer("100000 s to d;h;min;s"), "1 d 3 h 46 min 40 s");
  EXPECT_EQ(Answer("-90 min to h;min"), "-1 h -30 min");
}

TEST(Questions, TemperaturesAsReadingsAndAsDifferences) {
  EXPECT_EQ(Answer("20 °C to °F"), "68");
  EXPECT_EQ(Answer("100 degC -> F"), "212");
  EXPECT_EQ(Answer("-40 C to F"), "-40");
  EXPECT_EQ(Answer("0 K to °C"), Localized("-273.15"));
  EXPECT_EQ(Answer("20 K to deltaF"), "36");
  EXPECT_EQ(Answer("20 deltaC to deltaF"), "36");
  EXPECT_NE(RunQuillon({"-500 °C to K"}).err.find("below absolute zero"), std::string::npos);
  EXPECT_NE(RunQuillon({"20 °C * 2"}).err.find("deltaC"), std::string::npos);
}

TEST(Questions, WrongDimensionsNameBothAndThePosition) {
  const Outcome run = RunQuillon({"5 kg to m"});
  EXPECT_EQ(run.status, quillon::kEntryFailed);
  EXPECT_EQ(run.err, "quillon: 5 kg to m: at 9: cannot convert mass to length\n");
  EXPECT_EQ(RunQuillon({"3 furlongz"}).err,
            "quillon: 3 furlongz: at 3: unknown unit \"furlongz\"\n");
}

TEST(Questions, EntriesWithoutUnitsStayTheEvaluators) {
  EXPECT_FALSE(quillon::MentionsUnits("2*pi + sin(1) - SQRT(4) + 1.5e-3 + $FF + 2E+3"));
  EXPECT_FALSE(quillon::MentionsUnits("sin"));
  EXPECT_TRUE(quillon::MentionsUnits("5 km"));
  EXPECT_TRUE(quillon::MentionsUnits("5km"));
  EXPECT_TRUE(quillon::MentionsUnits("2 -> 3"));
  EXPECT_TRUE(quillon::MentionsUnits("$FF MB"));
  EXPECT_EQ(Answer("$FFFFFFFF"), "-1");
  EXPECT_EQ(RunQuillon({"sin"}).err,
            "quillon: sin: Entry could not be evaluated: invalid character(s) in expression\n");
}

TEST(Questions, ANoteOnAnEverydayMeaningIsSaidOnce) {
  quillon::ForgetNotesSaid();
  const Outcome run = RunQuillon({"1 gal to L", "2 gallons to L", "1 pt to mL"});
  EXPECT_EQ(run.status, quillon::kSuccess);
  const std::string gallon = "quillon: note: gallon is taken as the US gallon";
  const size_t first = run.err.find(gallon);
  EXPECT_NE(first, std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(gallon, first + 1), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("imperial pint"), std::string::npos) << run.err;
}

TEST(Questions, ExactAnswersAndTheListOfUnits) {
  EXPECT_EQ(RunQuillon({"exact", "1 ft to m"}).out, "381/1250\n");
  EXPECT_EQ(RunQuillon({"exact", "1 m to ft"}).out, "1250/381\n");
  EXPECT_EQ(RunQuillon({"exact", "1.8 m to ft;in"}).out, "5 ft 1380/127 in\n");
  const Outcome units = RunQuillon({"units"});
  EXPECT_NE(units.out.find("[length]\n"), std::string::npos);
  EXPECT_NE(units.out.find("  ft, foot, feet = 12 in  (381/1250 m)\n"), std::string::npos);
  EXPECT_NE(units.out.find("  mph, miles per hour = mi/h  (1397/3125 m/s)\n"), std::string::npos);
}

TEST(Questions, ConvertTakesAnExpressionAndTwoUnits) {
  EXPECT_EQ(RunQuillon({"convert", "2*3", "ft", "in"}).out, "72\n");
  EXPECT_EQ(RunQuillon({"convert", "100", "degC", "degF"}).out, "212\n");
  EXPECT_EQ(RunQuillon({"convert", "-40", "°C", "°F"}).out, "-40\n");
  EXPECT_EQ(RunQuillon({"convert", "1", "nautical mile", "km"}).out, Localized("1.852\n"));
}

TEST(Questions, TheWindowsCategoriesComeFromTheDefinitionsByDimension) {
  quillontest::LoadDefinitionsOnce();
  units::TCategories catalogue;
  quillon::AddDefinitionsToCatalogue(catalogue, quillon::UnitDefinitions());
  ASSERT_GT(catalogue.CategoryCount(), 20);
  const units::TCategory& length = catalogue.GetCategory(0);
  EXPECT_EQ(length.Name, "Length");
  EXPECT_EQ(length.GetUnit(0).Symbol, "m");
  EXPECT_EQ(length.GetUnit(0).Factor, 1);
  std::map<std::string, const units::TCategory*> byName;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c)
    byName[catalogue.GetCategory(c).Name] = &catalogue.GetCategory(c);
  ASSERT_TRUE(byName.count("Temperature"));
  std::vector<std::string> scales;
  for (int32_t u = 0; u < byName["Temperature"]->UnitCount(); ++u)
    scales.push_back(byName["Temperature"]->GetUnit(u).Symbol);
  EXPECT_EQ(scales, (std::vector<std::string>{"K", "C", "F", "R"}));
  EXPECT_EQ(byName.count("Number"), 0u);
  // The lists show Latin-1: Å and µm are written in it, Ω has its name.
  std::vector<std::string> lengths, resistances;
  for (int32_t u = 0; u < length.UnitCount(); ++u) lengths.push_back(length.GetUnit(u).Symbol);
  EXPECT_NE(std::find(lengths.begin(), lengths.end(), "\xC5"), lengths.end());
  EXPECT_NE(std::find(lengths.begin(), lengths.end(), "\xB5m"), lengths.end());
  EXPECT_NE(std::find(lengths.begin(), lengths.end(), "km"), lengths.end());
  ASSERT_TRUE(byName.count("Resistance"));
  EXPECT_EQ(byName["Resistance"]->GetUnit(0).Symbol, "ohm");
  ASSERT_TRUE(byName.count("Mass"));
  EXPECT_EQ(rtl::FormatGeneral(quillon::Convert(*byName["Mass"], 0, 3, 1), '.'),
            "2.20462262184877581");
  // The conversion of the window between scales.
  EXPECT_EQ(rtl::FormatGeneral(quillon::Convert(*byName["Temperature"], 1, 2, 100), '.'), "212");
}

TEST(Questions, TheExactValueOfAnExtendedNumber) {
  EXPECT_EQ(quillon::ExactValue(0.5L), mpq_class(1, 2));
  EXPECT_EQ(quillon::ExactValue(-3), mpq_class(-3));
  EXPECT_EQ(quillon::ExactValue(0), mpq_class(0));
  EXPECT_EQ(quillon::ExactValue(0x1p-16400L), mpq_class(1) / (mpq_class(mpz_class(1) << 16400)));
  EXPECT_THROW(quillon::ExactValue(1.0L / 0.0L), rtl::Exception);
}

}  // namespace

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "programs/quillon/Conversion.h"
#include "programs/quillon/Phrasing.h"
#include "programs/quillon/Questions.h"
#include "tests/quillon/RunQuillon.h"
#include "tests/support/Localized.h"
#include "tests/support/MessageOf.h"

namespace {

using quillon::ConvertBySymbol;
using rtl::Extended;
using testsupport::Localized;
using units::UnitCategories;

std::string Converted(Extended amount, const char* from, const char* to) {
  return rtl::FormatGeneral(ConvertBySymbol(UnitCategories(), amount, from, to));
}

using testsupport::MessageOf;

TEST(FindUnit, FindsSymbolsByteForByte) {
  const auto bits = quillon::FindUnit(UnitCategories(), "b");
  const auto bytes = quillon::FindUnit(UnitCategories(), "B");
  ASSERT_TRUE(bits && bytes);
  EXPECT_EQ(bits->category, 5);
  EXPECT_EQ(bits->unit, 0);
  EXPECT_EQ(bytes->unit, 5);
  EXPECT_FALSE(quillon::FindUnit(UnitCategories(), "KM"));
  EXPECT_FALSE(quillon::FindUnit(UnitCategories(), "km "));
  EXPECT_FALSE(quillon::FindUnit(UnitCategories(), ""));
}

TEST(Convert, MultipliesByTheSourceFactorAndDividesByTheTarget) {
  EXPECT_EQ(Converted(5, "km", "mi"), Localized("3.10685596118666985"));
  EXPECT_EQ(Converted(1, "ft", "m"), Localized("0.3048"));
  EXPECT_EQ(Converted(1, "in", "mm"), Localized("25.4"));
  EXPECT_EQ(Converted(1, "day", "hr"), "24");
  EXPECT_EQ(Converted(8, "b", "B"), "1");
  EXPECT_EQ(Converted(1, "KB", "b"), "8192");
  EXPECT_EQ(Converted(1, "rev", "rad"), Localized("6.28318530717958648"));
  // The order of the operations shows in the last bit: (5 * 1000) / 1609.34...
  const units::TCategory& length = UnitCategories().GetCategory(0);
  const Extended expected = 5000.0L / length.GetUnit(8).Factor;
  EXPECT_EQ(rtl::BitsOf(ConvertBySymbol(UnitCategories(), 5, "km", "mi")), rtl::BitsOf(expected));
}

TEST(Convert, TheSameUnitOnBothSidesKeepsTheAmount) {
  const Extended amount = 0.1L;
  for (int32_t c = 0; c < UnitCategories().CategoryCount(); ++c) {
    const units::TCategory& category = UnitCategories().GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      EXPECT_EQ(rtl::BitsOf(quillon::Convert(UnitCategories(), c, u, u, amount)),
                rtl::BitsOf(amount));
    }
  }
}

TEST(Convert, TemperaturesUseTheScalesZeroPoints) {
  EXPECT_EQ(Converted(100, "C", "F"), "212");
  EXPECT_EQ(Converted(212, "F", "C"), "100");
  EXPECT_EQ(Converted(-40, "C", "F"), "-40");
  EXPECT_EQ(Converted(0, "C", "K"), Localized("273.15"));
  EXPECT_EQ(Converted(0, "K", "C"), Localized("-273.15"));
  EXPECT_EQ(Converted(0, "K", "F"), Localized("-459.67"));
  EXPECT_EQ(Converted(0, "F", "R"), Localized("459.67"));
  EXPECT_EQ(Converted(300, "K", "R"), "540");
  EXPECT_EQ(Converted(540, "R", "K"), "300");
  EXPECT_EQ(Converted(373.15L, "K", "F"), "212");
  EXPECT_EQ(Converted(671.67L, "R", "C"), "100");
  EXPECT_EQ(Converted(32, "F", "K"), Localized("273.15"));
  EXPECT_EQ(Converted(25, "C", "R"), Localized("536.67"));
}

TEST(Convert, TemperaturesBelowAbsoluteZeroAreRefused) {
  EXPECT_EQ(MessageOf<quillon::EConversionError>([] { Converted(-300, "C", "F"); }),
            Localized("-300 C is below absolute zero (-273.15 C)"));
  EXPECT_EQ(MessageOf<quillon::EConversionError>([] { Converted(-460, "F", "F"); }),
            Localized("-460 F is below absolute zero (-459.67 F)"));
  EXPECT_EQ(MessageOf<quillon::EConversionError>([] { Converted(-1e-30L, "K", "C"); }),
            "-1E-30 K is below absolute zero (0 K)");
  EXPECT_THROW(Converted(-0.5L, "R", "K"), quillon::EConversionError);
  // Absolute zero itself converts.
  EXPECT_EQ(Converted(-273.15L, "C", "K"), "0");
  EXPECT_EQ(Converted(-459.67L, "F", "R"), "0");
  EXPECT_EQ(Converted(0, "K", "R"), "0");
  EXPECT_EQ(Converted(0, "R", "F"), Localized("-459.67"));
  // The window converts by position and is refused alike.
  EXPECT_THROW(quillon::Convert(UnitCategories(), 3, 2, 0, -1), quillon::EConversionError);
}

TEST(Convert, TemperaturesAcceptTheDegreeSpellings) {
  EXPECT_EQ(Converted(100,
                      "\xC2\xB0"
                      "C",
                      "\xC2\xB0"
                      "F"),
            "212");
  EXPECT_EQ(Converted(100, "degC", "degF"), "212");
  EXPECT_EQ(Converted(32,
                      "\xB0"
                      "F",
                      "celsius"),
            "0");
  EXPECT_EQ(Converted(0, "kelvin", "Rankine"), "0");
}

TEST(Convert, TemperatureUnitsWithoutAScaleAreAnError) {
  units::TCategories catalogue;
  catalogue.AddCategory("Temperature");
  catalogue.GetCategory(0).AddUnit("C", "Celsius", 1);
  catalogue.GetCategory(0).AddUnit("Re", "Reaumur", 1);
  EXPECT_THROW(ConvertBySymbol(catalogue, 1, "C", "Re"), quillon::EConversionError);
}

TEST(Convert, UnknownUnitsNameTheNearestOnesNotTheWholeCatalogue) {
  const std::string message = MessageOf<quillon::EConversionError>(
      [] { ConvertBySymbol(UnitCategories(), 1, "km", "kmm"); });
  EXPECT_EQ(message,
            "Unknown unit \"kmm\"; nearest: mm (millimeters) in Length, km (kilometers) in Length");
  EXPECT_EQ(MessageOf<quillon::EConversionError>(
                [] { ConvertBySymbol(UnitCategories(), 1, "xyzzy", "m"); }),
            "Unknown unit \"xyzzy\"");
  EXPECT_EQ(rtl::FormatGeneral(ConvertBySymbol(UnitCategories(), 1, "Km", "m")), "1000");
}

TEST(Convert, UnitsOfDifferentCategoriesAreAnError) {
  const std::string message =
      MessageOf<quillon::EConversionError>([] { ConvertBySymbol(UnitCategories(), 1, "km", "s"); });
  EXPECT_EQ(message,
            "Cannot convert \"km\" (Length) to \"s\" (Time): the units belong to different "
            "categories");
  EXPECT_THROW(ConvertBySymbol(UnitCategories(), 1, "C", "m"), rtl::Exception);
}

TEST(Convert, ArithmeticAndPositionErrorsPassThrough) {
  const Extended huge = std::numeric_limits<Extended>::max();
  EXPECT_THROW(ConvertBySymbol(UnitCategories(), huge, "km", "mm"), rtl::EOverflow);
  EXPECT_THROW(ConvertBySymbol(UnitCategories(), huge, "C", "F"), rtl::EOverflow);
  EXPECT_THROW(quillon::Convert(UnitCategories(), 0, 0, 12, 1), rtl::EListError);
  EXPECT_THROW(quillon::Convert(UnitCategories(), 6, 0, 0, 1), rtl::Exception);

  units::TCategories catalogue;  // a factor of zero in a catalogue of one's own
  catalogue.AddCategory("Odd");
  catalogue.GetCategory(0).AddUnit("a", "", 1);
  catalogue.GetCategory(0).AddUnit("zero", "", 0);
  EXPECT_THROW(ConvertBySymbol(catalogue, 1, "a", "zero"), rtl::EZeroDivide);
}

TEST(ListCatalogue, ListsEveryCategoryAndUnitWithTheBaseMarked) {
  const std::string listing = quillon::ListCatalogue(UnitCategories());
  EXPECT_EQ(listing.substr(0, 7), "Length\n");
  EXPECT_NE(listing.find("\n  mm      millimeters             " + Localized("0.001") + "\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("\n  m       meters                  1  (base unit)\n"), std::string::npos)
      << listing;
  EXPECT_NE(listing.find("\n  mi      miles, statute          " + Localized("1609.344") + "\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("\nTemperature (converted between scales C, F, K and R)\n"),
            std::string::npos);
  size_t lines = 0;
  size_t bases = 0;
  for (size_t at = 0; (at = listing.find('\n', at)) != std::string::npos; ++at) ++lines;
  for (size_t at = 0; (at = listing.find("(base unit)", at)) != std::string::npos; ++at) ++bases;
  EXPECT_EQ(lines, 6u + 57u);
  EXPECT_EQ(bases, 6u);
}

TEST(ParseConversionLine, SplitsAmountFromAndTo) {
  const auto plain = quillon::ParseConversionLine("5 km in mi");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->amount, "5");
  EXPECT_EQ(plain->from, "km");
  EXPECT_EQ(plain->to, "mi");

  const auto expression = quillon::ParseConversionLine("  2 * (3 + 1)\tft  in m  ");
  ASSERT_TRUE(expression);
  EXPECT_EQ(expression->amount, "2 * (3 + 1)");
  EXPECT_EQ(expression->from, "ft");
  EXPECT_EQ(expression->to, "m");

  const auto inches = quillon::ParseConversionLine("5 in in in");  // "in" is also inches
  ASSERT_TRUE(inches);
  EXPECT_EQ(inches->amount, "5");
  EXPECT_EQ(inches->from, "in");
  EXPECT_EQ(inches->to, "in");
}

TEST(ParseConversionLine, RefusesOtherLines) {
  for (const char* line :
       {"", "2*3", "5 km mi", "km in mi", "5 km in", "5 km IN mi", "5 km in mi m"}) {
    EXPECT_FALSE(quillon::ParseConversionLine(line)) << '"' << line << '"';
  }
}

using quillontest::Outcome;
using quillontest::RunQuillon;

TEST(QuillonCommands, ConvertEvaluatesTheAmountAndPrintsTheGeneralNumberText) {
  const Outcome run = RunQuillon({"convert", "2*3", "ft", "m"});
  EXPECT_EQ(run.status, quillon::kSuccess);
  EXPECT_EQ(run.out, Localized("1.8288\n"));
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(RunQuillon({"convert", "-40", "F", "C"}).out, "-40\n");

  const Outcome unknown = RunQuillon({"convert", "1", "km", "kmm"});
  EXPECT_EQ(unknown.status, quillon::kEntryFailed);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "quillon: convert: unknown unit \"kmm\"\n");
  EXPECT_EQ(RunQuillon({"convert", "1+", "km", "m"}).err,
            "quillon: convert: Entry could not be evaluated: invalid expression\n");
  EXPECT_EQ(RunQuillon({"convert", "1", "km"}).err,
            "quillon: usage: quillon convert AMOUNT FROM TO\n");
}

TEST(QuillonCommands, UnitsListsTheDefinitions) {
  const Outcome run = RunQuillon({"units"});
  EXPECT_EQ(run.status, quillon::kSuccess);
  EXPECT_EQ(run.out, quillon::ListUnits(quillon::UnitDefinitions()));
  EXPECT_EQ(RunQuillon({"units", "extra"}).status, quillon::kEntryFailed);
}

TEST(QuillonCommands, EntriesOfTheFormAmountFromInToConvert) {
  const Outcome run =
      RunQuillon({}, "5 km in mi\n2*3 ft in m\n100 C in F\n1+1\n1 m in s\n8 b in B\n");
  EXPECT_EQ(run.status, quillon::kEntryFailed);
  EXPECT_EQ(run.out, Localized("3.10685596118666985\n1.8288\n212\n2\n1\n"));
  EXPECT_EQ(run.err, "quillon: 1 m in s: at 8: cannot convert length to time\n");
  EXPECT_EQ(RunQuillon({"1 in in cm"}).out, Localized("2.54\n"));
}

TEST(QuillonCommands, HelpTellsHowToConvert) {
  const std::string help = RunQuillon({"--help"}).out;
  EXPECT_NE(help.find("quillon units"), std::string::npos);
  EXPECT_NE(help.find("quillon convert AMOUNT FROM TO"), std::string::npos);
  EXPECT_NE(help.find("5 km in mi"), std::string::npos);
  EXPECT_NE(help.find("quillon exact"), std::string::npos);
}

}  // namespace

// quillon's shipped units file: every factor against an exact rational
// computed here from the definitions, and the built-in set unchanged.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "tests/quillon/ShippedUnits.h"

namespace {

using rtl::Extended;

struct ExactUnit {
  const char* category;
  const char* symbol;
  const char* numerator;
  const char* denominator;
};

// Each shipped unit in its category's base unit, as a fraction of integers.
// The definitions: inch 0.0254 m, foot 12 in, yard 3 ft, mile 1760 yd; pound
// 0.45359237 kg; standard gravity 9.80665 m/s^2; US gallon 231 in^3;
// imperial gallon 4.54609 L; thermochemical calorie 4.184 J; IT Btu
// 1055.05585262 J; electronvolt 1.602176634e-19 J; Julian year 365.25 days.
const ExactUnit kShipped[] = {
    {"Length", "um", "1", "1000000"},                     // micrometre
    {"Length", "nm", "1", "1000000000"},                  // nanometre
    {"Length", "mil", "127", "5000000"},                  // inch / 1000
    {"Length", "ch", "12573", "625"},                     // 22 yd
    {"Length", "fur", "25146", "125"},                    // 220 yd
    {"Length", "ly", "9460730472580800", "1"},            // c * Julian year
    {"Time", "us", "1", "1000000"},                       // microsecond
    {"Force", "dyn", "1", "100000"},                      // g cm/s^2
    {"Force", "kgf", "196133", "20000"},                  // 1 kg * g0
    {"Force", "lbf", "8896443230521", "2000000000000"},   // 1 lb * g0
    {"Force", "ozf", "8896443230521", "32000000000000"},  // lbf / 16
    {"Force", "pdl", "17281869297", "125000000000"},      // 1 lb ft/s^2
    {"Mass", "kg", "1", "1"},
    {"Mass", "g", "1", "1000"},
    {"Mass", "mg", "1", "1000000"},
    {"Mass", "ug", "1", "1000000000"},
    {"Mass", "t", "1000", "1"},
    {"Mass", "ct", "1", "5000"},                        // 200 mg
    {"Mass", "lb", "45359237", "100000000"},            // international pound
    {"Mass", "oz", "45359237", "1600000000"},           // lb / 16
    {"Mass", "gr", "6479891", "100000000000"},          // lb / 7000
    {"Mass", "ozt", "19439673", "625000000"},           // 480 grains
    {"Mass", "st", "317514659", "50000000"},            // 14 lb
    {"Mass", "cwt", "45359237", "1000000"},             // 100 lb
    {"Mass", "ton", "45359237", "50000"},               // 2000 lb
    {"Mass", "lton", "317514659", "312500"},            // 2240 lb
    {"Mass", "slug", "8896443230521", "609600000000"},  // lbf s^2/ft
    {"Area", "m2", "1", "1"},
    {"Area", "mm2", "1", "1000000"},
    {"Area", "cm2", "1", "10000"},
    {"Area", "km2", "1000000", "1"},
    {"Area", "a", "100", "1"},
    {"Area", "ha", "10000", "1"},
    {"Area", "in2", "16129", "25000000"},
    {"Area", "ft2", "145161", "1562500"},
    {"Area", "yd2", "1306449", "1562500"},
    {"Area", "ac", "316160658", "78125"},  // 43560 ft^2
    {"Area", "mi2", "40468564224", "15625"},
    {"Volume", "m3", "1", "1"},
    {"Volume", "cm3", "1", "1000000"},
    {"Volume", "L", "1", "1000"},
    {"Volume", "dL", "1", "10000"},
    {"Volume", "cL", "1", "100000"},
    {"Volume", "mL", "1", "1000000"},
    {"Volume", "hL", "1", "10"},
    {"Volume", "in3", "2048383", "125000000000"},
    {"Volume", "ft3", "55306341", "1953125000"},     // 1728 in^3
    {"Volume", "yd3", "1493271207", "1953125000"},   // 27 ft^3
    {"Volume", "acft", "60228605349", "48828125"},   // acre * ft
    {"Volume", "gal", "473176473", "125000000000"},  // 231 in^3
    {"Volume", "qt", "473176473", "500000000000"},
    {"Volume", "pt", "473176473", "1000000000000"},
    {"Volume", "cup", "473176473", "2000000000000"},
    {"Volume", "floz", "473176473", "16000000000000"},
    {"Volume", "tbsp", "473176473", "32000000000000"},  // floz / 2
    {"Volume", "tsp", "157725491", "32000000000000"},   // tbsp / 3
    {"Volume", "bbl", "9936705933", "62500000000"},     // 42 gal
    {"Volume", "bu", "220244188543", "6250000000000"},  // 2150.42 in^3
    {"Volume", "impgal", "454609", "100000000"},        // 4.54609 L
    {"Volume", "impqt", "454609", "400000000"},
    {"Volume", "imppt", "454609", "800000000"},
    {"Volume", "impfloz", "454609", "16000000000"},
    {"Speed", "m/s", "1", "1"},
    {"Speed", "km/h", "5", "18"},
    {"Speed", "mph", "1397", "3125"},
    {"Speed", "kn", "463", "900"},  // 1852 m/h
    {"Speed", "ft/s", "381", "1250"},
    {"Speed", "c", "299792458", "1"},
    {"Pressure", "Pa", "1", "1"},
    {"Pressure", "hPa", "100", "1"},
    {"Pressure", "kPa", "1000", "1"},
    {"Pressure", "MPa", "1000000", "1"},
    {"Pressure", "GPa", "1000000000", "1"},
    {"Pressure", "mbar", "100", "1"},
    {"Pressure", "bar", "100000", "1"},
    {"Pressure", "atm", "101325", "1"},
    {"Pressure", "at", "196133", "2"},                    // 1 kgf/cm^2
    {"Pressure", "Torr", "20265", "152"},                 // atm / 760
    {"Pressure", "mmHg", "26664477483", "200000000"},     // 13595.1 kg/m^3 * 1 mm * g0
    {"Pressure", "inHg", "3386388640341", "1000000000"},  // 13595.1 kg/m^3 * 1 in * g0
    {"Pressure", "psi", "8896443230521", "1290320000"},
    {"Pressure", "ksi", "8896443230521", "1290320"},
    {"Pressure", "psf", "8896443230521", "185806080000"},
    {"Energy", "J", "1", "1"},
    {"Energy", "kJ", "1000", "1"},
    {"Energy", "MJ", "1000000", "1"},
    {"Energy", "GJ", "1000000000", "1"},
    {"Energy", "Wh", "3600", "1"},
    {"Energy", "kWh", "3600000", "1"},
    {"Energy", "MWh", "3600000000", "1"},
    {"Energy", "cal", "523", "125"},  // thermochemical
    {"Energy", "kcal", "4184", "1"},
    {"Energy", "Btu", "52752792631", "50000000"},                   // IT Btu
    {"Energy", "eV", "801088317", "5000000000000000000000000000"},  // e * 1 V
    {"Energy", "erg", "1", "10000000"},
    {"Energy", "ftlbf", "3389544870828501", "2500000000000000"},
    {"Power", "W", "1", "1"},
    {"Power", "mW", "1", "1000"},
    {"Power", "kW", "1000", "1"},
    {"Power", "MW", "1000000", "1"},
    {"Power", "GW", "1000000000", "1"},
    {"Power", "hp", "37284993579113511", "50000000000000"},  // 550 ft lbf/s
    {"Power", "PS", "588399", "800"},                        // 75 kgf m/s
    {"Power", "Btu/h", "52752792631", "180000000000"},
    {"Power", "TR", "52752792631", "15000000"},  // 12000 Btu/h
    {"Frequency", "Hz", "1", "1"},
    {"Frequency", "kHz", "1000", "1"},
    {"Frequency", "MHz", "1000000", "1"},
    {"Frequency", "GHz", "1000000000", "1"},
    {"Frequency", "THz", "1000000000000", "1"},
    {"Frequency", "rpm", "1", "60"},
    {"Data Size", "B", "1", "1"},
    {"Data Size", "bit", "1", "8"},
    {"Data Size", "kB", "1000", "1"},
    {"Data Size", "MB", "1000000", "1"},
    {"Data Size", "GB", "1000000000", "1"},
    {"Data Size", "TB", "1000000000000", "1"},
    {"Data Size", "PB", "1000000000000000", "1"},
    {"Data Size", "KiB", "1024", "1"},
    {"Data Size", "MiB", "1048576", "1"},
    {"Data Size", "GiB", "1073741824", "1"},
    {"Data Size", "TiB", "1099511627776", "1"},
    {"Data Size", "PiB", "1125899906842624", "1"},
    {"Data Size", "kbit", "125", "1"},
    {"Data Size", "Mbit", "125000", "1"},
    {"Data Size", "Gbit", "125000000", "1"},
    {"Data Rate", "bit/s", "1", "1"},
    {"Data Rate", "kbit/s", "1000", "1"},
    {"Data Rate", "Mbit/s", "1000000", "1"},
    {"Data Rate", "Gbit/s", "1000000000", "1"},
    {"Data Rate", "Tbit/s", "1000000000000", "1"},
    {"Data Rate", "B/s", "8", "1"},
    {"Data Rate", "kB/s", "8000", "1"},
    {"Data Rate", "MB/s", "8000000", "1"},
    {"Data Rate", "GB/s", "8000000000", "1"},
    {"Data Rate", "KiB/s", "8192", "1"},
    {"Data Rate", "MiB/s", "8388608", "1"},
    {"Data Rate", "GiB/s", "8589934592", "1"},
};

// The exact value of an extended number.
mpq_class ExactValueOf(Extended value) {
  const rtl::ExtendedBits bits = rtl::BitsOf(value);
  mpq_class exact(mpz_class(static_cast<unsigned long>(bits.significand)));
  const long exponent = (bits.signExponent & 0x7FFF) - 16383 - 63;
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), 2, static_cast<unsigned long>(std::labs(exponent)));
  if (exponent >= 0) {
    exact *= power;
  } else {
    exact /= power;
  }
  return exact;
}

// True when `value` is the extended number nearest to `exact`, the one with
// an even significand when `exact` lies halfway between two.
bool IsNearest(Extended value, const mpq_class& exact) {
  const mpq_class distance = abs(ExactValueOf(value) - exact);
  for (const Extended neighbour :
       {std::nextafter(value, Extended(0)), std::nextafter(value, Extended(INFINITY))}) {
    const mpq_class other = abs(ExactValueOf(neighbour) - exact);
    if (other < distance) return false;
    if (other == distance && (rtl::BitsOf(value).significand & 1) != 0) return false;
  }
  return true;
}

TEST(ShippedUnits, LoadWithoutProblems) {
  const testsupport::ShippedUnits& shipped = testsupport::LoadShippedUnitsOnce();
  for (const units::UnitsFileProblem& problem : shipped.report.problems) {
    ADD_FAILURE() << problem.Text();
  }
  EXPECT_EQ(shipped.report.categoriesAdded, 10);
  EXPECT_EQ(shipped.report.unitsAdded, static_cast<int32_t>(std::size(kShipped)));
}

TEST(ShippedUnits, EveryFactorIsTheExactDefinitionRoundedToNearest) {
  testsupport::LoadShippedUnitsOnce();
  std::map<std::pair<std::string, std::string>, mpq_class> expected;
  for (const ExactUnit& unit : kShipped) {
    mpq_class exact(mpz_class(unit.numerator), mpz_class(unit.denominator));
    exact.canonicalize();
    expected[{unit.category, unit.symbol}] = exact;
  }
  ASSERT_EQ(expected.size(), std::size(kShipped));  // no unit twice in the table

  const units::TCategories& catalogue = units::UnitCategories();
  const auto& builtIn = testsupport::LoadShippedUnitsOnce().builtInBefore;
  size_t checked = 0;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    const size_t position = static_cast<size_t>(c);
    const auto first =
        static_cast<int32_t>(position < builtIn.size() ? builtIn[position].units.size() : 0);
    for (int32_t u = first; u < category.UnitCount(); ++u) {
      const units::TUnit& unit = category.GetUnit(u);
      SCOPED_TRACE(category.Name + " / " + unit.Symbol);
      const auto found = expected.find({category.Name, unit.Symbol});
      if (found == expected.end()) {
        ADD_FAILURE() << "shipped unit without an exact value in the test";
        continue;
      }
      EXPECT_TRUE(IsNearest(unit.Factor, found->second));
      ++checked;
    }
  }
  EXPECT_EQ(checked, std::size(kShipped));  // every unit of the table is shipped
}

TEST(ShippedUnits, TheNearestCheckTellsNeighboursApart) {
  // The check above must fail for a value one step off and for a tie
  // broken towards the odd significand.
  const mpq_class tenth(1, 10);
  EXPECT_TRUE(IsNearest(0.1L, tenth));
  EXPECT_FALSE(IsNearest(std::nextafter(0.1L, 1.0L), tenth));
  const mpq_class halfway(mpz_class("18446744073709551619"), mpz_class("18446744073709551616"));
  EXPECT_TRUE(IsNearest(rtl::ExtendedFromBits(0x3FFF, 0x8000000000000002), halfway));
  EXPECT_FALSE(IsNearest(rtl::ExtendedFromBits(0x3FFF, 0x8000000000000001), halfway));
}

TEST(ShippedUnits, LeaveTheBuiltInSetAsItWasBitForBit) {
  const testsupport::ShippedUnits& shipped = testsupport::LoadShippedUnitsOnce();
  const units::TCategories& catalogue = units::UnitCategories();
  ASSERT_EQ(shipped.builtInBefore.size(), 6u);
  for (int32_t c = 0; c < 6; ++c) {
    const testsupport::CategoryState& before = shipped.builtInBefore[static_cast<size_t>(c)];
    const units::TCategory& category = catalogue.GetCategory(c);
    EXPECT_EQ(testsupport::StateOf(category, static_cast<int32_t>(before.units.size())), before)
        << before.name;
  }
  EXPECT_EQ(catalogue.GetCategory(0).GetUnit(8).Symbol, "mi");
  EXPECT_EQ(rtl::BitsOf(catalogue.GetCategory(0).GetUnit(8).Factor),
            (rtl::ExtendedBits{0x4009, 0xC92B020C49BA5E34}));
}

}  // namespace

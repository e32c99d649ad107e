// The process-wide catalogue and the built-in unit set it is filled with.
//
// Start-up: UnitCategories() holds the catalogue in a function-local static,
// so it is built on the first call whatever the order in which translation
// units are initialised, and it is destroyed once, after main() returns, by
// the ordinary destruction of statics. The namespace-scope kBuiltAtStartUp
// below makes that first call during static initialisation, so the building
// is done before main() runs. Both live in this one translation unit: any
// program that calls UnitCategories() links this object file, and with it
// the initialiser (an object file of a static library that held only the
// initialiser could be dropped by the linker).
#include <cstdint>
#include <initializer_list>

#include "measure/units.h"

namespace units {

namespace {

// A unit as the building passes it to AddUnit. The factor is the exact
// 80-bit value (sign and exponent, significand with its leading bit); the
// comment beside each row gives it as a decimal.
struct BuiltInUnit {
  const char* symbol;
  const char* name;
  uint16_t signExponent;
  uint64_t significand;
};

struct BuiltInCategory {
  const char* name;
  std::initializer_list<BuiltInUnit> units;
  int32_t baseAtBuilding;     // the SetBaseUnit position, placeholders included
  bool dropFirstPlaceholder;  // DeleteUnit(0) after the base and selections are set
};

// Length: the values are lengths in metres divided by 0.001 at 80-bit
// precision, which leaves "m", "km", "nmi" and "league" one unit in the last
// place above their whole numbers.
// Time: the placeholder "PH s" (one second) comes first so that "ns" and "ms"
// keep their values; it is removed once "s" is the base.
// Angle: the values are fractions of a revolution; the placeholder "PH rev"
// (one revolution) keeps "rad" from being forced to 1.
// Temperature: factors only; the catalogue holds no offsets.
const BuiltInCategory kBuiltInSet[] = {
    {"Length",
     {
         {"mm", "millimeters", 0x3FFF, 0x8000000000000000},            // 1
         {"cm", "centimeters", 0x4002, 0xA000000000000000},            // 10
         {"m", "meters", 0x4008, 0xFA00000000000001},                  // 1000.00000000000000006
         {"km", "kilometers", 0x4012, 0xF424000000000001},             // 1000000.00000000000006
         {"in", "inches", 0x4003, 0xCB33333333333333},                 // 25.3999999999999999997
         {"ft", "feet", 0x4007, 0x9866666666666667},                   // 304.800000000000000017
         {"yd", "yards", 0x4008, 0xE49999999999999B},                  // 914.400000000000000078
         {"f", "fathoms", 0x4009, 0xE49999999999999B},                 // 1828.80000000000000016
         {"mi", "miles, statute", 0x4013, 0xC474000000000000},         // 1609344
         {"nmi", "nautical miles, U.S.", 0x4013, 0xE213000000000001},  // 1852000.00000000000011
         {"league", "leagues, statute", 0x4015, 0x9357000000000001},   // 4828032.00000000000045
         {"au", "astronomical units", 0x402E, 0x880EF917B4800000},     // 149597890000000
     },
     2,
     false},
    {"Time",
     {
         {"PH s", "seconds", 0x3FFF, 0x8000000000000000},     // 1
         {"ns", "nanoseconds", 0x3FE1, 0x89705F4136B4A597},   // 9.99999999999999999981e-10
         {"ms", "milliseconds", 0x3FF5, 0x83126E978D4FDF3B},  // 0.000999999999999999999958
         {"s", "seconds", 0x3FFF, 0x8000000000000000},        // 1
         {"mn", "minutes", 0x4004, 0xF000000000000000},       // 60
         {"hr", "hours", 0x400A, 0xE100000000000000},         // 3600
         {"day", "days", 0x400F, 0xA8C0000000000000},         // 86400
         {"wk", "weeks", 0x4012, 0x93A8000000000000},         // 604800
         {"mth", "months", 0x4014, 0xA082A00000000000},       // 2629800
         {"yr", "years", 0x4017, 0xF0C3F00000000000},         // 31557600
         {"dec", "decades", 0x401B, 0x967A760000000000},      // 315576000
         {"cen", "centuries", 0x401E, 0xBC19138000000000},    // 3155760000
         {"mnm", "millenia", 0x4021, 0xEB1F586000000000},     // 31557600000
         {"eon", "eons", 0x4035, 0xE03AF0A3ED800000},         // 31557600000000000
     },
     3,
     true},
    {"Force",
     {
         {"N", "newtons", 0x3FFF, 0x8000000000000000},              // 1
         {"kN", "kilonewtons", 0x4008, 0xFA00000000000000},         // 1000
         {"amu", "atomic mass units", 0x3FA9, 0xA145B16AE2BFC19A},  // 1.62843345910000000007e-26
         {"mg", "milligrams", 0x3FEE, 0xA4873DB45C0BC63C},          // 0.00000980664999999999999989
         {"g", "grams force", 0x3FF8, 0xA0AC124221E37F97},          // 0.00980665000000000000023
         {"kg", "kilograms force", 0x4002, 0x9CE809D495182A99},     // 9.80664999999999999983
         {"tn", "metric tons", 0x400C, 0x993A99999999999A},         // 9806.65000000000000036
         {"oz", "ounces force", 0x3FFD, 0x8E5834945B21B2AB},        // 0.278016703710423659007
         {"lb", "pounds force", 0x4001, 0x8E5834945B21B2B9},        // 4.44826725936677855018
         {"kip", "kilopounds", 0x400B, 0x8B022358E0FEE888},         // 4448.26725936677854989
         {"ton", "U.S. Tons force, short", 0x400C, 0x8B022358E0FEE888},  // 8896.53451873355709978
     },
     0,
     false},
    {"Temperature",
     {
         {"C", "Celsius", 0x3FFF, 0x8000000000000000},     // 1
         {"F", "Fahrenheit", 0x3FFF, 0x8000000000000000},  // 1
         {"K", "Kelvin", 0x3FFF, 0x8000000000000000},      // 1
         {"R", "Rankine", 0x3FFF, 0x8000000000000000},     // 1
     },
     0,
     false},
    {"Angle",
     {
         {"PH rev", "place holder", 0x3FFF, 0x8000000000000000},  // 1
         {"rad", "radians", 0x3FFC, 0xA2F9836E4E441524},          // 0.159154943091895335688
         {"sec", "seconds", 0x3FEA, 0xCF2049A07A2C0B6E},          // 7.71604938271604938289e-07
         {"min", "minutes", 0x3FF0, 0xC22E450672894AB7},          // 0.0000462962962962962962969
         {"gr", "grades", 0x3FF6, 0xA3D70A3D70A3D70A},            // 0.00249999999999999999995
         {"deg", "degrees", 0x3FF6, 0xB60B60B60B60B60B},          // 0.00277777777777777777770
         {"quad", "quadrants", 0x3FFD, 0x8000000000000000},       // 0.25
         {"rev", "revolutions", 0x3FFF, 0x8000000000000000},      // 1
     },
     5,
     true},
    {"Computer Bits",
     {
         {"b", "bits", 0x3FFF, 0x8000000000000000},        // 1
         {"Kb", "kilobits", 0x4009, 0x8000000000000000},   // 1024
         {"Mb", "megabits", 0x4013, 0x8000000000000000},   // 1048576
         {"Gb", "gigabits", 0x401D, 0x8000000000000000},   // 1073741824
         {"Tb", "terabits", 0x4027, 0x8000000000000000},   // 1099511627776
         {"B", "bytes", 0x4002, 0x8000000000000000},       // 8
         {"KB", "kilobytes", 0x400C, 0x8000000000000000},  // 8192
         {"MB", "megabytes", 0x4016, 0x8000000000000000},  // 8388608
         {"GB", "gigabytes", 0x4020, 0x8000000000000000},  // 8589934592
         {"TB", "terabytes", 0x402A, 0x8000000000000000},  // 8796093022208
     },
     5,
     false},
};

// Fills an empty catalogue with the built-in set, in the one order that gives
// every category its units, base and selections at the expected positions.
void BuildBuiltInSet(TCategories& catalogue) {
  for (const BuiltInCategory& entry : kBuiltInSet) {
    catalogue.AddCategory(entry.name);
    TCategory& category = catalogue.GetCategory(catalogue.CategoryCount() - 1);
    for (const BuiltInUnit& unit : entry.units) {
      category.AddUnit(unit.symbol, unit.name,
                       rtl::ExtendedFromBits(unit.signExponent, unit.significand));
    }
    category.SetBaseUnit(entry.baseAtBuilding);
    category.Selection2 = category.BaseIndex;
    category.Selection1 = category.BaseIndex;
    if (entry.dropFirstPlaceholder) category.DeleteUnit(0);
  }
}

// The catalogue that is built as it is constructed: a building that failed
// part-way would leave no half-filled catalogue behind.
class BuiltInCatalogue : public TCategories {
 public:
  BuiltInCatalogue() { BuildBuiltInSet(*this); }
};

}  // namespace

TCategories& UnitCategories() {
  static BuiltInCatalogue catalogue;
  return catalogue;
}

namespace {

// Builds the catalogue during static initialisation, before main() runs.
[[maybe_unused]] const bool kBuiltAtStartUp = (UnitCategories(), true);

}  // namespace

}  // namespace units

// The shipped definitions against GNU units (Debian's `units`): every name
// that both know, with the same dimension, in every pair of one dimension,
// agrees to 1e-15 relative (GNU units computes in doubles), or to 1e-8 where a
// measured constant's edition decides the value. The names whose definitions
// differ on purpose are listed with the reason.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "quantity/Units.h"

namespace {

// Names that mean something else in GNU units, and why ours is as it is.
const std::map<std::string, std::string> kDeliberate = {
    {"year", "the Julian year of 365.25 d (IAU, as the light year uses); GNU: tropical year"},
    {"yr", "the Julian year of 365.25 d; GNU: the tropical year"},
    {"annum", "the Julian year of 365.25 d; GNU: the tropical year"},
    {"month", "1/12 Gregorian year; GNU: 1/12 tropical year"},
    {"mo", "1/12 Gregorian year; GNU: 1/12 tropical year"},
    {"decade", "ten Julian years; GNU: ten tropical years"},
    {"century", "a hundred Julian years; GNU: tropical years"},
    {"millennium", "a thousand Julian years; GNU: tropical years"},
    {"millennia", "a thousand Julian years; GNU: tropical years"},
    {"kyr", "a thousand Julian years; GNU: tropical years"},
    {"Myr", "a million Julian years; GNU: tropical years"},
    {"megayear", "a million Julian years; GNU: tropical years"},
    {"Gyr", "a billion Julian years; GNU: tropical years"},
    {"gigayear", "a billion Julian years; GNU: tropical years"},
    {"li", "the link of a Gunter's chain (Handbook 44); GNU: the Chinese li"},
    {"cable", "120 fathoms (Handbook 44); GNU: 1/10 nautical mile"},
    {"span", "9 international inches; GNU: 9 UK inches of before 1959"},
    {"pole", "16.5 international feet; GNU: 16.5 UK feet of before 1959"},
    {"barleycorn", "1/3 international inch; GNU: of the UK inch of before 1959"},
    {"pc", "648000/pi au (IAU 2015 Resolution B2); GNU: au/tan(arcsec)"},
    {"parsec", "648000/pi au (IAU 2015 Resolution B2); GNU: au/tan(arcsec)"},
    {"kpc", "from the IAU parsec"},
    {"kiloparsec", "from the IAU parsec"},
    {"Mpc", "from the IAU parsec"},
    {"megaparsec", "from the IAU parsec"},
    {"Gpc", "from the IAU parsec"},
    {"gigaparsec", "from the IAU parsec"},
    {"pica", "12 desktop points of 1/72 in; GNU: 12 printer's points"},
    {"township", "36 square survey miles (Handbook 44); GNU: 36 square international miles"},
    {"homestead", "160 survey acres (Handbook 44); GNU: of international acres"},
    {"nail", "1/16 international yard (Handbook 44); GNU: of the UK yard of before 1959"},
    {"ell", "45 international inches; GNU: 45 UK inches of before 1959"},
    {"lustrum", "five Julian years; GNU: tropical years"},
    {"liang", "the Chinese market liang of 50 g; GNU: the Hong Kong tael of 11/3 oz"},
};

// Names defined from measured constants: the atomic mass unit and the atomic
// units of energy (CODATA), and the Gaussian electrostatic units, which rest
// on the measured vacuum permittivity since 2019. GNU units follows the CODATA
// edition of its release (Debian 12 and 13 differ), so these agree to the
// edition's uncertainty, not to the last bit.
const std::set<std::string> kMeasured = {
    "u",     "dalton",    "amu",   "Da",        "rydberg",    "hartree", "statcoulomb",
    "statC", "franklin",  "Fr",    "esu",       "statampere", "statA",   "statvolt",
    "statV", "statfarad", "statF", "stathenry", "statH",      "statohm",
};
constexpr long double kMeasuredTolerance = 1e-8L;

// GNU's base units as dimensions.
bool GnuDimension(const std::string& units, quantity::Dimension& dimension) {
  using quantity::BaseQuantity;
  static const std::map<std::string, quantity::Dimension> bases = {
      {"m", quantity::Dimension::Of(BaseQuantity::Length)},
      {"kg", quantity::Dimension::Of(BaseQuantity::Mass)},
      {"s", quantity::Dimension::Of(BaseQuantity::Time)},
      {"A", quantity::Dimension::Of(BaseQuantity::Current)},
      {"K", quantity::Dimension::Of(BaseQuantity::Temperature)},
      {"mol", quantity::Dimension::Of(BaseQuantity::Amount)},
      {"cd", quantity::Dimension::Of(BaseQuantity::Luminosity)},
      {"bit", quantity::Dimension::Of(BaseQuantity::Information)},
      {"radian", quantity::Dimension::Of(BaseQuantity::Angle)},
      {"sr", quantity::Dimension::Of(BaseQuantity::Angle).Power(2)},
  };
  dimension = {};
  bool below = false;
  std::istringstream words(units);
  std::string word;
  while (words >> word) {
    if (word == "/") {
      below = true;
      continue;
    }
    int64_t power = 1;
    if (const size_t caret = word.find('^'); caret != std::string::npos) {
      power = std::atoi(word.c_str() + caret + 1);
      word.resize(caret);
    }
    const auto base = bases.find(word);
    if (base == bases.end()) return false;
    const quantity::Dimension d = base->second.Power(below ? -power : power);
    dimension = dimension * d;
  }
  return true;
}

struct Shared {
  std::string name;
  const quantity::Unit* unit;
  long double gnu;  // GNU's value in base units
};

TEST(GnuUnits, EverySharedPairAgreesTo1e15) {
  const bool required = std::getenv("TESSERA_REQUIRE_PEERS") != nullptr &&
                        std::string(std::getenv("TESSERA_REQUIRE_PEERS")) == "1";
  if (std::system("units --version >/dev/null 2>&1") != 0) {
    if (required) FAIL() << "GNU units (Debian package units) is not installed";
    GTEST_SKIP() << "GNU units (Debian package units) is not installed";
  }
  quantity::UnitTable table;
  const auto problems = table.LoadFile(QUILLON_DEFINITIONS_FILE);
  ASSERT_TRUE(problems.empty()) << problems.front().Text();

  // One question a name, answered on one line: "NAME" then an empty line.
  std::vector<std::pair<std::string, const quantity::Unit*>> names;
  for (const auto& unit : table.Units()) {
    if (unit->reading && sgn(unit->zero) != 0) continue;  // scales: readings, not factors
    for (const std::string& name : unit->names) {
      // GNU reads "light-year" as a difference, a blank as a product, and a
      // digit at the end as a power.
      if (name.find_first_not_of(
              "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") ==
              std::string::npos &&
          !(name.back() >= '0' && name.back() <= '9'))
        names.emplace_back(name, unit.get());
    }
  }
  const std::filesystem::path input =
      std::filesystem::temp_directory_path() / ("quillon-gnu-" + std::to_string(getpid()));
  {
    std::ofstream file(input);
    for (const auto& [name, unit] : names) file << name << "\n\n";
  }
  const std::string command = "units -o '%.17g' -t < '" + input.string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::vector<std::string> lines;
  char buffer[4096];
  while (fgets(buffer, sizeof buffer, pipe)) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
  }
  pclose(pipe);
  std::filesystem::remove(input);
  ASSERT_EQ(lines.size(), names.size()) << "GNU units answered in an unexpected form";

  std::map<std::string, std::vector<Shared>> byDimension;
  size_t listedAndDifferent = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    const auto& [name, unit] = names[i];
    const std::string& line = lines[i];
    if (line.rfind("Unknown unit", 0) == 0 || line.empty()) continue;
    const size_t equals = line.rfind(" = ");
    const std::string value = equals == std::string::npos ? line : line.substr(equals + 3);
    char* end = nullptr;
    long double gnu = std::strtold(value.c_str(), &end);
    std::string rest(end);
    if (end == value.c_str()) gnu = 1;  // "/ s": one
    quantity::Dimension dimension;
    if (!GnuDimension(rest, dimension) || dimension != unit->value.dimension) continue;
    const long double ours = quantity::ToExtended(unit->value.value);
    const long double relative = std::fabs(gnu / ours - 1);
    if (kDeliberate.count(name) != 0) {
      // Listed: GNU units of another release may have come to agree (the
      // older UK inch, the cable); that is no fault of ours.
      if (relative <= 1e-15L) std::printf("%s: listed as different, agrees here\n", name.c_str());
      ++listedAndDifferent;
      continue;
    }
    byDimension[quantity::DimensionName(dimension)].push_back({name, unit, gnu});
  }

  size_t pairs = 0, sharedNames = 0;
  for (const auto& [dimension, shared] : byDimension) {
    sharedNames += shared.size();
    for (const Shared& a : shared) {
      for (const Shared& b : shared) {
        if (&a == &b) continue;
        ++pairs;
        const mpq_class exact = a.unit->value.value / b.unit->value.value;
        const long double relative = std::fabs((a.gnu / b.gnu) / quantity::ToExtended(exact) - 1);
        const bool measured = kMeasured.count(a.name) != 0 || kMeasured.count(b.name) != 0;
        if (relative > (measured ? kMeasuredTolerance : 1e-15L)) {
          ADD_FAILURE() << "1 " << a.name << " to " << b.name << ": ours "
                        << static_cast<double>(quantity::ToExtended(exact)) << ", GNU units "
                        << static_cast<double>(a.gnu / b.gnu) << " (" << dimension << ")";
        }
      }
    }
  }
  RecordProperty("shared_names", static_cast<int>(sharedNames));
  RecordProperty("pairs", static_cast<int>(pairs));
  std::printf(
      "GNU units: %zu shared names, %zu ordered pairs of one dimension, %zu listed "
      "differences\n",
      sharedNames, pairs, listedAndDifferent);
  EXPECT_GT(sharedNames, 300u);
}

}  // namespace

// How conversions are phrased, in entries and in command-line arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programs/quillon/Phrasing.h"

namespace {

// "amount | from | to", or "none".
std::string Parsed(const char* line) {
  const auto request = quillon::ParseConversionLine(line);
  if (!request) return "none";
  return request->amount + " | " + request->from + " | " + request->to;
}

TEST(ParseConversionLine, JoiningWordsAndGluedAmounts) {
  const std::pair<const char*, const char*> cases[] = {
      {"5 km in mi", "5 | km | mi"},
      {"5 km to mi", "5 | km | mi"},
      {"5 km into mi", "5 | km | mi"},
      {"5 km -> mi", "5 | km | mi"},
      {"5km to mi", "5 | km | mi"},
      {"2 * 3ft in m", "2 * 3 | ft | m"},
      {"(1+2)ft to m", "(1+2) | ft | m"},
      {"2.5e3m to km", "2.5e3 | m | km"},
      {"2e-3km to m", "2e-3 | km | m"},
      {"1,5km to m", "1,5 | km | m"},
      {"$FFkm to m", "$FF | km | m"},
      {"100\xC2\xB0"
       "C to F",
       "100 | \xC2\xB0"
       "C | F"},
      {"5 in to in", "5 | in | in"},
      {"5 in in cm", "5 | in | cm"},
      {"1 000 m to km", "1 000 | m | km"},
      {"5 m2 to ft2", "5 | m2 | ft2"},
      {"5m2 to ft2", "5 | m2 | ft2"},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(Parsed(line), expected) << line;
}

TEST(ParseConversionLine, RefusesWhatIsNoConversion) {
  for (const char* line : {"", "2*3", "km to mi", "5 km mi", "5 km to", "5 to mi", "5 km TO mi",
                           "5 km to mi m", "$FF to m", "e to m"}) {
    EXPECT_EQ(Parsed(line), "none") << '"' << line << '"';
  }
}

TEST(EntriesOfArguments, AJoiningWordInTheMiddleMakesOneEntry) {
  using Arguments = std::vector<std::string>;
  EXPECT_EQ(quillon::EntriesOfArguments({"5", "km", "to", "mi"}), Arguments{"5 km to mi"});
  EXPECT_EQ(quillon::EntriesOfArguments({"5km", "in", "mi"}), Arguments{"5km in mi"});
  EXPECT_EQ(quillon::EntriesOfArguments({"2*3", "5 km in mi"}), (Arguments{"2*3", "5 km in mi"}));
  EXPECT_EQ(quillon::EntriesOfArguments({"to", "2"}), (Arguments{"to", "2"}));
  EXPECT_EQ(quillon::EntriesOfArguments({"2", "in"}), (Arguments{"2", "in"}));
  EXPECT_EQ(quillon::EntriesOfArguments({}), Arguments{});
}

}  // namespace

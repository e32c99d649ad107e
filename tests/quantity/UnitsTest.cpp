// Definitions files: loading with its checks, and finding units by the way
// people write them.
#include <gtest/gtest.h>

#include "quantity/Question.h"
#include "quantity/Units.h"

namespace {

using quantity::UnitTable;

const char kBase[] =
    "[length]\n"
    "si m, metre, meter = !length\n"
    "in, inch, inches = 0.0254 m\n"
    "ft, foot, feet = 12 in\n"
    "mi, mile = 5280 ft\n"
    "mil = 1/1000 in\n"
    "nmi, nautical mile = 1852 m\n"
    "[time]\n"
    "si s, second = !time\n"
    "h, hour = 3600 s\n"
    "[information]\n"
    "binary bit, b = !information\n"
    "binary B, byte = 8 bit\n"
    "note GB: GB is 10^9 bytes\n";

std::vector<std::string> Texts(const std::vector<quantity::DefinitionProblem>& problems) {
  std::vector<std::string> texts;
  for (const auto& problem : problems) texts.push_back(problem.Text());
  return texts;
}

TEST(Definitions, LoadInAnyOrderWithPrefixesAndNotes) {
  UnitTable table;
  EXPECT_TRUE(table.Load("mph = mile/hour\n" + std::string(kBase), "base").empty());
  EXPECT_EQ(table.Units().size(), 11u);
  EXPECT_EQ(quantity::Ask(table, "1 mph to m/s").ExactText(), "1397/3125");
  const auto gb = table.Find("GB");
  ASSERT_TRUE(gb);
  EXPECT_EQ(gb->prefix, 1000000000);
  EXPECT_EQ(gb->note, "GB is 10^9 bytes");
  EXPECT_EQ(table.Find("GiB")->prefix, mpq_class(mpz_class(1) << 30));
  EXPECT_EQ(table.Find("kilometre")->Name(), "kilometre");
  EXPECT_FALSE(table.Find("Kim"));     // binary prefixes only on bits and bytes
  EXPECT_FALSE(table.Find("kft"));     // no prefixes on feet
  EXPECT_FALSE(table.Find("kmetre"));  // symbols with symbols, words with words
}

TEST(Definitions, EveryFaultNamesItsLineAndTheRestStillLoads) {
  UnitTable table;
  ASSERT_TRUE(table.Load(kBase, "base").empty());
  const std::vector<std::string> problems =
      Texts(table.Load("[speed]\n"
                       "fps = ft/s\n"
                       "oops = ft/furlong\n"   // 3: unknown
                       "a = b2 + 1 m\n"        // 4: cycle with 5
                       "b2 = a\n"              // 5
                       "slow = ft\n"           // 6: not a speed
                       "ft = 1 m\n"            // 7: taken
                       "fast = (ft/s\n"        // 8: syntax
                       "twice = 2 fps\n"       // 9: fine, after its use
                       "uses = oops\n"         // 10: uses a failed one
                       "zero = 0 m/s\n"        // 11: not positive
                       "to = 1 m/s\n"          // 12: a word of questions
                       "brisk, ft = 3 fps\n"   // 13: its second name is taken
                       "swift, swift = fps\n"  // 14: a name twice
                       "[nonsense\n",          // 15
                       "more.txt"));
  const std::vector<std::string> expected = {
      "more.txt:3: unknown unit \"furlong\"",
      "more.txt:4: uses \"b2\", which could not be defined",
      "more.txt:5: circular definition: a -> b2 -> a",
      "more.txt:6: the dimension is length, not speed as the category says",
      "more.txt:7: \"ft\" is already defined",
      "more.txt:8: \")\" expected",
      "more.txt:10: uses \"oops\", which could not be defined",
      "more.txt:11: a unit must be greater than zero",
      "more.txt:12: \"to\" is a word of questions",
      "more.txt:13: \"ft\" is already defined",
      "more.txt:14: \"swift\" is already defined",
      "more.txt:15: a category heading ends with \"]\"",
  };
  EXPECT_EQ(problems, expected);
  // Only the sound lines were added, and no name of a failed one is left.
  EXPECT_TRUE(table.Find("fps"));
  EXPECT_TRUE(table.Find("twice"));
  for (const char* name : {"oops", "a", "b2", "slow", "fast", "uses", "zero", "brisk", "swift"})
    EXPECT_FALSE(table.Find(name)) << name;
  EXPECT_EQ(quantity::Ask(table, "1 ft to m").ExactText(), "381/1250");
}

TEST(Definitions, AFileThatCannotBeReadAddsNothing) {
  UnitTable table;
  const auto problems = table.LoadFile("/nonexistent/units.txt");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Text(), "/nonexistent/units.txt: cannot be read");
  EXPECT_TRUE(table.Units().empty());
}

TEST(Definitions, TemperatureScalesAndBaseQuantities) {
  UnitTable table;
  const auto problems =
      Texts(table.Load("reading K = !temperature\n"
                       "reading degC = K zero -273.15\n"
                       "reading bad = m zero 1\n"
                       "x = !colour\n"
                       "reading degX = K zero 1 K\n",
                       "t"));
  const std::vector<std::string> expected = {"t:3: unknown unit \"m\"",
                                             "t:4: \"colour\" is no base quantity",
                                             "t:5: the zero of a scale is a plain number"};
  EXPECT_EQ(problems, expected);
  EXPECT_EQ(quantity::Ask(table, "0 degC to K").ExactText(), "5463/20");
}

TEST(Definitions, FindsNamesPluralsAndCaseOnlyWhereTheyAreClear) {
  UnitTable table;
  ASSERT_TRUE(table.Load(kBase, "base").empty());
  EXPECT_EQ(table.Find("miles")->unit->names.front(), "mi");  // not "mil" + "es"
  EXPECT_EQ(table.Find("inches")->unit->names.front(), "in");
  EXPECT_EQ(table.Find("nautical miles")->unit->names.front(), "nmi");
  EXPECT_EQ(table.Find("kilometers")->prefix, 1000);
  EXPECT_FALSE(table.Find("ins"));  // no plurals of short symbols
  EXPECT_EQ(table.Find("KM")->prefix, 1000);
  EXPECT_EQ(table.Find("FOOT")->unit->names.front(), "ft");
  EXPECT_THROW(table.Find("MM"), quantity::EQuantityError);                      // mm or Mm
  EXPECT_THROW(table.Find("GB") && table.Find("gb"), quantity::EQuantityError);  // bits or bytes
  EXPECT_EQ(table.Find("Mm")->prefix, 1000000);
  EXPECT_EQ(table.Find("mm")->prefix, mpq_class(1, 1000));
}

TEST(Definitions, NamesOfSeveralWordsInEveryFormAndNothingElse) {
  UnitTable table;
  ASSERT_TRUE(table.Load(kBase, "base").empty());
  ASSERT_TRUE(table.Load("si ly, light year = 9460730472580800 m\n", "more").empty());
  // Case and plural forms of a name with a blank.
  EXPECT_EQ(table.Find("Nautical Miles")->unit->names.front(), "nmi");
  EXPECT_EQ(table.Find("NAUTICAL MILE")->unit->names.front(), "nmi");
  EXPECT_EQ(table.Find("Light Years")->unit->names.front(), "ly");
  // Words that begin such a name but end none are no unit.
  EXPECT_FALSE(table.Find("nautical foot"));
  EXPECT_FALSE(table.Find("light m"));
  EXPECT_FALSE(table.Find("Light M"));
}

TEST(Definitions, DefinitionsMayUseEveryFormOfANameAndKeepTheirValues) {
  UnitTable table;
  ASSERT_TRUE(table.Load(kBase, "base").empty());
  const auto problems = table.Load(
      "league = 3 nautical miles\n"
      "yard = 3 FEET\n"
      "kfoot = 1000 ft\n"
      "span = 9/12.5 * 2.5e-1 ft\n"
      "rate = 1.5e3 m / 2 h per B\n",
      "forms");
  ASSERT_TRUE(problems.empty()) << problems.front().Text();
  EXPECT_EQ(table.Find("league")->Value().value, 3 * 1852);
  EXPECT_EQ(table.Find("yard")->Value().value, mpq_class(1143, 1250));
  EXPECT_EQ(table.Find("kfoot")->Value().value, mpq_class(1524, 5));
  EXPECT_EQ(table.Find("span")->Value().value, mpq_class(3429, 62500));
  EXPECT_EQ(table.Find("rate")->Value().value, mpq_class(5, 192));
}

TEST(Definitions, NumbersAreExactWhateverTheirLength) {
  UnitTable table;
  const auto problems = table.Load(
      "a = 0.50\n"
      "b = 1e3\n"
      "c = 123456789012345678\n"     // 18 digits
      "d = 1234567890123456789\n"    // 19
      "e = 0.000000000000000001\n"   // 10^-18
      "f = 0.0000000000000000001\n"  // 10^-19
      "g = 12.5e-20\n"
      "h = 99999999999999999.9e1\n",
      "numbers");
  ASSERT_TRUE(problems.empty()) << problems.front().Text();
  const auto value = [&table](const char* name) { return table.Find(name)->Value().value; };
  EXPECT_EQ(value("a"), mpq_class(1, 2));
  EXPECT_EQ(value("b"), 1000);
  EXPECT_EQ(value("c"), mpq_class("123456789012345678"));
  EXPECT_EQ(value("d"), mpq_class("1234567890123456789"));
  EXPECT_EQ(value("e"), mpq_class("1/1000000000000000000"));
  EXPECT_EQ(value("f"), mpq_class("1/10000000000000000000"));
  EXPECT_EQ(value("g"), mpq_class("1/8000000000000000000"));
  EXPECT_EQ(value("h"), mpq_class("999999999999999999"));
}

TEST(Definitions, CategoriesKeepTheirOrder) {
  UnitTable table;
  ASSERT_TRUE(table.Load(kBase, "base").empty());
  const auto categories = table.Categories();
  ASSERT_EQ(categories.size(), 3u);
  EXPECT_EQ(categories[0].first, "length");
  EXPECT_EQ(categories[0].second.size(), 6u);
  EXPECT_EQ(categories[2].first, "information");
}

}  // namespace

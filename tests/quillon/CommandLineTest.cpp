// quillon's command line, run on string streams.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "tests/support/Localized.h"

namespace {

using testsupport::Localized;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWith(const std::vector<std::string>& arguments, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  quillon::Console console{in, out, err};
  const int status = quillon::RunCommandLine(arguments, console);
  return {status, out.str(), err.str()};
}

TEST(CommandLine, EachArgumentIsAnEntry) {
  const Outcome run = RunWith({"2*3", Localized("1/4"), "-2^2", "2(3)"});
  EXPECT_EQ(run.status, quillon::kSuccess);
  EXPECT_EQ(run.out, Localized("6\n0.25\n4\n23\n"));
  EXPECT_EQ(run.err, "");
}

TEST(CommandLine, AFailedEntryGoesToTheErrorStreamAndSetsTheStatus) {
  const Outcome run = RunWith({"1+", "2", "1/0"});
  EXPECT_EQ(run.status, quillon::kEntryFailed);
  EXPECT_EQ(run.out, "2\n");
  EXPECT_EQ(run.err,
            "quillon: 1+: Entry could not be evaluated: invalid expression\n"
            "quillon: 1/0: Floating point division by zero\n");
}

TEST(CommandLine, WithoutArgumentsReadsOneEntryPerLine) {
  const Outcome run = RunWith({}, "1+1\r\n\n   \nsin\n" + Localized("2.5*2") + "\n3");
  EXPECT_EQ(run.status, quillon::kEntryFailed);
  EXPECT_EQ(run.out, "2\n5\n3\n");
  EXPECT_EQ(run.err,
            "quillon: sin: Entry could not be evaluated: invalid character(s) in expression\n");
  EXPECT_EQ(RunWith({}, "7%3\n").status, quillon::kSuccess);
  EXPECT_EQ(RunWith({}, "").out, "");
}

TEST(CommandLine, HelpExplainsTheSyntax) {
  for (const char* option : {"--help", "-h", "help"}) {
    const Outcome run = RunWith({option});
    EXPECT_EQ(run.status, quillon::kSuccess);
    EXPECT_NE(run.out.find("sin2*3 is sin(2)*3"), std::string::npos) << option;
    EXPECT_NE(run.out.find("2(3) is 23"), std::string::npos);
    EXPECT_NE(run.out.find("-2^2 is (-2)^2 = 4"), std::string::npos);
    EXPECT_NE(run.out.find("18 significant digits"), std::string::npos);
  }
  // After "--" every argument is an entry, even one that names a command.
  EXPECT_EQ(RunWith({"--", "help"}).status, quillon::kEntryFailed);
  EXPECT_EQ(RunWith({"--", "-5"}).out, "-5\n");
}

TEST(CommandLine, OneLineJoinsTheReasonToTheMessage) {
  EXPECT_EQ(quillon::OneLine("Entry could not be evaluated:\rentry cannot be blank"),
            "Entry could not be evaluated: entry cannot be blank");
  EXPECT_EQ(quillon::OneLine("first\r\nsecond"), "first: second");
  EXPECT_EQ(quillon::OneLine("plain"), "plain");
}

}  // namespace

// quillon's command line, run on string streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "tests/quillon/RunQuillon.h"
#include "tests/support/Localized.h"

namespace {

using testsupport::Localized;

using quillontest::Outcome;
using quillontest::RunQuillon;

TEST(CommandLine, EachArgumentIsAnEntry) {
  const Outcome run = RunQuillon({"2*3", Localized("1/4"), "-2^2", "2(3)"});
  EXPECT_EQ(run.status, quillon::kSuccess);
  EXPECT_EQ(run.out, Localized("6\n0.25\n4\n23\n"));
  EXPECT_EQ(run.err, "");
}

TEST(CommandLine, AFailedEntryGoesToTheErrorStreamAndSetsTheStatus) {
  const Outcome run = RunQuillon({"1+", "2", "1/0"});
  EXPECT_EQ(run.status, quillon::kEntryFailed);
  EXPECT_EQ(run.out, "2\n");
  EXPECT_EQ(run.err,
            "quillon: 1+: Entry could not be evaluated: invalid expression\n"
            "quillon: 1/0: Floating point division by zero\n");
}

TEST(CommandLine, WithoutArgumentsReadsOneEntryPerLine) {
  const Outcome run = RunQuillon({}, "1+1\r\n\n   \nsin\n" + Localized("2.5*2") + "\n3");
  EXPECT_EQ(run.status, quillon::kEntryFailed);
  EXPECT_EQ(run.out, "2\n5\n3\n");
  EXPECT_EQ(run.err,
            "quillon: sin: Entry could not be evaluated: invalid character(s) in expression\n");
  EXPECT_EQ(RunQuillon({}, "7%3\n").status, quillon::kSuccess);
  EXPECT_EQ(RunQuillon({}, "").out, "");
}

TEST(CommandLine, HelpExplainsTheSyntax) {
  for (const char* option : {"--help", "-h", "help"}) {
    const Outcome run = RunQuillon({option});
    EXPECT_EQ(run.status, quillon::kSuccess);
    EXPECT_NE(run.out.find("sin2*3 is sin(2)*3"), std::string::npos) << option;
    EXPECT_NE(run.out.find("2(3) is 23"), std::string::npos);
    EXPECT_NE(run.out.find("-2^2 is (-2)^2 = 4"), std::string::npos);
    EXPECT_NE(run.out.find("18 significant digits"), std::string::npos);
  }
  // After "--" every argument is an entry, even one that names a command.
  EXPECT_EQ(RunQuillon({"--", "help"}).status, quillon::kEntryFailed);
  EXPECT_EQ(RunQuillon({"--", "-5"}).out, "-5\n");
}

TEST(CommandLine, OneLineJoinsTheReasonToTheMessage) {
  EXPECT_EQ(quillon::OneLine("Entry could not be evaluated:\rentry cannot be blank"),
            "Entry could not be evaluated: entry cannot be blank");
  EXPECT_EQ(quillon::OneLine("first\r\nsecond"), "first: second");
  EXPECT_EQ(quillon::OneLine("plain"), "plain");
}

}  // namespace

// quillon's command line, run on string streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "programs/quillon/Prompt.h"
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

TEST(CommandLine, TheWordsOfOneConversionNeedNoQuotes) {
  const std::string miles = Localized("3.10685596118666985\n");
  EXPECT_EQ(RunQuillon({"5", "km", "to", "mi"}).out, miles);
  EXPECT_EQ(RunQuillon({"5", "km", "in", "mi"}).out, miles);
  EXPECT_EQ(RunQuillon({"5km", "to", "mi"}).out, miles);
  EXPECT_EQ(RunQuillon({"5", "KM", "to", "miles"}).out, miles);
  EXPECT_EQ(RunQuillon({"5 km to mi", "2*3"}).out, miles + "6\n");
  EXPECT_EQ(RunQuillon({"--", "5", "km", "to", "mi"}).out, miles);
  // A joining word at the end joins nothing: three entries, the unit alone
  // in base units.
  const Outcome broken = RunQuillon({"5", "km", "to"});
  EXPECT_EQ(broken.status, quillon::kEntryFailed);
  EXPECT_EQ(broken.out, "5\n1000 m\n");
  EXPECT_EQ(broken.err.rfind("quillon: to: ", 0), 0u) << broken.err;
}

TEST(CommandLine, ConvertTakesThePhrasesToo) {
  const std::string miles = Localized("3.10685596118666985\n");
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"convert", "5", "km", "mi"},
                                             {"convert", "5km", "mi"},
                                             {"convert", "5", "km", "to", "mi"},
                                             {"convert", "5km", "to", "mi"},
                                             {"convert", "5 km in mi"}}) {
    const Outcome run = RunQuillon(arguments);
    EXPECT_EQ(run.out, miles) << arguments[1] << " " << arguments.size();
    EXPECT_EQ(run.err, "");
  }
  EXPECT_EQ(RunQuillon({"convert", "1", "in", "cm"}).out, Localized("2.54\n"));  // inches
  EXPECT_EQ(RunQuillon({"convert", "km", "mi"}).err,
            "quillon: usage: quillon convert AMOUNT FROM TO\n");
}

TEST(CommandLine, VersionPrintsTheProgramAndItsVersion) {
  const Outcome run = RunQuillon({"--version"});
  EXPECT_EQ(run.status, quillon::kSuccess);
  EXPECT_EQ(run.out.rfind("quillon ", 0), 0u);
  EXPECT_GT(run.out.size(), std::string("quillon \n").size());
  EXPECT_EQ(run.out.back(), '\n');
}

TEST(Prompt, EvaluatesEachLineUntilQuitOrTheEnd) {
  quillontest::LoadDefinitionsOnce();
  std::vector<std::string> lines = {"1+1", "  ", "5 km to mi", "1+", " quit ", "3"};
  size_t next = 0;
  const quillon::LineSource source = [&]() -> std::optional<std::string> {
    if (next == lines.size()) return std::nullopt;
    return lines[next++];
  };
  std::istringstream in;
  std::ostringstream out, err;
  quillon::Console console{in, out, err};
  EXPECT_EQ(quillon::RunPrompt(source, console), quillon::kEntryFailed);
  EXPECT_EQ(out.str(), "2\n" + Localized("3.10685596118666985\n"));
  EXPECT_EQ(err.str(), "quillon: 1+: Entry could not be evaluated: invalid expression\n");
  EXPECT_EQ(next, 5u);  // "3" after "quit" was not read

  lines = {"2*3"};
  next = 0;
  EXPECT_EQ(quillon::RunPrompt(source, console), quillon::kSuccess);
}

TEST(Prompt, WithoutLineEditingReadsTheInputALineAtATime) {
  quillontest::LoadDefinitionsOnce();
  std::istringstream in("2*3\n\n1 ft to in\r\nexit\n4*4\n");
  std::ostringstream out, err;
  quillon::Console console{in, out, err};
  EXPECT_EQ(quillon::RunPlainPrompt(console), quillon::kSuccess);
  EXPECT_EQ(out.str(), "quillon> 6\nquillon> quillon> 12\nquillon> \n");
  EXPECT_EQ(err.str(), "");
  std::istringstream bad("1+\n");
  quillon::Console failing{bad, out, err};
  EXPECT_EQ(quillon::RunPlainPrompt(failing), quillon::kEntryFailed);
}

}  // namespace

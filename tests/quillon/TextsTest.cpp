// quillon's own texts in another language, without Qt: the marks that
// lupdate reads, the help's layout with translated texts of other widths,
// the usage errors and the notes, through a translator of the test's own.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "programs/quillon/Texts.h"
#include "programs/quillon/UnitNotes.h"
#include "tests/quillon/RunQuillon.h"
#include "tests/support/Localized.h"

namespace {

using quillontest::Outcome;
using quillontest::RunQuillon;
using testsupport::Localized;

// A few texts in "French", the others left as written; each lookup counted.
std::map<std::string, std::string>& Dictionary() {
  static std::map<std::string, std::string> dictionary;
  return dictionary;
}
int& Lookups() {
  static int lookups = 0;
  return lookups;
}

std::string FromDictionary(std::string_view context, std::string_view text) {
  ++Lookups();
  const auto found = Dictionary().find(std::string(context) + "/" + std::string(text));
  return found == Dictionary().end() ? std::string(text) : found->second;
}

// Sets the test's translator for a test's length.
class TranslatedTexts : public testing::Test {
 protected:
  void SetUp() override {
    Dictionary() = {
        {"quillon::CommandLine/Usage:", "Utilisation :"},
        {"quillon::CommandLine/ENTRY...", "ENTRÉE..."},
        {"quillon::CommandLine/evaluate each entry, one result per line", "évaluer chaque entrée"},
        {"quillon::CommandLine/convert AMOUNT FROM TO", "convert QUANTITÉ DE VERS"},
        {"quillon::CommandLine/this text (also --help, -h)", "ce texte\n(aussi --help, -h)"},
        {"quillon::CommandLine/usage:", "utilisation :"},
        {"quillon::CommandLine/note:", "remarque :"},
        {"quillon::Questions/at %1:", "à la position %1 :"},
        {"quillon::UnitNotes/gallon is taken as the US gallon (3.785411784 L); the imperial "
         "gallon (4.54609 L) is \"imperial gallon\"",
         "gallon est pris au sens du gallon américain"},
    };
    Lookups() = 0;
    quillon::ForgetNotesSaid();
    quillon::SetTranslator(&FromDictionary);
  }
  void TearDown() override {
    quillon::SetTranslator(nullptr);
    quillon::ForgetNotesSaid();
  }
};

TEST(Texts, WithoutATranslatorEveryTextIsAsWritten) {
  EXPECT_EQ(quillon::Translate("quillon::CommandLine", "usage:"), "usage:");
  EXPECT_EQ(quillon::TranslatedNote("a note of the user's own"), "a note of the user's own");
  EXPECT_EQ(quillon::HelpText().rfind("Usage:\n  quillon ENTRY...        evaluate", 0), 0u);
}

TEST(Texts, WithArgumentFillsTheFirstPlaceholderOnly) {
  EXPECT_EQ(quillon::WithArgument("at %1:", "12"), "at 12:");
  EXPECT_EQ(quillon::WithArgument("%1; %1", "x"), "x; %1");
  EXPECT_EQ(quillon::WithArgument("none", "x"), "none");
  // An argument that holds the placeholder is not filled again.
  EXPECT_EQ(quillon::WithArgument("%1 and more", "%1"), "%1 and more");
}

// The summaries start in column 26 counted in characters, not bytes, and a
// summary of several lines keeps that column on each.
TEST_F(TranslatedTexts, TheHelpAlignsTranslatedTextsByCharacters) {
  const std::string help = quillon::HelpText();
  EXPECT_EQ(help.rfind("Utilisation :\n"
                       "  quillon ENTRÉE...       évaluer chaque entrée\n",
                       0),
            0u)
      << help;
  EXPECT_NE(help.find("  quillon -- ENTRÉE...    evaluate entries"), std::string::npos) << help;
  EXPECT_NE(help.find("  quillon help            ce texte\n"
                      "                          (aussi --help, -h)\n"),
            std::string::npos)
      << help;
  // A usage past the column gets a line of its own.
  EXPECT_NE(help.find("  quillon convert QUANTITÉ DE VERS\n"
                      "                          convert AMOUNT from unit FROM"),
            std::string::npos)
      << help;
  // The command names themselves are never looked up.
  EXPECT_EQ(Dictionary().count("quillon::CommandLine/units"), 0u);
}

TEST_F(TranslatedTexts, UsageErrorsNameTheTranslatedUsage) {
  const Outcome convert = RunQuillon({"convert", "km", "mi"});
  EXPECT_EQ(convert.status, quillon::kEntryFailed);
  EXPECT_EQ(convert.err, "quillon: utilisation : quillon convert QUANTITÉ DE VERS\n");
  EXPECT_EQ(RunQuillon({"units", "extra"}).err, "quillon: utilisation : quillon units\n");
  EXPECT_EQ(RunQuillon({"exact"}).err, "quillon: utilisation : quillon exact QUESTION...\n");
}

// Only the messages change: the answer is the same text, the note and the
// position of an error are translated, the engine's own message is not.
TEST_F(TranslatedTexts, NotesAndPositionsAreTranslatedButNotTheAnswers) {
  const Outcome gallons = RunQuillon({"2 gallon to L"});
  EXPECT_EQ(gallons.status, quillon::kSuccess);
  EXPECT_EQ(gallons.out, Localized("7.570823568\n"));
  EXPECT_EQ(gallons.err, "quillon: remarque : gallon est pris au sens du gallon américain\n");
  const Outcome unknown = RunQuillon({"5 furlongz to m"});
  EXPECT_EQ(unknown.status, quillon::kEntryFailed);
  EXPECT_EQ(unknown.err.rfind("quillon: 5 furlongz to m: à la position 3 : unknown unit", 0), 0u)
      << unknown.err;
}

// A question answered without notes or errors says no text: a run of the
// command that converts pays nothing for the language.
TEST_F(TranslatedTexts, AnAnswerWithoutNotesLooksNothingUp) {
  const Outcome run = RunQuillon({"60 mph * 2 h to km", "2*3"});
  EXPECT_EQ(run.status, quillon::kSuccess);
  EXPECT_EQ(Lookups(), 0);
}

// Every note of the shipped units file is marked for translation, as
// written there: a note added to the file without its mark would stay
// English in every language.
TEST(Texts, EveryShippedNoteIsMarkedForTranslation) {
  std::ifstream file(QUILLON_DEFINITIONS_FILE);
  ASSERT_TRUE(file.is_open());
  std::set<std::string> inFile;
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("note ", 0) != 0) continue;
    const size_t colon = line.find(": ");
    ASSERT_NE(colon, std::string::npos) << line;
    inFile.insert(line.substr(colon + 2));
  }
  std::set<std::string> marked;
  for (std::string_view note : quillon::ShippedNotes()) marked.emplace(note);
  EXPECT_EQ(marked, inFile);
  EXPECT_EQ(marked.size(), quillon::ShippedNotes().size()) << "a note is marked twice";
}

}  // namespace

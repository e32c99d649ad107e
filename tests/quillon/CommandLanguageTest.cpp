// The quillon executable in the user's language: its help and messages
// come from the catalogues built beside it, its answers and exit statuses
// never change with the language, and the locale's decimal separator stays
// what LC_NUMERIC says.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Peers.h"
#include "tests/support/Program.h"

namespace {

namespace fs = std::filesystem;
using Outcome = testing_support::ProgramRun;

// A scratch folder for one test, removed at its end.
class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "quillon-language-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    // glibc keeps the LOCPATH it splits for setlocale until the process
    // ends; under LeakSanitizer that is no fault of quillon's (and the
    // report of suppressions would add to what quillon writes).
    std::ofstream(path_ / "lsan.supp") << "leak:__argz_add_sep\n";
  }
  ~Scratch() {
    std::error_code error;
    if (!path_.empty()) fs::remove_all(path_, error);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// Runs quillon with `arguments` in an environment of only `variables` (no
// display, no user units file), standard input empty, for at most a minute.
Outcome RunQuillon(const Scratch& scratch, const std::vector<std::string>& variables,
                   const std::vector<std::string>& arguments) {
  std::vector<std::string> environment = {
      "PATH=/usr/bin:/bin", "XDG_CONFIG_HOME=" + (scratch.Path() / "config").string(),
      "XDG_STATE_HOME=" + (scratch.Path() / "state").string(),
      "LSAN_OPTIONS=suppressions=" + (scratch.Path() / "lsan.supp").string() +
          ":print_suppressions=0"};
  environment.insert(environment.end(), variables.begin(), variables.end());
  std::vector<std::string> command = {"/usr/bin/timeout", "60", QUILLON_EXECUTABLE};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return testing_support::RunProgram(command, environment);
}

// A folder of locales that these tests build (localedef), for the whole
// run: an English and a German one. LANGUAGE needs a locale of a language:
// the C library ignores it in the C locale and, since glibc 2.38, in
// C.UTF-8 too. Empty (the test then fails or skips) when they cannot be
// built.
std::string LocalePath() {
  static const Scratch folder;
  static const std::string path = [] {
    if (folder.Path().empty()) return std::string();
    for (const char* locale : {"en_US", "de_DE"}) {
      const std::string command = std::string("localedef -i ") + locale + " -f UTF-8 '" +
                                  (folder.Path() / locale).string() + ".UTF-8' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) return std::string();
    }
    return "LOCPATH=" + folder.Path().string();
  }();
  return path;
}

#define REQUIRE_LOCALES()                                                                  \
  do {                                                                                     \
    if (LocalePath().empty()) {                                                            \
      PEER_UNAVAILABLE("localedef cannot build en_US and de_DE (Debian package locales)"); \
    }                                                                                      \
  } while (false)

// An English user's settings with `language` in LANGUAGE.
std::vector<std::string> English(const std::string& language) {
  return {LocalePath(), "LANG=en_US.UTF-8", "LANGUAGE=" + language};
}

// The languages: English by default, the two translations, one without a
// catalogue (English too), and the C.UTF-8 locale.
std::vector<std::vector<std::string>> Languages() {
  return {
      {"LANG=C.UTF-8"},
      English("de"),
      English("fr"),
      English("es"),
      {"LC_ALL=C.UTF-8", "LANGUAGE=fr:de"},
  };
}

std::string Describe(const std::vector<std::string>& variables) {
  std::string text;
  for (const std::string& variable : variables) text += variable + " ";
  return text;
}

TEST(CommandLanguage, TheHelpSpeaksTheUsersLanguage) {
  REQUIRE_LOCALES();
  Scratch scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const Outcome english = RunQuillon(scratch, {"LANG=C.UTF-8"}, {"--help"});
  EXPECT_EQ(english.status, 0);
  EXPECT_EQ(english.output.rfind("Usage:\n  quillon ENTRY...", 0), 0u) << english.output;
  EXPECT_NE(english.output.find("sin2*3 is sin(2)*3"), std::string::npos);

  const Outcome german = RunQuillon(scratch, English("de"), {"--help"});
  EXPECT_EQ(german.status, 0);
  EXPECT_EQ(german.output.rfind("Aufruf:\n  quillon EINGABE...      jede Eingabe auswerten", 0), 0u)
      << german.output;
  EXPECT_NE(german.output.find("sin2*3 ist sin(2)*3"), std::string::npos);
  EXPECT_NE(german.output.find("  quillon convert BETRAG VON NACH\n"), std::string::npos);
  EXPECT_EQ(german.output.find("Things to know"), std::string::npos);

  const Outcome french = RunQuillon(scratch, English("fr"), {"help"});
  EXPECT_EQ(french.status, 0);
  EXPECT_EQ(
      french.output.rfind("Utilisation :\n  quillon ENTRÉE...       évaluer chaque entrée", 0), 0u)
      << french.output;
  EXPECT_NE(french.output.find("sin2*3 vaut sin(2)*3"), std::string::npos);

  // LANGUAGE lists the languages in order; one without a catalogue is passed.
  EXPECT_EQ(RunQuillon(scratch, English("es:fr"), {"-h"}).output, french.output);
  EXPECT_EQ(RunQuillon(scratch, English("es"), {"-h"}).output, english.output);
  // The C locale has no language: the C library ignores LANGUAGE there.
  EXPECT_EQ(RunQuillon(scratch, {"LANGUAGE=de"}, {"-h"}).output, english.output);
  // A German locale speaks German without LANGUAGE (with its own decimal
  // separator).
  EXPECT_EQ(
      RunQuillon(scratch, {LocalePath(), "LANG=de_DE.UTF-8"}, {"-h"}).output.rfind("Aufruf:", 0),
      0u);
}

TEST(CommandLanguage, ErrorsAndNotesSpeakTheUsersLanguage) {
  REQUIRE_LOCALES();
  Scratch scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const Outcome german = RunQuillon(scratch, English("de"), {"convert", "km", "mi"});
  EXPECT_EQ(german.status, 1);
  EXPECT_EQ(german.output, "");
  EXPECT_EQ(german.errors, "quillon: Aufruf: quillon convert BETRAG VON NACH\n");
  const Outcome french = RunQuillon(scratch, English("fr"), {"exact"});
  EXPECT_EQ(french.status, 1);
  EXPECT_EQ(french.errors, "quillon: utilisation : quillon exact QUESTION...\n");

  const Outcome note = RunQuillon(scratch, English("de"), {"2 gallon to L"});
  EXPECT_EQ(note.status, 0);
  EXPECT_EQ(note.output, "7.570823568\n");
  EXPECT_EQ(
      note.errors.rfind("quillon: Hinweis: gallon steht für die US-Gallone (3.785411784 L)", 0), 0u)
      << note.errors;
  const Outcome position = RunQuillon(scratch, English("fr"), {"5 furlongz to m"});
  EXPECT_EQ(position.status, 1);
  EXPECT_EQ(position.errors.rfind("quillon: 5 furlongz to m: à la position 3 : ", 0), 0u)
      << position.errors;
}

// What scripts read is the same in every language: the answers, exact or
// rounded, the lists, and the exit statuses.
TEST(CommandLanguage, AnswersAndStatusesAreTheSameInEveryLanguage) {
  REQUIRE_LOCALES();
  Scratch scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const std::vector<std::vector<std::string>> commands = {
      {"60 mph * 2 h to km", "2*3", "1/3", "$FF", "5 ft 3 in to cm", "100000 s to d;h;min;s"},
      {"1 gallon to L", "1 ton to kg", "nonsense to m", "1/0", "2^0.5"},
      {"exact", "1 m to ft"},
      {"convert", "2*3", "ft", "m"},
      {"units"},
  };
  for (const std::vector<std::string>& arguments : commands) {
    SCOPED_TRACE(arguments.front());
    const Outcome reference = RunQuillon(scratch, Languages().front(), arguments);
    EXPECT_FALSE(reference.output.empty());
    for (const std::vector<std::string>& language : Languages()) {
      const Outcome run = RunQuillon(scratch, language, arguments);
      EXPECT_EQ(run.status, reference.status) << Describe(language);
      EXPECT_EQ(run.output, reference.output) << Describe(language);
    }
  }
}

// The decimal separator follows LC_NUMERIC as before, and only it: German
// messages leave it ".", German numbers make it "," in every language.
TEST(CommandLanguage, TheDecimalSeparatorFollowsLcNumericAlone) {
  REQUIRE_LOCALES();
  Scratch scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const std::string locpath = LocalePath();
  const std::vector<std::string> question = {"1/4", "1 mi to km"};
  const Outcome german = RunQuillon(scratch, {locpath, "LC_ALL=de_DE.UTF-8"}, question);
  EXPECT_EQ(german.status, 0) << german.errors;
  EXPECT_EQ(german.output, "0,25\n1,609344\n");
  EXPECT_EQ(RunQuillon(scratch, {locpath, "LC_ALL=de_DE.UTF-8", "LANGUAGE=fr"}, question).output,
            german.output);
  EXPECT_EQ(
      RunQuillon(scratch, {locpath, "LANG=C.UTF-8", "LC_NUMERIC=de_DE.UTF-8"}, question).output,
      german.output);
  EXPECT_EQ(
      RunQuillon(scratch, {locpath, "LANG=C.UTF-8", "LC_MESSAGES=de_DE.UTF-8"}, question).output,
      "0.25\n1.609344\n");
  // A German locale alone, without LANGUAGE, speaks German.
  const Outcome help = RunQuillon(scratch, {locpath, "LANG=de_DE.UTF-8"}, {"convert", "1"});
  EXPECT_EQ(help.errors, "quillon: Aufruf: quillon convert BETRAG VON NACH\n");
}

}  // namespace

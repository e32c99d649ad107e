// The tamsel command in the user's language: --help and the messages to the
// user follow LANGUAGE; replies, output for scripts and exit statuses do
// not. Runs the program itself, as a user does, against loopback peers.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "programs/tamsel/Session.h"
#include "tests/socket/Peer.h"
#include "tests/support/Program.h"
#include "tests/tamsel/Replying.h"

namespace {

using sockettest::Peer;
using tamseltest::Replying;
using Outcome = testing_support::ProgramRun;

// Runs the tamsel program (`program`) with `arguments`, no input, the user's
// language settings replaced by `language` (LANGUAGE, or nothing when empty),
// no display, and `extra` settings.
Outcome RunTamsel(const std::vector<std::string>& arguments, const std::string& language,
                  const std::string& program = TAMSEL_PROGRAM,
                  const std::vector<std::string>& extra = {}) {
  std::vector<std::string> environment =
      testing_support::EnvironmentWithout({"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "DISPLAY",
                                           "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
  if (!language.empty()) environment.push_back("LANGUAGE=" + language);
  environment.insert(environment.end(), extra.begin(), extra.end());
  std::vector<std::string> command{program};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return testing_support::RunProgram(command, environment);
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

TEST(TamselLanguage, HelpFollowsLanguage) {
  const Outcome english = RunTamsel({"--help"}, "");
  const Outcome german = RunTamsel({"--help"}, "de");
  const Outcome french = RunTamsel({"--help"}, "fr:de");
  EXPECT_EQ(english.status, 0);
  EXPECT_EQ(german.status, 0);
  EXPECT_EQ(french.status, 0);
  EXPECT_TRUE(StartsWith(english.output, "Usage: tamsel [HOST PORT [OPTIONS]]\n"))
      << english.output;
  EXPECT_TRUE(StartsWith(german.output, "Aufruf: tamsel [HOST PORT [OPTIONEN]]\n"))
      << german.output;
  EXPECT_NE(german.output.find("\nOptionen:\n"), std::string::npos);
  EXPECT_NE(german.output.find("\nRückgabewert:\n"), std::string::npos);
  EXPECT_TRUE(StartsWith(french.output, "Utilisation\u00a0: tamsel [HÔTE PORT [OPTIONS]]\n"))
      << french.output;
  EXPECT_NE(french.output.find("\nCode de sortie\u00a0:\n"), std::string::npos);
  // Every option is described in every language, and no line outgrows a
  // terminal of 80 columns.
  for (const Outcome* help : {&english, &german, &french}) {
    for (const char* option :
         {"--send", "--protocol", "--greeting", "--no-greeting", "--expect", "--transcript",
          "--timestamps", "--timeout", "--level", "--tls", "--starttls", "--cafile", "--insecure",
          "--user", "--password-file", "--auth", "--allow-plaintext", "--help", "--version"}) {
      EXPECT_NE(help->output.find(std::string("\n  ") + option + " "), std::string::npos) << option;
    }
    std::istringstream lines(help->output);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(QString::fromStdString(line).size(), 79) << line;
    }
  }
  // The version is for scripts.
  EXPECT_EQ(RunTamsel({"--version"}, "de").output, RunTamsel({"--version"}, "").output);
}

TEST(TamselLanguage, MessagesFollowLanguageAndStatusesDoNot) {
  const Outcome english = RunTamsel({"localhost", "99999"}, "");
  const Outcome german = RunTamsel({"localhost", "99999"}, "de");
  const Outcome french = RunTamsel({"localhost", "99999"}, "fr");
  EXPECT_EQ(english.status, 2);
  EXPECT_EQ(german.status, 2);
  EXPECT_EQ(french.status, 2);
  EXPECT_EQ(english.errors,
            "tamsel: PORT must be a number from 1 to 65535: 99999\nTry 'tamsel --help'.\n");
  EXPECT_EQ(german.errors,
            "tamsel: PORT muss eine Zahl von 1 bis 65535 sein: 99999\n"
            "Mehr dazu: 'tamsel --help'.\n");
  EXPECT_TRUE(
      StartsWith(french.errors, "tamsel: PORT doit être un nombre de 1 à 65535\u00a0: 99999\n"))
      << french.errors;
}

// A reply (bytes that are not UTF-8 included) reaches standard output byte
// for byte in every language; the summary of error replies on standard
// error is translated, the exit status is not.
TEST(TamselLanguage, RepliesAreTheSameInEveryLanguage) {
  const std::string reply = "550 r\xe9ponse \xff refus\xc3\xa9\xe9 %1 %n\r\n";
  std::string outputs[3];
  std::string errors[3];
  int statuses[3] = {};
  const char* languages[] = {"", "de", "fr"};
  for (int i = 0; i < 3; ++i) {
    Peer peer(Replying("220 ready\r\n", {reply}));
    const Outcome run = RunTamsel({"127.0.0.1", std::to_string(peer.Port()), "--protocol", "smtp",
                                   "--timeout", "5000", "--send", "MAIL FROM:<a@b.example>"},
                                  languages[i]);
    outputs[i] = run.output;
    errors[i] = run.errors;
    statuses[i] = run.status;
    const std::string where = "127.0.0.1:" + std::to_string(peer.Port());
    const std::string summaries[] = {"tamsel: 1 error reply from " + where + "\n",
                                     "tamsel: 1 Fehlerantwort von " + where + "\n",
                                     "tamsel: 1 r\u00e9ponse d'erreur de " + where + "\n"};
    EXPECT_EQ(run.errors, summaries[i]);
  }
  EXPECT_EQ(outputs[0], "220 ready\n" + reply.substr(0, reply.size() - 2) + "\n");
  EXPECT_EQ(outputs[1], outputs[0]);
  EXPECT_EQ(outputs[2], outputs[0]);
  EXPECT_EQ(statuses[0], 3);
  EXPECT_EQ(statuses[1], 3);
  EXPECT_EQ(statuses[2], 3);
}

// Without arguments and with a display the command starts tamsel-window in
// its place; where that program is missing it says so, with the usage, in
// the user's language.
TEST(TamselLaunch, MissingWindowProgramIsNamed) {
  char folder[] = "/tmp/tamsel-launch-XXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  const std::string copy = std::string(folder) + "/tamsel";
  {
    std::ifstream from(TAMSEL_PROGRAM, std::ios::binary);
    std::ofstream to(copy, std::ios::binary);
    to << from.rdbuf();
  }
  ::chmod(copy.c_str(), 0700);
  // A platform other than offscreen and minimal counts as a display.
  const Outcome run = RunTamsel({}, "", copy, {"QT_QPA_PLATFORM=eglfs"});
  ::unlink(copy.c_str());
  ::rmdir(folder);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(StartsWith(run.errors,
                         "tamsel: the window could not be started (tamsel-window not found); "
                         "give HOST and PORT to run without one\n\nUsage: tamsel"))
      << run.errors;
  EXPECT_EQ(run.output, "");

  // Without a display: the usage, and the status of wrong arguments.
  const Outcome headless = RunTamsel({}, "de");
  EXPECT_EQ(headless.status, 2);
  EXPECT_TRUE(StartsWith(headless.errors, "tamsel: kein Bildschirm f\u00fcr das Fenster"))
      << headless.errors;
}

TEST(TamselTexts, FilledKeepsValuesAsBytes) {
  EXPECT_EQ(tamsel::Filled(QStringLiteral("%2 before %1, %3 and 100%")),
            "%2 before %1, %3 and 100%");
  EXPECT_EQ(tamsel::Filled(QStringLiteral("%2 before %1, %3 and 100%"), {"a%2", "\xff"}),
            "\xff before a%2, %3 and 100%");
  EXPECT_EQ(tamsel::Filled(QStringLiteral("f\u00fcr %1"), {"\xfc"}), "f\xc3\xbcr \xfc");
}

}  // namespace

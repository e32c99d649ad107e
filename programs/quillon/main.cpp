// quillon: the units calculator. This executable is its command line and
// never loads Qt nor libedit: when a window is wanted (no arguments, standard
// input not data, a display) it starts the window program in its place, and
// for the prompt in a terminal the prompt program.
#include <iostream>
#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "programs/quillon/ExtraUnits.h"
#include "programs/quillon/Launch.h"
#include "programs/quillon/MessageCatalogue.h"
#include "programs/quillon/Paths.h"
#include "programs/quillon/Prompt.h"
#include "programs/quillon/Texts.h"
#include "runtime/rtl.h"
#include "toolkit/Display.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool noArguments = arguments.empty();
  quillon::UseUserLanguage();
  if (noArguments && !quillon::StandardInputIsData() && toolkit::DisplayAvailable()) {
    // Translated first, so that the reason (strerror) is in the same language.
    const std::string continuing =
        quillon::Translate("quillon::Launch", "%1; using the command line");
    std::cerr << "quillon: " << quillon::WithArgument(continuing, quillon::StartWindowProgram(argv))
              << '\n';
  }
  // The prompt with line editing is a program of its own, so that this one
  // does not load libedit for every question.
  const bool prompt = noArguments && quillon::StandardInputIsTerminal();
  std::string noPromptProgram;
  if (prompt) noPromptProgram = quillon::StartPromptProgram(argv);
  rtl::LoadDecimalSeparatorFromLocale();
  quillon::LoadExtraUnits(std::cerr);
  quillon::Console console{std::cin, std::cout, std::cerr};
  if (prompt) {
    const std::string continuing =
        quillon::Translate("quillon::Launch", "%1; reading lines without editing");
    std::cerr << "quillon: " << quillon::WithArgument(continuing, noPromptProgram) << '\n';
    return quillon::RunPlainPrompt(console);
  }
  return quillon::RunCommandLine(arguments, console);
}

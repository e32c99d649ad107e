// quillon: the units calculator. This executable is its command line and
// never loads Qt: when a window is wanted (no arguments, standard input not
// data, a display) it starts the window program in its place.
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
  rtl::LoadDecimalSeparatorFromLocale();
  quillon::LoadExtraUnits(std::cerr);
  quillon::Console console{std::cin, std::cout, std::cerr};
  if (noArguments && quillon::StandardInputIsTerminal()) {
    return quillon::RunTerminalPrompt(console, quillon::HistoryFile());
  }
  return quillon::RunCommandLine(arguments, console);
}

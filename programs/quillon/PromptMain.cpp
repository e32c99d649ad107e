// quillon-prompt: quillon's prompt in a terminal, with line editing and a
// history, started by the quillon command in its place.
#include <iostream>

#include "programs/quillon/ExtraUnits.h"
#include "programs/quillon/MessageCatalogue.h"
#include "programs/quillon/Paths.h"
#include "programs/quillon/Prompt.h"
#include "runtime/rtl.h"

int main() {
  quillon::UseUserLanguage();
  rtl::LoadDecimalSeparatorFromLocale();
  quillon::LoadExtraUnits(std::cerr);
  quillon::Console console{std::cin, std::cout, std::cerr};
  return quillon::RunTerminalPrompt(console, quillon::HistoryFile());
}

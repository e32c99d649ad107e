// quillon: the units calculator. Without a window it is a command-line
// calculator (see CommandLine.h).
#include <iostream>
#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "programs/quillon/MainWindow.h"
#include "runtime/rtl.h"

int main(int argc, char** argv) {
  // The window when a person can see one and nothing else was asked for.
  if (argc <= 1 && quillon::DisplayAvailable()) return quillon::RunWindow(argc, argv);
  rtl::LoadDecimalSeparatorFromLocale();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  quillon::Console console{std::cin, std::cout, std::cerr};
  return quillon::RunCommandLine(arguments, console);
}

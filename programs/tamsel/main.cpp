// tamsel: a client for line-oriented TCP services. With a display and no
// arguments it opens its window; with HOST and PORT it runs from the command
// line (see CommandLine.h and `tamsel --help`).
#include <QCoreApplication>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "programs/tamsel/CommandLine.h"
#include "programs/tamsel/TamselWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Display.h"
#include "toolkit/Translation.h"

namespace {

// The window's texts and Qt's in the user's language: from translations/
// beside the program in the build tree, or from the data folder installed.
void InstallTranslations() {
  const QString here = QCoreApplication::applicationDirPath();
  toolkit::InstallTranslations(
      QStringLiteral("tamsel"),
      {here + QStringLiteral("/translations"),
       here + QStringLiteral("/") + QStringLiteral(TAMSEL_TRANSLATIONS_FROM_BIN)});
}

int RunWindow(int argc, char** argv) {
  toolkit::Application application(argc, argv);
  InstallTranslations();
  std::unique_ptr<tamsel::TamselWindow> window;
  try {
    window = std::make_unique<tamsel::TamselWindow>();
  } catch (const std::exception& error) {
    toolkit::ShowErrorBox(error.what());
    return 1;
  }
  window->show();
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  tamsel::Options options;
  const std::string problem = tamsel::ParseOptions(arguments, options);
  if (options.help) {
    std::cout << tamsel::Usage();
    return 0;
  }
  if (options.version) {
    std::cout << "tamsel " TAMSEL_VERSION "\n";
    return 0;
  }
  if (arguments.empty()) {
    if (toolkit::DisplayAvailable()) return RunWindow(argc, argv);
    std::cerr << "tamsel: no display for the window; give HOST and PORT to run without one\n\n"
              << tamsel::Usage();
    return tamsel::kExitArguments;
  }
  if (!problem.empty()) {
    std::cerr << "tamsel: " << problem << "\nTry 'tamsel --help'.\n";
    return tamsel::kExitArguments;
  }
  std::string password;
  if (!options.user.empty()) {
    std::string missing;
    password = tamsel::PasswordFor(options, missing);
    if (!missing.empty()) {
      std::cerr << "tamsel: " << missing << '\n';
      return tamsel::kExitArguments;
    }
  }
  // The command line needs the event loop only: no display, no platform.
  QCoreApplication application(argc, argv);
  // Standard input read in blocks, so that the run can see whether more
  // commands are already waiting, and not tied to standard output: the run
  // flushes its replies itself (see RunCommandLine).
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  return tamsel::RunCommandLine(options, std::cin, std::cout, std::cerr, password);
}

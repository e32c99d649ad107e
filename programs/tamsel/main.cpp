// tamsel: a client for line-oriented TCP services. This executable is its
// command line and links no widget library: run without arguments, with a
// display, it starts the window program (tamsel-window) in its place; with
// HOST and PORT it runs from the command line (see CommandLine.h and
// `tamsel --help`).
#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "programs/tamsel/CommandLine.h"
#include "programs/tamsel/Launch.h"
#include "toolkit/Display.h"

namespace {

// Qt 6.5 and later switch a locale whose character set is not UTF-8 (the C
// locale of cron or of `env -i`) to its UTF-8 form, and say so on standard
// error at every start. tamsel's standard error holds its own messages, which
// scripts read: that notice is left out; every other message of Qt passes.
QtMessageHandler qtMessages = nullptr;

void WithoutLocaleNotice(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("Detected locale \""))) return;
  if (qtMessages != nullptr) qtMessages(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  std::string windowFailure;
  if (argc == 1 && toolkit::DisplayAvailable()) windowFailure = tamsel::StartWindowProgram(argv);
  // The command line needs the event loop only: no display, no platform,
  // and Qt's own dispatcher rather than GLib's, which wakes itself (a write
  // and a poll more) whenever the socket's read notifier is turned off and
  // on again, that is at every reply.
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
  qtMessages = qInstallMessageHandler(WithoutLocaleNotice);
  QCoreApplication application(argc, argv);
  tamsel::InstallTranslations();
  // Standard input read in blocks, so that the run can see whether more
  // commands are already waiting, and not tied to standard output: the run
  // flushes its replies itself (see RunCommandLine).
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  return tamsel::RunCommand(std::vector<std::string>(argv + 1, argv + argc), windowFailure,
                            std::cin, std::cout, std::cerr);
}

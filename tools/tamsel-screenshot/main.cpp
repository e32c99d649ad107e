// tamsel-screenshot: takes the picture of tamsel's window that the README
// shows. Not part of what users run.
//   tamsel-screenshot FILE HOST PORT [tamsel's options] < commands
// Opens the window with the options' settings (protocol, TLS, CA file, user;
// the password from TAMSEL_PASSWORD), connects, sends each line of standard
// input as typed into the command field, and saves the window to FILE (PNG).
// Without a display it draws on Qt's offscreen platform.
#include <QTimer>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "programs/tamsel/CommandLine.h"
#include "programs/tamsel/TamselWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Display.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: tamsel-screenshot FILE HOST PORT [tamsel options] < commands\n";
    return 2;
  }
  const std::string file = argv[1];
  tamsel::Options options;
  const std::string problem =
      tamsel::ParseOptions(std::vector<std::string>(argv + 2, argv + argc), options);
  if (!problem.empty()) {
    std::cerr << "tamsel-screenshot: " << problem << '\n';
    return 2;
  }
  if (!toolkit::DisplayAvailable()) qputenv("QT_QPA_PLATFORM", "offscreen");
  toolkit::Application application(argc, argv);
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { std::cerr << "tamsel: " << message << '\n'; });
  std::unique_ptr<tamsel::TamselWindow> created;
  try {
    created = std::make_unique<tamsel::TamselWindow>();
  } catch (const std::exception& error) {
    std::cerr << "tamsel-screenshot: " << error.what() << '\n';
    return 1;
  }
  tamsel::TamselWindow& window = *created;
  window.SetHost(QString::fromStdString(options.host));
  window.SetPort(options.port);
  window.SetTimeOut(options.timeOut);
  window.SetReportLevel(options.level);
  window.SetProtocol(*options.protocol);
  using TlsMode = tamsel::TamselWindow::TlsMode;
  if (options.tls) window.SetTls(TlsMode::Implicit);
  if (options.startTls) window.SetTls(TlsMode::StartTls, options.startTls);
  window.SetCaFile(QString::fromStdString(options.caFile));
  window.SetInsecure(options.insecure);
  const char* password = std::getenv("TAMSEL_PASSWORD");
  window.SetLogin(QString::fromStdString(options.user),
                  QString::fromStdString(password != nullptr ? password : ""),
                  QString::fromStdString(options.auth), options.allowPlainText);
  window.show();
  int status = 0;
  QTimer::singleShot(50, &window, [&] {
    window.ConnectToServer();
    std::string line;
    while (std::getline(std::cin, line)) {
      window.SendCommand(QString::fromStdString(line));  // blank lines may be message data
    }
    QTimer::singleShot(200, &window, [&] {
      if (!window.grab().save(QString::fromStdString(file))) status = 1;
      application.quit();
    });
  });
  application.exec();
  return status;
}

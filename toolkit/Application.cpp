#include "toolkit/Application.h"

#include <QMessageBox>
#include <QWidget>

#include "runtime/NumberText.h"
#include "toolkit/Text.h"

namespace toolkit {

namespace {

ErrorBoxHandler& BoxHandler() {
  static ErrorBoxHandler handler;
  return handler;
}

// Thrown objects that are no std::exception still reach the report.
class UnknownException : public std::exception {
 public:
  const char* what() const noexcept override { return "Unknown exception"; }
};

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  SetDefaultExceptionReporter(
      [](QObject* /*sender*/, const std::exception& error) { ShowErrorBox(error.what()); });
  rtl::LoadDecimalSeparatorFromLocale();
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportException(receiver, error);
  } catch (...) {
    ReportException(receiver, UnknownException());
  }
  return false;
}

void SetErrorBoxHandler(ErrorBoxHandler handler) { BoxHandler() = std::move(handler); }

void ShowErrorBox(const std::string& message) {
  if (BoxHandler()) {
    BoxHandler()(message);
    return;
  }
  // The title is translated where the program has installed a catalogue
  // that holds it; the message is the caller's.
  QMessageBox::critical(QApplication::activeWindow(),
                        QCoreApplication::translate("toolkit::ErrorBox", "Error"),
                        ToQString(message), QMessageBox::Ok);
}

}  // namespace toolkit

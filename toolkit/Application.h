/// \file
/// The application object, the central exception report and the error box.
///
/// Everything that escapes an event handler ends in one place, the central
/// exception report, which the programs show in an error box and tests
/// replace. Modal error boxes go through one replaceable handler, so no test
/// ever blocks on one.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>
#include <string>

#include "toolkit/ExceptionReport.h"

namespace toolkit {

/// A QApplication whose event dispatch catches an exception that escapes an
/// event handler and hands it to ReportException instead of letting it tear
/// through Qt's event loop (toolkit/ExceptionReport.h). Its constructor makes
/// the error box the report's default and takes the decimal separator from
/// the user's locale.
class Application : public QApplication {
  Q_OBJECT

 public:
  /// The arguments as QApplication takes them.
  Application(int& argc, char** argv);

  /// QApplication::notify, with escaping exceptions reported.
  bool notify(QObject* receiver, QEvent* event) override;
};

/// The modal error box: "Error" title, error icon, one OK button. Returns when
/// the user has closed it. An installed handler replaces the box entirely.
using ErrorBoxHandler = std::function<void(const std::string& message)>;
void SetErrorBoxHandler(ErrorBoxHandler handler);  ///< empty restores the real box
/// Shows `message` in the error box, or hands it to the installed handler.
void ShowErrorBox(const std::string& message);

}  // namespace toolkit

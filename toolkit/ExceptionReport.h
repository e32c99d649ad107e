/// \file
/// The central exception report: everything that escapes an event handler
/// ends here.
///
/// It needs only QtCore, so a component without windows (the socket
/// component, a service) reports through it too. What the report does by
/// default is up to the program: toolkit::Application shows the error box;
/// without it the message goes to standard error. Tests install a reporter of
/// their own.
#pragma once

#include <QObject>
#include <exception>
#include <functional>

namespace toolkit {

/// The central exception report. `sender` is the object whose handler failed
/// (may be null).
using ExceptionReporter = std::function<void(QObject* sender, const std::exception& error)>;

/// Installs `reporter`; an empty one restores the default report.
void SetExceptionReporter(ExceptionReporter reporter);

/// Sets the default report, used while no reporter is installed; an empty one
/// restores the message on standard error. toolkit::Application sets the error
/// box.
void SetDefaultExceptionReporter(ExceptionReporter reporter);

/// Hands `error` to the installed reporter, or to the default one.
void ReportException(QObject* sender, const std::exception& error);

}  // namespace toolkit

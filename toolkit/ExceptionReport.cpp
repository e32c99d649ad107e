#include "toolkit/ExceptionReport.h"

#include <cstdio>

namespace toolkit {

namespace {

ExceptionReporter& Reporter() {
  static ExceptionReporter reporter;
  return reporter;
}

ExceptionReporter& DefaultReporter() {
  static ExceptionReporter reporter;
  return reporter;
}

}  // namespace

void SetExceptionReporter(ExceptionReporter reporter) { Reporter() = std::move(reporter); }

void SetDefaultExceptionReporter(ExceptionReporter reporter) {
  DefaultReporter() = std::move(reporter);
}

void ReportException(QObject* sender, const std::exception& error) {
  if (Reporter()) {
    Reporter()(sender, error);
  } else if (DefaultReporter()) {
    DefaultReporter()(sender, error);
  } else {
    std::fprintf(stderr, "Error: %s\n", error.what());
  }
}

}  // namespace toolkit

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "toolkit/Application.h"
#include "toolkit/Pump.h"

namespace {

// Captures the central exception report for the life of a test.
class ReportCapture {
 public:
  ReportCapture() {
    toolkit::SetExceptionReporter([this](QObject* sender, const std::exception& error) {
      senders.push_back(sender);
      messages.emplace_back(error.what());
    });
  }
  ~ReportCapture() { toolkit::SetExceptionReporter({}); }

  std::vector<QObject*> senders;
  std::vector<std::string> messages;
};

TEST(Application, AnExceptionEscapingAnEventHandlerReachesTheCentralReport) {
  ReportCapture capture;
  QObject context;
  QTimer::singleShot(0, &context, [] { throw rtl::EOverflow(); });
  for (int i = 0; i < 50 && capture.messages.empty(); ++i) toolkit::WaitForMessages();
  ASSERT_EQ(capture.messages, std::vector<std::string>{"Floating point overflow"});
}

TEST(Application, TheDefaultReportShowsTheMessageInTheErrorBox) {
  std::vector<std::string> boxes;
  toolkit::SetErrorBoxHandler([&](const std::string& message) { boxes.push_back(message); });
  toolkit::ReportException(nullptr, std::runtime_error("disk on fire"));
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  EXPECT_EQ(boxes, std::vector<std::string>{"disk on fire"});
}

// With nothing to do, the wait's own timer ends it: it comes back, and not
// before its bound (a wait that returned at once would make a polling loop
// spin).
TEST(Pump, AWaitWithNothingToDoLastsItsBound) {
  toolkit::ProcessMessages();  // what earlier tests left behind
  for (int i = 0; i < 5; ++i) {
    QElapsedTimer clock;
    clock.start();
    toolkit::WaitForMessages(std::chrono::milliseconds(10));
    EXPECT_GE(clock.elapsed(), 10);
  }
}

// Posted work ends the wait at once rather than at the bound, and runs in it.
TEST(Pump, AWaitEndsWhenWorkArrives) {
  bool ran = false;
  QObject context;
  QTimer::singleShot(0, &context, [&] { ran = true; });
  QElapsedTimer clock;
  clock.start();
  toolkit::WaitForMessages(std::chrono::seconds(60));
  EXPECT_TRUE(ran);
  EXPECT_LT(clock.elapsed(), 60000);
}

TEST(Pump, PostedWorkRunsOnlyInsideAPumpStep) {
  bool ran = false;
  QObject context;
  QMetaObject::invokeMethod(
      &context, [&] { ran = true; }, Qt::QueuedConnection);
  EXPECT_FALSE(ran);
  toolkit::ProcessMessages();
  EXPECT_TRUE(ran);
}

}  // namespace

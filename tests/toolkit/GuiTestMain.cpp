// main() of the test programs that need the application object. Error boxes
// never block: unless a test installs its own handler, each box fails the
// running test with its message.
#include <gtest/gtest.h>

#include "tests/support/Localized.h"
#include "toolkit/Application.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  testing::InitGoogleTest(&argc, argv);
  toolkit::Application application(argc, argv);
  testsupport::ApplySeparatorFromEnvironment();
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  return RUN_ALL_TESTS();
}

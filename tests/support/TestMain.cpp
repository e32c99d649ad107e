// main() of the test programs that need no application object.
#include <gtest/gtest.h>

#include "tests/support/Localized.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testsupport::ApplySeparatorFromEnvironment();
  return RUN_ALL_TESTS();
}

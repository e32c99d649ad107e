#include "tests/support/Localized.h"

#include <cstdlib>

namespace testsupport {

void ApplySeparatorFromEnvironment() {
  const char* separator = std::getenv("TEST_DECIMAL_SEPARATOR");
  rtl::SetDecimalSeparator(separator != nullptr && separator[0] != '\0' ? separator[0] : '.');
}

}  // namespace testsupport

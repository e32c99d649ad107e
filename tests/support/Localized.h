// Test texts written with "." as the decimal separator, turned into the text
// the code under test reads and writes with the current separator. The whole
// suite runs once with "." and once with "," (TEST_DECIMAL_SEPARATOR).
#pragma once

#include <string>
#include <string_view>

#include "runtime/NumberText.h"

namespace testsupport {

inline std::string Localized(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '.') c = rtl::DecimalSeparator();
  }
  return result;
}

// Reads TEST_DECIMAL_SEPARATOR ("." or ",") into the process-wide separator.
void ApplySeparatorFromEnvironment();

}  // namespace testsupport

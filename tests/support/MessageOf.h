// The message of the exception a test action raises.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// Runs `action` and returns the message of the exception of type E that it
// raises; records a test failure when it raises nothing.
template <typename E, typename F>
std::string MessageOf(F action) {
  try {
    action();
  } catch (const E& error) {
    return error.Message();
  }
  ADD_FAILURE() << "nothing raised";
  return {};
}

}  // namespace testsupport

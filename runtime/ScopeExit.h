/// @file
/// A guard that runs a step when its scope ends, however it ends.
#pragma once

#include <utility>

namespace rtl {

/// Runs `step` when the guard goes out of scope, on return and on an
/// exception alike. The step must not throw: anything it throws is dropped,
/// since nothing may escape a destructor.
template <typename Step>
class ScopeExit {
 public:
  /// A guard that runs `step` at the end of the scope.
  explicit ScopeExit(Step step) : step_(std::move(step)) {}
  ~ScopeExit() {
    try {
      step_();
    } catch (...) {
    }
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Step step_;
};

}  // namespace rtl

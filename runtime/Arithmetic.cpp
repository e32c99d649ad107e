#include "runtime/Arithmetic.h"

namespace rtl {

namespace {

constexpr Extended kTwoTo63 = 9223372036854775808.0L;

void CheckInt64Range(Extended value) {
  // The negated test also catches NaN.
  if (!(std::fabs(value) < kTwoTo63)) throw EInvalidOp();
}

}  // namespace

int64_t Trunc64(Extended value) {
  CheckInt64Range(value);
  return static_cast<int64_t>(value);  // conversion truncates toward zero
}

int64_t TruncFitting64(Extended value) {
  if (value == -kTwoTo63) return INT64_MIN;
  return Trunc64(value);
}

int64_t Round64(Extended value) {
  CheckInt64Range(value);
  // nearbyint rounds in the current mode, which is to nearest, ties to even.
  return static_cast<int64_t>(std::nearbyint(value));
}

}  // namespace rtl

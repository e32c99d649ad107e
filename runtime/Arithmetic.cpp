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
  // Rounding can carry a value below 2^63 up to 2^63 (2^63 - 0.5 is a tie
  // that goes to the even 2^63), which no int64_t holds, so the rounded value
  // is tested again. The bottom end needs no second test: -2^63 + 0.5 rounds
  // to -2^63, which fits.
  const Extended rounded = std::nearbyint(value);
  if (rounded >= kTwoTo63) throw EInvalidOp();
  return static_cast<int64_t>(rounded);
}

}  // namespace rtl

/// \file
/// Checked extended arithmetic and conversions to integers.
///
/// An invalid operation, a division by zero or an overflow raises EInvalidOp,
/// EZeroDivide or EOverflow instead of producing a NaN or an infinity.
/// Underflow, denormal and inexact results are silent.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

#include "runtime/Exceptions.h"
#include "runtime/Extended.h"

namespace rtl {

/// Raises the error that a non-finite result of an operation on finite
/// operands stands for: EInvalidOp for a NaN, EOverflow for an infinity.
/// Returns the value unchanged when it is finite.
inline Extended CheckFinite(Extended result) {
  if (std::isnan(result)) throw EInvalidOp();
  if (std::isinf(result)) throw EOverflow();
  return result;
}

/// a + b, a - b and a * b, checked by CheckFinite.
///@{
inline Extended Add(Extended a, Extended b) { return CheckFinite(a + b); }
inline Extended Subtract(Extended a, Extended b) { return CheckFinite(a - b); }
inline Extended Multiply(Extended a, Extended b) { return CheckFinite(a * b); }
///@}

/// 0/0 is an invalid operation, x/0 a division by zero.
inline Extended Divide(Extended a, Extended b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) throw EInvalidOp();
    throw EZeroDivide();
  }
  return CheckFinite(a / b);
}

/// Truncation toward zero to a signed 64-bit integer. A magnitude of 2^63 or
/// more (or a NaN) is an invalid operation.
int64_t Trunc64(Extended value);

/// Truncation toward zero for integer operators: every value whose truncation
/// fits a signed 64-bit integer converts, -2^63 included; anything else (or a
/// NaN) is an invalid operation.
int64_t TruncFitting64(Extended value);

/// Rounding to the nearest signed 64-bit integer, ties to even. A magnitude of
/// 2^63 or more (or a NaN), or a value that rounds up to 2^63 (2^63 - 0.5), is
/// an invalid operation; -2^63 + 0.5 rounds to INT64_MIN.
int64_t Round64(Extended value);

/// Stores a value into a narrower integer type, raising ERangeError when it
/// does not fit.
template <typename Narrow, typename Wide>
Narrow RangeChecked(Wide value) {
  static_assert(std::is_integral_v<Narrow> && std::is_integral_v<Wide>);
  if (!std::in_range<Narrow>(value)) throw ERangeError();
  return static_cast<Narrow>(value);
}

}  // namespace rtl

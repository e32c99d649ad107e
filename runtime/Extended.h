/// \file
/// The 80-bit extended real type and access to its bit pattern.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace rtl {

/// Every real value of the system is an x87 80-bit extended value: a 64-bit
/// significand with an explicit leading bit and a 15-bit exponent.
using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the 80-bit x87 format (64-bit significand)");

/// The bit pattern of an extended value: sign and biased exponent (bias 16383)
/// in `signExponent`, the significand with its explicit leading bit in
/// `significand`. {0x3FFF, 0x8000000000000000} is 1.
struct ExtendedBits {
  uint16_t signExponent = 0;  ///< sign bit and 15-bit biased exponent
  uint64_t significand = 0;   ///< 64 bits, the leading one explicit

  /// Equal bit patterns.
  friend bool operator==(const ExtendedBits&, const ExtendedBits&) = default;
};

/// The bit pattern of `value`.
ExtendedBits BitsOf(Extended value);
/// The value with the given bit pattern.
Extended ExtendedFromBits(uint16_t signExponent, uint64_t significand);

/// "3FFF 8000000000000000": the pattern as four and sixteen hex digits.
std::string_view FormatBits(ExtendedBits bits, char (&out)[22]);

}  // namespace rtl

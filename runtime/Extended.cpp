#include "runtime/Extended.h"

#include <cstdio>
#include <cstring>

namespace rtl {

// The x87 format in memory (little-endian): 8 bytes of significand, then
// 2 bytes of sign and exponent; the rest of the long double is padding.
ExtendedBits BitsOf(Extended value) {
  unsigned char bytes[sizeof(Extended)];
  std::memcpy(bytes, &value, sizeof bytes);
  ExtendedBits bits;
  std::memcpy(&bits.significand, bytes, 8);
  std::memcpy(&bits.signExponent, bytes + 8, 2);
  return bits;
}

Extended ExtendedFromBits(uint16_t signExponent, uint64_t significand) {
  unsigned char bytes[sizeof(Extended)] = {};
  std::memcpy(bytes, &significand, 8);
  std::memcpy(bytes + 8, &signExponent, 2);
  Extended value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

std::string_view FormatBits(ExtendedBits bits, char (&out)[22]) {
  std::snprintf(out, sizeof out, "%04X %016llX", unsigned{bits.signExponent},
                static_cast<unsigned long long>(bits.significand));
  return std::string_view(out, 21);
}

}  // namespace rtl

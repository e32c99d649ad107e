/// @file
/// Character tests on the ASCII range that number and protocol texts use.
/// Unlike `<cctype>`, they never depend on the C locale and take a plain char.
#pragma once

namespace rtl {

/// True for the decimal digits '0' to '9'.
constexpr bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

/// True for '0' to '9', 'a' to 'f' and 'A' to 'F'.
constexpr bool IsHexDigit(char c) noexcept {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace rtl

/// \file
/// typecheck: tests of short texts typed by a user. None of them raises.
#pragma once

#include <cstdint>
#include <string>

namespace typecheck {

/// Whether `text` is a whole number that fits a signed 32-bit integer: any
/// number of leading blanks, an optional "+" or "-", then decimal digits or
/// hexadecimal digits (either case) introduced by "$", "x", "X", "0x" or
/// "0X", and nothing after the digits. "  42", "$1F", "-0x10" and
/// "-2147483648" are integers; "42 ", "2147483648", "" and "-" are not.
bool IsInteger(const std::string& text);

/// Whether `text` is a real number: blanks allowed around it, an optional sign,
/// decimal digits with rtl::DecimalSeparator() between the whole and the
/// fractional part (either part may be missing, not both), and an optional
/// exponent ("E" or "e", an optional sign, digits). A number beyond the 80-bit
/// range is not; one too small for it is (it reads as zero).
bool IsFloat(const std::string& text);

/// The field of a dotted text such as "192.168.0.1": index 1, 2 or 3 gives
/// that field (empty when the dots before or after it are missing); any other
/// index gives everything after the third dot, dots included.
std::string DottedField(int32_t index, const std::string& text);

}  // namespace typecheck

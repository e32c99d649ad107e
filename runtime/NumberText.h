/// \file
/// Number texts: the process-wide decimal separator, the general number text
/// (18 significant digits), decimal and hexadecimal reading, and the
/// hexadecimal text of a 64-bit integer. Every function that reads or writes a
/// separator takes it as its last argument, the process-wide one by default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Extended.h"

namespace rtl {

/// The separator every conversion between numbers and text uses, for reading
/// and writing alike. "." until set.
///@{
char DecimalSeparator();
void SetDecimalSeparator(char separator);
///@}

/// Takes the separator from the user's locale settings (LC_NUMERIC and the
/// variables that feed it). Programs call this once at start-up. It does not
/// change the C library's current locale.
void LoadDecimalSeparatorFromLocale();

/// The decimal text of a value with 18 significant digits, correctly rounded,
/// trailing zeros dropped. Fixed notation for 0.0001 <= |value| < 1E18
/// ("6", "-2.5", "0.0001", "123456789012345678"), otherwise one digit, the
/// separator and the further digits, "E" and the exponent without "+" or
/// leading zeros ("1E-5", "1E18", "1.5E-7"). Zero is "0"; infinities and
/// NaNs are "INF", "-INF", "NAN", "-NAN".
std::string FormatGeneral(Extended value, char separator = DecimalSeparator());

/// What the general number text of a finite `value` reads back as:
/// ReadDecimal(FormatGeneral(value)), computed without the text. Nothing when
/// that text overflows on reading (values next to the largest extended value
/// round up past it).
std::optional<Extended> ReadBackGeneral(Extended value);

/// A number as an entry may write it: an optional "+" or "-"; digits with at
/// most one `separator` (at least one digit or the separator: "." alone is 0);
/// optionally "E" or "e", an optional sign and exponent digits, read only
/// while the exponent so far is below 500 ("2E" is 2, a digit left over
/// makes the text invalid). Nothing may follow. The value is the extended
/// value nearest to the decimal one; nothing when the syntax does not match
/// or the value overflows. Values below the normal range underflow silently.
std::optional<Extended> ReadDecimal(std::string_view text, char separator = DecimalSeparator());

/// A number in the standard real syntax: an optional sign, digits with at most
/// one `separator` and at least one digit, then optionally "E" or "e", an
/// optional sign and at least one exponent digit (all of them are read).
/// Nothing may follow, blanks included. Nearest value, nothing on overflow,
/// silent underflow, as ReadDecimal.
std::optional<Extended> ReadStandardDecimal(std::string_view text,
                                            char separator = DecimalSeparator());

/// The value of a hexadecimal digit of either case, or -1.
int HexDigitValue(char c);

/// One or more hexadecimal digits (either case) with at most eight significant
/// ones, read as a signed 32-bit two's-complement integer: "ffffffff" is -1.
std::optional<Extended> ReadHex(std::string_view digits);

/// "$" and the uppercase hexadecimal digits of `value`, at least four of them
/// ("$00FF", "$10000"); a negative value as the sixteen digits of its 64-bit
/// two's complement ("$FFFFFFFFFFFFFFFF" for -1).
std::string FormatHex(int64_t value);

}  // namespace rtl

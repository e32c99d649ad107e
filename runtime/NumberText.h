/// \file
/// The general number text and the process-wide decimal separator.
#pragma once

#include <string>

#include "runtime/Extended.h"

namespace rtl {

/// The decimal text of a value with 18 significant digits, correctly rounded,
/// trailing zeros dropped. Fixed notation for 0.0001 <= |value| < 1E18
/// ("6", "-2.5", "0.0001", "123456789012345678"), otherwise one digit, the
/// separator and the further digits, "E" and the exponent without "+" or
/// leading zeros ("1E-5", "1E18", "1.5E-7"). Zero is "0"; infinities and
/// NaNs are "INF", "-INF", "NAN", "-NAN". Uses DecimalSeparator().
std::string FormatGeneral(Extended value);

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

}  // namespace rtl

// Reading numbers from text: the decimal and "$" hexadecimal forms a term may
// take, and the value an intermediate result has once written as general
// number text and read back.
#pragma once

#include <optional>
#include <string_view>

#include "runtime/Extended.h"

namespace PMisc::detail {

// An optional "+" or "-"; digits with at most one `separator` (at least one
// digit or the separator); optionally "E" or "e", an optional sign and
// exponent digits, read only while the exponent so far is below 500. Nothing
// may follow. The value is the extended value nearest to the decimal one;
// nothing when the syntax does not match or the value overflows.
std::optional<rtl::Extended> ReadDecimal(std::string_view text, char separator);

// One or more hexadecimal digits (either case) with at most eight significant
// ones, read as a signed 32-bit two's-complement integer: "ffffffff" is -1.
std::optional<rtl::Extended> ReadHex(std::string_view digits);

// What the general number text of `value` (18 significant digits) reads back
// as: ReadDecimal(rtl::FormatGeneral(value)), computed without the text.
// Nothing when that text overflows on reading (values next to the largest
// extended value round up past it).
std::optional<rtl::Extended> ReadBackGeneral(rtl::Extended value);

}  // namespace PMisc::detail

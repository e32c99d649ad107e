// How people phrase a conversion: "5 km in mi", "5 km to mi", "5km to mi",
// "2*3 ft into m", "100 °C -> F".
//
// An entry is a conversion when its last-but-one word is a joining word
// ("in", "to", "into" or "->", lower case) and a unit comes before it. The
// last word is the target unit; the word before the joining word is the
// source unit, and the text before that is the amount (an expression). The
// amount and the source unit may be written together ("5km", "2.5e3m",
// "(1+2)ft"): the unit then starts at the first letter (or "°", "µ") that
// follows a digit, a decimal point or ")", an exponent "e" of a number
// excepted. "5 in in cm" converts inches.
//
// Command-line arguments: several arguments are one conversion when one of
// them, other than the first and the last, is a joining word on its own
// (`quillon 5 km to mi`); they are then joined with blanks into one entry.
// Otherwise every argument is an entry of its own (`quillon 2*3 '5 km in
// mi'`).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// An entry "AMOUNT FROM in TO", split.
struct ConversionRequest {
  std::string amount;
  std::string from;
  std::string to;
};

// True for "in", "to", "into" and "->".
bool IsJoiningWord(std::string_view word);

// Splits `line` into its request, or nothing when it is not a conversion.
std::optional<ConversionRequest> ParseConversionLine(std::string_view line);

// The command-line arguments as entries, by the rule above.
std::vector<std::string> EntriesOfArguments(const std::vector<std::string>& arguments);

}  // namespace quillon

/// \file
/// Questions about quantities, answered exactly: "60 mph * 2 h to km",
/// "5 ft 3 in to cm", "1.8 m to ft;in", "20 °C to °F".
///
/// A question is an expression of numbers and units, optionally followed by
/// a joining word ("to", "in", "into", "as" or "->") and the unit of the
/// answer:
///
/// - Units are written by symbol, name or plural, in several words where
///   the name has them ("nautical miles", "fl oz", "light year"), with SI
///   prefixes ("kN", "MPa", "µs", "kilometres") and binary ones ("GiB").
/// - Juxtaposition multiplies and binds before "/": "kg m/s^2" is kg·m/s²,
///   "3 kWh / 2 h" is 1.5 kW. "per" divides, "^" (or "**", "²", "³") raises
///   to an integer power, "square" and "cubic" before a unit square or cube
///   it.
/// - A compound amount adds: "5 ft 3 in", "1 h 30 min".
/// - "to ft;in", "to h;min;s" splits the answer over several units, each but
///   the last a whole number.
/// - Temperatures: "20 °C to °F" converts a reading between scales (°C, °F,
///   K, °R, also C, F, R in such a question); anywhere else a temperature is
///   a difference, written in K, deltaC, deltaF or deltaR ("20 K to deltaF"
///   is 36).
///
/// Values stay exact rationals; Text() rounds once to the extended value.
#pragma once

#include <gmpxx.h>

#include <string>
#include <string_view>
#include <vector>

#include "quantity/Quantity.h"
#include "quantity/Units.h"

namespace quantity {

/// One part of an answer: an amount of a unit.
struct AnswerPart {
  mpq_class amount;  ///< exact
  std::string unit;  ///< as written in the question
};

/// The answer to a question.
struct Answer {
  /// The amounts of the units asked for ("to ft;in": two parts); without a
  /// unit asked for, one part in base units ("m/s", "" for a number).
  std::vector<AnswerPart> parts;
  /// False when the question named no unit for the answer.
  bool unitAsked = false;
  /// The notes on units with several meanings that the question used, each
  /// once.
  std::vector<std::string> notes;

  /// The answer as text, each amount rounded once to the nearest extended
  /// value: "96.56064" for a unit asked for, "5 ft 10.8661417322834646 in"
  /// for a split, "53.6448 m/s" without a unit asked for.
  std::string Text(char separator = '.') const;
  /// The same with exact amounts: "1250/381".
  std::string ExactText() const;
};

/// Answers `question` with the units of `table`; `separator` is the decimal
/// separator accepted besides ".". Raises EQuantityError with the character
/// position of a fault: unknown units, dimensions that do not match
/// ("cannot convert length to mass"), syntax.
Answer Ask(const UnitTable& table, std::string_view question, char separator = '.');

/// Converts `amount` of the unit written `from` to the unit written `to`,
/// as Ask(amount FROM to TO) would, temperatures as readings between
/// scales.
Answer Convert(const UnitTable& table, const mpq_class& amount, std::string_view from,
               std::string_view to);

}  // namespace quantity

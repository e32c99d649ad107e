/// \file
/// Quantities: an exact rational value with a physical dimension.
///
/// A quantity is a number of base units: metre, kilogram, second, ampere,
/// kelvin, mole, candela, bit and radian, each raised to an integer power
/// (its dimension). Values are GMP rationals and stay exact through
/// multiplication, division, integer powers, addition and subtraction; a
/// result is rounded once, at the end, to the nearest extended value (ties to
/// even) by ToExtended, or shown exactly by ExactText ("1250/381").
///
/// Angles have a dimension of their own, so that degrees, radians and turns
/// convert among themselves and never into a plain number by accident.
#pragma once

#include <gmpxx.h>

#include <array>
#include <cstdint>
#include <string>

#include "runtime/rtl.h"

namespace quantity {

/// A fault in a question, a definition or a computation with quantities.
/// Position() is where in the text the fault lies: a character offset from 1
/// in a question, a line number from 1 in a definitions file; 0 when the
/// fault has no place in a text (a computation).
class EQuantityError : public rtl::Exception {
 public:
  /// A fault described by `message`, at `position` (0: no position).
  explicit EQuantityError(std::string message, int32_t position = 0)
      : rtl::Exception(std::move(message)), position_(position) {}
  /// Character (question) or line (file) of the fault, from 1; 0 when none.
  int32_t Position() const noexcept { return position_; }

 private:
  int32_t position_;
};

/// The base quantities, in the order of Dimension's exponents.
enum class BaseQuantity : int8_t {
  Length,       ///< metre
  Mass,         ///< kilogram
  Time,         ///< second
  Current,      ///< ampere
  Temperature,  ///< kelvin
  Amount,       ///< mole (amount of substance)
  Luminosity,   ///< candela (luminous intensity)
  Information,  ///< bit
  Angle,        ///< radian
};

/// Number of base quantities.
inline constexpr int kBaseCount = 9;

/// A dimension: the integer power of each base quantity.
struct Dimension {
  std::array<int16_t, kBaseCount> exponents{};  ///< indexed by BaseQuantity

  /// The dimension of one base quantity.
  static Dimension Of(BaseQuantity base) {
    Dimension d;
    d.exponents[static_cast<size_t>(base)] = 1;
    return d;
  }
  /// True for a plain number (every exponent 0).
  bool IsNone() const noexcept;
  /// Product of two dimensions (exponents added).
  Dimension operator*(const Dimension& other) const noexcept;
  /// Quotient of two dimensions (exponents subtracted).
  Dimension operator/(const Dimension& other) const noexcept;
  /// This dimension to the power `n`. Raises EQuantityError past ±1000.
  Dimension Power(int64_t n) const;
  /// Equal exponents.
  friend bool operator==(const Dimension&, const Dimension&) = default;
};

/// The name of a dimension as people say it: "length", "speed", "energy",
/// "number"; a dimension without a name is written in base quantities,
/// "length^2 mass/time^3".
std::string DimensionName(const Dimension& dimension);

/// The dimension called `name` by DimensionName ("speed", "force"), or its
/// base quantity name; false when the name is unknown.
bool DimensionByName(const std::string& name, Dimension& dimension);

/// The base units of a dimension: "kg m/s^2", "" for a plain number.
std::string BaseUnitsText(const Dimension& dimension);

/// An exact value with its dimension.
struct Quantity {
  mpq_class value;      ///< in base units
  Dimension dimension;  ///< of the value

  /// A plain number.
  static Quantity Number(const mpq_class& v) { return Quantity{v, Dimension{}}; }
};

/// Product and quotient; division by zero raises EQuantityError.
Quantity Multiply(const Quantity& a, const Quantity& b);
/// `a` divided by `b`; EQuantityError when `b` is zero.
Quantity Divide(const Quantity& a, const Quantity& b);
/// `a` to the integer power `n`; EQuantityError for 0 to a negative power or
/// a result too large to hold.
Quantity Power(const Quantity& a, int64_t n);
/// Sum and difference; EQuantityError naming both dimensions when they
/// differ.
Quantity Add(const Quantity& a, const Quantity& b);
/// `a` minus `b`; EQuantityError naming both dimensions when they differ.
Quantity Subtract(const Quantity& a, const Quantity& b);

/// How many `unit` make `amount` (amount / unit), exact. Raises
/// EQuantityError "cannot convert DIM to DIM" when the dimensions differ.
mpq_class ConvertExact(const Quantity& amount, const Quantity& unit);

/// `value` rounded once to the nearest extended value, ties to even.
/// EQuantityError when it is beyond the extended range; values below the
/// smallest normal become subnormal (or zero) by the same rule.
rtl::Extended ToExtended(const mpq_class& value);

/// The exact value: "1250/381", "-3", "1/8".
std::string ExactText(const mpq_class& value);

/// Raises EQuantityError when a rational has grown past the size that the
/// engine accepts (numerator or denominator beyond 200000 bits): a bound on
/// the memory that a question or a definition may take.
void CheckSize(const mpq_class& value);

}  // namespace quantity

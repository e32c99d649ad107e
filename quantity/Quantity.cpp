#include "quantity/Quantity.h"

#include <cstring>
#include <utility>
#include <vector>

namespace quantity {

namespace {

constexpr int64_t kMaxExponent = 1000;
constexpr size_t kMaxBits = 200000;

const char* const kBaseNames[kBaseCount] = {
    "length",      "mass", "time", "current", "temperature", "amount", "luminous intensity",
    "information", "angle"};
const char* const kBaseUnits[kBaseCount] = {"m", "kg", "s", "A", "K", "mol", "cd", "bit", "rad"};

Dimension Dim(std::initializer_list<int> exponents) {
  Dimension d;
  size_t i = 0;
  for (int e : exponents) d.exponents[i++] = static_cast<int16_t>(e);
  return d;
}

// Dimensions that have a name of their own, in the order L M T I Θ N J bit rad.
const std::vector<std::pair<std::string, Dimension>>& NamedDimensions() {
  static const std::vector<std::pair<std::string, Dimension>> named = {
      {"number", Dim({})},
      {"length", Dim({1})},
      {"mass", Dim({0, 1})},
      {"time", Dim({0, 0, 1})},
      {"current", Dim({0, 0, 0, 1})},
      {"temperature", Dim({0, 0, 0, 0, 1})},
      {"amount", Dim({0, 0, 0, 0, 0, 1})},
      {"luminous intensity", Dim({0, 0, 0, 0, 0, 0, 1})},
      {"information", Dim({0, 0, 0, 0, 0, 0, 0, 1})},
      {"angle", Dim({0, 0, 0, 0, 0, 0, 0, 0, 1})},
      {"solid angle", Dim({0, 0, 0, 0, 0, 0, 0, 0, 2})},
      {"area", Dim({2})},
      {"volume", Dim({3})},
      {"speed", Dim({1, 0, -1})},
      {"acceleration", Dim({1, 0, -2})},
      {"force", Dim({1, 1, -2})},
      {"pressure", Dim({-1, 1, -2})},
      {"energy", Dim({2, 1, -2})},
      {"power", Dim({2, 1, -3})},
      {"frequency", Dim({0, 0, -1})},
      {"data rate", Dim({0, 0, -1, 0, 0, 0, 0, 1})},
      {"angular speed", Dim({0, 0, -1, 0, 0, 0, 0, 0, 1})},
      {"density", Dim({-3, 1})},
      {"flow", Dim({3, 0, -1})},
      {"fuel economy", Dim({-2})},
      {"charge", Dim({0, 0, 1, 1})},
      {"voltage", Dim({2, 1, -3, -1})},
      {"resistance", Dim({2, 1, -3, -2})},
      {"conductance", Dim({-2, -1, 3, 2})},
      {"capacitance", Dim({-2, -1, 4, 2})},
      {"inductance", Dim({2, 1, -2, -2})},
      {"magnetic flux", Dim({2, 1, -2, -1})},
      {"magnetic flux density", Dim({0, 1, -2, -1})},
      {"luminous flux", Dim({0, 0, 0, 0, 0, 0, 1, 0, 2})},
      {"illuminance", Dim({-2, 0, 0, 0, 0, 0, 1, 0, 2})},
      {"luminance", Dim({-2, 0, 0, 0, 0, 0, 1})},
      {"catalytic activity", Dim({0, 0, -1, 0, 0, 1})},
      {"absorbed dose", Dim({2, 0, -2})},
      {"torque", Dim({2, 1, -2, 0, 0, 0, 0, 0, -1})},
      {"viscosity", Dim({-1, 1, -1})},
      {"kinematic viscosity", Dim({2, 0, -1})},
      {"concentration", Dim({-3, 0, 0, 0, 0, 1})},
  };
  return named;
}

}  // namespace

bool Dimension::IsNone() const noexcept {
  for (int16_t e : exponents)
    if (e != 0) return false;
  return true;
}

Dimension Dimension::operator*(const Dimension& other) const noexcept {
  Dimension d;
  for (size_t i = 0; i < exponents.size(); ++i)
    d.exponents[i] = static_cast<int16_t>(exponents[i] + other.exponents[i]);
  return d;
}

Dimension Dimension::operator/(const Dimension& other) const noexcept {
  Dimension d;
  for (size_t i = 0; i < exponents.size(); ++i)
    d.exponents[i] = static_cast<int16_t>(exponents[i] - other.exponents[i]);
  return d;
}

Dimension Dimension::Power(int64_t n) const {
  Dimension d;
  for (size_t i = 0; i < exponents.size(); ++i) {
    const int64_t e = exponents[i] * n;
    if (e > kMaxExponent || e < -kMaxExponent) throw EQuantityError("dimension exponent too large");
    d.exponents[i] = static_cast<int16_t>(e);
  }
  return d;
}

namespace {

// "length^2 mass/time^3" from base names, or base units.
std::string Formula(const Dimension& dimension, const char* const names[]) {
  std::string up, down;
  for (size_t i = 0; i < dimension.exponents.size(); ++i) {
    const int e = dimension.exponents[i];
    if (e == 0) continue;
    std::string& side = e > 0 ? up : down;
    if (!side.empty()) side += ' ';
    side += names[i];
    if (std::abs(e) != 1) side += "^" + std::to_string(std::abs(e));
  }
  if (down.empty()) return up;
  return (up.empty() ? "1" : up) + "/" +
         (down.find(' ') == std::string::npos ? down : "(" + down + ")");
}

}  // namespace

std::string DimensionName(const Dimension& dimension) {
  for (const auto& [name, d] : NamedDimensions())
    if (d == dimension) return name;
  return Formula(dimension, kBaseNames);
}

bool DimensionByName(const std::string& name, Dimension& dimension) {
  for (const auto& [known, d] : NamedDimensions()) {
    if (known == name) {
      dimension = d;
      return true;
    }
  }
  return false;
}

std::string BaseUnitsText(const Dimension& dimension) { return Formula(dimension, kBaseUnits); }

void CheckSize(const mpq_class& value) {
  if (mpz_sizeinbase(value.get_num_mpz_t(), 2) > kMaxBits ||
      mpz_sizeinbase(value.get_den_mpz_t(), 2) > kMaxBits)
    throw EQuantityError("number too large");
}

Quantity Multiply(const Quantity& a, const Quantity& b) {
  Quantity q{a.value * b.value, a.dimension * b.dimension};
  CheckSize(q.value);
  return q;
}

Quantity Divide(const Quantity& a, const Quantity& b) {
  if (sgn(b.value) == 0) throw EQuantityError("division by zero");
  Quantity q{a.value / b.value, a.dimension / b.dimension};
  CheckSize(q.value);
  return q;
}

Quantity Power(const Quantity& a, int64_t n) {
  if (n > kMaxExponent || n < -kMaxExponent) throw EQuantityError("exponent too large");
  if (sgn(a.value) == 0 && n < 0) throw EQuantityError("division by zero");
  const Dimension dimension = a.dimension.Power(n);
  const size_t bits = std::max(mpz_sizeinbase(a.value.get_num_mpz_t(), 2),
                               mpz_sizeinbase(a.value.get_den_mpz_t(), 2));
  if (bits * static_cast<size_t>(n < 0 ? -n : n) > kMaxBits + 64)
    throw EQuantityError("number too large");
  const unsigned long magnitude = static_cast<unsigned long>(n < 0 ? -n : n);
  Quantity q;
  q.dimension = dimension;
  mpq_ptr result = q.value.get_mpq_t();
  mpz_pow_ui(n >= 0 ? mpq_numref(result) : mpq_denref(result), a.value.get_num_mpz_t(), magnitude);
  mpz_pow_ui(n >= 0 ? mpq_denref(result) : mpq_numref(result), a.value.get_den_mpz_t(), magnitude);
  // Powers of a reduced fraction are reduced; only the sign may need moving.
  if (sgn(q.value.get_den()) < 0) q.value.canonicalize();
  return q;
}

namespace {

void CheckSame(const Quantity& a, const Quantity& b, const char* what) {
  if (a.dimension != b.dimension)
    throw EQuantityError(std::string("cannot ") + what + " " + DimensionName(a.dimension) +
                         " and " + DimensionName(b.dimension));
}

}  // namespace

Quantity Add(const Quantity& a, const Quantity& b) {
  CheckSame(a, b, "add");
  Quantity q{a.value + b.value, a.dimension};
  CheckSize(q.value);
  return q;
}

Quantity Subtract(const Quantity& a, const Quantity& b) {
  CheckSame(a, b, "subtract");
  Quantity q{a.value - b.value, a.dimension};
  CheckSize(q.value);
  return q;
}

mpq_class ConvertExact(const Quantity& amount, const Quantity& unit) {
  if (amount.dimension != unit.dimension)
    throw EQuantityError("cannot convert " + DimensionName(amount.dimension) + " to " +
                         DimensionName(unit.dimension));
  if (sgn(unit.value) == 0) throw EQuantityError("division by zero");
  return amount.value / unit.value;
}

rtl::Extended ToExtended(const mpq_class& value) {
  static_assert(sizeof(unsigned long) == sizeof(uint64_t), "a significand fits mpz's ui");
  const int sign = sgn(value);
  if (sign == 0) return 0.0L;
  mpz_class num = abs(value.get_num());
  const mpz_class& den = value.get_den();
  // e with 2^e <= |value| < 2^(e+1).
  long e = static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 2)) -
           static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 2));
  {
    mpz_class n = num, d = den;
    if (e >= 0)
      d <<= static_cast<mp_bitcnt_t>(e);
    else
      n <<= static_cast<mp_bitcnt_t>(-e);
    if (n < d) --e;
  }
  if (e > 16383) throw EQuantityError("result too large for an extended value");
  // Below the normal range the significand keeps the scale of the smallest
  // normal exponent and loses leading bits (a subnormal).
  const long scaleExponent = e < -16382 ? -16382 : e;
  const long shift = 63 - scaleExponent;
  mpz_class n = num, d = den;
  if (shift >= 0)
    n <<= static_cast<mp_bitcnt_t>(shift);
  else
    d <<= static_cast<mp_bitcnt_t>(-shift);
  mpz_class significand, remainder;
  mpz_fdiv_qr(significand.get_mpz_t(), remainder.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
  const int half = cmp(mpz_class(remainder * 2), d);
  if (half > 0 || (half == 0 && mpz_odd_p(significand.get_mpz_t()))) ++significand;
  long biased = scaleExponent + 16383;
  if (mpz_sizeinbase(significand.get_mpz_t(), 2) > 64) {  // rounded up to 2^64
    significand >>= 1;
    ++biased;
    if (biased > 32766) throw EQuantityError("result too large for an extended value");
  }
  if (e < -16382 && mpz_sizeinbase(significand.get_mpz_t(), 2) < 64) biased = 0;  // subnormal
  const uint16_t signExponent = static_cast<uint16_t>(biased | (sign < 0 ? 0x8000 : 0));
  return rtl::ExtendedFromBits(signExponent, significand.get_ui());
}

std::string ExactText(const mpq_class& value) {
  mpq_class reduced = value;
  reduced.canonicalize();
  return reduced.get_str();
}

}  // namespace quantity

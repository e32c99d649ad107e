#include "programs/quillon/Conversion.h"

#include <algorithm>

#include "programs/quillon/UnitLookup.h"

namespace quillon {

namespace {

using rtl::Extended;

constexpr std::string_view kTemperature = "Temperature";

// The four temperature scales and their zero points. Kelvin and Celsius
// degrees are one size, Rankine and Fahrenheit degrees another (5/9 of it).
enum class Scale { kCelsius, kFahrenheit, kKelvin, kRankine };

constexpr Extended kCelsiusZeroInKelvin = 273.15L;
constexpr Extended kFahrenheitZeroInRankine = 459.67L;
constexpr Extended kWaterFreezesInFahrenheit = 32;

std::optional<Scale> ScaleOf(const std::string& symbol) {
  if (symbol == "C") return Scale::kCelsius;
  if (symbol == "F") return Scale::kFahrenheit;
  if (symbol == "K") return Scale::kKelvin;
  if (symbol == "R") return Scale::kRankine;
  return std::nullopt;
}

bool IsAbsolute(Scale scale) { return scale == Scale::kKelvin || scale == Scale::kRankine; }

// Absolute zero on each scale, and the symbol that goes with it.
Extended AbsoluteZero(Scale scale) {
  switch (scale) {
    case Scale::kCelsius:
      return -kCelsiusZeroInKelvin;
    case Scale::kFahrenheit:
      return -kFahrenheitZeroInRankine;
    default:
      return 0;
  }
}

void CheckAboveAbsoluteZero(Extended value, Scale scale, const std::string& symbol) {
  const Extended zero = AbsoluteZero(scale);
  if (value < zero) {
    throw EConversionError(rtl::FormatGeneral(value) + " " + symbol + " is below absolute zero (" +
                           rtl::FormatGeneral(zero) + " " + symbol + ")");
  }
}
bool HasCelsiusDegrees(Scale scale) { return scale == Scale::kCelsius || scale == Scale::kKelvin; }

Extended CelsiusSizedToFahrenheitSized(Extended degrees) {
  return rtl::Divide(rtl::Multiply(degrees, 9), 5);
}
Extended FahrenheitSizedToCelsiusSized(Extended degrees) {
  return rtl::Divide(rtl::Multiply(degrees, 5), 9);
}

// Each path takes as few rounded steps as it can: a shift of the zero point
// between scales of one degree size, a scaling between the two absolute
// scales, and otherwise shift to C or F, convert between those, shift back.
Extended ConvertTemperature(Extended value, Scale from, Scale to) {
  if (from == to) return value;
  if (IsAbsolute(from) && IsAbsolute(to)) {
    return from == Scale::kKelvin ? CelsiusSizedToFahrenheitSized(value)
                                  : FahrenheitSizedToCelsiusSized(value);
  }
  // To C (from K) or F (from R).
  if (from == Scale::kKelvin) value = rtl::Subtract(value, kCelsiusZeroInKelvin);
  if (from == Scale::kRankine) value = rtl::Subtract(value, kFahrenheitZeroInRankine);
  // Between C and F when the degree size changes.
  if (HasCelsiusDegrees(from) && !HasCelsiusDegrees(to)) {
    value = rtl::Add(CelsiusSizedToFahrenheitSized(value), kWaterFreezesInFahrenheit);
  } else if (!HasCelsiusDegrees(from) && HasCelsiusDegrees(to)) {
    value = FahrenheitSizedToCelsiusSized(rtl::Subtract(value, kWaterFreezesInFahrenheit));
  }
  // From C to K or from F to R.
  if (to == Scale::kKelvin) value = rtl::Add(value, kCelsiusZeroInKelvin);
  if (to == Scale::kRankine) value = rtl::Add(value, kFahrenheitZeroInRankine);
  return value;
}

}  // namespace

std::optional<UnitPosition> FindUnit(const units::TCategories& catalogue, std::string_view symbol) {
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      if (category.GetUnit(u).Symbol == symbol) return UnitPosition{c, u};
    }
  }
  return std::nullopt;
}

Extended Convert(const units::TCategory& category, int32_t from, int32_t to, Extended amount) {
  const units::TUnit& source = category.GetUnit(from);
  const units::TUnit& target = category.GetUnit(to);
  if (category.Name == kTemperature) {
    const std::optional<Scale> sourceScale = ScaleOf(source.Symbol);
    const std::optional<Scale> targetScale = ScaleOf(target.Symbol);
    if (!sourceScale || !targetScale) {
      throw EConversionError("\"" + (sourceScale ? target.Symbol : source.Symbol) +
                             "\" is no temperature scale. Valid symbols: C, F, K, R");
    }
    CheckAboveAbsoluteZero(amount, *sourceScale, source.Symbol);
    return ConvertTemperature(amount, *sourceScale, *targetScale);
  }
  if (from == to) return amount;
  return rtl::Divide(rtl::Multiply(amount, source.Factor), target.Factor);
}

Extended Convert(const units::TCategories& catalogue, int32_t category, int32_t from, int32_t to,
                 Extended amount) {
  return Convert(catalogue.GetCategory(category), from, to, amount);
}

Extended ConvertBySymbol(const units::TCategories& catalogue, Extended amount,
                         std::string_view from, std::string_view to) {
  const UnitPair units = ResolveUnits(catalogue, from, to);
  return Convert(catalogue.GetCategory(units.category), units.from, units.to, amount);
}

std::string ListCatalogue(const units::TCategories& catalogue) {
  // Columns as wide as the longest symbol and name.
  size_t symbolWidth = 0;
  size_t nameWidth = 0;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      symbolWidth = std::max(symbolWidth, category.GetUnit(u).Symbol.size());
      nameWidth = std::max(nameWidth, category.GetUnit(u).Name.size());
    }
  }

  std::string text;
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue.GetCategory(c);
    text += category.Name;
    if (category.Name == kTemperature) text += " (converted between scales C, F, K and R)";
    text += '\n';
    for (int32_t u = 0; u < category.UnitCount(); ++u) {
      const units::TUnit& unit = category.GetUnit(u);
      text += "  " + unit.Symbol + std::string(symbolWidth - unit.Symbol.size(), ' ') + "  " +
              unit.Name + std::string(nameWidth - unit.Name.size(), ' ') + "  " +
              rtl::FormatGeneral(unit.Factor);
      if (u == category.BaseIndex) text += "  (base unit)";
      text += '\n';
    }
  }
  return text;
}

}  // namespace quillon

#include "programs/quillon/UnitNotes.h"

#include "programs/quillon/Texts.h"

namespace quillon {

const std::vector<std::string_view>& ShippedNotes() {
  static const std::vector<std::string_view> notes = {
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "GB is 10^9 bytes; 2^30 bytes is GiB (1 GiB = 1.073741824 GB)"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "MB is 10^6 bytes; 2^20 bytes is MiB (1 MiB = 1.048576 MB)"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes", "kB is 1000 bytes; 1024 bytes is KiB"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "TB is 10^12 bytes; 2^40 bytes is TiB (1 TiB = 1.099511627776 TB)"),
      QUILLON_TRANSLATABLE(
          "quillon::UnitNotes",
          "lb is taken as the pound of mass (0.45359237 kg); the pound-force is lbf"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "oz is taken as the ounce of mass (28.349523125 g); the troy ounce is "
                           "ozt, the US fluid ounce fl oz"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "ton is taken as the US short ton (2000 lb); the long ton (2240 lb) is "
                           "\"long ton\", the metric tonne t"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "gallon is taken as the US gallon (3.785411784 L); the imperial gallon "
                           "(4.54609 L) is \"imperial gallon\""),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "quart is taken as the US liquid quart (0.946352946 L); the imperial "
                           "quart (1.1365225 L) is \"imperial quart\""),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "pint is taken as the US liquid pint (0.473176473 L); the imperial pint "
                           "(0.56826125 L) is \"imperial pint\""),
      QUILLON_TRANSLATABLE(
          "quillon::UnitNotes",
          "cup is taken as the US cup (236.5882365 mL); the metric cup (250 mL) is \"metric cup\""),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "fl oz is taken as the US fluid ounce (29.5735295625 mL); the imperial "
                           "fluid ounce (28.4130625 mL) is \"imperial fluid ounce\""),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "Cal is the food calorie (1000 cal); the small calorie is cal"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "hp is taken as the mechanical horsepower (745.69987158227022 W); the "
                           "metric one is PS, the electric one hpE"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "cal is taken as the thermochemical calorie (4.184 J); the "
                           "international table one is cal_IT"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "Btu is taken as the international table Btu (1055.05585262 J); the "
                           "thermochemical one is Btu_th"),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "a year is taken as the Julian year (365.25 days); the calendar one is "
                           "\"gregorian year\""),
      QUILLON_TRANSLATABLE("quillon::UnitNotes",
                           "mil is a thousandth of an inch; the angle is \"angular mil\""),
  };
  return notes;
}

std::string TranslatedNote(std::string_view note) { return Translate(kUnitNotesContext, note); }

}  // namespace quillon

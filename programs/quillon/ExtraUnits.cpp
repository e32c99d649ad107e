#include "programs/quillon/ExtraUnits.h"

#include <ostream>

#include "programs/quillon/Paths.h"
#include "programs/quillon/Questions.h"

namespace quillon {

UnitsFiles DefaultUnitsFiles() { return {ShippedUnitsFile(), UserUnitsFile()}; }

void LoadExtraUnits(std::ostream& err) {
  for (const std::string& problem : LoadUnitDefinitions(UnitDefinitions(), DefaultUnitsFiles())) {
    err << "quillon: " << problem << '\n';
  }
}

}  // namespace quillon

// Includes a header of the measure component. Built once by a target that
// links Tessera::measure (it must compile) and once by a target that does not
// (the build must refuse it).
#include "measure/units.h"

int main() { return units::UnitCategories().CategoryCount() > 0 ? 0 : 1; }

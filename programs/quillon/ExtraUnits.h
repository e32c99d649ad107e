// The units files quillon reads at start-up: the definitions that ship with
// it and the user's own (Paths.h), in that order, into the quantity engine's
// table (Questions.h). Both the command line and the window program call
// LoadExtraUnits before they answer anything.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quillon {

struct UnitsFiles {
  std::string shipped;  // empty: the shipped file was not found
  std::string user;     // empty: no configuration folder
};

// The files quillon reads: ShippedUnitsFile() and UserUnitsFile().
UnitsFiles DefaultUnitsFiles();

// The default files into the process-wide table of units (UnitDefinitions),
// each problem written to `err` as "quillon: PROBLEM".
void LoadExtraUnits(std::ostream& err);

}  // namespace quillon

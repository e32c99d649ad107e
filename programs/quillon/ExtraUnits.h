// The units quillon adds to its built-in set at start-up, from the units
// file that ships with it and from the user's own (Paths.h), in that order,
// through the catalogue's own operations (measure/UnitsFile.h). Both the
// command line and the window program call LoadExtraUnits before they use
// the catalogue.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "measure/units.h"

namespace quillon {

struct UnitsFiles {
  std::string shipped;  // empty: the shipped file was not found
  std::string user;     // empty: no configuration folder
};

// The files quillon reads: ShippedUnitsFile() and UserUnitsFile().
UnitsFiles DefaultUnitsFiles();

// Loads `files` into `catalogue` and returns every problem as a line "FILE:
// LINE: REASON". A missing shipped file is a problem; a missing user file is
// not (most users have none).
std::vector<std::string> LoadExtraUnits(units::TCategories& catalogue, const UnitsFiles& files);

// The default files into the process-wide catalogue, each problem written to
// `err` as "quillon: PROBLEM".
void LoadExtraUnits(std::ostream& err);

}  // namespace quillon

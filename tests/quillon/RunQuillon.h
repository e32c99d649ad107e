// quillon's command line, run on string streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"
#include "programs/quillon/Questions.h"

namespace quillontest {

// What one run printed and returned.
struct Outcome {
  int status;
  std::string out;
  std::string err;
};

#ifdef QUILLON_DEFINITIONS_FILE
// The definitions that ship with quillon, loaded once into the process's
// table as quillon does at start-up.
inline void LoadDefinitionsOnce() {
  static const bool loaded = [] {
    quillon::LoadUnitDefinitions(quillon::UnitDefinitions(), {QUILLON_DEFINITIONS_FILE, ""});
    return true;
  }();
  (void)loaded;
}
#else
inline void LoadDefinitionsOnce() {}
#endif

inline Outcome RunQuillon(const std::vector<std::string>& arguments,
                          const std::string& input = "") {
  LoadDefinitionsOnce();
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  quillon::Console console{in, out, err};
  const int status = quillon::RunCommandLine(arguments, console);
  return {status, out.str(), err.str()};
}

}  // namespace quillontest

// quillon's command line, run on string streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "programs/quillon/CommandLine.h"

namespace quillontest {

// What one run printed and returned.
struct Outcome {
  int status;
  std::string out;
  std::string err;
};

inline Outcome RunQuillon(const std::vector<std::string>& arguments,
                          const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  quillon::Console console{in, out, err};
  const int status = quillon::RunCommandLine(arguments, console);
  return {status, out.str(), err.str()};
}

}  // namespace quillontest

// tamsel's command line: options, usage text, and the run without a window.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace tamsel {

struct Options {
  std::string host;
  int32_t port = 0;
  int32_t timeOut = 10000;  // milliseconds; 0 means no limit
  int32_t level = 0;        // report level of the status texts on standard error
  std::vector<std::string> sends;
  bool greeting = false;
  bool help = false;
  std::string screenshot;  // hidden: grab the window into this file and quit
};

std::string Usage();

// Parses the arguments after the program name. Returns an empty text when
// they are fine, otherwise what is wrong with them.
std::string ParseOptions(const std::vector<std::string>& arguments, Options& options);

// Connects, runs the transactions (the --send texts, else one per line of
// `input`) and prints each reply line to `output`; status texts and failures
// go to `errors`. Returns the exit status: 0 done, 1 failed.
int RunCommandLine(const Options& options, std::istream& input, std::ostream& output,
                   std::ostream& errors);

}  // namespace tamsel

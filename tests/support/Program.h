// Runs a program as a user does, for tests of whole executables: no input,
// its output and errors caught in full.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct ProgramRun {
  int status = -1;  // the exit status; -1 when it could not start or was killed
  std::string output;
  std::string errors;
};

// Runs `command` (the program's path first) with exactly `environment`
// ("NAME=value" entries), standard input from /dev/null, and its standard
// output and error caught through files of a folder of its own, removed
// afterwards.
ProgramRun RunProgram(const std::vector<std::string>& command,
                      const std::vector<std::string>& environment);

// This process's environment without the variables named in `dropped`.
std::vector<std::string> EnvironmentWithout(const std::vector<std::string>& dropped);

}  // namespace testing_support

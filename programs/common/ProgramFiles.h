// The files a program ships beside itself: its companion programs (a window
// program, a prompt), data and catalogues, found relative to the running
// executable, so that the same code finds them in the build tree (side by
// side) and in an installed tree (bin/, libexec/NAME/, share/NAME/). No Qt:
// the programs' fast command lines use it too.
#pragma once

#include <string>
#include <vector>

namespace programs {

// The folder of the running executable, empty when it cannot be told.
std::string ExecutableDirectory();

// The first of `relativePaths` (relative to `directory`) that names an
// existing file; empty when none does or `directory` is empty.
std::string FirstExistingFile(const std::string& directory,
                              const std::vector<std::string>& relativePaths);

// FirstExistingFile() relative to the running executable's folder.
std::string FileBesideExecutable(const std::vector<std::string>& relativePaths);

// Replaces the process with `program`, passing `argv` on. Returns only when
// that fails, with the reason ("PROGRAM: the system's words").
std::string ExecInstead(const std::string& program, char** argv);

}  // namespace programs

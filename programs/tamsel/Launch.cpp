#include "programs/tamsel/Launch.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tamsel {

std::string WindowProgram() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  // TAMSEL_WINDOW_FROM_BIN is set by CMake from GNUInstallDirs; in the build
  // tree the window program lies beside the command.
  for (const char* relative : {TAMSEL_WINDOW_FROM_BIN, "tamsel-window"}) {
    const std::filesystem::path candidate = executable.parent_path() / relative;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.string();
  }
  return {};
}

std::string StartWindowProgram(char** argv) {
  const std::string program = WindowProgram();
  if (program.empty()) return "tamsel-window not found";
  execv(program.c_str(), argv);
  return program + ": " + std::strerror(errno);
}

}  // namespace tamsel

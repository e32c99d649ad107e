#include "programs/quillon/Paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "programs/common/ProgramFiles.h"

namespace quillon {

namespace {

// An XDG base folder: the variable when it holds an absolute path, else
// $HOME followed by `fallback`.
std::string BaseFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return std::string(home) + fallback;
}

std::string InFolder(const std::string& folder, const char* file) {
  return folder.empty() ? std::string() : folder + "/quillon/" + file;
}

}  // namespace

std::string ConfigHome() { return BaseFolder("XDG_CONFIG_HOME", "/.config"); }
std::string StateHome() { return BaseFolder("XDG_STATE_HOME", "/.local/state"); }
std::string UserUnitsFile() { return InFolder(ConfigHome(), "units.txt"); }
std::string HistoryFile() { return InFolder(StateHome(), "history"); }

std::string ShippedUnitsFile() {
  // QUILLON_DATA_FROM_BIN and QUILLON_DATA_FROM_LIBEXEC are the installed
  // data folder relative to the folders of quillon and of its window program
  // (set by CMake from GNUInstallDirs); in the build tree the file is copied
  // beside both executables.
  return programs::FileBesideExecutable(
      {QUILLON_DATA_FROM_BIN "/units.txt", QUILLON_DATA_FROM_LIBEXEC "/units.txt", "units.txt"});
}

}  // namespace quillon

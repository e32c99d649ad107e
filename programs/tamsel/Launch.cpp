#include "programs/tamsel/Launch.h"

#include "programs/common/ProgramFiles.h"

namespace tamsel {

std::string WindowProgram() {
  // TAMSEL_WINDOW_FROM_BIN is set by CMake from GNUInstallDirs; in the build
  // tree the window program lies beside the command.
  return programs::FileBesideExecutable({TAMSEL_WINDOW_FROM_BIN, "tamsel-window"});
}

std::string StartWindowProgram(char** argv) {
  const std::string program = WindowProgram();
  if (program.empty()) return "tamsel-window not found";
  return programs::ExecInstead(program, argv);
}

}  // namespace tamsel

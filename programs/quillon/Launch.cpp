#include "programs/quillon/Launch.h"

#include <sys/stat.h>
#include <unistd.h>

#include "programs/common/ProgramFiles.h"
#include "programs/quillon/Texts.h"

namespace quillon {

bool StandardInputIsData() {
  struct stat status {};
  if (fstat(STDIN_FILENO, &status) != 0) return false;
  return S_ISFIFO(status.st_mode) || S_ISREG(status.st_mode);
}

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

std::string WindowProgram() {
  // QUILLON_WINDOW_FROM_BIN is set by CMake from GNUInstallDirs.
  return programs::FileBesideExecutable({QUILLON_WINDOW_FROM_BIN, "quillon-window"});
}

std::string StartWindowProgram(char** argv) {
  const std::string program = WindowProgram();
  if (program.empty()) {
    return Translate("quillon::Launch", "the window program quillon-window was not found");
  }
  return programs::ExecInstead(program, argv);
}

std::string PromptProgram() {
  // QUILLON_PROMPT_FROM_BIN is set by CMake from GNUInstallDirs.
  return programs::FileBesideExecutable({QUILLON_PROMPT_FROM_BIN, "quillon-prompt"});
}

std::string StartPromptProgram(char** argv) {
  const std::string program = PromptProgram();
  if (program.empty()) {
    return Translate("quillon::Launch", "the prompt program quillon-prompt was not found");
  }
  return programs::ExecInstead(program, argv);
}

}  // namespace quillon

#include "programs/quillon/Launch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "programs/quillon/Paths.h"

namespace quillon {

bool StandardInputIsData() {
  struct stat status {};
  if (fstat(STDIN_FILENO, &status) != 0) return false;
  return S_ISFIFO(status.st_mode) || S_ISREG(status.st_mode);
}

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

std::string WindowProgram() {
  // QUILLON_WINDOW_FROM_BIN is set by CMake from GNUInstallDirs.
  return FirstExistingFile(ExecutableDirectory(), {QUILLON_WINDOW_FROM_BIN, "quillon-window"});
}

std::string StartWindowProgram(char** argv) {
  const std::string program = WindowProgram();
  if (program.empty()) return "the window program quillon-window was not found";
  execv(program.c_str(), argv);
  return program + ": " + std::strerror(errno);
}

std::string PromptProgram() {
  // QUILLON_PROMPT_FROM_BIN is set by CMake from GNUInstallDirs.
  return FirstExistingFile(ExecutableDirectory(), {QUILLON_PROMPT_FROM_BIN, "quillon-prompt"});
}

std::string StartPromptProgram(char** argv) {
  const std::string program = PromptProgram();
  if (program.empty()) return "the prompt program quillon-prompt was not found";
  execv(program.c_str(), argv);
  return program + ": " + std::strerror(errno);
}

}  // namespace quillon

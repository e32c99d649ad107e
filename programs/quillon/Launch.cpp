#include "programs/quillon/Launch.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <cstring>

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

void PrepareHeapForStartUp() {
#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
  // A block from the heap itself (not a mapping of its own), kept as the
  // heap's free top after it is freed, its pages populated for writing.
  constexpr size_t kStartUpHeap = 512 * 1024;
  mallopt(M_MMAP_THRESHOLD, 2 * kStartUpHeap);
  mallopt(M_TRIM_THRESHOLD, 4 * kStartUpHeap);
  void* block = std::malloc(kStartUpHeap);
  if (block == nullptr) return;
  const auto pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto address = reinterpret_cast<uintptr_t>(block);
  const uintptr_t begin = (address + pageSize - 1) & ~(pageSize - 1);
  const uintptr_t end = (address + kStartUpHeap) & ~(pageSize - 1);
  // Kernels before 5.14 refuse the advice: the pages are then faulted in
  // one by one as usual.
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
  std::free(block);
#endif
}

}  // namespace quillon

#include "programs/common/ProgramFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace programs {

std::string ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return executable.parent_path().string();
}

std::string FirstExistingFile(const std::string& directory,
                              const std::vector<std::string>& relativePaths) {
  if (directory.empty()) return {};
  for (const std::string& relative : relativePaths) {
    const std::string path = directory + "/" + relative;
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return path;
  }
  return {};
}

std::string FileBesideExecutable(const std::vector<std::string>& relativePaths) {
  return FirstExistingFile(ExecutableDirectory(), relativePaths);
}

std::string ExecInstead(const std::string& program, char** argv) {
  execv(program.c_str(), argv);
  return program + ": " + std::strerror(errno);
}

}  // namespace programs

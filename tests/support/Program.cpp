#include "tests/support/Program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace testing_support {

namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& command,
                      const std::vector<std::string>& environment) {
  ProgramRun run;
  if (command.empty()) return run;
  std::string pattern = (std::filesystem::temp_directory_path() / "program-run-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return run;
  const std::filesystem::path folder = pattern;
  const std::string out = (folder / "out").string();
  const std::string err = (folder / "err").string();

  std::vector<std::string> words = command;
  std::vector<std::string> variables = environment;
  const std::vector<char*> argv = Pointers(words);
  const std::vector<char*> envp = Pointers(variables);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t child = 0;
  const int failed = ::posix_spawn(&child, argv[0], &files, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&files);
  int status = 0;
  if (failed == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    run.status = WEXITSTATUS(status);
  }
  run.output = Contents(out);
  run.errors = Contents(err);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return run;
}

std::vector<std::string> EnvironmentWithout(const std::vector<std::string>& dropped) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (std::find(dropped.begin(), dropped.end(), name) == dropped.end()) {
      environment.push_back(text);
    }
  }
  return environment;
}

}  // namespace testing_support

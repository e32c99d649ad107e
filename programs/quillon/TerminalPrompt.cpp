// The prompt in a terminal, with libedit's line editing: only the prompt
// program (quillon-prompt) links libedit, so that the quillon command does
// not load it (and the three libraries it needs) for every question.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

// libedit's readline-compatible interface.
#include <editline/readline.h>

#include "programs/quillon/Prompt.h"

namespace quillon {

namespace {

constexpr int kHistoryLength = 1000;

}  // namespace

int RunTerminalPrompt(Console& console, const std::string& historyFile) {
  // libedit reads multi-byte characters ("°C") only in the user's character
  // set; numbers keep the "C" locale, the decimal separator is our own.
  std::setlocale(LC_CTYPE, "");
  using_history();
  stifle_history(kHistoryLength);
  if (!historyFile.empty()) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(historyFile).parent_path(), error);
    read_history(historyFile.c_str());
  }
  const LineSource next = []() -> std::optional<std::string> {
    const std::unique_ptr<char, decltype(&std::free)> line(readline("quillon> "), &std::free);
    if (!line) return std::nullopt;
    if (!IsBlankLine(line.get())) add_history(line.get());
    return std::string(line.get());
  };
  const int status = RunPrompt(next, console);
  console.out << '\n';
  if (!historyFile.empty()) write_history(historyFile.c_str());
  return status;
}

}  // namespace quillon

#include "programs/quillon/Prompt.h"

// libedit's readline-compatible interface.
#include <editline/readline.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

namespace quillon {

namespace {

constexpr int kHistoryLength = 1000;

bool IsBlankLine(const std::string& line) {
  return line.find_first_not_of(" \t\r") == std::string::npos;
}

bool EndsThePrompt(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t");
  const size_t last = line.find_last_not_of(" \t\r");
  const std::string word = line.substr(first, last - first + 1);
  return word == "quit" || word == "exit";
}

}  // namespace

int RunPrompt(const LineSource& next, Console& console) {
  int status = kSuccess;
  while (const std::optional<std::string> line = next()) {
    if (IsBlankLine(*line)) continue;
    if (EndsThePrompt(*line)) break;
    if (EvaluateEntries({*line}, console) != kSuccess) status = kEntryFailed;
    console.out.flush();
  }
  return status;
}

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

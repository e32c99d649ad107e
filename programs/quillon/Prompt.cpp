#include "programs/quillon/Prompt.h"

#include <istream>
#include <ostream>

namespace quillon {

namespace {

bool EndsThePrompt(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t");
  const size_t last = line.find_last_not_of(" \t\r");
  const std::string word = line.substr(first, last - first + 1);
  return word == "quit" || word == "exit";
}

}  // namespace

bool IsBlankLine(const std::string& line) {
  return line.find_first_not_of(" \t\r") == std::string::npos;
}

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

int RunPlainPrompt(Console& console) {
  const LineSource next = [&console]() -> std::optional<std::string> {
    console.out << "quillon> " << std::flush;
    std::string line;
    if (!std::getline(console.in, line)) return std::nullopt;
    return line;
  };
  const int status = RunPrompt(next, console);
  console.out << '\n';
  return status;
}

}  // namespace quillon

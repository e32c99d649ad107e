// quillon's prompt in a terminal: one entry a line, with line editing and a
// history kept between runs in HistoryFile() (Paths.h), through libedit.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "programs/quillon/CommandLine.h"

namespace quillon {

// The next line typed at the prompt, or nothing at the end of the input.
using LineSource = std::function<std::optional<std::string>()>;

// Evaluates the lines of `next` as entries (EvaluateEntries) until the input
// ends or a line says "quit" or "exit"; blank lines are skipped. Returns
// kEntryFailed when any entry failed.
int RunPrompt(const LineSource& next, Console& console);

// True for a line of blanks only.
bool IsBlankLine(const std::string& line);

// RunPrompt on the terminal, with libedit's line editing and the history
// read from and written to `historyFile` (none when empty; its folder is
// created when missing). In TerminalPrompt.cpp, which only the prompt
// program and the tests link.
int RunTerminalPrompt(Console& console, const std::string& historyFile);

// RunPrompt on `console.in`, a line at a time, without line editing: the
// quillon command's prompt when the prompt program cannot be started.
int RunPlainPrompt(Console& console);

}  // namespace quillon

// How the quillon command starts: its window program, its prompt or its
// command line. The command itself never loads Qt nor libedit; the window
// and the prompt with line editing are programs of their own
// (quillon-window, quillon-prompt), started in its place when wanted.
#pragma once

#include <string>

namespace quillon {

// True when standard input is a pipe or a file: entries to read, whatever
// the display.
bool StandardInputIsData();

// True when standard input is a terminal.
bool StandardInputIsTerminal();

// The window program: beside the executable in the build tree, or in the
// installed libexec folder (libexec/quillon/quillon-window). Empty when it
// cannot be found.
std::string WindowProgram();

// Replaces the process with the window program, passing `argv` on. Returns
// only when that fails, with the reason.
std::string StartWindowProgram(char** argv);

// The prompt program, found as the window program is
// (libexec/quillon/quillon-prompt when installed). Empty when it cannot be
// found.
std::string PromptProgram();

// Replaces the process with the prompt program, passing `argv` on. Returns
// only when that fails, with the reason.
std::string StartPromptProgram(char** argv);

}  // namespace quillon

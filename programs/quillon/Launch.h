// How the quillon command starts: its window program, its prompt or its
// command line. The command itself never loads Qt; the window is a program
// of its own (quillon-window), started in its place when a window is wanted.
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

}  // namespace quillon

// How the tamsel command starts its window: the command itself links no
// widget library; the window is a program of its own (tamsel-window),
// started in its place when a window is wanted.
#pragma once

#include <string>

namespace tamsel {

// The window program: beside the executable in the build tree, or in the
// installed libexec folder (libexec/tamsel/tamsel-window). Empty when it
// cannot be found.
std::string WindowProgram();

// Replaces the process with the window program, passing `argv` on. Returns
// only when that fails, with the reason (the system's words, since the
// translations are not loaded yet).
std::string StartWindowProgram(char** argv);

}  // namespace tamsel

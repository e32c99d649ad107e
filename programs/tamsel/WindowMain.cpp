// tamsel-window: tamsel's window, started by the tamsel command when it is
// run without arguments and a display is there.
#include "programs/tamsel/TamselWindow.h"

int main(int argc, char** argv) { return tamsel::RunWindow(argc, argv); }

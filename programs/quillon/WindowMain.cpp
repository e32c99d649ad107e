// quillon-window: quillon's window, started by the quillon command when a
// window is wanted. The catalogue gains the extra units before the window
// is built, as in the command line.
#include <iostream>

#include "programs/quillon/ExtraUnits.h"
#include "programs/quillon/MainWindow.h"
#include "runtime/rtl.h"

int main(int argc, char** argv) {
  quillon::LoadExtraUnits(std::cerr);
  return quillon::RunWindow(argc, argv);
}

// A program without windows on the socket component: QCoreApplication, a
// TPowersock and a TThreadTimer. It must link no QtGui, QtWidgets or
// QtUiTools (see CMakeLists.txt), and it runs without a display.
#include <QCoreApplication>
#include <iostream>

#include "socket/Psock.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  Psock::TPowersock sock(nullptr);
  Psock::TThreadTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(1);
  timer.SetOnTimer([&](Psock::TThreadTimer*) {
    if (++ticks == 3) application.quit();
  });
  timer.SetEnabled(true);
  application.exec();
  std::cout << "ticks: " << ticks << ", port " << sock.Port << '\n';
  return 0;
}

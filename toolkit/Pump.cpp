#include "toolkit/Pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <thread>

namespace toolkit {

void ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void WaitForMessages(std::chrono::milliseconds limit) {
  if (QCoreApplication::instance() == nullptr) {
    std::this_thread::sleep_for(limit);
    return;
  }
  // The timer's own event ends the wait when nothing else arrives first.
  QTimer wake;
  wake.setTimerType(Qt::PreciseTimer);
  wake.setSingleShot(true);
  wake.start(limit);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace toolkit

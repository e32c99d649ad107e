#include "toolkit/MessageWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>
#include <limits>

namespace toolkit {

namespace {

// One registered event type carries every posted message.
QEvent::Type MessageEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

class MessageEvent : public QEvent {
 public:
  explicit MessageEvent(const Message& message) : QEvent(MessageEventType()), message(message) {}
  Message message;
};

}  // namespace

MessageWindow::MessageWindow(Procedure procedure) : procedure_(std::move(procedure)) {}

MessageWindow::~MessageWindow() { KillTimer(); }

void MessageWindow::Post(uint32_t number, uintptr_t parameter, intptr_t longParameter) {
  QCoreApplication::postEvent(this, new MessageEvent({number, parameter, longParameter}));
}

bool MessageWindow::SetTimer(uint32_t timerId, uint32_t periodMs) {
  KillTimer();
  if (periodMs > static_cast<uint32_t>(std::numeric_limits<int>::max())) return false;
  qtTimerId_ = startTimer(static_cast<int>(periodMs), Qt::PreciseTimer);
  timerId_ = timerId;
  return qtTimerId_ != 0;
}

void MessageWindow::KillTimer() {
  if (qtTimerId_ != 0) killTimer(qtTimerId_);
  qtTimerId_ = 0;
}

void MessageWindow::customEvent(QEvent* event) {
  if (event->type() != MessageEventType()) return;
  if (procedure_) procedure_(static_cast<MessageEvent*>(event)->message);
}

void MessageWindow::timerEvent(QTimerEvent* event) {
  if (event->timerId() != qtTimerId_) return;
  if (procedure_) procedure_({kTimerMessage, timerId_, 0});
}

}  // namespace toolkit

// A hidden message window: the receiver of a component's asynchronous
// notifications.
//
// Messages carry a number and two parameters, like window messages. Posting
// one queues it; it is delivered to the window's procedure only when the GUI
// thread pumps its events (its main loop, or a waiting loop that calls
// ProcessMessages or WaitForMessages), never from inside Post. The window can
// also run one system timer, whose ticks arrive the same way as message
// kTimerMessage.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

namespace toolkit {

struct Message {
  uint32_t number = 0;
  uintptr_t parameter = 0;
  intptr_t longParameter = 0;
};

class MessageWindow : public QObject {
  Q_OBJECT

 public:
  // The number of a timer tick message; its parameter is the timer's id.
  static constexpr uint32_t kTimerMessage = 275;

  using Procedure = std::function<void(const Message&)>;

  explicit MessageWindow(Procedure procedure = {});
  ~MessageWindow() override;

  // Queues a message for delivery at the next pump step.
  void Post(uint32_t number, uintptr_t parameter, intptr_t longParameter);

  // Starts (or restarts from zero) the window's timer with the given period.
  // Returns false when the system refuses the timer; the window then has
  // none.
  bool SetTimer(uint32_t timerId, uint32_t periodMs);
  // Stops the timer, whether or not it runs.
  void KillTimer();
  bool TimerRunning() const { return qtTimerId_ != 0; }

 protected:
  void customEvent(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  Procedure procedure_;
  int qtTimerId_ = 0;
  uint32_t timerId_ = 0;
};

}  // namespace toolkit

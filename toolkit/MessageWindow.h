/// \file
/// A hidden message window: the receiver of a component's asynchronous
/// notifications.
///
/// Messages carry a number and two parameters, like window messages. Posting
/// one queues it; it is delivered to the window's procedure only when the GUI
/// thread pumps its events (its main loop, or a waiting loop that calls
/// ProcessMessages or WaitForMessages), never from inside Post. The window can
/// also run one system timer, whose ticks arrive the same way as message
/// kTimerMessage.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

namespace toolkit {

/// A message: its number and two parameters.
struct Message {
  uint32_t number = 0;         ///< what the message means
  uintptr_t parameter = 0;     ///< first parameter (a socket, a timer id)
  intptr_t longParameter = 0;  ///< second parameter (event and error words)
};

/// A hidden window that delivers posted messages and timer ticks to its
/// procedure when the GUI thread pumps its events.
class MessageWindow : public QObject {
  Q_OBJECT

 public:
  /// The number of a timer tick message; its parameter is the timer's id.
  static constexpr uint32_t kTimerMessage = 275;

  /// The window procedure: receives every message delivered to the window.
  using Procedure = std::function<void(const Message&)>;

  /// A window whose messages go to `procedure`.
  explicit MessageWindow(Procedure procedure = {});
  ~MessageWindow() override;

  /// Queues a message for delivery at the next pump step.
  void Post(uint32_t number, uintptr_t parameter, intptr_t longParameter);

  /// Starts (or restarts from zero) the window's timer with the given period.
  /// Returns false when the system refuses the timer; the window then has
  /// none.
  bool SetTimer(uint32_t timerId, uint32_t periodMs);
  /// Stops the timer, whether or not it runs.
  void KillTimer();
  /// Whether the window's timer runs.
  bool TimerRunning() const { return qtTimerId_ != 0; }

 protected:
  /// Delivers a posted message to the procedure.
  void customEvent(QEvent* event) override;
  /// Delivers a tick of the window's timer as kTimerMessage.
  void timerEvent(QTimerEvent* event) override;

 private:
  Procedure procedure_;
  int qtTimerId_ = 0;
  uint32_t timerId_ = 0;
};

}  // namespace toolkit

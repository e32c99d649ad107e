// TThreadTimer: ticks from the timer of a hidden message window.
#include "socket/Psock.h"
#include "toolkit/ExceptionReport.h"

namespace Psock {

namespace {
constexpr uint32_t kTimerId = 1;
}

TThreadTimer::TThreadTimer(toolkit::Component* owner)
    : toolkit::Component(owner),
      window_(std::make_unique<toolkit::MessageWindow>(
          [this](const toolkit::Message& message) { WindowProcedure(message); })) {
  // No system timer yet: there is no handler.
}

TThreadTimer::~TThreadTimer() {
  MarkDestroying();
  enabled_ = false;
  window_->KillTimer();  // the ticks stop before the window goes
  window_.reset();
}

void TThreadTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TThreadTimer::SetInterval(uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TThreadTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

bool TThreadTimer::Running() const { return window_ != nullptr && window_->TimerRunning(); }

void TThreadTimer::Timer() {
  if (onTimer_) onTimer_(this);
}

void TThreadTimer::UpdateTimer() {
  window_->KillTimer();
  if (interval_ != 0 && enabled_ && onTimer_) {
    if (!window_->SetTimer(kTimerId, interval_)) throw rtl::Exception("No Timer");
  }
}

void TThreadTimer::WindowProcedure(const toolkit::Message& message) {
  if (message.number != toolkit::MessageWindow::kTimerMessage) return;
  try {
    Timer();
  } catch (const std::exception& error) {
    // The timer keeps running; the failure goes to the central report.
    toolkit::ReportException(window_.get(), error);
  }
}

}  // namespace Psock

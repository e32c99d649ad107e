// Psock: a TCP client socket component and the timer that bounds its waits.
//
// Everything runs on the GUI thread. TPowersock never blocks inside a system
// call: its socket is non-blocking, its notifications arrive as messages of a
// hidden message window, and each waiting operation is a loop that waits for
// the next event (at most 2 ms at a time) and pumps the event queue. Code of
// the program, including Cancel or Abort on the same component, can therefore
// run inside a wait.
#pragma once

#include <netinet/in.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Exceptions.h"
#include "socket/WinsockShim.h"
#include "toolkit/Component.h"
#include "toolkit/MessageWindow.h"

namespace Psock {

// ---------------------------------------------------------------------------
// TThreadTimer

// A timer whose ticks come from a timer of its own hidden message window:
// OnTimer runs every Interval milliseconds while the timer is enabled, has a
// non-zero interval and a handler, and only while the creating thread pumps
// its events. Every effective change restarts the period from zero.
class TThreadTimer : public toolkit::Component {
 public:
  using TNotifyEvent = std::function<void(TThreadTimer* sender)>;

  explicit TThreadTimer(toolkit::Component* owner);
  ~TThreadTimer() override;

  bool Enabled() const { return enabled_; }
  uint32_t Interval() const { return interval_; }
  const TNotifyEvent& OnTimer() const { return onTimer_; }

  // Each setter raises rtl::Exception "No Timer" when the system refuses the
  // timer that the change asks for; the new value is kept all the same.
  void SetEnabled(bool value);            // restarts only when the value changes
  void SetInterval(uint32_t value);       // restarts only when the value changes
  void SetOnTimer(TNotifyEvent handler);  // always restarts

  // Whether the system timer runs (enabled, non-zero interval, handler set).
  bool Running() const;

 protected:
  // Fires OnTimer; called for every tick.
  virtual void Timer();

 private:
  void UpdateTimer();
  void WindowProcedure(const toolkit::Message& message);

  uint32_t interval_ = 1000;
  std::unique_ptr<toolkit::MessageWindow> window_;
  TNotifyEvent onTimer_;
  bool enabled_ = true;
};

// ---------------------------------------------------------------------------
// Exceptions

class ESockError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// SendBuffer or ReadLn ended because Canceled was set (Cancel, Abort or the
// time-out).
class EAbortError : public ESockError {
 public:
  using ESockError::ESockError;
};

// ---------------------------------------------------------------------------
// TPowersock

class TPowersock : public toolkit::Component {
 public:
  using TNotifyEvent = std::function<void(TPowersock* sender)>;
  using TOnHostResolved = std::function<void(toolkit::Component* sender)>;
  using TOnStatus = std::function<void(toolkit::Component* sender, const std::string& status)>;
  using THandlerEvent = std::function<void(bool& handled)>;
  using TErrorEvent =
      std::function<void(toolkit::Component* sender, uint16_t errno_, const std::string& errmsg)>;

  // Message numbers of the hidden window: socket notifications, and host
  // look-up completions (also the wake-up of Accept).
  static constexpr uint32_t SocketMessage = 1125;
  static constexpr uint32_t LookupMessage = 1126;
  // The events asked for every socket: read, out-of-band, accept, connect
  // and close.
  static constexpr uint16_t kSelectEvents = FD_READ | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
  static constexpr size_t kBufferSize = 65537;
  static constexpr size_t kHostEntrySize = 1024;

  // Raises ESockError "Initializaton of windows sockets failed" when the
  // socket layer or the first socket cannot be had.
  explicit TPowersock(toolkit::Component* owner);
  ~TPowersock() override;

  // Resolves Host (or OverrideHost) and connects. Returns when connected.
  virtual void Connect();
  // Closes the connection; the component gets a fresh socket.
  virtual void Disconnect();
  // Waits for the accept wake-up and accepts a connection on the
  // component's socket, which the caller has put into the listening state
  // and attached to LookupMessage for FD_ACCEPT. The caller owns the result
  // and closes it with Psock::closesocket.
  virtual TSocket Accept();
  // Writeln(command), then ReadLn into Reply; ReplyNumber is the number at
  // the start of the reply (0 when there is none).
  virtual std::string Transaction(const std::string& command);
  virtual void Abort();
  void Cancel();

  // Sends count bytes at data, or, when count is 0, the zero-terminated bytes
  // at data (fewer than 65,536 of them).
  void SendBuffer(const void* data, uint16_t count);
  // Sends text up to its first zero byte; Writeln appends CR LF.
  void Write(const std::string& text);
  void Writeln(const std::string& text);
  // The next line, its line end included; empty when the peer has closed
  // (a partial line is then dropped). Bytes received behind the line stay
  // with the component for the next ReadLn, and so does part of a line when
  // the read is canceled or times out. A line of more than 65,536 bytes
  // raises rtl::ERangeError.
  std::string ReadLn();

  std::string GetLocalIP();
  // Whether at least one byte waits: received and not yet read, or in the
  // socket.
  bool DataAvailable();
  void ResolveHost();
  std::string ErrorText(uint16_t errorNumber);
  std::string CheckError(uint16_t expected);
  void ReportStatus(uint8_t level, std::string_view text);

  void TimerOn();
  void TimerOff();
  void TimerFired(TThreadTimer* sender);

  void InitWinsock();
  void CloseSocket();
  void HandleSocketMessage(uint32_t number, uintptr_t parameter, intptr_t longParameter);

  // The number of components that hold the socket layer started.
  static int32_t WinsockUsers();

  // Work area for sending, DataAvailable and host names. Held in the
  // object, never reallocated.
  std::array<unsigned char, kBufferSize> Buffer{};

  TNotifyEvent OnDataAvailable;
  TNotifyEvent OnAccept;
  TNotifyEvent OnConnect;
  TNotifyEvent OnDisconnect;
  TErrorEvent OnError;
  THandlerEvent OnInvalidHost;
  TOnHostResolved OnHostResolved;
  TOnStatus OnStatus;
  TNotifyEvent OnConnectionFailed;

  // The six lines that describe the socket layer; filled only in the
  // component that started it.
  std::vector<std::string> WinsockInfo;
  bool Canceled = false;
  bool ShuttingDown = false;
  int32_t LastError = 0;
  int32_t TimeOut = 0;  // milliseconds; 0 means no limit
  int32_t ReportLevel = 1;
  std::string LastStatus;
  std::string OverrideHost;
  int32_t OverridePort = 0;
  TThreadTimer* TimeOutTimer = nullptr;  // owned
  bool Succeeded = false;
  bool TimedOut = false;
  int32_t Port = 0;
  bool LookupDone = false;
  WSAData WinsockData;
  sockaddr_in RemoteAddress{};
  std::string Host;
  std::unique_ptr<std::array<unsigned char, kHostEntrySize>> HostEntryBuffer;
  std::string Reply;
  int16_t ReplyNumber = 0;
  TSocket SocketHandle = kNoSocket;
  std::unique_ptr<toolkit::MessageWindow> WindowHandle;
  bool Connected = false;

 private:
  bool DesignMode() const;
  // What TimerOn does, except that the system timer is armed only at the
  // first pump of the operation (ArmTimeOut): no tick can arrive before it,
  // so an operation that never waits costs no timer.
  void StartTimeOut();
  void ArmTimeOut();
  // One pump step; Idle first waits for the next event, at most 2 ms.
  void Pump();
  void AttachSocket(TSocket socket);
  void MakeFreshSocket();
  // Waits for the next event, at most 2 ms, and pumps the event queue.
  void Idle();
  void DropReceived();

  bool started_ = false;  // holds a user of the socket layer
  bool timeOutDue_ = false;
  bool connectNotified_ = false;
  // Bytes received from the socket and not yet returned by ReadLn: lines
  // are cut from here, so that reading a line costs no system call while
  // whole lines are waiting. Never holds more than one line's room.
  std::array<unsigned char, kBufferSize> readAhead_{};
  size_t readBegin_ = 0;
  size_t readEnd_ = 0;
};

}  // namespace Psock

// Psock: a TCP client socket component and the timer that bounds its waits.
//
// Everything runs on the GUI thread. TPowersock never blocks inside a system
// call for long: its socket is non-blocking, its notifications arrive as
// messages of a hidden message window, and each waiting operation is a loop
// that waits for the next event (at most 2 ms at a time) and pumps the event
// queue. (A read that no OnDataAvailable handler watches waits for its own
// socket instead, also at most 2 ms between two pumps.) Code of the program,
// including Cancel or Abort on the same component, can therefore run inside
// a wait.
#pragma once

/// \file
/// TPowersock, the TCP client component, with its thread timer and errors.

#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Exceptions.h"
#include "socket/SocketTypes.h"
#include "toolkit/Component.h"
#include "toolkit/MessageWindow.h"

/// The socket component and what belongs to it.
namespace Psock {

// ---------------------------------------------------------------------------
// TThreadTimer

/// A timer whose ticks come from a timer of its own hidden message window:
/// OnTimer runs every Interval milliseconds while the timer is enabled, has a
/// non-zero interval and a handler, and only while the creating thread pumps
/// its events. Every effective change restarts the period from zero.
class TThreadTimer : public toolkit::Component {
 public:
  /// The tick handler.
  using TNotifyEvent = std::function<void(TThreadTimer* sender)>;

  /// An enabled timer of 1000 ms without a handler, owned by `owner` when it
  /// is not null.
  explicit TThreadTimer(toolkit::Component* owner);
  /// Stops the system timer and destroys the hidden window.
  ~TThreadTimer() override;

  /// Whether the timer is switched on (initially true).
  bool Enabled() const { return enabled_; }
  /// The period in milliseconds (initially 1000); 0 never ticks.
  uint32_t Interval() const { return interval_; }
  /// The tick handler; empty when none.
  const TNotifyEvent& OnTimer() const { return onTimer_; }

  /// Switches the timer on or off; restarts only when the value changes.
  /// Raises rtl::Exception "No Timer" when the system refuses the timer; the
  /// new value is kept all the same.
  void SetEnabled(bool value);
  /// Sets the period; restarts only when the value changes. Raises as
  /// SetEnabled.
  void SetInterval(uint32_t value);
  /// Sets the tick handler; always restarts. Raises as SetEnabled.
  void SetOnTimer(TNotifyEvent handler);

  /// Whether the system timer runs (enabled, non-zero interval, handler set).
  bool Running() const;

 protected:
  /// Fires OnTimer; called for every tick.
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

/// What an ESockError is about: one enumerator for each of the component's
/// fixed failures, and WinsockError for a failed socket call.
enum class SockErrorKind {
  WinsockError,          ///< A socket call failed; ErrorNumber() tells which error.
  AlreadyConnected,      ///< "Already connected"
  HostLookupTimedOut,    ///< "Host Lookup Timed Out"
  HostLookupCanceled,    ///< "Host Lookup Canceled"
  HostLookupFailed,      ///< "Host Lookup Failed"
  HostNameTooLong,       ///< "Host name too long"
  NullRemoteAddress,     ///< "Null Remote Address"
  ConnectionTimedOut,    ///< "Connection Timed out"
  ConnectionCanceled,    ///< "Connection Canceled"
  ConnectionFailed,      ///< "Connection Failed"
  AcceptingCanceled,     ///< "Accepting Canceled"
  DataConnectionFailed,  ///< "Error creating Data Connection"
  InitializationFailed,  ///< "Initializaton of windows sockets failed"
  SendAborted,           ///< "Socket send aborted" (an EAbortError)
  ReadLnAborted,         ///< "Socket readln aborted" (an EAbortError)
  /// The TLS handshake or session failed; the text says why in OpenSSL's
  /// words, for instance "certificate verify failed: self-signed certificate".
  TlsFailed,
  TlsHandshakeTimedOut,  ///< "TLS Handshake Timed out" (StartTls)
  TlsHandshakeCanceled,  ///< "TLS Handshake Canceled" (StartTls)
  /// "STARTTLS refused: plain text followed the reply (discarded)"
  PlaintextAfterStartTls,
  ReadAborted,  ///< "Socket read aborted" (an EAbortError of ReadBytes)
  /// Raised by the component's user, for instance from an event handler,
  /// with a text of its own.
  Caller,
};

/// The fixed message text of a kind; for WinsockError, TlsFailed and Caller,
/// which have no fixed text, an empty one.
const char* FixedText(SockErrorKind kind);

/// The reason a socket error number stands for, without the number:
/// "Connection refused" for 10061; empty for a number that is no socket
/// error of the component's table.
std::string ErrorReason(int32_t errorNumber);

/// Whether a socket error number means that the connection is gone:
/// aborted, reset, not connected or shut down.
bool MeansConnectionClosed(int32_t errorNumber);

/// A failure of TPowersock. Code tells failures apart by Kind() and
/// ErrorNumber(), never by the message text.
class ESockError : public rtl::Exception {
 public:
  /// A fixed failure with its fixed text; `errorNumber` is the socket error
  /// behind it, when one is known (a refused connection, an unknown host).
  explicit ESockError(SockErrorKind kind, int32_t errorNumber = 0);
  /// A failure with its own text.
  ESockError(SockErrorKind kind, std::string message, int32_t errorNumber);
  /// A failure that the component's user raises with its own text, for
  /// instance from an event handler: Kind() is Caller, ErrorNumber() 0.
  explicit ESockError(std::string message);

  /// Which failure this is.
  SockErrorKind Kind() const noexcept { return kind_; }
  /// The Windows Sockets error number behind the failure, 0 when none.
  int32_t ErrorNumber() const noexcept { return errorNumber_; }

 private:
  SockErrorKind kind_;
  int32_t errorNumber_;
};

/// SendBuffer, ReadLn or ReadBytes ended because Canceled was set (Cancel,
/// Abort or the time-out). Kind() is SendAborted, ReadLnAborted or
/// ReadAborted.
class EAbortError : public ESockError {
 public:
  using ESockError::ESockError;
};

// ---------------------------------------------------------------------------
// TPowersock

/// A TCP client connection with status reports, time-outs and cancelling.
///
/// Set Host, Port, TimeOut, ReportLevel and the events; Connect; then any
/// number of Write, Writeln, SendBuffer, ReadLn and Transaction; Disconnect.
/// Host may be a dotted IPv4 address, a name, or an IPv6 address literal
/// (with or without brackets). A name that has an IPv4 address is reached
/// through its first IPv4 address; a name with IPv6 addresses only, through
/// its first IPv6 address.
class TPowersock : public toolkit::Component {
 public:
  /// An event about this component.
  using TNotifyEvent = std::function<void(TPowersock* sender)>;
  /// Called when a host name has been resolved.
  using TOnHostResolved = std::function<void(toolkit::Component* sender)>;
  /// Receives each status text that passes the ReportLevel filter.
  using TOnStatus = std::function<void(toolkit::Component* sender, const std::string& status)>;
  /// Asked once per Connect when Host gives no address; set `handled` to try
  /// again (after changing Host).
  using THandlerEvent = std::function<void(bool& handled)>;
  /// Called with the error number and its text just before an ESockError
  /// for a failed socket call is raised.
  using TErrorEvent =
      std::function<void(toolkit::Component* sender, uint16_t errno_, const std::string& errmsg)>;

  /// Message number of socket notifications to the hidden window.
  static constexpr uint32_t SocketMessage = 1125;
  /// Message number of host look-up completions (also the wake-up of Accept).
  static constexpr uint32_t LookupMessage = 1126;
  /// The events asked for every socket: read, out-of-band, accept, connect
  /// and close.
  static constexpr uint16_t kSelectEvents = FD_READ | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
  /// Size of Buffer: 65,536 bytes and a zero.
  static constexpr size_t kBufferSize = 65537;
  /// The largest count that ReadBytes takes: one buffer's room.
  static constexpr size_t kMaxRead = 65536;
  /// Size of HostEntryBuffer.
  static constexpr size_t kHostEntrySize = 1024;

  /// Starts the socket layer when this is its first user and makes the
  /// socket. Raises ESockError "Initializaton of windows sockets failed" when
  /// the socket layer or the first socket cannot be had.
  explicit TPowersock(toolkit::Component* owner);
  /// Cancels what waits, closes the socket, and stops the socket layer when
  /// this was its last user.
  ~TPowersock() override;

  /// Resolves Host (or OverrideHost) and connects. Returns when connected.
  virtual void Connect();
  /// Closes the connection; the component gets a fresh socket.
  virtual void Disconnect();
  /// Waits for the accept wake-up and accepts a connection on the
  /// component's socket, which the caller has put into the listening state
  /// and attached to LookupMessage for FD_ACCEPT. The caller owns the result
  /// and closes it with the socket layer's closesocket.
  virtual TSocket Accept();
  /// Writeln(command), then ReadLn into Reply; ReplyNumber is the number at
  /// the start of the reply (0 when there is none).
  virtual std::string Transaction(const std::string& command);
  /// Reports "Abort", then Cancel.
  virtual void Abort();
  /// Sets Canceled, which ends the running wait (or the next one).
  void Cancel();

  /// Sends count bytes at data, or, when count is 0, the zero-terminated
  /// bytes at data (fewer than 65,536 of them).
  void SendBuffer(const void* data, uint16_t count);
  /// Sends text up to its first zero byte.
  void Write(const std::string& text);
  /// Sends text up to its first zero byte, then CR LF.
  void Writeln(const std::string& text);
  /// The next line, its line end included; empty when the peer has closed.
  /// Bytes received behind the line stay with the component for the next
  /// ReadLn, and so does part of a line when the read is canceled or times
  /// out. A line of more than 65,536 bytes raises rtl::ERangeError.
  std::string ReadLn();
  /// The next `count` bytes as they come, line ends or not (counted data
  /// such as a value of a given size), at most kMaxRead of them: more
  /// raises rtl::ERangeError before anything is read. Fewer only when the
  /// peer has closed: then the result holds what it sent, and an empty
  /// result means that nothing was left. Waits within TimeOut; a cancel or
  /// a time-out raises EAbortError ReadAborted, and the bytes received so
  /// far stay with the component for the next read, as with ReadLn.
  std::string ReadBytes(size_t count);
  /// The bytes of an unterminated last line that the peer sent before it
  /// closed: ReadLn returns the empty line then and keeps them here. Empty
  /// when there are none; taking them clears them.
  std::string TakePartialLine();

  /// Upgrades the connected socket to TLS after the program's own
  /// negotiation (SMTP STARTTLS, POP3 STLS, FTP AUTH TLS, IMAP STARTTLS),
  /// with the same checks as UseTls, within TimeOut and cancellable. Raises
  /// ESockError PlaintextAfterStartTls, and drops those bytes, when plain
  /// text was received after the reply that granted the upgrade: such bytes
  /// were never the server's to send and must not pass as if they had come
  /// through TLS. A failed or interrupted handshake closes the connection.
  void StartTls();
  /// Whether the connection is encrypted (a handshake has completed).
  bool TlsActive() const;
  /// The protocol version of the last TLS handshake, such as "TLSv1.3".
  /// This and the properties below keep their values until the next
  /// Connect or StartTls, also after a failed handshake when it got as far
  /// as the peer's certificate.
  std::string TlsProtocol() const;
  /// The cipher of the last TLS handshake, such as "TLS_AES_256_GCM_SHA384".
  std::string TlsCipher() const;
  /// The subject of the peer's certificate, such as "CN = localhost".
  std::string PeerSubject() const;
  /// The issuer of the peer's certificate.
  std::string PeerIssuer() const;
  /// The end of the peer certificate's validity (notAfter), such as
  /// "Dec  8 15:39:28 2027 GMT".
  std::string PeerExpiry() const;
  /// The outcome of the certificate check: "ok", or why not, such as
  /// "self-signed certificate" (also when TlsVerify is false).
  std::string TlsVerifyResult() const;

  /// The local machine's address: its first IPv4 address in dotted form, or,
  /// when it has none, its first IPv6 address in text form; empty when the
  /// local name gives no address.
  std::string GetLocalIP();
  /// The address of the peer (resolved host or accepted peer) in text form:
  /// dotted IPv4, or IPv6 text such as "::1"; empty when there is none.
  std::string RemoteAddressText() const;
  /// Whether at least one byte waits: received and not yet read, or in the
  /// socket.
  bool DataAvailable();
  /// Fills RemoteAddress (IPv4) or RemoteAddress6 (IPv6) from Host, or from
  /// OverrideHost when that is not empty.
  void ResolveHost();
  /// The text of a socket error number: the number, ":" and the table's
  /// text; "Unknown Error No. " and the number when the table has none.
  std::string ErrorText(uint16_t errorNumber);
  /// Reads the last socket error into LastError and raises ESockError with
  /// its text unless it is `expected` or 10000 and below. Returns "".
  std::string CheckError(uint16_t expected);
  /// Sets LastStatus to `text` and tells OnStatus, when `level` is at most
  /// ReportLevel.
  void ReportStatus(uint8_t level, std::string_view text);

  /// Arms the time-out for TimeOut milliseconds and clears TimedOut.
  void TimerOn();
  /// Disarms the time-out.
  void TimerOff();
  /// The time-out's tick: sets TimedOut and LookupDone, then Abort.
  void TimerFired(TThreadTimer* sender);

  /// Starts the socket layer (first user only) and makes the first socket.
  void InitWinsock();
  /// Closes the socket and, unless shutting down, makes a fresh one.
  void CloseSocket();
  /// Handles a notification of the hidden window (socket events, look-ups).
  void HandleSocketMessage(uint32_t number, uintptr_t parameter, intptr_t longParameter);

  /// The number of components that hold the socket layer started.
  static int32_t WinsockUsers();

  /// Work area for sending, DataAvailable and host names. Held in the
  /// object, never reallocated.
  std::array<unsigned char, kBufferSize> Buffer{};

  TNotifyEvent OnDataAvailable;     ///< Fired on each read notification.
  TNotifyEvent OnAccept;            ///< Fired on an accept notification.
  TNotifyEvent OnConnect;           ///< Fired when a connection is up.
  TNotifyEvent OnDisconnect;        ///< Fired when the socket has been closed.
  TErrorEvent OnError;              ///< Fired before a socket error is raised.
  THandlerEvent OnInvalidHost;      ///< Asked when Host gives no address.
  TOnHostResolved OnHostResolved;   ///< Fired when a name has been resolved.
  TOnStatus OnStatus;               ///< Receives the status texts.
  TNotifyEvent OnConnectionFailed;  ///< Fired before Connect raises its failure.

  /// The six lines that describe the socket layer; filled only in the
  /// component that started it.
  std::vector<std::string> WinsockInfo;
  bool Canceled = false;                 ///< Set by Cancel; ends the running wait.
  bool ShuttingDown = false;             ///< Set by the destructor.
  int32_t LastError = 0;                 ///< The last socket error number read.
  int32_t TimeOut = 0;                   ///< Limit of each wait in milliseconds; 0 means none.
  int32_t ReportLevel = 1;               ///< Status filter: 0 nothing, 1 replies, 4 more, 8 all.
  std::string LastStatus;                ///< The last status text that passed the filter.
  std::string OverrideHost;              ///< When not empty, used instead of Host.
  int32_t OverridePort = 0;              ///< The port used with OverrideHost (low 16 bits).
  TThreadTimer* TimeOutTimer = nullptr;  ///< The time-out timer; owned.
  bool Succeeded = false;                ///< Whether the last notification had no error.
  bool TimedOut = false;                 ///< Set when the time-out fired.
  int32_t Port = 0;                      ///< The port of Host (low 16 bits).
  bool LookupDone = false;               ///< Set when a look-up (or Accept's wake-up) completed.
  WSAData WinsockData;                   ///< The socket layer's start-up record.
  /// The IPv4 address of the peer; its address is 0 while no IPv4 host is
  /// resolved (also when the peer is an IPv6 one).
  sockaddr_in RemoteAddress{};
  /// The IPv6 address of the peer; its family is AF_INET6 only while the
  /// peer is an IPv6 one, and 0 otherwise.
  sockaddr_in6 RemoteAddress6{};
  std::string Host;  ///< The host: dotted IPv4, IPv6 literal or name.
  /// Receives the result of the background look-up; owned.
  std::unique_ptr<std::array<unsigned char, kHostEntrySize>> HostEntryBuffer;
  std::string Reply;                 ///< The last reply line of Transaction, line end included.
  int16_t ReplyNumber = 0;           ///< The number at the start of Reply.
  TSocket SocketHandle = kNoSocket;  ///< The socket; kNoSocket when none.
  /// The hidden window that receives the notifications.
  std::unique_ptr<toolkit::MessageWindow> WindowHandle;
  bool Connected = false;  ///< Whether a connection is up.

  /// Implicit TLS: Connect also performs the TLS handshake, within the same
  /// TimeOut and cancellable like its wait. Off: plain TCP, as always.
  bool UseTls = false;
  /// A file of PEM certificates to trust besides the system's trust store.
  std::string TlsCaFile;
  /// Whether the peer's certificate must be valid for Host (or
  /// OverrideHost): trusted, unexpired and naming that host or address.
  /// False lets any certificate pass; TlsVerifyResult still tells the
  /// outcome of the check.
  bool TlsVerify = true;

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
  bool HasRemoteAddress() const;
  bool ResolveIPv6Literal(const std::string& name);
  void UseSocketFamily(int family);
  // The places where bytes leave, bytes arrive and a connect completes.
  long SendSome(const unsigned char* data, size_t count);
  long ReceiveSome(unsigned char* data, size_t count);
  void StartConnect();
  // TLS: the session over this component's socket calls, the handshake
  // within the running time-out, and the failure it came to.
  class SocketTransport;
  struct TlsState;
  void BeginTls();
  void EndTls();
  bool DriveHandshake();
  ESockError TlsError() const;
  void CloseAfterFailedHandshake();
  void DiscardWaiting();
  long TlsOutcome(int status, bool sending);
  // Receives into the read-ahead behind the bytes kept (moved to its start
  // first); returns what ReceiveSome returned.
  long ReceiveMore();
  // Waits for the next event instead of receiving, when the last receive
  // emptied the socket and its notifier has seen nothing since; true when
  // it waited.
  bool WaitFirst();

  bool started_ = false;  // holds a user of the socket layer
  bool timeOutDue_ = false;
  bool connectNotified_ = false;
  // Bytes received from the socket and not yet returned by ReadLn: lines
  // are cut from here, so that reading a line costs no system call while
  // whole lines are waiting. Never holds more than one line's room.
  std::array<unsigned char, kBufferSize> readAhead_{};
  size_t readBegin_ = 0;
  size_t readEnd_ = 0;
  // Whether the last plain receive took all that waited (see WaitFirst).
  bool drained_ = false;
  // How long a wait of a read asks without sleeping, and how many waits do
  // without (see WaitFirst).
  static constexpr std::chrono::microseconds kSpin{50};
  int spinBackOff_ = 0;
  int spinSkips_ = 0;
  std::string partialLine_;        // kept when the peer closed mid-line
  std::unique_ptr<TlsState> tls_;  // the session, when there is one, and what it came to
};

}  // namespace Psock

// TPowersock: the socket component. Each operation follows its steps in the
// order the header and the status texts describe; the platform translation
// lives in WinsockShim.
#include "socket/Psock.h"

#include <arpa/inet.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

#include "runtime/Arithmetic.h"
#include "runtime/ScopeExit.h"
#include "socket/TlsSession.h"
#include "socket/WinsockShim.h"
#include "toolkit/Pump.h"

namespace Psock {

namespace {

// The components that hold the socket layer started.
int32_t winsockUsers = 0;

constexpr uint32_t kNoAddress = 0;
constexpr uint32_t kInaddrNone = 0xFFFFFFFFu;
constexpr uint16_t kWinsockVersion = 0x0101;
constexpr size_t kLineRoom = 65536;  // bytes of Buffer a line may take

struct FixedTextEntry {
  SockErrorKind kind;
  const char* text;
};

constexpr FixedTextEntry kFixedTexts[] = {
    {SockErrorKind::WinsockError, ""},
    {SockErrorKind::AlreadyConnected, "Already connected"},
    {SockErrorKind::HostLookupTimedOut, "Host Lookup Timed Out"},
    {SockErrorKind::HostLookupCanceled, "Host Lookup Canceled"},
    {SockErrorKind::HostLookupFailed, "Host Lookup Failed"},
    {SockErrorKind::HostNameTooLong, "Host name too long"},
    {SockErrorKind::NullRemoteAddress, "Null Remote Address"},
    {SockErrorKind::ConnectionTimedOut, "Connection Timed out"},
    {SockErrorKind::ConnectionCanceled, "Connection Canceled"},
    {SockErrorKind::ConnectionFailed, "Connection Failed"},
    {SockErrorKind::AcceptingCanceled, "Accepting Canceled"},
    {SockErrorKind::DataConnectionFailed, "Error creating Data Connection"},
    {SockErrorKind::InitializationFailed, "Initializaton of windows sockets failed"},
    {SockErrorKind::SendAborted, "Socket send aborted"},
    {SockErrorKind::ReadLnAborted, "Socket readln aborted"},
    {SockErrorKind::TlsFailed, ""},
    {SockErrorKind::TlsHandshakeTimedOut, "TLS Handshake Timed out"},
    {SockErrorKind::TlsHandshakeCanceled, "TLS Handshake Canceled"},
    {SockErrorKind::PlaintextAfterStartTls,
     "STARTTLS refused: plain text followed the reply (discarded)"},
    {SockErrorKind::ReadAborted, "Socket read aborted"},
    {SockErrorKind::Caller, ""},
};

struct ErrorEntry {
  uint16_t number;
  const char* text;
};

constexpr ErrorEntry kErrorTable[] = {
    {10004, "Interrupted system call"},
    {10009, "Bad file number"},
    {10013, "Permission denied"},
    {10014, "Bad address"},
    {10022, "Invalid argument"},
    {10024, "Too many open files"},
    {10035, "Operation would block"},
    {10036, "Operation now in progress"},
    {10037, "Operation already in progress"},
    {10038, "Socket operation on non-socket"},
    {10039, "Destination address required"},
    {10040, "Message too long"},
    {10041, "Wrong protocol type for socket"},
    {10042, "Bad protocol option"},
    {10043, "Protocol not supported"},
    {10044, "Socket type not supported"},
    {10045, "Operation not supported on socket"},
    {10046, "Protocol family not supported"},
    {10047, "Address family not supported by protocol family"},
    {10048, "Address already in use"},
    {10049, "Can't assign requested address"},
    {10050, "Network is down"},
    {10051, "Network is unreachable"},
    {10052, "Network dropped connection or reset"},
    {10053, "Software caused connection abort"},
    {10054, "Connection reset by peer"},
    {10055, "No buffer space available"},
    {10056, "Socket is already connected"},
    {10057, "Socket is not connected"},
    {10058, "Can't send after socket shutdown"},
    {10059, "Too many references, can't splice"},
    {10060, "Connection timed out"},
    {10061, "Connection refused"},
    {10062, "Too many levels of symbolic links"},
    {10063, "File name too long"},
    {10064, "Host is down"},
    {10065, "No route to Host"},
    {10066, "Directory not empty"},
    {10067, "Too many processes"},
    {10068, "Too many users"},
    {10069, "Disc quota exceeded"},
    {10070, "Stale NFS file handle"},
    {10071, "Too many levels of remote in path"},
    {10091, "Network subsystem is unavailable"},
    {10092, "Incompatible version of WINSOCK.DLL"},
    {10093, "Successful WSAStartup not yet performed"},
    {11001, "Host not found"},
    {11002, "Non-Authoritative Host not found"},
    {11003, "Non-Recoverable error: FORMERR, REFUSED, NOTIMP"},
    {11004, "Valid name, no data record of requested type"},
};
static_assert(std::size(kErrorTable) == 50);

uint16_t LowWord(intptr_t value) { return static_cast<uint16_t>(value & 0xFFFF); }
uint16_t HighWord(intptr_t value) { return static_cast<uint16_t>((value >> 16) & 0xFFFF); }

// The table text of a socket error number; null when it has none.
const char* TableText(int32_t errorNumber) {
  for (const ErrorEntry& entry : kErrorTable) {
    if (entry.number == errorNumber) return entry.text;
  }
  return nullptr;
}

std::string IPv6Text(const in6_addr& address) {
  char text[INET6_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET6, &address, text, sizeof text);
  return text;
}

// The error number kept in LastError when it is a socket error, else 0.
int32_t SocketErrorOf(int32_t lastError) { return lastError > kWsaBaseError ? lastError : 0; }

}  // namespace

// ---------------------------------------------------------------------------
// Errors

const char* FixedText(SockErrorKind kind) {
  for (const FixedTextEntry& entry : kFixedTexts) {
    if (entry.kind == kind) return entry.text;
  }
  return "";
}

ESockError::ESockError(SockErrorKind kind, int32_t errorNumber)
    : ESockError(kind, FixedText(kind), errorNumber) {}

ESockError::ESockError(SockErrorKind kind, std::string message, int32_t errorNumber)
    : rtl::Exception(std::move(message)), kind_(kind), errorNumber_(errorNumber) {}

ESockError::ESockError(std::string message)
    : ESockError(SockErrorKind::Caller, std::move(message), 0) {}

std::string ErrorReason(int32_t errorNumber) {
  const char* text = TableText(errorNumber);
  return text != nullptr ? text : "";
}

bool MeansConnectionClosed(int32_t errorNumber) {
  return errorNumber == WSAECONNABORTED || errorNumber == WSAECONNRESET ||
         errorNumber == WSAENOTCONN || errorNumber == WSAESHUTDOWN;
}

// ---------------------------------------------------------------------------
// Construction and destruction

// The TLS side of the component: the session while the connection speaks
// TLS (it owns its transport), what the last handshake agreed, and why it
// failed when it did.
struct TPowersock::TlsState {
  std::unique_ptr<TlsSession> session;
  TlsInfo info;
  bool handshaking = false;
  std::string failure;       // why the last handshake failed
  int32_t failureError = 0;  // the socket error behind it, if any

  int TransportError() const { return session ? session->Transport().ErrorNumber() : 0; }
};

TPowersock::TPowersock(toolkit::Component* owner)
    : toolkit::Component(owner), tls_(std::make_unique<TlsState>()) {
  WindowHandle = std::make_unique<toolkit::MessageWindow>([this](const toolkit::Message& message) {
    if (message.number >= SocketMessage && !IsStaleNotification(message.parameter)) {
      HandleSocketMessage(message.number, message.parameter, message.longParameter);
    }
  });
  HostEntryBuffer = std::make_unique<std::array<unsigned char, kHostEntrySize>>();
  TimeOutTimer = new TThreadTimer(this);
  TimeOutTimer->SetEnabled(false);
  TimeOutTimer->SetOnTimer([this](TThreadTimer* sender) { TimerFired(sender); });
  InitWinsock();
}

TPowersock::~TPowersock() {
  MarkDestroying();
  try {
    ReportStatus(8, "Destroy");
    Abort();
    Cancel();
  } catch (...) {
    // Destruction goes on whatever a step raised.
  }
  WinsockInfo.clear();
  delete TimeOutTimer;
  TimeOutTimer = nullptr;
  HostEntryBuffer.reset();
  WindowHandle.reset();  // also detaches the sockets attached to it
  ShuttingDown = true;
  if (started_) {  // not in design mode, and the start-up succeeded
    try {
      CloseSocket();
    } catch (...) {
      // The socket is gone either way.
    }
    if (--winsockUsers == 0) WSACleanup();
  }
}

int32_t TPowersock::WinsockUsers() { return winsockUsers; }

bool TPowersock::DesignMode() const {
  return Designing() || (Owner() != nullptr && Owner()->Designing());
}

void TPowersock::InitWinsock() {
  ReportStatus(8, "Initializing Winsock");
  if (DesignMode()) return;
  if (++winsockUsers == 1) {
    WSAStartup(kWinsockVersion, &WinsockData);
    const auto version = [](uint16_t v) {
      return std::to_string(v >> 8) + "." + std::to_string(v & 0xFF);
    };
    WinsockInfo.push_back("Version= " + version(WinsockData.wVersion));
    WinsockInfo.push_back("High Version= " + version(WinsockData.wHighVersion));
    WinsockInfo.push_back(std::string("Description= ") + WinsockData.szDescription);
    WinsockInfo.push_back(std::string("System= ") + WinsockData.szSystemStatus);
    WinsockInfo.push_back("Max Sockets= " + std::to_string(WinsockData.iMaxSockets));
    WinsockInfo.push_back("Max Udp pack size= " + std::to_string(WinsockData.iMaxUdpDg));
  }
  try {
    SocketHandle = Psock::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (SocketHandle != kNoSocket) SetLinger(SocketHandle, true, 0);
    if (SocketHandle == kNoSocket) CheckError(WSAEWOULDBLOCK);
    if (SocketHandle == kNoSocket) throw ESockError(SockErrorKind::InitializationFailed);
    AttachSocket(SocketHandle);
    started_ = true;
  } catch (...) {
    if (SocketHandle != kNoSocket) Psock::closesocket(SocketHandle);
    SocketHandle = kNoSocket;
    if (--winsockUsers == 0) WSACleanup();
    throw ESockError(SockErrorKind::InitializationFailed);
  }
}

void TPowersock::AttachSocket(TSocket socket) {
  WSAAsyncSelect(socket, WindowHandle.get(), SocketMessage, kSelectEvents);
  // A read notification changes something only for an OnDataAvailable
  // handler, or for Succeeded after a failed notification; else the event
  // loop is spared it (the waits read the socket themselves).
  SetReadInterest(socket, [this] { return static_cast<bool>(OnDataAvailable) || !Succeeded; });
  drained_ = false;
}

// ---------------------------------------------------------------------------
// Status, errors and the time-out

void TPowersock::ReportStatus(uint8_t level, std::string_view text) {
  if (level > ReportLevel) return;
  try {
    LastStatus.assign(text);
    if (!Destroying() && OnStatus) OnStatus(this, LastStatus);
  } catch (...) {
    // A failing status handler must not disturb the operation it watches.
  }
}

std::string TPowersock::ErrorText(uint16_t errorNumber) {
  ReportStatus(8, "Looking Up Error Message");
  if (errorNumber == 0) return {};
  if (const char* text = TableText(errorNumber)) return std::to_string(errorNumber) + ":" + text;
  return "Unknown Error No. " + std::to_string(errorNumber);
}

std::string TPowersock::CheckError(uint16_t expected) {
  const int error = WSAGetLastError();
  LastError = error;
  if (error != expected && error > kWsaBaseError) {
    const uint16_t number = static_cast<uint16_t>(error);
    std::string text = ErrorText(number);
    if (OnError) OnError(this, number, text);
    throw ESockError(SockErrorKind::WinsockError, std::move(text), error);
  }
  return {};
}

void TPowersock::TimerOn() {
  StartTimeOut();
  ArmTimeOut();
}

void TPowersock::StartTimeOut() {
  ReportStatus(8, "Timer On");
  TimedOut = false;
  TimeOutTimer->SetInterval(rtl::RangeChecked<uint32_t>(TimeOut));
  timeOutDue_ = true;
}

void TPowersock::ArmTimeOut() {
  if (!timeOutDue_) return;
  timeOutDue_ = false;
  TimeOutTimer->SetEnabled(true);
}

void TPowersock::TimerOff() {
  ReportStatus(8, "Timer Off");
  timeOutDue_ = false;
  TimeOutTimer->SetEnabled(false);
}

void TPowersock::TimerFired(TThreadTimer* /*sender*/) {
  ReportStatus(8, "Timer Triggered");
  TimerOff();
  TimedOut = true;
  LookupDone = true;
  Abort();
}

void TPowersock::Abort() {
  ReportStatus(8, "Abort");
  Cancel();
}

void TPowersock::Cancel() {
  ReportStatus(8, "Canceling");
  Canceled = true;
}

void TPowersock::Pump() {
  ArmTimeOut();
  toolkit::ProcessMessages();
}

void TPowersock::Idle() {
  ArmTimeOut();
  toolkit::WaitForMessages(std::chrono::milliseconds(2));
}

// ---------------------------------------------------------------------------
// Notifications

void TPowersock::HandleSocketMessage(uint32_t number, uintptr_t /*parameter*/,
                                     intptr_t longParameter) {
  try {
    const uint16_t event = LowWord(longParameter);
    const uint16_t error = HighWord(longParameter);
    Succeeded = error == 0;
    // Keep the reason of a failed notification, such as a refused connection
    // or an unknown host, where callers can read it.
    if (error != 0 && number <= LookupMessage) LastError = error;
    if (number == SocketMessage) {
      switch (event) {
        case FD_READ:
          if (OnDataAvailable) OnDataAvailable(this);
          break;
        case FD_ACCEPT:
          Connected = true;
          if (OnAccept) OnAccept(this);
          break;
        case FD_CONNECT:
          if (Succeeded) {
            Connected = true;
            connectNotified_ = true;
            if (OnConnect) OnConnect(this);
          }
          break;
        case FD_CLOSE:
          // A running TLS handshake meets the end itself and says why.
          if (tls_->handshaking) break;
          if (!DataAvailable()) CloseSocket();
          break;
        default:
          break;
      }
    } else if (number == LookupMessage) {
      LookupDone = true;
      if (event == FD_ACCEPT) {
        Connected = true;
        if (!Destroying() && OnDisconnect) OnDisconnect(this);
      }
    }
  } catch (...) {
    // Notifications arrive from the event loop; nothing may escape into it.
  }
}

// ---------------------------------------------------------------------------
// Resolving and connecting

void TPowersock::ResolveHost() {
  ReportStatus(8, "Resolve Host");
  const std::string& name = OverrideHost.empty() ? Host : OverrideHost;
  if (name.size() >= kLineRoom + 1) throw ESockError(SockErrorKind::HostNameTooLong);
  std::memcpy(Buffer.data(), name.data(), name.size());
  Buffer[name.size()] = 0;
  const char* text = reinterpret_cast<const char*>(Buffer.data());

  RemoteAddress6 = sockaddr_in6{};
  RemoteAddress.sin_addr.s_addr = Psock::inet_addr(text);
  if (RemoteAddress.sin_addr.s_addr != kInaddrNone) return;  // a dotted address
  RemoteAddress.sin_addr.s_addr = kNoAddress;
  if (ResolveIPv6Literal(name)) return;

  StartTimeOut();
  {
    rtl::ScopeExit timerOff([this] { TimerOff(); });
    LookupDone = false;
    WSAAsyncGetHostByName(WindowHandle.get(), LookupMessage, text, HostEntryBuffer->data());
    do {
      Idle();
    } while (!LookupDone && !TimedOut && !Canceled);
  }

  if (TimedOut) throw ESockError(SockErrorKind::HostLookupTimedOut);
  if (Canceled) throw ESockError(SockErrorKind::HostLookupCanceled);
  if (!Succeeded) throw ESockError(SockErrorKind::HostLookupFailed, SocketErrorOf(LastError));
  const unsigned char* entry = HostEntryBuffer->data();
  std::memcpy(&RemoteAddress.sin_addr.s_addr, entry + kHostEntryIPv4, 4);
  if (RemoteAddress.sin_addr.s_addr == kNoAddress) {  // the name has IPv6 addresses only
    RemoteAddress6.sin6_family = AF_INET6;
    std::memcpy(&RemoteAddress6.sin6_addr, entry + kHostEntryIPv6, 16);
  }
  if (OnHostResolved) OnHostResolved(this);
}

bool TPowersock::ResolveIPv6Literal(const std::string& name) {
  sockaddr_in6 address{};
  if (!ParseIPv6Literal(WithoutBrackets(name), &address)) return false;
  RemoteAddress6 = address;
  return true;
}

bool TPowersock::HasRemoteAddress() const {
  return RemoteAddress.sin_addr.s_addr != kNoAddress || RemoteAddress6.sin6_family == AF_INET6;
}

void TPowersock::Connect() {
  ReportStatus(8, "Connecting");
  Canceled = false;
  partialLine_.clear();  // it belonged to the connection before
  if (Connected) throw ESockError(SockErrorKind::AlreadyConnected);

  int32_t lookupError = 0;
  for (int tries = 0;; ++tries) {
    try {
      ResolveHost();
    } catch (const ESockError& error) {
      const SockErrorKind kind = error.Kind();
      if (kind == SockErrorKind::HostLookupTimedOut || kind == SockErrorKind::HostLookupCanceled ||
          kind == SockErrorKind::HostNameTooLong) {
        throw;
      }
      // Any other failure leaves the address at 0.
      lookupError = error.ErrorNumber();
    }
    if (HasRemoteAddress()) break;
    if (tries > 0 || !OnInvalidHost)
      throw ESockError(SockErrorKind::NullRemoteAddress, lookupError);
    bool handled = false;
    OnInvalidHost(handled);
    if (!handled) throw ESockError(SockErrorKind::NullRemoteAddress, lookupError);
  }

  const int32_t port = OverrideHost.empty() ? Port : OverridePort;
  const uint16_t networkPort = htons(static_cast<uint16_t>(port & 0xFFFF));
  RemoteAddress.sin_family = AF_INET;
  RemoteAddress.sin_port = networkPort;
  if (RemoteAddress6.sin6_family == AF_INET6) RemoteAddress6.sin6_port = networkPort;
  LookupDone = false;
  Succeeded = true;
  connectNotified_ = false;
  drained_ = false;
  *tls_ = {};  // of an earlier attempt that never connected
  StartConnect();
  // The session exists from here on, so that even bytes that an OnConnect
  // handler sends go through TLS.
  if (UseTls) BeginTls();

  StartTimeOut();
  bool established = false;
  {
    rtl::ScopeExit timerOff([this] { TimerOff(); });
    // A peer that closes at once may have its close handled in the same
    // pump as the connection: the connect notification still ends the wait.
    while (!Connected && !connectNotified_ && !TimedOut && !Canceled && Succeeded) Idle();
    // The handshake runs within the same time-out.
    if (UseTls && !TimedOut && !Canceled && Succeeded) established = DriveHandshake();
  }
  if (!TimedOut && !Canceled && Succeeded && (!UseTls || established)) return;

  if (OnConnectionFailed) OnConnectionFailed(this);
  if (UseTls) CloseAfterFailedHandshake();
  if (!tls_->failure.empty()) throw TlsError();
  if (TimedOut) throw ESockError(SockErrorKind::ConnectionTimedOut);
  if (Canceled) throw ESockError(SockErrorKind::ConnectionCanceled);
  throw ESockError(SockErrorKind::ConnectionFailed, SocketErrorOf(LastError));
}

void TPowersock::StartConnect() {
  const bool ipv6 = RemoteAddress6.sin6_family == AF_INET6;
  UseSocketFamily(ipv6 ? AF_INET6 : AF_INET);
  const int result = ipv6 ? Psock::connect(SocketHandle, RemoteAddress6)
                          : Psock::connect(SocketHandle, RemoteAddress);
  if (result == -1) CheckError(WSAEWOULDBLOCK);  // the usual "would block" passes
}

void TPowersock::UseSocketFamily(int family) {
  // The socket is not connected here (Connect refuses a second connect), so
  // it can be exchanged for one of the family of the address.
  if (SocketHandle == kNoSocket || SocketFamily(SocketHandle) == family) return;
  const TSocket fresh = ReopenSocket(SocketHandle, family);
  if (fresh == kNoSocket) {
    CheckError(WSAEWOULDBLOCK);
    return;
  }
  SocketHandle = fresh;
  DropReceived();
  AttachSocket(SocketHandle);
}

void TPowersock::Disconnect() {
  ReportStatus(8, "Disconnecting");
  CloseSocket();
}

void TPowersock::CloseSocket() {
  ReportStatus(4, "Request Close Socket");
  Connected = false;
  if (SocketHandle == kNoSocket) return;
  EndTls();
  if (Psock::closesocket(SocketHandle) != 0) {
    CheckError(WSAEWOULDBLOCK);
    return;
  }
  // The closed handle is never used again, even when OnDisconnect raises:
  // the system may hand the same number out for something else.
  SocketHandle = kNoSocket;
  DropReceived();
  if (ShuttingDown) {
    if (!Destroying() && OnDisconnect) OnDisconnect(this);
    return;
  }
  try {
    if (!Destroying() && OnDisconnect) OnDisconnect(this);
  } catch (...) {
    MakeFreshSocket();
    throw;
  }
  MakeFreshSocket();
}

void TPowersock::MakeFreshSocket() {
  // No linger option: closing this one later is the ordinary close.
  SocketHandle = Psock::socket(AF_INET, SOCK_STREAM, 0);
  if (SocketHandle == kNoSocket) {
    CheckError(WSAEWOULDBLOCK);
    return;
  }
  AttachSocket(SocketHandle);
}

TSocket TPowersock::Accept() {
  ReportStatus(4, "Accepting");
  while (!LookupDone && !Canceled) Idle();
  if (Canceled) throw ESockError(SockErrorKind::AcceptingCanceled);
  if (!Succeeded) throw ESockError(SockErrorKind::DataConnectionFailed);
  sockaddr_storage peer{};
  const TSocket socket = Psock::accept(SocketHandle, &peer);
  if (socket == kNoSocket) CheckError(WSAEWOULDBLOCK);
  if (socket == kNoSocket) throw ESockError(SockErrorKind::DataConnectionFailed);
  AttachSocket(socket);
  RemoteAddress = sockaddr_in{};
  RemoteAddress6 = sockaddr_in6{};
  if (peer.ss_family == AF_INET6) {
    std::memcpy(&RemoteAddress6, &peer, sizeof RemoteAddress6);
  } else {
    std::memcpy(&RemoteAddress, &peer, sizeof RemoteAddress);
  }
  return socket;
}

// ---------------------------------------------------------------------------
// Sending

void TPowersock::SendBuffer(const void* data, uint16_t count) {
  ReportStatus(4, "Sending Buffer");
  StartTimeOut();  // the send never pumps, so no tick can come before TimerOff
  rtl::ScopeExit timerOff([this] { TimerOff(); });
  if (!Canceled) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t total = count;
    if (total == 0 && bytes != nullptr) {
      // The scan stops where the range error applies anyway: at 65,536
      // bytes without a zero.
      total =
          rtl::RangeChecked<uint16_t>(::strnlen(reinterpret_cast<const char*>(bytes), kLineRoom));
    }
    size_t remaining = total;
    while (remaining > 0 && !Canceled) {
      const long sent = SendSome(bytes + (total - remaining), remaining);
      if (sent == 0) break;
      if (sent < 0) {
        CheckError(WSAEWOULDBLOCK);  // raises unless the send would block
        // Retried as soon as the socket takes data again (neither pumping
        // nor spinning).
        WaitUntilWritable(SocketHandle, 2);
        continue;
      }
      remaining -= static_cast<size_t>(sent);
    }
  }
  if (Canceled) {
    Canceled = false;
    throw EAbortError(SockErrorKind::SendAborted);
  }
}

long TPowersock::SendSome(const unsigned char* data, size_t count) {
  if (!tls_->session) return Psock::send(SocketHandle, data, count);
  size_t sent = 0;
  const TlsStatus status = tls_->session->Write(data, count, sent);
  return status == TlsStatus::Done ? static_cast<long>(sent)
                                   : TlsOutcome(static_cast<int>(status), true);
}

void TPowersock::Write(const std::string& text) {
  ReportStatus(8, "Write");
  const size_t length = std::min(text.size(), kLineRoom);
  std::memcpy(Buffer.data(), text.data(), length);
  Buffer[length] = 0;
  SendBuffer(Buffer.data(), 0);
}

void TPowersock::Writeln(const std::string& text) {
  ReportStatus(8, "Writeln");
  Write(text + "\r\n");
}

// ---------------------------------------------------------------------------
// Reading

std::string TPowersock::ReadLn() {
  ReportStatus(8, "ReadLn");
  StartTimeOut();
  rtl::ScopeExit timerOff([this] { TimerOff(); });
  for (;;) {
    // A whole line among the bytes received is the result, unless the read
    // is canceled, which leaves it waiting for the next ReadLn.
    const unsigned char* begin = readAhead_.data() + readBegin_;
    const size_t waiting = readEnd_ - readBegin_;
    const void* lineFeed = std::memchr(begin, '\n', waiting);
    if (lineFeed != nullptr) {
      if (Canceled) break;
      // Copied as chars, in one piece: a range of unsigned chars would be
      // copied byte by byte through a temporary string.
      const size_t length = static_cast<const unsigned char*>(lineFeed) + 1 - begin;
      std::string line(reinterpret_cast<const char*>(begin), length);
      readBegin_ += length;
      if (readBegin_ == readEnd_) readBegin_ = readEnd_ = 0;
      return line;
    }
    if (waiting == kLineRoom) {
      DropReceived();  // 65,536 bytes without a line feed
      throw rtl::ERangeError();
    }
    if (WaitFirst()) {
      if (Canceled) break;
      continue;
    }
    const long n = ReceiveMore();
    if (n == 0) {  // the peer has closed: no line, but the bytes are kept
      partialLine_.assign(reinterpret_cast<const char*>(readAhead_.data()), readEnd_);
      DropReceived();
      return {};
    }
    if (n < 0) {
      LastError = WSAGetLastError();
      if (LastError == WSAENOTCONN) return {};  // no connection: no line
      CheckError(WSAEWOULDBLOCK);               // raises unless the receive would block
      Idle();                                   // nothing waits yet: wait for the next event
    } else {
      const bool complete = std::memchr(readAhead_.data() + readEnd_, '\n', n) != nullptr;
      readEnd_ += static_cast<size_t>(n);
      if (complete) continue;
      Pump();
    }
    if (Canceled) break;
  }
  Canceled = false;
  throw EAbortError(SockErrorKind::ReadLnAborted);
}

long TPowersock::ReceiveMore() {
  if (readBegin_ > 0) {  // make room behind the bytes kept
    const size_t waiting = readEnd_ - readBegin_;
    std::memmove(readAhead_.data(), readAhead_.data() + readBegin_, waiting);
    readEnd_ = waiting;
    readBegin_ = 0;
  }
  return ReceiveSome(readAhead_.data() + readEnd_, kLineRoom - readEnd_);
}

std::string TPowersock::ReadBytes(size_t count) {
  ReportStatus(8, "ReadBytes");
  if (count > kMaxRead) throw rtl::ERangeError();
  StartTimeOut();
  rtl::ScopeExit timerOff([this] { TimerOff(); });
  for (;;) {
    const size_t waiting = readEnd_ - readBegin_;
    if (waiting >= count) {
      if (Canceled) break;
      std::string bytes(reinterpret_cast<const char*>(readAhead_.data() + readBegin_), count);
      readBegin_ += count;
      if (readBegin_ == readEnd_) readBegin_ = readEnd_ = 0;
      return bytes;
    }
    if (WaitFirst()) {
      if (Canceled) break;
      continue;
    }
    const long n = ReceiveMore();
    if (n == 0) {  // the peer has closed: what it sent is all there is
      std::string bytes(reinterpret_cast<const char*>(readAhead_.data() + readBegin_), waiting);
      DropReceived();
      return bytes;
    }
    if (n < 0) {
      LastError = WSAGetLastError();
      if (LastError == WSAENOTCONN) {
        std::string bytes(reinterpret_cast<const char*>(readAhead_.data() + readBegin_), waiting);
        DropReceived();
        return bytes;
      }
      CheckError(WSAEWOULDBLOCK);  // raises unless the receive would block
      Idle();
    } else {
      readEnd_ += static_cast<size_t>(n);
      if (readEnd_ - readBegin_ >= count) continue;
      Pump();
    }
    if (Canceled) break;
  }
  Canceled = false;
  throw EAbortError(SockErrorKind::ReadAborted);
}

bool TPowersock::WaitFirst() {
  // Over TLS the session may hold decrypted bytes that the socket does not
  // show: it is always asked first.
  if (!drained_ || tls_->session || ReadableSeen(SocketHandle)) return false;
  if (OnDataAvailable || !Succeeded) {
    // Read notifications are watched: the wait goes through them.
    drained_ = false;
    Idle();
    return true;
  }
  // Nobody watches read notifications: the wait is on the socket itself, at
  // most 2 ms at a time, and the event queue is pumped between two waits, so
  // that a time-out, Cancel or other events are handled as in any wait. The
  // receive follows the moment bytes (or the peer's end) are there.
  //
  // A peer that answers within microseconds (a server on this machine, on
  // another processor) is met by asking without sleeping first, which spares
  // the wake-up from a sleep. Each time that this fails the next tries are
  // put off for twice as many waits (up to 512), so that a slower peer, or a
  // busy machine, costs almost nothing.
  ArmTimeOut();
  bool ready = false;
  if (spinSkips_ > 0) {
    --spinSkips_;
  } else if (SpinUntilReadable(SocketHandle, kSpin)) {
    ready = true;
    spinBackOff_ = 0;
  } else {
    spinBackOff_ = std::clamp(spinBackOff_ * 2, 8, 512);
    spinSkips_ = spinBackOff_;
  }
  if (!ready) ready = WaitUntilReadable(SocketHandle, 2);
  if (!ready) {
    Pump();
    return true;
  }
  drained_ = false;
  return true;
}

long TPowersock::ReceiveSome(unsigned char* data, size_t count) {
  if (!tls_->session) {
    const long n = Psock::recv(SocketHandle, data, count, /*peek=*/false);
    // Fewer bytes than there was room for: the socket had no more just now,
    // so the next read waits for the socket before it asks again (the
    // receive that would only say "would block" is spared).
    drained_ = n > 0 && static_cast<size_t>(n) < count;
    return n;
  }
  size_t received = 0;
  const TlsStatus status = tls_->session->Read(data, count, received);
  return status == TlsStatus::Done ? static_cast<long>(received)
                                   : TlsOutcome(static_cast<int>(status), false);
}

std::string TPowersock::TakePartialLine() { return std::exchange(partialLine_, {}); }

void TPowersock::DropReceived() { readBegin_ = readEnd_ = 0; }

bool TPowersock::DataAvailable() {
  ReportStatus(8, "Data Available");
  if (readEnd_ > readBegin_) return true;  // received, not yet read
  if (!tls_->session) {
    if (Psock::recv(SocketHandle, Buffer.data(), 1, /*peek=*/true) < 1) return false;
    drained_ = false;  // the next read takes these bytes at once
    return true;
  }
  // Over TLS only decrypting tells whether bytes of the peer wait (the
  // socket may hold a record of the protocol alone). What it yields goes to
  // the read-ahead, where the next ReadLn finds it.
  readBegin_ = readEnd_ = 0;
  try {
    const long n = ReceiveSome(readAhead_.data(), kLineRoom);
    if (n > 0) readEnd_ = static_cast<size_t>(n);
  } catch (const ESockError&) {
    // A broken session has nothing to offer; the next ReadLn raises.
  }
  return readEnd_ > 0;
}

std::string TPowersock::Transaction(const std::string& command) {
  ReportStatus(8, "Transaction");
  ReplyNumber = 0;
  Writeln(command);
  Reply = ReadLn();
  if (!Reply.empty()) {
    ReportStatus(1, Reply);
    const std::string_view digits = LeadingDigits(Reply);
    if (!digits.empty()) {
      const long long value = std::stoll(std::string(digits));
      const int32_t number = std::in_range<int32_t>(value) ? static_cast<int32_t>(value) : 0;
      ReplyNumber = rtl::RangeChecked<int16_t>(number);
    }
  }
  return Reply;
}

// ---------------------------------------------------------------------------
// TLS

// The session's encrypted bytes go through the component's own socket
// calls, which keep the read notifications coming. A failed call keeps its
// socket error number for the component to report as for a plain socket.
class TPowersock::SocketTransport : public TlsTransport {
 public:
  explicit SocketTransport(TPowersock& owner) : owner_(owner) {}

  long Receive(void* data, size_t count) override {
    return Outcome(Psock::recv(owner_.SocketHandle, data, count, /*peek=*/false));
  }
  long Send(const void* data, size_t count) override {
    return Outcome(Psock::send(owner_.SocketHandle, data, count));
  }
  std::string BrokenReason() const override { return owner_.ErrorText(error_); }
  int ErrorNumber() const override { return error_; }

 private:
  long Outcome(long n) {
    if (n >= 0) return n;
    const int error = WSAGetLastError();
    if (error == WSAEWOULDBLOCK) return kWouldBlock;
    error_ = error;
    return kBroken;
  }

  TPowersock& owner_;
  int error_ = 0;
};

void TPowersock::BeginTls() {
  TlsOptions options;
  options.serverName = OverrideHost.empty() ? Host : OverrideHost;
  options.caFile = TlsCaFile;
  options.verify = TlsVerify;
  tls_->session = std::make_unique<TlsSession>(std::make_unique<SocketTransport>(*this), options);
}

void TPowersock::EndTls() {
  if (!tls_->session) return;
  tls_->session->Shutdown();  // close_notify; the peer's answer is not waited for
  tls_->session.reset();
}

bool TPowersock::TlsActive() const { return tls_->session && tls_->session->Established(); }
std::string TPowersock::TlsProtocol() const { return tls_->info.protocol; }
std::string TPowersock::TlsCipher() const { return tls_->info.cipher; }
std::string TPowersock::PeerSubject() const { return tls_->info.subject; }
std::string TPowersock::PeerIssuer() const { return tls_->info.issuer; }
std::string TPowersock::PeerExpiry() const { return tls_->info.expiry; }
std::string TPowersock::TlsVerifyResult() const { return tls_->info.verifyResult; }

// Runs the handshake until it is over, or the running wait is timed out or
// canceled. A failure leaves its reason in tls_->failure.
bool TPowersock::DriveHandshake() {
  ReportStatus(8, "TLS Handshake");
  TlsState& tls = *tls_;
  tls.failure.clear();
  tls.failureError = 0;
  tls.handshaking = true;
  rtl::ScopeExit over([&tls] { tls.handshaking = false; });
  for (;;) {
    if (!tls.session) {  // the peer closed, and the close was handled in a pump
      tls.failure = "Connection closed during the TLS handshake";
      return false;
    }
    const TlsStatus status = tls.session->Handshake();
    if (status == TlsStatus::Done) {
      tls.info = tls.session->Info();
      ReportStatus(8, "TLS Established");
      return true;
    }
    if (status == TlsStatus::Failed || status == TlsStatus::Closed) {
      tls.info = tls.session->Info();
      tls.failureError = tls.TransportError();
      tls.failure = tls.failureError != 0 ? ErrorText(static_cast<uint16_t>(tls.failureError))
                                          : tls.session->FailureReason();
      if (tls.failure.empty()) tls.failure = "Connection closed during the TLS handshake";
      return false;
    }
    if (TimedOut || Canceled) return false;
    if (status == TlsStatus::WantWrite) {
      WaitUntilWritable(SocketHandle, 2);
      Pump();
    } else {
      Idle();  // the read notification ends the wait
    }
    if (TimedOut || Canceled) return false;
  }
}

ESockError TPowersock::TlsError() const {
  if (tls_->failureError != 0) {
    return ESockError(SockErrorKind::WinsockError, tls_->failure, tls_->failureError);
  }
  return ESockError(SockErrorKind::TlsFailed, tls_->failure, 0);
}

// A connection whose handshake did not complete is of no use: it is closed,
// and the component gets a fresh socket as after Disconnect.
void TPowersock::CloseAfterFailedHandshake() {
  tls_->session.reset();  // nothing to shut down: the session was never established
  if (!Connected) return;
  try {
    CloseSocket();
  } catch (...) {
    // The failure of the handshake is what the caller must hear about.
  }
}

// What SendSome and ReceiveSome return for a step that moved nothing: -1
// with the last error set, or 0 for a peer that has ended the session.
long TPowersock::TlsOutcome(int step, bool sending) {
  switch (static_cast<TlsStatus>(step)) {
    case TlsStatus::Done:
      return 0;
    case TlsStatus::Closed:
      if (!sending) return 0;
      WSASetLastError(WSAENOTCONN);
      return -1;
    case TlsStatus::WantRead:
      // The caller waits for the socket to take data again, or for the
      // next notification: bound that by the readiness OpenSSL waits for.
      if (sending) WaitUntilReadable(SocketHandle, 2);
      break;
    case TlsStatus::WantWrite:
      if (!sending) WaitUntilWritable(SocketHandle, 2);
      break;
    case TlsStatus::Failed:
      if (const int error = tls_->TransportError(); error != 0) {
        WSASetLastError(error);  // reported as for a plain socket
        return -1;
      }
      throw ESockError(SockErrorKind::TlsFailed, tls_->session->FailureReason(), 0);
  }
  WSASetLastError(WSAEWOULDBLOCK);
  return -1;
}

void TPowersock::StartTls() {
  ReportStatus(8, "StartTls");
  Canceled = false;
  if (!Connected)
    throw ESockError(SockErrorKind::WinsockError, ErrorText(WSAENOTCONN), WSAENOTCONN);
  if (tls_->session) throw ESockError(SockErrorKind::TlsFailed, "TLS is already active", 0);
  if (TlsSession::PlaintextAhead(SocketHandle, readEnd_ - readBegin_) > 0) {
    DropReceived();
    partialLine_.clear();
    DiscardWaiting();
    throw ESockError(SockErrorKind::PlaintextAfterStartTls);
  }
  tls_->info = {};
  BeginTls();
  StartTimeOut();
  bool established = false;
  {
    rtl::ScopeExit timerOff([this] { TimerOff(); });
    established = DriveHandshake();
  }
  if (established) return;
  CloseAfterFailedHandshake();
  if (!tls_->failure.empty()) throw TlsError();
  if (TimedOut) throw ESockError(SockErrorKind::TlsHandshakeTimedOut);
  throw ESockError(SockErrorKind::TlsHandshakeCanceled);
}

// Drops what waits in the socket now; a peer that keeps sending cannot hold
// the call for longer than a few reads.
void TPowersock::DiscardWaiting() {
  for (int reads = 0; reads < 16; ++reads) {
    if (Psock::recv(SocketHandle, Buffer.data(), kLineRoom, /*peek=*/false) <= 0) return;
  }
}

// ---------------------------------------------------------------------------
// The local address

std::string TPowersock::GetLocalIP() {
  ReportStatus(8, "Getting Local IP");
  const std::string name = LocalHostName();
  const uint32_t address = LookupFirstIPv4(name);
  if (address != 0) {
    unsigned char b[4];
    std::memcpy(b, &address, 4);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
    return text;
  }
  in6_addr address6{};
  if (LookupFirstIPv6(name, &address6)) return IPv6Text(address6);
  return {};  // no address for the local name
}

std::string TPowersock::RemoteAddressText() const {
  if (RemoteAddress6.sin6_family == AF_INET6) return IPv6Text(RemoteAddress6.sin6_addr);
  if (RemoteAddress.sin_addr.s_addr == kNoAddress) return {};
  char text[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, &RemoteAddress.sin_addr, text, sizeof text);
  return text;
}

}  // namespace Psock

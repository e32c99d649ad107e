#include "socket/WinsockShim.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <QPointer>
#include <QSocketNotifier>
#include <QUrl>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "toolkit/MessageWindow.h"

namespace Psock {

static_assert(sizeof(uintptr_t) == 8, "notification parameters carry a serial number");

namespace {

thread_local int lastError = 0;

// Values without a Windows Sockets counterpart become this plus errno, which
// no error table names.
constexpr int kUnnamedErrorBase = 10100;

struct ErrnoEntry {
  int posix;
  int winsock;
};

// errno values and the Windows Sockets numbers that stand for them.
constexpr ErrnoEntry kErrnoTable[] = {
    {EINTR, 10004},        {EBADF, 10009},           {EACCES, 10013},
    {EFAULT, 10014},       {EINVAL, 10022},          {EMFILE, 10024},
    {ENFILE, 10024},       {EWOULDBLOCK, 10035},  // the same value as EAGAIN here
    {EINPROGRESS, 10035},  {EALREADY, 10037},        {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},        {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043}, {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},   {ENETDOWN, 10050},
    {ENETUNREACH, 10051},  {ENETRESET, 10052},       {ECONNABORTED, 10053},
    {ECONNRESET, 10054},   {ENOBUFS, 10055},         {ENOMEM, 10055},
    {EISCONN, 10056},      {ENOTCONN, 10057},        {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059}, {ETIMEDOUT, 10060},       {ECONNREFUSED, 10061},
    {ELOOP, 10062},        {ENAMETOOLONG, 10063},    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, 10065}, {ENOTEMPTY, 10066},       {EUSERS, 10068},
    {EDQUOT, 10069},       {ESTALE, 10070},          {EREMOTE, 10071},
};

int Fail(int posixError) {
  lastError = TranslateErrno(posixError);
  return -1;
}

// ---------------------------------------------------------------------------
// Notifications: one Selection per attached socket.

// Watches one socket with two QSocketNotifiers and turns what they see into
// Windows Sockets notifications. The read notifier is level-triggered, so it
// is switched off as soon as a notification has been posted and switched on
// again by the call that re-enables that notification (recv, accept).
class Selection : public QObject {
 public:
  Selection(int fd, toolkit::MessageWindow* window, uint32_t message, uint16_t events)
      : QObject(window),
        fd_(fd),
        window_(window),
        message_(message),
        events_(events),
        read_(fd, QSocketNotifier::Read),
        write_(fd, QSocketNotifier::Write) {
    write_.setEnabled(false);
    QObject::connect(&read_, &QSocketNotifier::activated, this, [this] { ReadActivated(); });
    QObject::connect(&write_, &QSocketNotifier::activated, this, [this] { WriteActivated(); });
    read_.setEnabled((events_ & (FD_READ | FD_ACCEPT | FD_CLOSE | FD_OOB)) != 0);
  }
  ~Selection() override;

  int Fd() const { return fd_; }
  uint32_t Serial() const { return serial_; }

  // A recv (peek or not) re-enables FD_READ. Bytes received prove a peer:
  // such a socket can never listen.
  void Received(bool gotBytes) {
    readPosted_ = false;
    readable_ = false;
    if (gotBytes) connected_ = true;
    WatchReads();
  }
  // Whether the read notifier has seen bytes (or the peer's end) waiting
  // since the last recv.
  bool Readable() const { return readable_; }
  void SetReadInterest(std::function<bool()> wanted) { readWanted_ = std::move(wanted); }
  // An accept re-enables FD_ACCEPT.
  void Accepted() {
    acceptPosted_ = false;
    WatchReads();
  }
  // A connect is under way (or has just succeeded): FD_CONNECT follows.
  // While it runs, only its outcome is reported: a refused connection is an
  // FD_CONNECT with an error, not a close.
  void ConnectStarted() {
    if ((events_ & FD_CONNECT) == 0) return;
    connecting_ = true;
    read_.setEnabled(false);
    write_.setEnabled(true);
  }

 private:
  void WatchReads() {
    if (connecting_) return;
    if ((events_ & (FD_READ | FD_ACCEPT | FD_CLOSE)) != 0 && !read_.isEnabled()) {
      read_.setEnabled(true);
    }
  }

  // The parameter is the socket, with this selection's serial number above
  // it, so that a message still queued when the socket is closed can be
  // told from one about a new socket under the same number.
  void Post(uint16_t event, uint16_t error) {
    const uintptr_t parameter = static_cast<uintptr_t>(fd_) | (uintptr_t{serial_} << 32);
    window_->Post(message_, parameter, MakeSelectParameter(event, error));
  }

  bool HasPeer() const {
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    return ::getpeername(fd_, reinterpret_cast<sockaddr*>(&peer), &length) == 0;
  }

  bool Listening() const {
    int value = 0;
    socklen_t length = sizeof value;
    return ::getsockopt(fd_, SOL_SOCKET, SO_ACCEPTCONN, &value, &length) == 0 && value != 0;
  }

  void ReadActivated() {
    if (!connected_ && Listening()) {
      if ((events_ & FD_ACCEPT) != 0 && !acceptPosted_) {
        acceptPosted_ = true;
        Post(FD_ACCEPT, 0);
      }
      read_.setEnabled(false);  // until the next accept
      return;
    }
    pollfd probe{fd_, static_cast<short>(POLLIN | POLLRDHUP), 0};
    if (::poll(&probe, 1, 0) < 0) return;
    const bool peerGone = (probe.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
    int waiting = 0;
    if (connected_ && !peerGone && (probe.revents & POLLIN) != 0) {
      // The usual case, a connection with bytes waiting: a connected stream
      // socket whose peer has not ended reads as readable only then.
      waiting = 1;
    } else {
      if (::ioctl(fd_, FIONREAD, &waiting) != 0) waiting = 0;
      if (waiting == 0 && (probe.revents & POLLERR) == 0 && !HasPeer()) {
        // A socket that was never connected reads as hung up: nothing to say.
        read_.setEnabled(false);
        return;
      }
    }
    if (waiting > 0 || peerGone) readable_ = true;

    if (waiting > 0 && (events_ & FD_READ) != 0 && !readPosted_) {
      // A notification that nobody would see is skipped, as if it had been
      // posted and handled: the next one still follows the next recv.
      readPosted_ = true;
      if (!readWanted_ || readWanted_()) Post(FD_READ, 0);
    }
    if (peerGone && !closePosted_ && (events_ & FD_CLOSE) != 0) {
      closePosted_ = true;
      // A pending socket error means an abortive close. Its number stays
      // pending, so that the next recv or send reports it.
      Post(FD_CLOSE, (probe.revents & POLLERR) != 0 ? WSAECONNRESET : 0);
    }
    // Keep watching only while nothing is waiting that a call must collect
    // first; otherwise the level-triggered notifier would fire on and on.
    if (waiting > 0 || peerGone) read_.setEnabled(false);
  }

  void WriteActivated() {
    write_.setEnabled(false);
    connecting_ = false;
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    Post(FD_CONNECT, error == 0 ? 0 : static_cast<uint16_t>(TranslateErrno(error)));
    if (error == 0) {
      connected_ = true;
      WatchReads();
    }
  }

  static inline uint32_t lastSerial_ = 0;
  int fd_;
  uint32_t serial_ = ++lastSerial_ == 0 ? ++lastSerial_ : lastSerial_;
  toolkit::MessageWindow* window_;
  uint32_t message_;
  uint16_t events_;
  QSocketNotifier read_;
  QSocketNotifier write_;
  bool readPosted_ = false;
  bool acceptPosted_ = false;
  bool closePosted_ = false;
  bool connecting_ = false;
  bool connected_ = false;  // a peer was seen: the socket is no listener
  bool readable_ = false;
  std::function<bool()> readWanted_;
};

// The selections by descriptor. Everything runs on the GUI thread.
std::map<int, Selection*>& Selections() {
  static std::map<int, Selection*> selections;
  return selections;
}

Selection::~Selection() {
  auto it = Selections().find(fd_);
  if (it != Selections().end() && it->second == this) Selections().erase(it);
}

Selection* SelectionOf(int fd) {
  auto it = Selections().find(fd);
  return it == Selections().end() ? nullptr : it->second;
}

void Detach(int fd) { delete SelectionOf(fd); }

// The handle of a fresh descriptor, which must fit below kNoSocket.
TSocket Adopt(int fd) {
  if (fd < 0) {
    Fail(errno);
    return kNoSocket;
  }
  if (fd >= kNoSocket) {
    ::close(fd);
    Fail(EMFILE);
    return kNoSocket;
  }
  return static_cast<TSocket>(fd);
}

// ---------------------------------------------------------------------------
// Host look-ups.

// What a look-up found: the error word of its message (0, 11001 or 11004)
// and, with 0, the host entry's bytes.
struct LookupResult {
  uint16_t error = WSAHOST_NOT_FOUND;
  std::array<unsigned char, kHostEntryUsed> entry{};
};

// The first IPv4 address (an IPv4-mapped IPv6 one counts as IPv4), or when
// there is none the first IPv6 address; false when there is neither.
bool WriteFirstAddress(const addrinfo* found, unsigned char* entry) {
  for (const addrinfo* at = found; at != nullptr; at = at->ai_next) {
    if (at->ai_addr == nullptr) continue;
    if (at->ai_family == AF_INET) {
      const in_addr& address = reinterpret_cast<const sockaddr_in*>(at->ai_addr)->sin_addr;
      std::memcpy(entry + kHostEntryIPv4, &address.s_addr, 4);
      return true;
    }
    if (at->ai_family == AF_INET6) {
      const in6_addr& address = reinterpret_cast<const sockaddr_in6*>(at->ai_addr)->sin6_addr;
      if (IN6_IS_ADDR_V4MAPPED(&address)) {
        std::memcpy(entry + kHostEntryIPv4, address.s6_addr + 12, 4);
        return true;
      }
    }
  }
  for (const addrinfo* at = found; at != nullptr; at = at->ai_next) {
    if (at->ai_addr == nullptr || at->ai_family != AF_INET6) continue;
    const in6_addr& address = reinterpret_cast<const sockaddr_in6*>(at->ai_addr)->sin6_addr;
    std::memcpy(entry + kHostEntryIPv6, address.s6_addr, 16);
    return true;
  }
  return false;
}

// Looks `name` up with the system's blocking resolver: an address literal
// as it is, a name (in its ASCII form, for international names) through
// getaddrinfo, preferring the address families that this machine has.
LookupResult Resolve(const QString& name) {
  LookupResult result;
  const QByteArray literal = name.toLatin1();
  addrinfo hints{};
  hints.ai_flags = AI_NUMERICHOST;
  addrinfo* found = nullptr;
  if (::getaddrinfo(literal.constData(), nullptr, &hints, &found) != 0) {
    found = nullptr;
    const QByteArray ace = QUrl::toAce(name);
    if (ace.isEmpty()) return result;
    hints = addrinfo{};
    hints.ai_flags = AI_ADDRCONFIG;
    int status = ::getaddrinfo(ace.constData(), nullptr, &hints, &found);
    if (status == EAI_BADFLAGS) {
      hints.ai_flags = 0;
      status = ::getaddrinfo(ace.constData(), nullptr, &hints, &found);
    }
    if (status != 0) return result;
  }
  result.error = WriteFirstAddress(found, result.entry.data()) ? 0 : WSANO_DATA;
  ::freeaddrinfo(found);
  return result;
}

class Lookup;

// What a look-up's thread shares with its receiver: the receiver while it
// lives. The thread hands its result over under the lock, so the receiver
// cannot be destroyed in the middle.
struct LookupLink {
  std::mutex mutex;
  Lookup* receiver = nullptr;
};

// The receiver of one look-up, which runs on a thread of its own. Deleting
// it withdraws the look-up: a result still to come finds no receiver, and
// one already handed over is dropped with the receiver's pending events.
class Lookup : public QObject {
 public:
  Lookup(toolkit::MessageWindow* window, uint32_t message, unsigned char* hostEntry)
      : QObject(window),
        window_(window),
        message_(message),
        hostEntry_(hostEntry),
        link_(std::make_shared<LookupLink>()) {
    link_->receiver = this;
  }
  ~Lookup() override {
    const std::lock_guard<std::mutex> lock(link_->mutex);
    link_->receiver = nullptr;
  }

  void Start(const QString& name) {
    std::thread([link = link_, name] {
      const LookupResult result = Resolve(name);
      const std::lock_guard<std::mutex> lock(link->mutex);
      Lookup* receiver = link->receiver;
      if (receiver == nullptr) return;
      QMetaObject::invokeMethod(
          receiver, [receiver, result] { receiver->Finished(result); }, Qt::QueuedConnection);
    }).detach();
  }

 private:
  void Finished(const LookupResult& result) {
    if (result.error == 0) std::memcpy(hostEntry_, result.entry.data(), kHostEntryUsed);
    window_->Post(message_, 0, MakeSelectParameter(0, result.error));
    deleteLater();
  }

  toolkit::MessageWindow* window_;
  uint32_t message_;
  unsigned char* hostEntry_;
  std::shared_ptr<LookupLink> link_;
};

std::map<toolkit::MessageWindow*, QPointer<Lookup>>& RunningLookups() {
  static std::map<toolkit::MessageWindow*, QPointer<Lookup>> lookups;
  return lookups;
}

}  // namespace

int WSAGetLastError() { return lastError; }
void WSASetLastError(int error) { lastError = error; }

int TranslateErrno(int posixError) {
  if (posixError == 0) return 0;
  for (const ErrnoEntry& entry : kErrnoTable) {
    if (entry.posix == posixError) return entry.winsock;
  }
  return kUnnamedErrorBase + posixError;
}

int WSAStartup(uint16_t version, WSAData* data) {
  *data = WSAData{};
  data->wVersion = version;
  data->wHighVersion = 0x0101;
  utsname system{};
  if (::uname(&system) == 0) {
    std::snprintf(data->szDescription, sizeof data->szDescription, "POSIX sockets on %s %s",
                  system.sysname, system.release);
  } else {
    std::snprintf(data->szDescription, sizeof data->szDescription, "POSIX sockets");
  }
  std::snprintf(data->szSystemStatus, sizeof data->szSystemStatus, "Running");
  rlimit files{};
  const rlim_t limit = ::getrlimit(RLIMIT_NOFILE, &files) == 0 ? files.rlim_cur : 1024;
  data->iMaxSockets = static_cast<uint16_t>(std::min<rlim_t>(limit, kNoSocket));
  data->iMaxUdpDg = 65507;  // 65,535 less the IPv4 and UDP headers
  return 0;
}

int WSACleanup() { return 0; }

TSocket socket(int family, int type, int protocol) {
  return Adopt(::socket(family, type | SOCK_CLOEXEC, protocol));
}

int SetLinger(TSocket socket, bool on, int seconds) {
  if (socket == kNoSocket) return Fail(ENOTSOCK);
  const linger value{on ? 1 : 0, seconds};
  if (::setsockopt(socket, SOL_SOCKET, SO_LINGER, &value, sizeof value) != 0) return Fail(errno);
  return 0;
}

namespace {

int ConnectTo(TSocket socket, const sockaddr* address, socklen_t length) {
  if (socket == kNoSocket) return Fail(ENOTSOCK);
  Selection* selection = SelectionOf(socket);
  if (::connect(socket, address, length) == 0) {
    if (selection != nullptr) selection->ConnectStarted();  // reports the success
    return 0;
  }
  const int error = errno;
  if (error == EINPROGRESS && selection != nullptr) selection->ConnectStarted();
  return Fail(error);
}

}  // namespace

int connect(TSocket socket, const sockaddr_in& address) {
  return ConnectTo(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

int connect(TSocket socket, const sockaddr_in6& address) {
  return ConnectTo(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

int SocketFamily(TSocket socket) {
  if (socket == kNoSocket) return -1;
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) return -1;
  return address.ss_family;
}

TSocket ReopenSocket(TSocket socket, int family) {
  if (socket == kNoSocket) {
    Fail(ENOTSOCK);
    return kNoSocket;
  }
  linger value{};
  socklen_t length = sizeof value;
  if (::getsockopt(socket, SOL_SOCKET, SO_LINGER, &value, &length) != 0) value = linger{};
  const TSocket fresh = Psock::socket(family, SOCK_STREAM, 0);
  if (fresh == kNoSocket) return kNoSocket;
  if (value.l_onoff != 0) SetLinger(fresh, true, value.l_linger);
  closesocket(socket);
  return fresh;
}

long send(TSocket socket, const void* data, size_t count) {
  if (socket == kNoSocket) return Fail(ENOTSOCK);
  const ssize_t sent = ::send(socket, data, count, MSG_NOSIGNAL);
  if (sent >= 0) return sent;
  int error = errno;
  if (error == EPIPE) {
    // The component never shuts its sending side down itself, so a broken
    // pipe means that the connection is gone, or never was.
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    const bool hasPeer = ::getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) == 0;
    error = hasPeer ? ECONNRESET : ENOTCONN;
  }
  return Fail(error);
}

long recv(TSocket socket, void* data, size_t count, bool peek) {
  if (socket == kNoSocket) return Fail(ENOTSOCK);
  const ssize_t received = ::recv(socket, data, count, MSG_DONTWAIT | (peek ? MSG_PEEK : 0));
  const int error = errno;
  if (Selection* selection = SelectionOf(socket)) selection->Received(received > 0);
  if (received >= 0) return received;
  return Fail(error);
}

TSocket accept(TSocket socket, sockaddr_storage* peer) {
  if (socket == kNoSocket) {
    Fail(ENOTSOCK);
    return kNoSocket;
  }
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  const int fd = ::accept4(socket, reinterpret_cast<sockaddr*>(&address), &length, SOCK_CLOEXEC);
  const int error = errno;
  if (Selection* selection = SelectionOf(socket)) selection->Accepted();
  if (fd < 0) {
    Fail(error);
    return kNoSocket;
  }
  if (peer != nullptr) *peer = address;
  return Adopt(fd);
}

void WaitUntilWritable(TSocket socket, int limitMs) {
  if (socket == kNoSocket) return;
  pollfd probe{socket, POLLOUT, 0};
  ::poll(&probe, 1, limitMs);
}

bool WaitUntilReadable(TSocket socket, int limitMs) {
  if (socket == kNoSocket) return false;
  pollfd probe{socket, POLLIN, 0};
  return ::poll(&probe, 1, limitMs) > 0;
}

bool SpinUntilReadable(TSocket socket, std::chrono::microseconds limit) {
  if (socket == kNoSocket) return false;
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + limit;
  for (;;) {
    pollfd probe{socket, POLLIN, 0};
    if (::poll(&probe, 1, 0) != 0) return true;
    if (Clock::now() >= end) return false;
    // The peer may be waiting for this very processor: it goes first.
    ::sched_yield();
  }
}

int closesocket(TSocket socket) {
  if (socket == kNoSocket) return Fail(ENOTSOCK);
  Detach(socket);
  if (::close(socket) != 0) return Fail(errno);
  return 0;
}

uint32_t inet_addr(const char* text) { return ::inet_addr(text); }

uint32_t LookupFirstIPv4(const std::string& name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return 0;
  uint32_t address = 0;
  for (addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addr == nullptr) continue;
    address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr;
    break;
  }
  ::freeaddrinfo(found);
  return address;
}

bool LookupFirstIPv6(const std::string& name, in6_addr* address) {
  addrinfo hints{};
  hints.ai_family = AF_INET6;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  bool any = false;
  for (addrinfo* entry = found; entry != nullptr && !any; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET6 || entry->ai_addr == nullptr) continue;
    *address = reinterpret_cast<const sockaddr_in6*>(entry->ai_addr)->sin6_addr;
    any = true;
  }
  ::freeaddrinfo(found);
  return any;
}

bool ParseIPv6Literal(const std::string& text, sockaddr_in6* address) {
  if (text.find(':') == std::string::npos) return false;  // cheap refusal of names
  addrinfo hints{};
  hints.ai_family = AF_INET6;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICHOST;  // a literal only: never a look-up
  addrinfo* found = nullptr;
  if (::getaddrinfo(text.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  const bool ok = found->ai_family == AF_INET6 && found->ai_addrlen >= sizeof *address;
  if (ok) std::memcpy(address, found->ai_addr, sizeof *address);
  ::freeaddrinfo(found);
  return ok;
}

std::string LocalHostName() {
  char name[200] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

bool IsStaleNotification(uintptr_t parameter) {
  const auto serial = static_cast<uint32_t>(parameter >> 32);
  if (serial == 0) return false;  // not posted by a selection
  const Selection* selection = SelectionOf(static_cast<int>(parameter & 0xFFFFFFFFu));
  return selection == nullptr || selection->Serial() != serial;
}

int WSAAsyncSelect(TSocket socket, toolkit::MessageWindow* window, uint32_t message,
                   uint16_t events) {
  if (socket == kNoSocket) return Fail(ENOTSOCK);
  Detach(socket);
  const int flags = ::fcntl(socket, F_GETFL);
  if (flags < 0 || ::fcntl(socket, F_SETFL, flags | O_NONBLOCK) != 0) return Fail(errno);
  if (window == nullptr || events == 0) return 0;
  Selections()[socket] = new Selection(socket, window, message, events);
  return 0;
}

void SetReadInterest(TSocket socket, std::function<bool()> wanted) {
  if (Selection* selection = SelectionOf(socket)) selection->SetReadInterest(std::move(wanted));
}

bool ReadableSeen(TSocket socket) {
  const Selection* selection = SelectionOf(socket);
  return selection != nullptr && selection->Readable();
}

void WSAAsyncGetHostByName(toolkit::MessageWindow* window, uint32_t message,
                           const std::string& name, unsigned char* hostEntry) {
  auto& running = RunningLookups();
  for (auto it = running.begin(); it != running.end();) {
    it = it->second.isNull() ? running.erase(it) : std::next(it);
  }
  if (auto previous = running.find(window); previous != running.end()) delete previous->second;
  auto* lookup = new Lookup(window, message, hostEntry);
  running[window] = lookup;
  lookup->Start(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace Psock

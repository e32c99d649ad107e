// Loopback peers for the socket tests: plain blocking POSIX sockets on
// 127.0.0.1, on a port the system chooses, each run by a std::thread. Every
// blocking call is bounded (5 s), so a test that goes wrong fails instead of
// hanging.
#pragma once

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace sockettest {

constexpr int kPeerWaitMs = 5000;

// Waits until fd is readable, at most kPeerWaitMs.
inline bool WaitReadable(int fd, int limitMs = kPeerWaitMs) {
  pollfd probe{fd, POLLIN, 0};
  return ::poll(&probe, 1, limitMs) == 1;
}

// Sends every byte; false when the connection fails first.
inline bool SendAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

inline bool SendAll(int fd, const std::string& bytes) {
  return SendAll(fd, bytes.data(), bytes.size());
}

// The number of descriptors the process holds open.
inline int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (::readdir(dir) != nullptr) ++count;
    ::closedir(dir);
  }
  return count;
}

// Reads one line (line feed included); empty when the connection ends first.
inline std::string RecvLine(int fd) {
  std::string line;
  char c = 0;
  while (WaitReadable(fd) && ::recv(fd, &c, 1, 0) == 1) {
    line.push_back(c);
    if (c == '\n') return line;
  }
  return {};
}

// Reads until the other side closes; returns everything received.
inline std::string RecvUntilClosed(int fd) {
  std::string all;
  char chunk[4096];
  while (WaitReadable(fd)) {
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    all.append(chunk, static_cast<size_t>(n));
  }
  return all;
}

// Closes with SO_LINGER 0: the other side sees a reset.
inline void ResetAndClose(int fd) {
  const linger value{1, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &value, sizeof value);
  ::close(fd);
}

inline sockaddr_in Loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// Whether this machine lets a socket listen on ::1.
inline bool LoopbackIPv6Available() {
  const int fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in6 address{};
  address.sin6_family = AF_INET6;
  address.sin6_addr = in6addr_loopback;
  const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

// A listening socket on 127.0.0.1 (or ::1) with a port chosen by the system.
class Listener {
 public:
  explicit Listener(int backlog = 64, bool ipv6 = false) {
    fd_ = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (ipv6) {
      sockaddr_in6 address{};
      address.sin6_family = AF_INET6;
      address.sin6_addr = in6addr_loopback;
      ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } else {
      sockaddr_in address = Loopback(0);
      ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    ::listen(fd_, backlog);
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&bound), &length);
    port_ = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                       : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
  }
  ~Listener() { ::close(fd_); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  uint16_t Port() const { return port_; }
  // The next connection, or -1 when none comes within the limit.
  int AcceptOne(int limitMs = kPeerWaitMs) const {
    if (!WaitReadable(fd_, limitMs)) return -1;
    return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  }

 private:
  int fd_ = -1;
  uint16_t port_ = 0;
};

// Accepts `connections` connections one after the other on a thread and runs
// `script` with each; closes each connection after its script.
class Peer {
 public:
  using Script = std::function<void(int fd)>;

  // With closeAfterScript false, each script closes (or resets) its
  // connection itself.
  // With ipv6 true, the peer listens on ::1.
  explicit Peer(Script script, int connections = 1, bool closeAfterScript = true, bool ipv6 = false)
      : listener_(64, ipv6),
        closeAfterScript_(closeAfterScript),
        thread_([this, script = std::move(script), connections] {
          for (int i = 0; i < connections; ++i) {
            const int fd = listener_.AcceptOne();
            if (fd < 0) return;
            script(fd);
            if (closeAfterScript_) ::close(fd);
            ++served_;
          }
        }) {}
  ~Peer() { Join(); }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  uint16_t Port() const { return listener_.Port(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  int Served() const { return served_; }

 private:
  Listener listener_;
  const bool closeAfterScript_;
  std::atomic<int> served_{0};
  std::thread thread_;
};

inline void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace sockettest

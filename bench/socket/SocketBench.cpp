// Speed of TPowersock on loopback, each figure against a plain POSIX socket
// doing the same work with the same peer in the same run:
//
//   1. Transaction round trip against an echo peer, against send + recv of
//      the same line on a blocking socket (goal: ratio <= 1.5).
//   2. Connect + Disconnect to 127.0.0.1, against socket + blocking connect +
//      close (goal: ratio <= 2).
//   3. ReadLn of 200,000 lines of 80 bytes streamed by the peer, against a
//      buffered line reader on a blocking socket (goal: at least 1/2 of its
//      lines per second). Repeated kRepetitions times: the program prints the
//      lowest, median and highest ratio of the repetitions, each repetition
//      of the component against the same repetition of the plain reader.
//   4. CPU time while ReadLn waits 2 s on a silent peer (goal: <= 5% of one
//      core), against the wall time of the wait.
//
// At the end the program prints the ratios.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/socket/BufferedLines.h"
#include "bench/socket/RunCollector.h"
#include "socket/Psock.h"
#include "tests/socket/Peer.h"

namespace {

constexpr int kStreamLines = 200000;
constexpr int kRepetitions = 7;
constexpr size_t kLineBytes = 80;  // line feed included
const std::string kCommand = "HELO bench.example.org with a line of some forty bytes";

using sockettest::Loopback;
using sockettest::SendAll;

// A loopback server: a thread accepts connections and runs `serve` for each
// on a thread of its own.
class Server {
 public:
  // With `threaded` false, `serve` runs on the accepting thread itself.
  explicit Server(std::function<void(int fd)> serve, bool threaded = true)
      : serve_(std::move(serve)), threaded_(threaded) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address = Loopback(0);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 1024);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
  }
  ~Server() {
    stop_ = true;
    acceptor_.join();
    ::close(listener_);
    for (std::thread& worker : workers_) worker.join();
  }
  uint16_t Port() const { return port_; }

 private:
  void AcceptLoop() {
    while (!stop_) {
      pollfd probe{listener_, POLLIN, 0};
      if (::poll(&probe, 1, 50) != 1) continue;
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      if (!threaded_) {
        serve_(fd);
        ::close(fd);
        continue;
      }
      workers_.emplace_back([this, fd] {
        serve_(fd);
        ::close(fd);
      });
    }
  }

  std::function<void(int)> serve_;
  bool threaded_;
  int listener_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread acceptor_;
  std::vector<std::thread> workers_;
};

void NoDelay(int fd) {
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// Echoes every line back.
void Echo(int fd) {
  NoDelay(fd);
  char chunk[4096];
  for (;;) {
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) return;
    SendAll(fd, chunk, static_cast<size_t>(n));
  }
}

// Waits for one line, then streams kStreamLines lines; then waits for the
// close.
void Stream(int fd) {
  char request[256];
  if (::recv(fd, request, sizeof request, 0) <= 0) return;
  std::string block;
  const std::string line = std::string(kLineBytes - 1, 'x') + "\n";
  for (int i = 0; i < 800; ++i) block += line;  // 64,000 bytes
  for (int sent = 0; sent < kStreamLines; sent += 800) SendAll(fd, block.data(), block.size());
  char rest[256];
  while (::recv(fd, rest, sizeof rest, 0) > 0) {
  }
}

// Accepts and closes at once.
void Drop(int) {}

// Accepts and lets the client close first.
void Quiet(int fd) {
  char rest[256];
  while (::recv(fd, rest, sizeof rest, 0) > 0) {
  }
}

int PlainConnect(uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = Loopback(port);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::unique_ptr<Psock::TPowersock> ConnectedComponent(uint16_t port) {
  auto sock = std::make_unique<Psock::TPowersock>(nullptr);
  sock->Host = "127.0.0.1";
  sock->Port = port;
  sock->TimeOut = 10000;
  sock->Connect();
  return sock;
}

// ---------------------------------------------------------------------------
// 1. Transaction round trip

void TransactionComponent(benchmark::State& state) {
  Server server(Echo);
  auto sock = ConnectedComponent(server.Port());
  NoDelay(sock->SocketHandle);
  for (auto _ : state) benchmark::DoNotOptimize(sock->Transaction(kCommand));
  sock->Disconnect();
}
BENCHMARK(TransactionComponent)->MinTime(1.0);

void TransactionPlain(benchmark::State& state) {
  Server server(Echo);
  const int fd = PlainConnect(server.Port());
  NoDelay(fd);
  const std::string line = kCommand + "\r\n";
  char reply[4096];
  for (auto _ : state) {
    SendAll(fd, line.data(), line.size());
    std::string got;
    while (got.empty() || got.back() != '\n') {
      const ssize_t n = ::recv(fd, reply, sizeof reply, 0);
      if (n <= 0) break;
      got.append(reply, static_cast<size_t>(n));
    }
    benchmark::DoNotOptimize(got);
  }
  ::close(fd);
}
BENCHMARK(TransactionPlain)->MinTime(1.0);

// ---------------------------------------------------------------------------
// 2. Connect

void ConnectComponent(benchmark::State& state) {
  Server server(Drop, false);
  Psock::TPowersock sock(nullptr);
  sock.Host = "127.0.0.1";
  sock.Port = server.Port();
  sock.TimeOut = 10000;
  for (auto _ : state) {
    sock.Connect();
    sock.Disconnect();
  }
}
BENCHMARK(ConnectComponent)->MinTime(1.0);

void ConnectPlain(benchmark::State& state) {
  Server server(Drop, false);
  for (auto _ : state) ::close(PlainConnect(server.Port()));
}
BENCHMARK(ConnectPlain)->MinTime(1.0);

// ---------------------------------------------------------------------------
// 3. Streamed lines

void ReadLnComponent(benchmark::State& state) {
  Server server(Stream);
  for (auto _ : state) {
    state.PauseTiming();
    auto sock = ConnectedComponent(server.Port());
    sock->Writeln("GO");
    state.ResumeTiming();
    for (int i = 0; i < kStreamLines; ++i) benchmark::DoNotOptimize(sock->ReadLn());
    state.PauseTiming();
    sock.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kStreamLines);
}
BENCHMARK(ReadLnComponent)
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(false)
    ->Unit(benchmark::kMillisecond);

void ReadLnPlain(benchmark::State& state) {
  Server server(Stream);
  for (auto _ : state) {
    state.PauseTiming();
    const int fd = PlainConnect(server.Port());
    SendAll(fd, "GO\r\n", 4);
    state.ResumeTiming();
    ReadLinesBuffered(kStreamLines, [fd](char* chunk, size_t size) {
      return static_cast<long>(::recv(fd, chunk, size, 0));
    });
    state.PauseTiming();
    ::close(fd);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kStreamLines);
}
BENCHMARK(ReadLnPlain)
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(false)
    ->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// 4. CPU time of a silent wait

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_THREAD, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The share of one core that ReadLn uses while it waits 2 s for a line that
// never comes.
double SilentWaitCpuShare() {
  Server server(Quiet);
  auto sock = ConnectedComponent(server.Port());
  sock->TimeOut = 2000;
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  try {
    sock->ReadLn();
  } catch (const Psock::EAbortError&) {
    // the time-out: expected
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
  const double cpu = CpuSeconds() - cpuBefore;
  std::printf("silent wait: %.3f s wall, %.4f s CPU\n", wall.count(), cpu);
  return cpu / wall.count();
}

struct Spread {
  double min = 0;
  double median = 0;
  double max = 0;
  size_t count = 0;
};

// The ratios reference/ours of repetition i against repetition i.
Spread RatioSpread(const RunCollector& collector, const std::string& ours,
                   const std::string& reference, bool cpu = false) {
  const std::vector<double>& a = collector.Times(ours, cpu);
  const std::vector<double>& b = collector.Times(reference, cpu);
  std::vector<double> ratios;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] > 0) ratios.push_back(b[i] / a[i]);
  }
  if (ratios.empty()) return {};
  std::sort(ratios.begin(), ratios.end());
  return {ratios.front(), ratios[ratios.size() / 2], ratios.back(), ratios.size()};
}

// The time of the last repetition of `ours` over that of `reference`.
double Ratio(const RunCollector& collector, const std::string& ours, const std::string& reference) {
  const std::vector<double>& a = collector.Times(ours);
  const std::vector<double>& b = collector.Times(reference);
  if (a.empty() || b.empty() || b.back() == 0) return 0;
  return a.back() / b.back();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  RunCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  const double cpuShare = SilentWaitCpuShare();

  const double transaction = Ratio(collector, "TransactionComponent", "TransactionPlain");
  const double connect = Ratio(collector, "ConnectComponent", "ConnectPlain");
  const Spread lines = RatioSpread(collector, "ReadLnComponent", "ReadLnPlain");
  const Spread linesCpu = RatioSpread(collector, "ReadLnComponent", "ReadLnPlain", true);
  std::printf("\nRatios (TPowersock against a plain socket, same peer, same run):\n");
  std::printf("  1. Transaction round trip time:  %.2f  (goal <= 1.5)\n", transaction);
  std::printf("  2. Connect time:                 %.2f  (goal <= 2)\n", connect);
  std::printf(
      "  3. ReadLn lines per second:      min %.2f, median %.2f, max %.2f of %zu repetitions"
      "  (goal >= 0.5)\n",
      lines.min, lines.median, lines.max, lines.count);
  std::printf("     by CPU time:                 min %.2f, median %.2f, max %.2f\n", linesCpu.min,
              linesCpu.median, linesCpu.max);
  std::printf("  4. CPU share while waiting 2 s:  %.2f%% of one core  (goal <= 5%%)\n",
              cpuShare * 100);
  benchmark::Shutdown();
  return 0;
}

// A 10,000-command session through the tamsel program on standard input,
// against a loopback server that answers each line with one reply line,
// measured against a plain blocking client that sends each line and reads
// its reply from the same server in the same run (goal: ratio <= 1.5).
// tamsel's time includes starting the process. The plain client runs once on
// a thread of this process (the goal's reference) and once in a process of
// its own.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/socket/Peer.h"

extern char** environ;

namespace {

constexpr int kCommands = 10000;
const std::string kCommand = "NOOP with a line of some thirty bytes";
const std::string kReply = "250 2.0.0 Ok: the reply to the command\r\n";

using sockettest::Loopback;
using sockettest::SendAll;

void NoDelay(int fd) {
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Answers every line received with kReply, one connection after the other,
// until destroyed.
class ReplyServer {
 public:
  ReplyServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 16);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~ReplyServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }
  uint16_t Port() const { return port_; }

 private:
  void Serve() {
    while (!stop_) {
      pollfd waiting{listener_, POLLIN, 0};
      if (::poll(&waiting, 1, 100) != 1) continue;
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      NoDelay(fd);
      char chunk[65536];
      ssize_t n = 0;
      while (!stop_ && (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0) {
        std::string replies;
        for (ssize_t i = 0; i < n; ++i) {
          if (chunk[i] == '\n') replies += kReply;
        }
        if (!SendAll(fd, replies.data(), replies.size())) break;
      }
      ::close(fd);
    }
  }

  int listener_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

ReplyServer* server = nullptr;
std::string commandFile;

// Sends each line and reads its reply line before the next, as a simple
// blocking client does. Returns whether every reply came.
bool PlainSession(uint16_t port) {
  const std::string line = kCommand + "\r\n";
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  NoDelay(fd);
  sockaddr_in address = Loopback(port);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return false;
  std::string pending;
  char chunk[4096];
  for (int i = 0; i < kCommands; ++i) {
    SendAll(fd, line.data(), line.size());
    size_t end = std::string::npos;
    while ((end = pending.find('\n')) == std::string::npos) {
      const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      pending.append(chunk, static_cast<size_t>(n));
    }
    if (end == std::string::npos) return false;
    pending.erase(0, end + 1);
  }
  ::close(fd);
  return true;
}

// The plain client on a thread of this process: the strict reference.
void PlainClient(benchmark::State& state) {
  for (auto _ : state) {
    if (!PlainSession(server->Port())) {
      state.SkipWithError("the plain client failed");
      break;
    }
  }
}

// The plain client in a process of its own, as tamsel runs in one: both
// sides then pay for the scheduling between processes (tamsel also pays for
// starting its program).
void PlainClientProcess(benchmark::State& state) {
  for (auto _ : state) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(PlainSession(server->Port()) ? 0 : 1);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError("the plain client failed");
      break;
    }
  }
}

// tamsel HOST PORT --no-greeting < 10,000 commands > /dev/null.
void TamselProgram(benchmark::State& state) {
  const std::string port = std::to_string(server->Port());
  for (auto _ : state) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, commandFile.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    char* arguments[] = {const_cast<char*>(TAMSEL_PROGRAM), const_cast<char*>("127.0.0.1"),
                         const_cast<char*>(port.c_str()), const_cast<char*>("--no-greeting"),
                         nullptr};
    pid_t child = 0;
    const int failed = posix_spawn(&child, TAMSEL_PROGRAM, &files, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&files);
    int status = 0;
    if (failed != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError("tamsel failed");
      break;
    }
  }
}

BENCHMARK(PlainClient)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(PlainClientProcess)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(TamselProgram)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Keeps the mean real time of each benchmark for the ratio.
class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration)
        seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  char name[] = "/tmp/tamsel-bench-XXXXXX";
  const int fd = ::mkstemp(name);
  if (fd < 0) return 1;
  commandFile = name;
  std::string commands;
  for (int i = 0; i < kCommands; ++i) commands += kCommand + "\n";
  const bool written =
      ::write(fd, commands.data(), commands.size()) == static_cast<ssize_t>(commands.size());
  ::close(fd);
  if (!written) return 1;

  ReplyServer reply;
  server = &reply;
  benchmark::Initialize(&argc, argv);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  const double plain = collector.seconds["PlainClient/iterations:5/real_time"];
  const double process = collector.seconds["PlainClientProcess/iterations:5/real_time"];
  const double tamsel = collector.seconds["TamselProgram/iterations:5/real_time"];
  std::printf("\n%d commands, tamsel on standard input against a plain blocking client:\n",
              kCommands);
  std::printf("  time ratio, client on a thread:          %.2f  (goal <= 1.5)\n",
              plain > 0 ? tamsel / plain : 0.0);
  std::printf("  time ratio, client in its own process:   %.2f\n",
              process > 0 ? tamsel / process : 0.0);
  benchmark::Shutdown();
  ::unlink(name);
  return 0;
}

// A 10,000-command session through the tamsel program on standard input,
// against a loopback server that answers each line with one reply line,
// measured against a plain blocking client that sends each line and reads
// its reply from the same server in the same run (goal: ratio <= 1.2).
// Then, when redis-server and redis-cli are installed, GET of a 1 MB value
// through tamsel against redis-cli, whole processes both (goal: ratio <=
// 1.0); and the peak memory of tamsel reading a reply of 2,000,000 lines
// (goal: under 64 MB).
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
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
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
uint16_t redisPort = 0;

// Runs `arguments` with standard input from `input` and standard output to
// /dev/null; true when it exits with status 0. `usage` gets its resources.
bool Spawn(const std::vector<std::string>& arguments, const char* input, rusage* usage = nullptr) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int failed = posix_spawnp(&child, argv[0], &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  if (failed != 0) return false;
  int status = 0;
  rusage ignored{};
  if (::wait4(child, &status, 0, usage != nullptr ? usage : &ignored) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// GET of the 1 MB value "big", through tamsel and through redis-cli.
void RedisGetTamsel(benchmark::State& state) {
  const std::string port = std::to_string(redisPort);
  for (auto _ : state) {
    if (!Spawn({TAMSEL_PROGRAM, "127.0.0.1", port, "--protocol", "redis", "--send", "GET big"},
               "/dev/null")) {
      state.SkipWithError("tamsel failed");
      break;
    }
  }
}

void RedisGetCli(benchmark::State& state) {
  const std::string port = std::to_string(redisPort);
  for (auto _ : state) {
    if (!Spawn({"redis-cli", "-h", "127.0.0.1", "-p", port, "GET", "big"}, "/dev/null")) {
      state.SkipWithError("redis-cli failed");
      break;
    }
  }
}

// Answers any line with one reply of 2,000,000 lines (some 12 MB).
constexpr int kReplyLines = 2000000;
class LongReplyServer {
 public:
  LongReplyServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 4);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] {
      pollfd waiting{listener_, POLLIN, 0};
      if (::poll(&waiting, 1, 30000) != 1) return;
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) return;
      sockettest::RecvLine(fd);
      std::string block;
      for (int i = 0; i < kReplyLines - 1; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "211-line %07d\r\n", i);
        block += line;
        if (block.size() > 1 << 20) {
          SendAll(fd, block.data(), block.size());
          block.clear();
        }
      }
      block += "211 end\r\n";
      SendAll(fd, block.data(), block.size());
      sockettest::RecvUntilClosed(fd);
      ::close(fd);
    });
  }
  ~LongReplyServer() {
    thread_.join();
    ::close(listener_);
  }
  uint16_t Port() const { return port_; }

 private:
  int listener_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
};

// Starts redis-server on a free port with the value "big" of 1 MB; nullopt
// when it cannot. Returns the server's process.
std::optional<pid_t> StartRedis() {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const uint16_t port = [] {
      const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      sockaddr_in address = Loopback(0);
      ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
      socklen_t length = sizeof address;
      ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
      ::close(probe);
      return ntohs(address.sin_port);
    }();
    const std::string portText = std::to_string(port);
    std::vector<std::string> arguments{
        "redis-server", "--port", portText,      "--bind", "127.0.0.1", "--save", "",
        "--appendonly", "no",     "--daemonize", "no",     "--dir",     "/tmp"};
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, "redis-server", &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (failed != 0) return std::nullopt;
    for (int i = 0; i < 200; ++i) {
      const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      sockaddr_in address = Loopback(port);
      if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string value(1 << 20, 'v');
        const std::string set = "*3\r\n$3\r\nSET\r\n$3\r\nbig\r\n$" + std::to_string(value.size()) +
                                "\r\n" + value + "\r\n";
        SendAll(fd, set.data(), set.size());
        const std::string reply = sockettest::RecvLine(fd);
        ::close(fd);
        if (reply == "+OK\r\n") {
          redisPort = port;
          return child;
        }
        break;
      }
      ::close(fd);
      ::usleep(20000);
    }
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
  }
  return std::nullopt;
}

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
BENCHMARK(RedisGetTamsel)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(RedisGetCli)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

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
  const std::optional<pid_t> redis = StartRedis();
  if (!redis) std::printf("redis-server did not start: the GET benchmarks fail\n");
  benchmark::Initialize(&argc, argv);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  const double plain = collector.seconds["PlainClient/iterations:5/real_time"];
  const double process = collector.seconds["PlainClientProcess/iterations:5/real_time"];
  const double tamsel = collector.seconds["TamselProgram/iterations:5/real_time"];
  std::printf("\n%d commands, tamsel on standard input against a plain blocking client:\n",
              kCommands);
  std::printf("  time ratio, client on a thread:          %.2f  (goal <= 1.2)\n",
              plain > 0 ? tamsel / plain : 0.0);
  std::printf("  time ratio, client in its own process:   %.2f\n",
              process > 0 ? tamsel / process : 0.0);
  const double tamselGet = collector.seconds["RedisGetTamsel/iterations:20/real_time"];
  const double cliGet = collector.seconds["RedisGetCli/iterations:20/real_time"];
  if (redis && cliGet > 0) {
    std::printf("GET of a 1 MB Redis value, tamsel against redis-cli (whole processes):\n");
    std::printf("  time ratio:                              %.2f  (goal <= 1.0)\n",
                tamselGet / cliGet);
  }
  if (redis) {
    ::kill(*redis, SIGTERM);
    ::waitpid(*redis, nullptr, 0);
  }
  {
    LongReplyServer longReply;
    rusage usage{};
    const bool ran = Spawn({TAMSEL_PROGRAM, "127.0.0.1", std::to_string(longReply.Port()),
                            "--protocol", "ftp", "--no-greeting", "--send", "FEAT"},
                           "/dev/null", &usage);
    std::printf("A reply of %d lines through tamsel:\n", kReplyLines);
    std::printf("  peak memory:                             %.1f MB  (goal < 64 MB)%s\n",
                usage.ru_maxrss / 1024.0, ran ? "" : "  (tamsel FAILED)");
  }
  benchmark::Shutdown();
  ::unlink(name);
  return 0;
}

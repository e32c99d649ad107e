// Speed of TPowersock over TLS on loopback, each figure against a plain
// blocking OpenSSL client doing the same work with the same openssl s_server
// peer in the same run:
//
//   1. Transaction round trip (s_server -rev answers each line), against
//      SSL_write + SSL_read of the same line (goal: ratio <= 1.5).
//   2. Connect with its handshake, then Disconnect, against blocking
//      connect + SSL_connect, then SSL_shutdown and close (goal: <= 1.5).
//   3. ReadLn of 200,000 lines of 80 bytes (s_server -WWW serves them as a
//      file), against a buffered line reader over SSL_read (goal: at least
//      1/3 of its lines per second).
//
// Each is repeated kRepetitions times; at the end the program prints the
// ratios of the medians, by wall-clock and by CPU time.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/socket/BufferedLines.h"
#include "bench/socket/RunCollector.h"
#include "socket/Psock.h"
#include "tests/socket/TlsPeers.h"

namespace {

using sockettest::TestCertificates;
using sockettest::TlsServer;

constexpr int kRepetitions = 5;
constexpr int kStreamLines = 200000;
constexpr size_t kLineBytes = 80;  // line feed included
constexpr int kHeaderLines = 3;    // status, content type, blank line
const std::string kCommand = "HELO bench.example.org with a line of some forty bytes";
const std::string kRequest = "GET /lines.txt HTTP/1.0";

// The three peers, started once for the whole run.
struct Peers {
  Peers() {
    std::ofstream lines(files.File("lines.txt"));
    const std::string line = std::string(kLineBytes - 1, 'x') + "\n";
    for (int i = 0; i < kStreamLines; ++i) lines << line;
  }
  sockettest::TempFolder files;
  TlsServer reversing{"good", {"-rev"}};
  TlsServer connecting{"good", {"-rev"}};
  TlsServer serving{"good", {"-WWW"}, files.Path()};
};

Peers& ThePeers() {
  static Peers peers;
  return peers;
}

void NoDelay(int fd) {
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// ---------------------------------------------------------------------------
// The reference: a blocking client on OpenSSL.

class BlockingClient {
 public:
  static SSL_CTX* Context() {
    static SSL_CTX* context = [] {
      SSL_CTX* made = SSL_CTX_new(TLS_client_method());
      SSL_CTX_set_min_proto_version(made, TLS1_2_VERSION);
      SSL_CTX_set_verify(made, SSL_VERIFY_PEER, nullptr);
      SSL_CTX_load_verify_locations(made, TestCertificates::Get().CaFile().c_str(), nullptr);
      return made;
    }();
    return context;
  }

  explicit BlockingClient(uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = sockettest::Loopback(port);
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return;
    ssl_ = SSL_new(Context());
    SSL_set_fd(ssl_, fd_);
    X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl_), "127.0.0.1");
    if (SSL_connect(ssl_) != 1) {
      SSL_free(ssl_);
      ssl_ = nullptr;
    }
  }
  ~BlockingClient() {
    if (ssl_ != nullptr) {
      SSL_shutdown(ssl_);
      SSL_free(ssl_);
    }
    ::close(fd_);
  }
  BlockingClient(const BlockingClient&) = delete;
  BlockingClient& operator=(const BlockingClient&) = delete;

  bool Ok() const { return ssl_ != nullptr; }
  int Fd() const { return fd_; }
  void Write(const std::string& text) {
    SSL_write(ssl_, text.data(), static_cast<int>(text.size()));
  }
  // Up to `size` bytes; 0 at the end.
  int Read(char* data, int size) {
    const int n = SSL_read(ssl_, data, size);
    return n > 0 ? n : 0;
  }

 private:
  int fd_ = -1;
  SSL* ssl_ = nullptr;
};

std::unique_ptr<Psock::TPowersock> TlsComponent(uint16_t port) {
  auto sock = std::make_unique<Psock::TPowersock>(nullptr);
  sock->Host = "127.0.0.1";  // no look-up; the certificate names the address
  sock->Port = port;
  sock->TimeOut = 10000;
  sock->UseTls = true;
  sock->TlsCaFile = TestCertificates::Get().CaFile();
  return sock;
}

// ---------------------------------------------------------------------------
// 1. Transaction round trip

void TransactionTlsComponent(benchmark::State& state) {
  auto sock = TlsComponent(ThePeers().reversing.Port());
  sock->Connect();
  NoDelay(sock->SocketHandle);
  for (auto _ : state) benchmark::DoNotOptimize(sock->Transaction(kCommand));
  sock->Disconnect();
}
BENCHMARK(TransactionTlsComponent)->MinTime(0.5)->Repetitions(kRepetitions);

void TransactionTlsBlocking(benchmark::State& state) {
  BlockingClient client(ThePeers().reversing.Port());
  if (!client.Ok()) {
    state.SkipWithError("no TLS connection");
    return;
  }
  NoDelay(client.Fd());
  const std::string line = kCommand + "\r\n";
  char reply[4096];
  for (auto _ : state) {
    client.Write(line);
    std::string got;
    while (got.empty() || got.back() != '\n') {
      const int n = client.Read(reply, sizeof reply);
      if (n == 0) break;
      got.append(reply, static_cast<size_t>(n));
    }
    benchmark::DoNotOptimize(got);
  }
}
BENCHMARK(TransactionTlsBlocking)->MinTime(0.5)->Repetitions(kRepetitions);

// ---------------------------------------------------------------------------
// 2. Connect with handshake

void ConnectTlsComponent(benchmark::State& state) {
  auto sock = TlsComponent(ThePeers().connecting.Port());
  for (auto _ : state) {
    sock->Connect();
    sock->Disconnect();
  }
}
BENCHMARK(ConnectTlsComponent)->MinTime(0.5)->Repetitions(kRepetitions);

void ConnectTlsBlocking(benchmark::State& state) {
  for (auto _ : state) {
    BlockingClient client(ThePeers().connecting.Port());
    if (!client.Ok()) state.SkipWithError("no TLS connection");
  }
}
BENCHMARK(ConnectTlsBlocking)->MinTime(0.5)->Repetitions(kRepetitions);

// ---------------------------------------------------------------------------
// 3. Streamed lines

void ReadLnTlsComponent(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto sock = TlsComponent(ThePeers().serving.Port());
    sock->Connect();
    sock->Writeln(kRequest);
    sock->Writeln("");
    state.ResumeTiming();
    for (int i = 0; i < kHeaderLines + kStreamLines; ++i) benchmark::DoNotOptimize(sock->ReadLn());
    state.PauseTiming();
    sock.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kStreamLines);
}
BENCHMARK(ReadLnTlsComponent)
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);

void ReadLnTlsBlocking(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto client = std::make_unique<BlockingClient>(ThePeers().serving.Port());
    client->Write(kRequest + "\r\n\r\n");
    state.ResumeTiming();
    ReadLinesBuffered(kHeaderLines + kStreamLines, [&client](char* chunk, size_t size) {
      return static_cast<long>(client->Read(chunk, static_cast<int>(size)));
    });
    state.PauseTiming();
    client.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kStreamLines);
}
BENCHMARK(ReadLnTlsBlocking)
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median time of `ours` over the median time of `reference`.
double Ratio(const RunCollector& collector, const std::string& ours, const std::string& reference,
             bool cpu = false) {
  const double below = Median(collector.Times(reference, cpu));
  return below == 0 ? 0 : Median(collector.Times(ours, cpu)) / below;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (!TestCertificates::Get().Ready() || ThePeers().reversing.Port() == 0 ||
      ThePeers().connecting.Port() == 0 || ThePeers().serving.Port() == 0) {
    std::fprintf(stderr, "the TLS peers (openssl s_server) did not start\n");
    return 1;
  }
  RunCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);

  const auto both = [&](const char* ours, const char* reference) {
    return std::make_pair(Ratio(collector, ours, reference),
                          Ratio(collector, ours, reference, /*cpu=*/true));
  };
  const auto transaction = both("TransactionTlsComponent", "TransactionTlsBlocking");
  const auto connect = both("ConnectTlsComponent", "ConnectTlsBlocking");
  const auto lines = both("ReadLnTlsBlocking", "ReadLnTlsComponent");  // lines per second
  std::printf(
      "\nRatios of the medians of %d repetitions (TPowersock over TLS against a blocking OpenSSL\n"
      "client, same s_server peer, same run), by wall-clock time and by CPU time:\n",
      kRepetitions);
  std::printf("  1. Transaction round trip time:  %.2f  (CPU %.2f)  goal <= 1.5\n",
              transaction.first, transaction.second);
  std::printf("  2. Connect with handshake time:  %.2f  (CPU %.2f)  goal <= 1.5\n", connect.first,
              connect.second);
  std::printf("  3. ReadLn lines per second:      %.2f  (CPU %.2f)  goal >= 0.33\n", lines.first,
              lines.second);
  benchmark::Shutdown();
  return 0;
}

// quillon as a whole process against GNU units, and the cost of loading the
// shipped units file at start-up.
//
//   ProcessPair: each iteration starts `quillon '60 mph * 2 h to km'` and
//     then `units -t '60 mph * 2 hour' km` (h is Planck's constant there) and
//     waits for each; the two are timed
//     separately, so that both see the same load on the machine.
//   LoadShippedUnits: the shipped definitions read into a table of the
//     quantity engine with every factor computed exactly, as quillon does at
//     start-up.
//
// At the end the program prints the process times, their ratio and the
// loading time.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "quantity/Units.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Runs a program with its output thrown away; the wall time in
// microseconds, or a negative value when it cannot be run or fails.
double RunProcess(std::vector<const char*> arguments) {
  arguments.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  const int failed = posix_spawnp(&child, arguments[0], &actions, nullptr,
                                  const_cast<char* const*>(arguments.data()), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed : -1;
}

struct ProcessTimes {
  std::vector<double> quillon;
  std::vector<double> units;
} times;

void ProcessPair(benchmark::State& state) {
  for (auto _ : state) {
    const double quillon = RunProcess({QUILLON_EXECUTABLE, "60 mph * 2 h to km"});
    const double units = RunProcess({"units", "-t", "60 mph * 2 hour", "km"});
    if (quillon < 0 || units < 0) {
      state.SkipWithError("quillon or units could not be run (is the package units installed?)");
      return;
    }
    times.quillon.push_back(quillon);
    times.units.push_back(units);
  }
}

std::vector<double> loadTimes;

void LoadShippedUnits(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto table = std::make_unique<quantity::UnitTable>();
    state.ResumeTiming();
    const Clock::time_point start = Clock::now();
    const auto problems = table->LoadFile(QUILLON_SHIPPED_UNITS_FILE);
    loadTimes.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (!problems.empty()) {
      state.SkipWithError(problems.front().Text().c_str());
      return;
    }
    benchmark::DoNotOptimize(table->Units().size());
    state.PauseTiming();
    table.reset();
    state.ResumeTiming();
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double value : values) sum += value;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

}  // namespace

BENCHMARK(ProcessPair)->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadShippedUnits)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("\n");
  if (!times.quillon.empty()) {
    std::vector<double> ratios;
    for (size_t i = 0; i < times.quillon.size(); ++i) {
      ratios.push_back(times.quillon[i] / times.units[i]);
    }
    std::printf("Whole process, %zu runs each, alternating:\n", times.quillon.size());
    std::printf("  quillon '60 mph * 2 h to km'   median %6.2f ms, mean %6.2f ms\n",
                Median(times.quillon) / 1000, Mean(times.quillon) / 1000);
    std::printf("  units -t '60 mph * 2 hour' km  median %6.2f ms, mean %6.2f ms\n",
                Median(times.units) / 1000, Mean(times.units) / 1000);
    std::printf("  ratio quillon / units: %.2f (median of the pairs), %.2f (of the medians)\n",
                Median(ratios), Median(times.quillon) / Median(times.units));
  }
  if (!loadTimes.empty()) {
    std::printf("Loading the shipped definitions: median %.0f us (limit 1000 us)\n",
                Median(loadTimes));
  }
  benchmark::Shutdown();
  return 0;
}

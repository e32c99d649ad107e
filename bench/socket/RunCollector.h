// The reporter of the socket benchmarks: prints what the console reporter
// prints and keeps the time per iteration of every repetition, so that the
// programs can compute their ratios in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RunCollector : public benchmark::ConsoleReporter {
 public:
  RunCollector() : ConsoleReporter(OO_Tabular) {}  // plain text: no colour codes

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;  // not the aggregates
      const std::string& name = run.run_name.function_name;
      wall_[name].push_back(run.GetAdjustedRealTime());
      cpu_[name].push_back(run.GetAdjustedCPUTime());
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The times of the benchmark registered as `name`, one per repetition in
  // the order they ran, in its time unit, by wall clock or by CPU; empty
  // when it did not run.
  const std::vector<double>& Times(const std::string& name, bool cpu = false) const {
    static const std::vector<double> none;
    const auto& times = cpu ? cpu_ : wall_;
    const auto found = times.find(name);
    return found == times.end() ? none : found->second;
  }

 private:
  std::map<std::string, std::vector<double>> wall_;
  std::map<std::string, std::vector<double>> cpu_;
};

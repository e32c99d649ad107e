// Speed of PMisc::EvaluateExpression.
//
//   1. One-shot evaluation of a fixed mix of realistic entries, against
//      muparser's SetExpr + Eval on the same entries in its own syntax (the
//      parser object is made once, as a program would keep one).
//   2. Cost per character for entries of 10^3 to 10^6 characters: the growth
//      of that cost per tenfold length is 1 for linear time (10 for quadratic).
//
// At the end the program prints the ratios.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "evaluation/PMisc.h"

namespace {

struct Entry {
  const char* quillon;
  const char* muparser;
};

// What users type into an entry field: sums, products, unit factors,
// groups, a function or two.
const std::vector<Entry> kEntries = {
    {"2*3", "2*3"},
    {"1.5+2.25", "1.5+2.25"},
    {"12.5*4/3", "12.5*4/3"},
    {"(1+2)*3", "(1+2)*3"},
    {"2^10", "2^10"},
    {"sin(0.5)", "sin(0.5)"},
    {"sqrt(2)*3", "sqrt(2)*3"},
    {"100/7", "100/7"},
    {"3.14159*2.5^2", "3.14159*2.5^2"},
    {"1E3*2.54", "1e3*2.54"},
    {"(2.5+3.5)/(1.5-0.5)", "(2.5+3.5)/(1.5-0.5)"},
    {"ln(10)", "ln(10)"},
    {"cos(pi/3)", "cos(_pi/3)"},
    {"-5+3*2", "-5+3*2"},
    {"abs(-7.5)", "abs(-7.5)"},
    {"25.4*12", "25.4*12"},
    {"1/3+1/6", "1/3+1/6"},
    {"2*(3+4*(5-1))", "2*(3+4*(5-1))"},
    {"log(1000)", "log10(1000)"},
    {"(1.8*20)+32", "(1.8*20)+32"},
    {"tan(0.25)*10", "tan(0.25)*10"},
    {"e^2", "_e^2"},
    {"0.001*1500", "0.001*1500"},
    {"1234.5678", "1234.5678"},
};

void QuillonMix(benchmark::State& state) {
  std::vector<std::string> texts;
  for (const Entry& entry : kEntries) texts.emplace_back(entry.quillon);
  for (auto _ : state) {
    for (const std::string& text : texts) benchmark::DoNotOptimize(PMisc::EvaluateExpression(text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}

void MuparserMix(benchmark::State& state) {
  mu::Parser parser;
  std::vector<std::string> texts;
  for (const Entry& entry : kEntries) texts.emplace_back(entry.muparser);
  for (auto _ : state) {
    for (const std::string& text : texts) {
      parser.SetExpr(text);
      benchmark::DoNotOptimize(parser.Eval());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}

// Long entries: a chain of numbers joined by "+", "*" and "-", or a chain of
// parenthesised groups.
std::string LongEntry(size_t length, bool groups) {
  const char* piece = groups ? "(1.5*(2+3))-(4/2)+" : "1.5*2+3-4/2*7+";
  std::string text;
  text.reserve(length + 32);
  while (text.size() < length) text += piece;
  text += "0";
  return text;
}

void LongChain(benchmark::State& state, bool groups) {
  const std::string text = LongEntry(static_cast<size_t>(state.range(0)), groups);
  for (auto _ : state) benchmark::DoNotOptimize(PMisc::EvaluateExpression(text));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.counters["chars"] = static_cast<double>(text.size());
}

void LongSums(benchmark::State& state) { LongChain(state, false); }
void LongGroups(benchmark::State& state) { LongChain(state, true); }

// Keeps the time per iteration of every run, for the closing summary.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      nanoseconds[run.benchmark_name()] =
          run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (auto chars = run.counters.find("chars"); chars != run.counters.end()) {
        characters[run.benchmark_name()] = chars->second;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::map<std::string, double> nanoseconds;
  std::map<std::string, double> characters;
};

void PrintScaling(const RecordingReporter& reporter, const char* name) {
  std::printf("%s: cost per character, and its growth per tenfold length (1 = linear):\n", name);
  double previous = 0;
  for (int length = 1000; length <= 1000000; length *= 10) {
    const std::string key = std::string(name) + "/" + std::to_string(length);
    auto time = reporter.nanoseconds.find(key);
    auto chars = reporter.characters.find(key);
    if (time == reporter.nanoseconds.end() || chars == reporter.characters.end()) continue;
    const double perChar = time->second / chars->second;
    std::printf("  %8d chars: %7.2f ns/char, %9.3f ms per entry", length, perChar,
                time->second / 1e6);
    if (previous > 0) std::printf(", growth x%.2f", perChar / previous);
    std::printf("\n");
    previous = perChar;
  }
}

}  // namespace

BENCHMARK(QuillonMix);
BENCHMARK(MuparserMix);
BENCHMARK(LongSums)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(LongGroups)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  const auto quillon = reporter.nanoseconds.find("QuillonMix");
  const auto muparser = reporter.nanoseconds.find("MuparserMix");
  std::printf("\n");
  if (quillon != reporter.nanoseconds.end() && muparser != reporter.nanoseconds.end()) {
    const double count = static_cast<double>(kEntries.size());
    std::printf("One-shot evaluation of %zu entries:\n", kEntries.size());
    std::printf("  PMisc::EvaluateExpression  %9.0f entries/s (%.0f ns each)\n",
                1e9 * count / quillon->second, quillon->second / count);
    std::printf("  muparser SetExpr+Eval      %9.0f entries/s (%.0f ns each)\n",
                1e9 * count / muparser->second, muparser->second / count);
    std::printf("  ratio (PMisc speed / muparser speed): %.2f\n",
                muparser->second / quillon->second);
  }
  PrintScaling(reporter, "LongSums");
  PrintScaling(reporter, "LongGroups");
  benchmark::Shutdown();
  return 0;
}

// The reference reader of the line benchmarks: what a program does that
// reads lines through a buffer of its own, without any component.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

// Reads `wanted` lines (line feed included) through `read(chunk, size)`,
// which returns the number of bytes it stored, or 0 or less at the end of
// the data. Returns the number of lines read.
template <typename Read>
int ReadLinesBuffered(int wanted, Read read) {
  std::string buffer;
  size_t start = 0;
  char chunk[65536];
  int lines = 0;
  while (lines < wanted) {
    const size_t end = buffer.find('\n', start);
    if (end != std::string::npos) {
      benchmark::DoNotOptimize(buffer.substr(start, end + 1 - start));
      start = end + 1;
      ++lines;
      continue;
    }
    buffer.erase(0, start);
    start = 0;
    const long n = read(chunk, sizeof chunk);
    if (n <= 0) break;
    buffer.append(chunk, static_cast<size_t>(n));
  }
  return lines;
}

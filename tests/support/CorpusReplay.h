// Replays a fuzzing corpus through the fuzzer's own step, so that inputs
// that once failed stay mended.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testing_support {

// Runs `once` on every file of `corpus`, expecting it to report no problem
// (an empty text); returns how many inputs were replayed.
template <typename Step>
size_t ReplayCorpus(const std::filesystem::path& corpus, Step once) {
  EXPECT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  if (!std::filesystem::is_directory(corpus)) return 0;
  size_t replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    const std::string problem = once(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(problem, "") << entry.path();
    ++replayed;
  }
  return replayed;
}

}  // namespace testing_support

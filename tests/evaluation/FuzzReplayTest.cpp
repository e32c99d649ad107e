// Replays every input of the fuzzing corpus through the fuzzer's own step, so
// inputs that once crashed stay mended.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/EvaluationFuzz.h"

namespace {

TEST(FuzzCorpus, EveryInputEvaluatesOrFailsCleanly) {
  const std::filesystem::path corpus = FUZZ_CORPUS_DIR;
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  size_t replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    const std::string problem =
        fuzzing::EvaluateOnce(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(problem, "") << entry.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 100u);
}

}  // namespace

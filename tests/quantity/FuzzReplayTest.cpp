// The fuzzers' corpora, replayed: every input that the question parser or the
// definitions reader was fuzzed with must still pass their checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/QuantityFuzz.h"

namespace {

size_t Replay(const char* folder, std::string (*once)(const uint8_t*, size_t)) {
  const std::filesystem::path corpus = std::filesystem::path(FUZZ_CORPUS_DIR) / folder;
  EXPECT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  size_t replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    EXPECT_EQ(once(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "")
        << entry.path();
    ++replayed;
  }
  return replayed;
}

TEST(QuantityFuzzCorpus, QuestionsReplayWithoutFault) {
  EXPECT_GT(Replay("quantity-question", fuzzing::AskOnce), 20u);
}

TEST(QuantityFuzzCorpus, DefinitionsReplayWithoutFault) {
  EXPECT_GT(Replay("quantity-definitions", fuzzing::LoadDefinitionsOnce), 10u);
}

}  // namespace

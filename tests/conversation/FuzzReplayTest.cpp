// Replays every input of the reply-framing fuzzer's corpus through the
// fuzzer's own step, so that inputs that once failed stay mended.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/ReplyFuzz.h"

namespace {

TEST(ReplyFuzzCorpus, EveryInputIsFramedOrRefusedCleanly) {
  const std::filesystem::path corpus = REPLY_CORPUS_DIR;
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  size_t replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    EXPECT_EQ(fuzzing::FrameOnce(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "")
        << entry.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 100u);
}

}  // namespace

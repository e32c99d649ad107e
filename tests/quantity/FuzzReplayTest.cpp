// The fuzzers' corpora, replayed: every input that the question parser or the
// definitions reader was fuzzed with must still pass their checks.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/QuantityFuzz.h"
#include "tests/support/CorpusReplay.h"

namespace {

const std::filesystem::path kCorpora = FUZZ_CORPUS_DIR;

TEST(QuantityFuzzCorpus, QuestionsReplayWithoutFault) {
  EXPECT_GT(testing_support::ReplayCorpus(kCorpora / "quantity-question", fuzzing::AskOnce), 20u);
}

TEST(QuantityFuzzCorpus, DefinitionsReplayWithoutFault) {
  EXPECT_GT(testing_support::ReplayCorpus(kCorpora / "quantity-definitions",
                                          fuzzing::LoadDefinitionsOnce),
            10u);
}

}  // namespace

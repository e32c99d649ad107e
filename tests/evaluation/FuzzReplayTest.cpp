// Replays every input of the fuzzing corpus through the fuzzer's own step, so
// inputs that once crashed stay mended.
#include <gtest/gtest.h>

#include "fuzz/EvaluationFuzz.h"
#include "tests/support/CorpusReplay.h"

namespace {

TEST(FuzzCorpus, EveryInputEvaluatesOrFailsCleanly) {
  EXPECT_GT(testing_support::ReplayCorpus(FUZZ_CORPUS_DIR, fuzzing::EvaluateOnce), 100u);
}

}  // namespace

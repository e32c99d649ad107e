// Replays every input of the reply-framing fuzzer's corpus through the
// fuzzer's own step, so that inputs that once failed stay mended.
#include <gtest/gtest.h>

#include "fuzz/ReplyFuzz.h"
#include "tests/support/CorpusReplay.h"

namespace {

TEST(ReplyFuzzCorpus, EveryInputIsFramedOrRefusedCleanly) {
  EXPECT_GT(testing_support::ReplayCorpus(REPLY_CORPUS_DIR, fuzzing::FrameOnce), 100u);
}

}  // namespace

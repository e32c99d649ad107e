// One step of the reply-framing fuzzer, shared by the libFuzzer target and
// the corpus replay of the test suite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzing {

// Frames the server bytes of one input: its first byte picks the framing,
// the text up to the first line feed is the command, the rest is what the
// server sends, fed as lines and counted values as a conversation would.
// Returns "" when the framer took the bytes or refused them cleanly, or
// what went wrong: another exception, no progress, a value larger than
// the framer allows, a line it kept that the input never held.
std::string FrameOnce(const uint8_t* data, size_t size);

}  // namespace fuzzing

// One run of the quantity fuzzers, shared by the libFuzzer targets and the
// test suite's replay of their corpora. Each returns "" when the input passed
// its checks, or what went wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzing {

// Asks the input as a question of the shipped definitions: it must be
// answered or refused with quantity::EQuantityError, nothing else, and an
// answer must be repeatable.
std::string AskOnce(const uint8_t* data, size_t size);

// Loads the input as a definitions file on top of a few base units: every
// unit it adds must be positive and found by its first name, a failed line
// must leave none of its names behind, and loading the same text again must
// add nothing.
std::string LoadDefinitionsOnce(const uint8_t* data, size_t size);

}  // namespace fuzzing

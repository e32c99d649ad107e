// One fuzzing step on the expression evaluator, shared by the libFuzzer
// target and the test that replays the corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/rtl.h"

namespace fuzzing {

// The first byte chooses the mode: bit 0 the decimal separator ("," when
// set), bit 1 EvaluateTerm instead of EvaluateExpression. The rest is the
// text. Evaluates it twice and checks that the outcome is a finite value or
// one of the evaluator's own errors, the same both times, and (for short
// texts) the same as the independent reference evaluator's. Returns what
// went wrong, or an empty text.
std::string EvaluateOnce(const uint8_t* data, size_t size);

// "value <bit pattern>" or "<error class>: <message>"; a value that is not
// finite or an error of another kind gives a text starting with "unexpected".
std::string OutcomeOf(const std::function<rtl::Extended()>& evaluate);

}  // namespace fuzzing

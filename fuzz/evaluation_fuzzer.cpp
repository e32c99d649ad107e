// libFuzzer target on PMisc::EvaluateExpression and PMisc::EvaluateTerm.
#include <cstdio>

#include "fuzz/EvaluationFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = fuzzing::EvaluateOnce(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    __builtin_trap();
  }
  return 0;
}

// libFuzzer target on the quantity engine's definitions reader (quantity::UnitTable::Load).
#include <cstdio>

#include "fuzz/QuantityFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = fuzzing::LoadDefinitionsOnce(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    __builtin_trap();
  }
  return 0;
}

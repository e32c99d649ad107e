// libFuzzer target on conversation::ReplyFramer: any bytes from a server.
#include <cstdio>

#include "fuzz/ReplyFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = fuzzing::FrameOnce(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    __builtin_trap();
  }
  return 0;
}

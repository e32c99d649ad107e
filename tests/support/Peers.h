// What a test does when a peer it needs (a server, a tool such as openssl)
// cannot start. On a developer's machine the test is skipped and says why;
// where TESSERA_REQUIRE_PEERS=1 is set (CI sets it), it fails with that
// reason instead, so that a whole area cannot stop being tested unnoticed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace testsupport {

/// True when TESSERA_REQUIRE_PEERS=1 is set: a peer that cannot start fails
/// its test.
inline bool PeersRequired() {
  const char* value = std::getenv("TESSERA_REQUIRE_PEERS");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace testsupport

/// Ends the current test because a peer or tool is not available: a skip
/// that gives `reason`, or a failure with it when peers are required, as in
///   if (server.Port() == 0) PEER_UNAVAILABLE("dovecot did not start");
#define PEER_UNAVAILABLE(reason)                                        \
  do {                                                                  \
    if (testsupport::PeersRequired()) {                                 \
      GTEST_FAIL() << "a required peer is not available: " << (reason); \
    }                                                                   \
    GTEST_SKIP() << (reason);                                           \
  } while (false)

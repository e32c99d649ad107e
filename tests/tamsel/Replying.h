// A scripted peer for tamsel's tests.
#pragma once

#include <string>
#include <vector>

#include "tests/socket/Peer.h"

namespace tamseltest {

// Serves `replies` in order, one per line received; the peer answers with
// nothing but them, so a shifted reply shows as a wrong line.
inline sockettest::Peer::Script Replying(std::string greeting, std::vector<std::string> replies,
                                         std::string* received = nullptr) {
  return [greeting, replies, received](int fd) {
    if (!greeting.empty()) sockettest::SendAll(fd, greeting);
    for (const std::string& reply : replies) {
      const std::string line = sockettest::RecvLine(fd);
      if (line.empty()) return;
      if (received != nullptr) *received += line;
      sockettest::SendAll(fd, reply);
    }
    sockettest::RecvUntilClosed(fd);
  };
}

}  // namespace tamseltest

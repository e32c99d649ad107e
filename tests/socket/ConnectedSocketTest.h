// A test fixture: a TPowersock that connects to a loopback peer running the
// test's script.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "socket/Psock.h"
#include "tests/socket/Peer.h"

namespace sockettest {

class ConnectedSocketTest : public testing::Test {
 protected:
  void SetUp() override {
    sock = std::make_unique<Psock::TPowersock>(nullptr);
    sock->Host = "127.0.0.1";
    sock->TimeOut = 5000;
  }
  void TearDown() override {
    sock.reset();
    peer.reset();
  }
  // Starts the peer and connects to it.
  void Start(Peer::Script script) {
    peer = std::make_unique<Peer>(std::move(script));
    sock->Port = peer->Port();
    sock->Connect();
  }

  std::unique_ptr<Peer> peer;
  std::unique_ptr<Psock::TPowersock> sock;
};

}  // namespace sockettest

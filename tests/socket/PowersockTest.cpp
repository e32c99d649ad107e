// TPowersock against real peers on 127.0.0.1.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>

#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "socket/Psock.h"
#include "socket/WinsockShim.h"
#include "tests/socket/Peer.h"
#include "tests/support/Peers.h"
#include "toolkit/Pump.h"

namespace {

using Psock::EAbortError;
using Psock::ESockError;
using Psock::TPowersock;
using sockettest::OpenDescriptors;
using sockettest::Peer;
using Strings = std::vector<std::string>;

// Runs `call` and returns the message of the ESockError it raises.
template <typename Call>
std::string SockErrorOf(Call call) {
  try {
    call();
  } catch (const EAbortError& error) {
    return "abort: " + error.Message();
  } catch (const ESockError& error) {
    return error.Message();
  }
  return "no error";
}

// Runs `call` and returns the ESockError it raises, if any.
template <typename Call>
std::optional<ESockError> Caught(Call call) {
  try {
    call();
  } catch (const ESockError& error) {
    return error;
  }
  return std::nullopt;
}

// Every wait for another thread or the kernel is bounded, generously, so
// that a loaded machine (the sanitizer run) only makes it slower.
constexpr auto kEventLimit = std::chrono::seconds(30);

void PumpUntil(const std::function<bool()>& done) {
  const auto limit = std::chrono::steady_clock::now() + kEventLimit;
  while (!done() && std::chrono::steady_clock::now() < limit) toolkit::WaitForMessages();
}

// Waits, without pumping, until `done` holds; false when the limit passed.
bool WaitUntil(const std::function<bool()>& done) {
  const auto limit = std::chrono::steady_clock::now() + kEventLimit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= limit) return false;
    sockettest::SleepMs(1);
  }
  return true;
}

// Waits until `fd` has something to report (data, end, reset, writability
// as asked); false when the limit passed.
bool WaitForDescriptor(int fd, short events) {
  pollfd probe{fd, events, 0};
  const int limitMs =
      static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(kEventLimit).count());
  return ::poll(&probe, 1, limitMs) == 1;
}

// Answers each line with the lines of `replies`, in turn.
Peer::Script Answering(Strings replies) {
  return [replies](int fd) {
    for (const std::string& reply : replies) {
      if (sockettest::RecvLine(fd).empty()) return;
      sockettest::SendAll(fd, reply);
    }
    sockettest::RecvUntilClosed(fd);
  };
}

class Powersock : public testing::Test {
 protected:
  void SetUp() override {
    sock = std::make_unique<TPowersock>(nullptr);
    sock->Host = "127.0.0.1";
    sock->TimeOut = 5000;  // a failing test ends instead of waiting forever
    sock->OnStatus = [this](toolkit::Component* sender, const std::string& status) {
      EXPECT_EQ(sender, sock.get());
      trace.push_back(status);
    };
  }

  void TearDown() override {
    sock.reset();  // closes the connection, which ends the peer's script
    peer.reset();
  }

  Peer& StartPeer(Peer::Script script, int connections = 1, bool closeAfterScript = true) {
    peer = std::make_unique<Peer>(std::move(script), connections, closeAfterScript);
    return *peer;
  }

  void Mark(const std::string& event) { trace.push_back("<" + event + ">"); }

  void ConnectTo(const Peer& peer) {
    sock->Port = peer.Port();
    sock->Connect();
    trace.clear();
  }

  std::unique_ptr<Peer> peer;
  std::unique_ptr<TPowersock> sock;
  Strings trace;
};

// ---------------------------------------------------------------------------
// Connecting

TEST_F(Powersock, ConnectToADottedAddressReportsNoLookup) {
  Peer& peer = StartPeer(Answering({}));
  sock->ReportLevel = 8;
  sock->Port = peer.Port();
  sock->OnConnect = [this](TPowersock* sender) {
    EXPECT_EQ(sender, sock.get());
    Mark("OnConnect");
  };
  sock->OnHostResolved = [this](toolkit::Component*) { Mark("OnHostResolved"); };
  sock->Connect();
  EXPECT_TRUE(sock->Connected);
  EXPECT_EQ(trace, (Strings{"Connecting", "Resolve Host", "Timer On", "<OnConnect>", "Timer Off"}));
  EXPECT_FALSE(sock->TimeOutTimer->Running());
}

TEST_F(Powersock, ConnectToANameLooksItUpFirst) {
  Peer& peer = StartPeer(Answering({}));
  sock->ReportLevel = 8;
  sock->Host = "localhost";
  sock->Port = peer.Port();
  sock->OnConnect = [this](TPowersock*) { Mark("OnConnect"); };
  sock->OnHostResolved = [this](toolkit::Component*) { Mark("OnHostResolved"); };
  sock->Connect();
  EXPECT_EQ(trace, (Strings{"Connecting", "Resolve Host", "Timer On", "Timer Off",
                            "<OnHostResolved>", "Timer On", "<OnConnect>", "Timer Off"}));
  EXPECT_EQ(ntohl(sock->RemoteAddress.sin_addr.s_addr), INADDR_LOOPBACK);
}

TEST_F(Powersock, OverrideHostAndPortReplaceHostAndPort) {
  Peer& peer = StartPeer(Answering({}));
  sock->Host = "nothing.invalid";
  sock->Port = 1;
  sock->OverrideHost = "127.0.0.1";
  sock->OverridePort = 0x10000 + peer.Port();  // only the low 16 bits count
  sock->Connect();
  EXPECT_TRUE(sock->Connected);
  EXPECT_EQ(ntohs(sock->RemoteAddress.sin_port), peer.Port());
}

TEST_F(Powersock, ConnectTwiceRaisesAlreadyConnectedAndKeepsTheConnection) {
  Peer& peer = StartPeer(Answering({"220 still here\r\n"}));
  ConnectTo(peer);
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Already connected");
  EXPECT_TRUE(sock->Connected);
  EXPECT_EQ(sock->Transaction("NOOP"), "220 still here\r\n");
}

TEST_F(Powersock, RefusedPortFailsTheConnectionWithTheReasonKept) {
  uint16_t port = 0;
  { port = sockettest::Listener().Port(); }  // closed again: nobody listens
  int failed = 0;
  sock->OnConnectionFailed = [&](TPowersock*) { ++failed; };
  sock->Port = port;
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Connection Failed");
  EXPECT_EQ(failed, 1);
  EXPECT_FALSE(sock->Connected);
  EXPECT_EQ(sock->LastError, 10061);
  EXPECT_EQ(sock->ErrorText(10061), "10061:Connection refused");
  sock->Disconnect();  // a fresh socket for the next attempt
  const auto again = Caught([&] { sock->Connect(); });
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->Kind(), Psock::SockErrorKind::ConnectionFailed);
  EXPECT_EQ(again->ErrorNumber(), Psock::WSAECONNREFUSED);
  EXPECT_FALSE(sock->TimeOutTimer->Running());
}

// A listener whose accept queue is full: a further connect gets no answer.
class FullListener {
 public:
  FullListener() : listener_(0) {
    for (int i = 0; i < 2; ++i) {
      const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      const sockaddr_in address = sockettest::Loopback(listener_.Port());
      ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
      fillers_.push_back(fd);
    }
    // The first one fills the queue once its handshake is done; the second
    // stays unanswered.
    WaitForDescriptor(fillers_.front(), POLLOUT);
  }
  ~FullListener() {
    for (int fd : fillers_) ::close(fd);
  }
  uint16_t Port() const { return listener_.Port(); }

 private:
  sockettest::Listener listener_;
  std::vector<int> fillers_;
};

TEST_F(Powersock, ConnectWithoutAnswerTimesOut) {
  FullListener full;
  int failed = 0;
  sock->OnConnectionFailed = [&](TPowersock*) { ++failed; };
  sock->Port = full.Port();
  sock->TimeOut = 100;
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Connection Timed out");
  EXPECT_EQ(failed, 1);
  EXPECT_TRUE(sock->TimedOut);
  EXPECT_TRUE(sock->Canceled);  // a time-out always leaves both set
  EXPECT_TRUE(sock->LookupDone);
  EXPECT_FALSE(sock->Connected);
  EXPECT_FALSE(sock->TimeOutTimer->Running());
}

TEST_F(Powersock, CanceledConnectAndLookup) {
  FullListener full;
  sock->Port = full.Port();
  sock->TimeOut = 0;
  QTimer::singleShot(30, [this] { sock->Cancel(); });
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Connection Canceled");
  EXPECT_FALSE(sock->TimedOut);

  sock->Disconnect();
  sock->Host = "localhost";
  sock->ReportLevel = 8;
  sock->OnStatus = [this](toolkit::Component*, const std::string& status) {
    if (status == "Timer On") sock->Cancel();  // during the look-up
  };
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Host Lookup Canceled");
  EXPECT_TRUE(sock->Canceled);
}

TEST_F(Powersock, ConnectionClosedInTheSamePumpStillEndsTheConnect) {
  // A peer that closes at once: its connect and close notifications can be
  // handled in one pump, and the wait must end all the same instead of
  // running into the time-out (or on forever without one).
  Peer& peer = StartPeer(Answering({}));
  sock->Port = peer.Port();
  sock->TimeOut = 2000;
  sock->ReportLevel = 8;
  Strings events;
  sock->OnConnect = [&](TPowersock*) { events.push_back("connect"); };
  sock->OnDisconnect = [&](TPowersock*) { events.push_back("disconnect"); };
  sock->OnStatus = [&](toolkit::Component*, const std::string& status) {
    if (status != "Timer On") return;
    sock->WindowHandle->Post(TPowersock::SocketMessage, 0,
                             Psock::MakeSelectParameter(Psock::FD_CONNECT, 0));
    sock->WindowHandle->Post(TPowersock::SocketMessage, 0,
                             Psock::MakeSelectParameter(Psock::FD_CLOSE, 0));
  };
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "no error");
  EXPECT_EQ(events, (Strings{"connect", "disconnect"}));
  EXPECT_FALSE(sock->Connected);
}

TEST_F(Powersock, NotificationOfAClosedSocketLeavesItsSuccessorAlone) {
  // The peer's data and close arrive together: the close notification is
  // still queued when the read event's handler disconnects and connects
  // anew. Under the same socket number, that stale close must not end the
  // new connection.
  auto served = std::make_shared<std::atomic<int>>(0);
  Peer& peer = StartPeer(
      [served](int fd) {
        if ((*served)++ == 0) {
          sockettest::RecvLine(fd);  // sent once Connect has stopped pumping
          sockettest::SendAll(fd, "bye\n");
          return;
        }
        sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "pong\r\n");
        sockettest::RecvUntilClosed(fd);
      },
      2);
  sock->Port = peer.Port();
  sock->TimeOut = 2000;
  sock->Connect();
  sock->Writeln("go");
  // The peer has sent "bye" and closed: data and close are both there
  // before the next pump.
  ASSERT_TRUE(WaitUntil([&] { return peer.Served() >= 1; }));
  std::string again = "not called";
  sock->OnDataAvailable = [&](TPowersock*) {
    sock->OnDataAvailable = nullptr;
    sock->Disconnect();
    again = SockErrorOf([&] { sock->Connect(); });
  };
  PumpUntil([&] { return again != "not called"; });
  for (int i = 0; i < 10; ++i) toolkit::WaitForMessages();
  EXPECT_EQ(again, "no error");
  EXPECT_TRUE(sock->Connected);
  EXPECT_EQ(SockErrorOf([&] { EXPECT_EQ(sock->Transaction("ping"), "pong\r\n"); }), "no error");
}

TEST_F(Powersock, DisconnectGivesAFreshSocketForTheNextConnect) {
  Peer& peer = StartPeer(Answering({"1 one\r\n"}), 2);
  int disconnects = 0;
  sock->OnDisconnect = [&](TPowersock*) { ++disconnects; };
  ConnectTo(peer);
  const Psock::TSocket first = sock->SocketHandle;
  sock->Disconnect();
  EXPECT_FALSE(sock->Connected);
  EXPECT_EQ(disconnects, 1);
  EXPECT_NE(sock->SocketHandle, Psock::kNoSocket);
  sock->Connect();
  EXPECT_EQ(sock->Transaction("A"), "1 one\r\n");
  (void)first;
}

TEST_F(Powersock, UnresolvableNameWithoutHandlerIsANullRemoteAddress) {
  sock->Host = "nothing-here.invalid";
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Null Remote Address");
  EXPECT_EQ(sock->RemoteAddress.sin_addr.s_addr, 0u);
  EXPECT_EQ(sock->LastError, 11001);
  const auto failure = Caught([&] { sock->Connect(); });
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->Kind(), Psock::SockErrorKind::NullRemoteAddress);
  EXPECT_EQ(failure->ErrorNumber(), Psock::WSAHOST_NOT_FOUND);
}

TEST_F(Powersock, InvalidHostHandlerGetsOneChance) {
  Peer& peer = StartPeer(Answering({}));
  sock->Host = "nothing-here.invalid";
  sock->Port = peer.Port();
  int asked = 0;
  sock->OnInvalidHost = [&](bool& handled) {
    ++asked;
    sock->Host = "127.0.0.1";
    handled = true;
  };
  sock->Connect();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(sock->Connected);
}

TEST_F(Powersock, InvalidHostHandlerThatLeavesTheHostUnusableIsAskedOnce) {
  sock->Host = "nothing-here.invalid";
  int asked = 0;
  sock->OnInvalidHost = [&](bool& handled) {
    ++asked;
    handled = true;
  };
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Null Remote Address");
  EXPECT_EQ(asked, 1);
  sock->OnInvalidHost = [&](bool&) { ++asked; };  // declines
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Null Remote Address");
  EXPECT_EQ(asked, 2);
}

TEST_F(Powersock, ZeroAddressAsksTheInvalidHostHandler) {
  sock->Host = "0.0.0.0";
  int asked = 0;
  sock->OnInvalidHost = [&](bool&) { ++asked; };
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Null Remote Address");
  EXPECT_EQ(asked, 1);
}

TEST_F(Powersock, HostLongerThanTheBufferIsRefusedClearly) {
  sock->Host = std::string(70000, 'a');
  EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Host name too long");
  sock->Host = std::string(TPowersock::kBufferSize, 'a');  // one byte too many for its zero
  EXPECT_EQ(SockErrorOf([&] { sock->ResolveHost(); }), "Host name too long");
}

TEST_F(Powersock, LookupFinishingAfterTheComponentIsGoneTouchesNothing) {
  // Under AddressSanitizer a write into the freed buffer or a message to the
  // freed window would fail this test.
  Psock::WSAAsyncGetHostByName(sock->WindowHandle.get(), TPowersock::LookupMessage, "localhost",
                               sock->HostEntryBuffer->data());
  sock.reset();
  EXPECT_EQ(TPowersock::WinsockUsers(), 0);
  // A component made now may get the same window address; the withdrawn
  // look-up must not land in it either.
  TPowersock next(nullptr);
  for (int i = 0; i < 100; ++i) toolkit::WaitForMessages();
  EXPECT_FALSE(next.LookupDone);
  EXPECT_EQ(next.HostEntryBuffer->at(0), 0);
}

// ---------------------------------------------------------------------------
// Status reports by level

TEST_F(Powersock, TransactionAtLevelEightReportsEveryStep) {
  Peer& peer = StartPeer(Answering({"250 fine\r\n"}));
  ConnectTo(peer);
  sock->ReportLevel = 8;
  EXPECT_EQ(sock->Transaction("HELO x"), "250 fine\r\n");
  EXPECT_EQ(trace, (Strings{"Transaction", "Writeln", "Write", "Sending Buffer", "Timer On",
                            "Timer Off", "ReadLn", "Timer On", "Timer Off", "250 fine\r\n"}));
  EXPECT_EQ(sock->LastStatus, "250 fine\r\n");
}

// Connect, one transaction and Disconnect at `level`.
Strings SessionAt(int32_t level) {
  Peer peer(Answering({"220 ok\r\n"}));
  TPowersock sock(nullptr);
  Strings trace;
  sock.OnStatus = [&](toolkit::Component*, const std::string& status) { trace.push_back(status); };
  sock.ReportLevel = level;
  sock.Host = "127.0.0.1";
  sock.Port = peer.Port();
  sock.TimeOut = 5000;
  sock.Connect();
  sock.Transaction("HELO");
  sock.Disconnect();
  return trace;
}

TEST(PowersockLevels, EachLevelLetsThroughItsShare) {
  EXPECT_EQ(SessionAt(0), Strings{});
  EXPECT_EQ(SessionAt(1), Strings{"220 ok\r\n"});
  EXPECT_EQ(SessionAt(3), Strings{"220 ok\r\n"});
  EXPECT_EQ(SessionAt(4), (Strings{"Sending Buffer", "220 ok\r\n", "Request Close Socket"}));
  const Strings all = SessionAt(8);
  EXPECT_EQ(all.front(), "Connecting");
  EXPECT_EQ(all.back(), "Request Close Socket");
  EXPECT_EQ(all[all.size() - 2], "Disconnecting");
}

TEST(PowersockLevels, StatusHandlerFailuresAreSwallowed) {
  TPowersock sock(nullptr);
  sock.ReportLevel = 8;
  sock.OnStatus = [](toolkit::Component*, const std::string&) { throw rtl::Exception("boom"); };
  sock.Cancel();
  EXPECT_TRUE(sock.Canceled);
  EXPECT_EQ(sock.LastStatus, "Canceling");
}

// ---------------------------------------------------------------------------
// Reading lines

TEST_F(Powersock, ReadLnKeepsTheLineEndExactly) {
  Peer& peer = StartPeer([](int fd) {
    sockettest::SendAll(fd, "abc\r\nxy\nlast");
    sockettest::RecvUntilClosed(fd);
  });
  ConnectTo(peer);
  EXPECT_EQ(sock->ReadLn(), "abc\r\n");
  EXPECT_EQ(sock->ReadLn(), "xy\n");
}

TEST_F(Powersock, LinesSplitAcrossSeveralSendsAreJoined) {
  Peer& peer = StartPeer([](int fd) {
    sockettest::SendAll(fd, "a");
    sockettest::SleepMs(20);
    sockettest::SendAll(fd, "b");
    sockettest::SleepMs(20);
    sockettest::SendAll(fd, "c\nd");
    sockettest::SleepMs(20);
    sockettest::SendAll(fd, "e\n");
    sockettest::RecvUntilClosed(fd);
  });
  ConnectTo(peer);
  EXPECT_EQ(sock->ReadLn(), "abc\n");
  EXPECT_EQ(sock->ReadLn(), "de\n");
}

TEST_F(Powersock, ByteAtATimePeerStillGivesWholeLines) {
  const std::string text = "220 one byte at a time\r\n250 and another\r\n";
  Peer& peer = StartPeer([text](int fd) {
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    for (char c : text) {
      sockettest::SendAll(fd, std::string(1, c));
      sockettest::SleepMs(1);
    }
    sockettest::RecvUntilClosed(fd);
  });
  ConnectTo(peer);
  EXPECT_EQ(sock->ReadLn(), "220 one byte at a time\r\n");
  EXPECT_EQ(sock->ReadLn(), "250 and another\r\n");
}

TEST_F(Powersock, PeerClosingMidLineGivesTheEmptyLine) {
  Peer& peer = StartPeer([](int fd) { sockettest::SendAll(fd, "partial"); });
  ConnectTo(peer);
  EXPECT_EQ(sock->ReadLn(), "");
  EXPECT_EQ(sock->TakePartialLine(), "partial");
  EXPECT_EQ(sock->TakePartialLine(), "");  // taking it clears it
}

TEST_F(Powersock, LastLineWithoutLineEndIsKeptBehindWholeLines) {
  Peer& peer = StartPeer([](int fd) { sockettest::SendAll(fd, "220 one\r\n221 bye"); });
  ConnectTo(peer);
  EXPECT_EQ(sock->TakePartialLine(), "");
  EXPECT_EQ(sock->ReadLn(), "220 one\r\n");
  EXPECT_EQ(sock->ReadLn(), "");
  EXPECT_EQ(sock->TakePartialLine(), "221 bye");
}

TEST_F(Powersock, PartialLineOfAnEarlierConnectionIsGoneAfterConnect) {
  Peer& peer = StartPeer([](int fd) { sockettest::SendAll(fd, "tail"); }, 2);
  ConnectTo(peer);
  EXPECT_EQ(sock->ReadLn(), "");
  sock->Disconnect();
  sock->Connect();
  EXPECT_EQ(sock->TakePartialLine(), "");
  EXPECT_EQ(sock->ReadLn(), "");
  EXPECT_EQ(sock->TakePartialLine(), "tail");
}

TEST_F(Powersock, PeerResetIsASocketErrorWithItsText) {
  // The peer resets once Connect is over (after the client's first line).
  Peer& peer = StartPeer(
      [](int fd) {
        sockettest::RecvLine(fd);
        sockettest::ResetAndClose(fd);
      },
      1, false);
  ConnectTo(peer);
  sock->Writeln("go");
  peer.Join();
  // The reset has arrived; nothing pumped it yet.
  ASSERT_TRUE(WaitForDescriptor(sock->SocketHandle, POLLIN));
  std::vector<std::pair<int, std::string>> errors;
  sock->OnError = [&](toolkit::Component*, uint16_t number, const std::string& text) {
    errors.emplace_back(number, text);
  };
  const auto reset = Caught([&] { sock->ReadLn(); });
  ASSERT_TRUE(reset.has_value());
  EXPECT_EQ(reset->Message(), "10054:Connection reset by peer");
  EXPECT_EQ(reset->Kind(), Psock::SockErrorKind::WinsockError);
  EXPECT_EQ(reset->ErrorNumber(), Psock::WSAECONNRESET);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].first, 10054);
  EXPECT_EQ(errors[0].second, "10054:Connection reset by peer");
  EXPECT_EQ(sock->LastError, 10054);
  EXPECT_FALSE(sock->TimeOutTimer->Running());
}

TEST_F(Powersock, SixtyFourKilobytesWithoutALineFeedIsARangeError) {
  Peer& peer = StartPeer([](int fd) {
    sockettest::SendAll(fd, std::string(70000, 'x'));
    sockettest::RecvUntilClosed(fd);
  });
  ConnectTo(peer);
  EXPECT_THROW(sock->ReadLn(), rtl::ERangeError);
  EXPECT_FALSE(sock->TimeOutTimer->Running());
}

TEST_F(Powersock, LineOfExactlyTheBufferRoomIsRead) {
  const std::string line = std::string(65535, 'y') + "\n";
  Peer& peer = StartPeer([line](int fd) {
    sockettest::SendAll(fd, line);
    sockettest::RecvUntilClosed(fd);
  });
  ConnectTo(peer);
  EXPECT_EQ(sock->ReadLn(), line);
}

TEST_F(Powersock, SilentPeerTimesOutAndLeavesTheTimerOff) {
  Peer& peer = StartPeer(Answering({}));
  ConnectTo(peer);
  sock->TimeOut = 50;
  EXPECT_EQ(SockErrorOf([&] { sock->ReadLn(); }), "abort: Socket readln aborted");
  EXPECT_TRUE(sock->TimedOut);
  EXPECT_FALSE(sock->Canceled);  // cleared by the abort
  EXPECT_TRUE(sock->LookupDone);
  EXPECT_FALSE(sock->TimeOutTimer->Running());
  EXPECT_TRUE(sock->Connected);  // the socket is unchanged
}

TEST_F(Powersock, PartOfALineSurvivesATimeOut) {
  Peer& peer = StartPeer([](int fd) {
    sockettest::SendAll(fd, "par");
    sockettest::RecvLine(fd);  // "more": the client has given up once
    sockettest::SendAll(fd, "tial\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  ConnectTo(peer);
  sock->TimeOut = 50;
  EXPECT_EQ(SockErrorOf([&] { sock->ReadLn(); }), "abort: Socket readln aborted");
  EXPECT_TRUE(sock->DataAvailable());  // "par" is kept
  sock->TimeOut = 5000;
  sock->Writeln("more");
  EXPECT_EQ(sock->ReadLn(), "partial\r\n");
}

TEST_F(Powersock, NegativeTimeOutIsARangeError) {
  Peer& peer = StartPeer(Answering({}));
  ConnectTo(peer);
  sock->TimeOut = -1;
  EXPECT_THROW(sock->ReadLn(), rtl::ERangeError);
}

TEST_F(Powersock, CancelFromAHandlerEndsAWait) {
  Peer& peer = StartPeer(Answering({}));
  ConnectTo(peer);
  sock->TimeOut = 0;  // only the cancel can end this wait
  sock->ReportLevel = 8;
  QTimer::singleShot(30, [this] { sock->Cancel(); });
  EXPECT_EQ(SockErrorOf([&] { sock->ReadLn(); }), "abort: Socket readln aborted");
  EXPECT_FALSE(sock->TimedOut);
  EXPECT_FALSE(sock->Canceled);
  EXPECT_NE(std::find(trace.begin(), trace.end(), "Canceling"), trace.end());
}

TEST_F(Powersock, CancelBeforeReadLnKeepsTheWaitingLine) {
  Peer& peer = StartPeer([](int fd) {
    sockettest::SendAll(fd, "kept\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  ConnectTo(peer);
  PumpUntil([&] { return sock->DataAvailable(); });
  sock->Cancel();
  EXPECT_EQ(SockErrorOf([&] { sock->ReadLn(); }), "abort: Socket readln aborted");
  EXPECT_EQ(sock->ReadLn(), "kept\r\n");
}

TEST_F(Powersock, CanceledSendSendsNothing) {
  Peer& peer = StartPeer([](int fd) { EXPECT_EQ(sockettest::RecvUntilClosed(fd), "after\r\n"); });
  ConnectTo(peer);
  sock->Abort();
  EXPECT_EQ(SockErrorOf([&] { sock->Writeln("before"); }), "abort: Socket send aborted");
  sock->Writeln("after");
  sock->Disconnect();
}

// ---------------------------------------------------------------------------
// Transactions and sending

TEST_F(Powersock, ReplyNumbers) {
  Peer& peer =
      StartPeer(Answering({"220 ready\r\n", "OK no number\r\n", "0042x\r\n", "40000 too big\r\n"}));
  ConnectTo(peer);
  EXPECT_EQ(sock->Transaction("A"), "220 ready\r\n");
  EXPECT_EQ(sock->ReplyNumber, 220);
  EXPECT_EQ(sock->Transaction("B"), "OK no number\r\n");
  EXPECT_EQ(sock->ReplyNumber, 0);
  sock->Transaction("C");
  EXPECT_EQ(sock->ReplyNumber, 42);
  EXPECT_THROW(sock->Transaction("D"), rtl::ERangeError);
  EXPECT_EQ(sock->Reply, "40000 too big\r\n");
}

TEST_F(Powersock, WriteSendsUpToTheFirstZeroByte) {
  Peer& peer = StartPeer([](int fd) { EXPECT_EQ(sockettest::RecvUntilClosed(fd), "abx\r\n"); });
  ConnectTo(peer);
  sock->Write(std::string("ab\0cd", 5));
  sock->Writeln(std::string("x\0y", 3));  // CR LF goes after the zero: not sent
  sock->Writeln("");
  sock->Disconnect();
}

TEST_F(Powersock, SendBufferSendsCountedAndZeroTerminatedBlocks) {
  Peer& peer = StartPeer([](int fd) {
    EXPECT_EQ(sockettest::RecvUntilClosed(fd), std::string("a\0b"
                                                           "cd",
                                                           5));
  });
  ConnectTo(peer);
  sock->SendBuffer("a\0b", 3);
  sock->SendBuffer("cd", 0);
  const std::string tooLong(65536, 'z');
  EXPECT_THROW(sock->Write(tooLong), rtl::ERangeError);
  sock->Disconnect();
}

TEST_F(Powersock, SendingToAPeerThatHasGoneFailsWithoutKillingTheProcess) {
  // The peer closes; the first send after that draws a reset, and every
  // further send meets a broken pipe, which must not raise SIGPIPE.
  Peer& peer = StartPeer([](int fd) { sockettest::RecvLine(fd); });
  ConnectTo(peer);
  sock->Writeln("go");
  peer.Join();
  Strings errors;
  WaitUntil([&] {
    try {
      sock->Write(std::string(1000, 'q'));
    } catch (const ESockError& e) {
      errors.push_back(e.Message());
    }
    return errors.size() >= 3;
  });
  ASSERT_EQ(errors.size(), 3u);
  for (const std::string& error : errors) {
    EXPECT_TRUE(error == "10054:Connection reset by peer" ||
                error == "10057:Socket is not connected")
        << error;
  }
}

TEST_F(Powersock, PeerCloseIsNoticedWhileIdle) {
  Peer& peer = StartPeer([](int) {});
  int disconnects = 0;
  sock->OnDisconnect = [&](TPowersock*) { ++disconnects; };
  ConnectTo(peer);
  PumpUntil([&] { return !sock->Connected; });
  EXPECT_FALSE(sock->Connected);
  EXPECT_EQ(disconnects, 1);
  EXPECT_NE(sock->SocketHandle, Psock::kNoSocket);
}

TEST_F(Powersock, DataAvailableEventFiresForWaitingData) {
  Peer& peer = StartPeer([](int fd) {
    sockettest::SendAll(fd, "x\n");
    sockettest::RecvUntilClosed(fd);
  });
  int events = 0;
  sock->OnDataAvailable = [&](TPowersock*) { ++events; };
  ConnectTo(peer);
  PumpUntil([&] { return events > 0; });
  EXPECT_EQ(events, 1);
  EXPECT_TRUE(sock->DataAvailable());
  EXPECT_EQ(sock->ReadLn(), "x\n");
  EXPECT_FALSE(sock->DataAvailable());
}

// ---------------------------------------------------------------------------
// Accepting

TEST_F(Powersock, AcceptTakesAConnectionOnAListeningSocket) {
  ASSERT_EQ(::listen(sock->SocketHandle, 1), 0);
  sockaddr_in local{};
  socklen_t length = sizeof local;
  ::getsockname(sock->SocketHandle, reinterpret_cast<sockaddr*>(&local), &length);
  Psock::WSAAsyncSelect(sock->SocketHandle, sock->WindowHandle.get(), TPowersock::LookupMessage,
                        Psock::FD_ACCEPT);
  int disconnects = 0;
  sock->OnDisconnect = [&](TPowersock*) { ++disconnects; };
  sock->ReportLevel = 4;
  std::thread client([port = ntohs(local.sin_port)] {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = sockettest::Loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      sockettest::SendAll(fd, "hello\n");
      sockettest::RecvUntilClosed(fd);
    }
    ::close(fd);
  });
  const Psock::TSocket accepted = sock->Accept();
  EXPECT_EQ(trace, Strings{"Accepting"});
  EXPECT_TRUE(sock->LookupDone);
  EXPECT_TRUE(sock->Connected);
  EXPECT_EQ(disconnects, 1);  // the wake-up message calls the disconnect event
  EXPECT_EQ(ntohl(sock->RemoteAddress.sin_addr.s_addr), INADDR_LOOPBACK);
  ASSERT_NE(accepted, Psock::kNoSocket);
  char bytes[16] = {};
  long got = -1;
  for (int i = 0; i < 2500 && got < 0; ++i) {
    got = Psock::recv(accepted, bytes, sizeof bytes, false);
    if (got < 0) toolkit::WaitForMessages();
  }
  EXPECT_EQ(std::string(bytes, static_cast<size_t>(std::max(got, 0L))), "hello\n");
  EXPECT_EQ(Psock::closesocket(accepted), 0);
  client.join();
}

TEST_F(Powersock, CanceledAcceptRaises) {
  QTimer::singleShot(10, [this] { sock->Cancel(); });
  EXPECT_EQ(SockErrorOf([&] { sock->Accept(); }), "Accepting Canceled");
  EXPECT_TRUE(sock->Canceled);
}

// ---------------------------------------------------------------------------
// IPv6

class PowersockIPv6 : public Powersock {
 protected:
  void SetUp() override {
    if (!sockettest::LoopbackIPv6Available()) PEER_UNAVAILABLE("::1 is not available here");
    Powersock::SetUp();
  }
  Peer& StartPeer6(Peer::Script script, int connections = 1) {
    peer = std::make_unique<Peer>(std::move(script), connections, true, /*ipv6=*/true);
    return *peer;
  }
};

TEST_F(PowersockIPv6, LiteralConnectsAndRunsATransaction) {
  Peer& peer = StartPeer6(Answering({"250 ok over IPv6\r\n"}));
  sock->Host = "::1";
  sock->Port = peer.Port();
  sock->ReportLevel = 8;
  bool resolvedEvent = false;
  sock->OnHostResolved = [&](toolkit::Component*) { resolvedEvent = true; };
  sock->Connect();
  EXPECT_TRUE(sock->Connected);
  EXPECT_FALSE(resolvedEvent);  // a literal, like a dotted address, needs no look-up
  EXPECT_EQ(trace, (Strings{"Connecting", "Resolve Host", "Timer On", "Timer Off"}));
  EXPECT_EQ(sock->RemoteAddress.sin_addr.s_addr, 0u);  // not an IPv4 peer
  EXPECT_EQ(sock->RemoteAddress6.sin6_family, AF_INET6);
  EXPECT_EQ(sock->RemoteAddressText(), "::1");
  EXPECT_EQ(sock->Transaction("HELO"), "250 ok over IPv6\r\n");
  EXPECT_EQ(sock->ReplyNumber, 250);
}

TEST_F(PowersockIPv6, BracketedLiteralAndBackToIPv4) {
  Peer& peer6 = StartPeer6(Answering({"220 bracketed\r\n"}));
  sock->Host = "[::1]";
  sock->Port = peer6.Port();
  sock->Connect();
  EXPECT_EQ(sock->Transaction("NOOP"), "220 bracketed\r\n");
  sock->Disconnect();
  peer.reset();

  // The same component then reaches an IPv4 peer as before.
  Peer& peer4 = StartPeer(Answering({"221 plain\r\n"}));
  sock->Host = "127.0.0.1";
  sock->Port = peer4.Port();
  sock->Connect();
  EXPECT_EQ(sock->RemoteAddressText(), "127.0.0.1");
  EXPECT_EQ(sock->RemoteAddress6.sin6_family, 0);
  EXPECT_EQ(sock->Transaction("NOOP"), "221 plain\r\n");
}

TEST_F(PowersockIPv6, RefusedPortFailsAsForIPv4) {
  uint16_t port = 0;
  { port = sockettest::Listener(64, true).Port(); }  // closed again: nobody listens
  sock->Host = "::1";
  sock->Port = port;
  int failed = 0;
  sock->OnConnectionFailed = [&](TPowersock*) { ++failed; };
  const auto failure = Caught([&] { sock->Connect(); });
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->Message(), "Connection Failed");
  EXPECT_EQ(failure->Kind(), Psock::SockErrorKind::ConnectionFailed);
  EXPECT_EQ(failure->ErrorNumber(), 10061);
  EXPECT_EQ(sock->LastError, 10061);
  EXPECT_EQ(failed, 1);
  EXPECT_FALSE(sock->Connected);
}

TEST_F(PowersockIPv6, BackgroundLookupGivesIPv6OnlyWhenThereIsNoIPv4) {
  // The look-up writes the first IPv4 address, or, for a host with IPv6
  // addresses only, zeros there and the IPv6 address behind them.
  const auto lookUp = [this](const char* name) {
    sock->HostEntryBuffer->fill(0xEE);
    sock->LookupDone = false;
    Psock::WSAAsyncGetHostByName(sock->WindowHandle.get(), TPowersock::LookupMessage, name,
                                 sock->HostEntryBuffer->data());
    PumpUntil([this] { return sock->LookupDone; });
    return std::vector<unsigned char>(sock->HostEntryBuffer->begin(),
                                      sock->HostEntryBuffer->begin() + Psock::kHostEntryUsed);
  };
  std::vector<unsigned char> expected(Psock::kHostEntryUsed, 0);
  expected[Psock::kHostEntryIPv6 + 15] = 1;  // ::1
  EXPECT_EQ(lookUp("::1"), expected);
  EXPECT_TRUE(sock->Succeeded);

  std::fill(expected.begin(), expected.end(), 0);
  const unsigned char loopback[] = {127, 0, 0, 1};
  std::copy(std::begin(loopback), std::end(loopback), expected.begin());
  EXPECT_EQ(lookUp("127.0.0.1"), expected);
  EXPECT_TRUE(sock->Succeeded);
}

TEST_F(PowersockIPv6, NotALiteralIsLookedUpAsAName) {
  // Brackets around a non-literal, and a malformed literal, are no
  // addresses: the look-up fails and Connect reports the null address.
  for (const char* host : {"[localhost]", "::1::2", "[::1"}) {
    sock->Host = host;
    EXPECT_EQ(SockErrorOf([&] { sock->Connect(); }), "Null Remote Address") << host;
    EXPECT_EQ(sock->RemoteAddressText(), "") << host;
  }
}

// ---------------------------------------------------------------------------
// Socket layer users and resources

TEST(PowersockUsers, OnlyTheFirstComponentStartsTheSocketLayer) {
  ASSERT_EQ(TPowersock::WinsockUsers(), 0);
  auto first = std::make_unique<TPowersock>(nullptr);
  EXPECT_EQ(TPowersock::WinsockUsers(), 1);
  ASSERT_EQ(first->WinsockInfo.size(), 6u);
  EXPECT_EQ(first->WinsockInfo[0], "Version= 1.1");
  EXPECT_EQ(first->WinsockInfo[1], "High Version= 1.1");
  EXPECT_EQ(first->WinsockInfo[2].rfind("Description= ", 0), 0u);
  EXPECT_EQ(first->WinsockInfo[3], "System= Running");
  EXPECT_EQ(first->WinsockInfo[4].rfind("Max Sockets= ", 0), 0u);
  EXPECT_EQ(first->WinsockInfo[5], "Max Udp pack size= 65507");
  auto second = std::make_unique<TPowersock>(nullptr);
  EXPECT_EQ(TPowersock::WinsockUsers(), 2);
  EXPECT_TRUE(second->WinsockInfo.empty());
  EXPECT_NE(first->SocketHandle, second->SocketHandle);
  first.reset();
  EXPECT_EQ(TPowersock::WinsockUsers(), 1);
  second.reset();
  EXPECT_EQ(TPowersock::WinsockUsers(), 0);
}

TEST(PowersockUsers, DesignModeStartsNothing) {
  toolkit::Component form(nullptr);
  form.SetDesigning(true);
  auto* sock = new TPowersock(&form);
  EXPECT_EQ(TPowersock::WinsockUsers(), 0);
  EXPECT_EQ(sock->SocketHandle, Psock::kNoSocket);
}  // the form destroys it

TEST(PowersockUsers, FailedStartLeavesTheCountAndReleasesEverything) {
#ifdef __SANITIZE_ADDRESS__  // defined by GCC under -fsanitize=address
  // The sanitizers' own memory checks need descriptors, which this test
  // takes away.
  GTEST_SKIP() << "needs every descriptor, which the sanitizers use too";
#endif
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
  // Take every descriptor below a low limit, so the first socket finds none.
  rlimit tight = saved;
  tight.rlim_cur = static_cast<rlim_t>(OpenDescriptors() + 16);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
  std::vector<int> taken{::open("/dev/null", O_RDONLY | O_CLOEXEC)};
  ASSERT_GE(taken.front(), 0);
  for (int fd = ::dup(taken.front()); fd >= 0 && taken.size() < 1000; fd = ::dup(taken.front())) {
    taken.push_back(fd);
  }
  std::string error;
  try {
    TPowersock sock(nullptr);
  } catch (const ESockError& e) {
    error = e.Message();
  }
  for (int fd : taken) ::close(fd);
  ::setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_EQ(error, "Initializaton of windows sockets failed");
  EXPECT_EQ(TPowersock::WinsockUsers(), 0);
}

TEST(PowersockUsers, ThousandSessionsLeaveNoDescriptorBehind) {
  constexpr int kSessions = 1000;
  Peer peer(
      [](int fd) {
        const std::string line = sockettest::RecvLine(fd);
        sockettest::SendAll(fd, "250 " + line);
        sockettest::RecvUntilClosed(fd);
      },
      kSessions + 1);
  TPowersock sock(nullptr);
  sock.Host = "127.0.0.1";
  sock.Port = peer.Port();
  sock.TimeOut = 5000;
  const auto session = [&](int i) {
    sock.Connect();
    const std::string reply = sock.Transaction("n" + std::to_string(i));
    sock.Disconnect();
    return reply;
  };
  session(-1);  // warms up what the event loop opens once
  WaitUntil([&] { return peer.Served() >= 1; });
  const int before = OpenDescriptors();
  for (int i = 0; i < kSessions; ++i) {
    ASSERT_EQ(session(i), "250 n" + std::to_string(i) + "\r\n");
  }
  peer.Join();  // the peer has closed its end of every session
  EXPECT_EQ(OpenDescriptors(), before);
}

// ---------------------------------------------------------------------------
// Texts

TEST(PowersockTexts, ErrorTextFormsAndUnknownNumbers) {
  TPowersock sock(nullptr);
  EXPECT_EQ(sock.ErrorText(0), "");
  EXPECT_EQ(sock.ErrorText(10004), "10004:Interrupted system call");
  EXPECT_EQ(sock.ErrorText(10049), "10049:Can't assign requested address");
  EXPECT_EQ(sock.ErrorText(11003), "11003:Non-Recoverable error: FORMERR, REFUSED, NOTIMP");
  EXPECT_EQ(sock.ErrorText(11004), "11004:Valid name, no data record of requested type");
  EXPECT_EQ(sock.ErrorText(10101), "Unknown Error No. 10101");
  EXPECT_EQ(sock.ErrorText(10000), "Unknown Error No. 10000");
}

TEST(PowersockTexts, CheckErrorPassesWouldBlockAndSmallNumbers) {
  TPowersock sock(nullptr);
  int calls = 0;
  sock.OnError = [&](toolkit::Component*, uint16_t, const std::string&) { ++calls; };
  Psock::WSASetLastError(10035);
  EXPECT_EQ(sock.CheckError(10035), "");
  Psock::WSASetLastError(9999);
  EXPECT_EQ(sock.CheckError(10035), "");
  EXPECT_EQ(sock.LastError, 9999);
  Psock::WSASetLastError(10101);
  EXPECT_EQ(SockErrorOf([&] { sock.CheckError(10035); }), "Unknown Error No. 10101");
  EXPECT_EQ(calls, 1);
}

// What the system's resolver gives for the local name, for comparison.
std::string FirstLocalAddress(int family) {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  addrinfo hints{};
  hints.ai_family = family;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name, nullptr, &hints, &found) != 0) return {};
  char text[INET6_ADDRSTRLEN] = {};
  const void* bytes =
      family == AF_INET
          ? static_cast<const void*>(&reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr)
          : &reinterpret_cast<sockaddr_in6*>(found->ai_addr)->sin6_addr;
  ::inet_ntop(family, bytes, text, sizeof text);
  ::freeaddrinfo(found);
  return text;
}

TEST(PowersockTexts, LocalAddressIsTheFirstAddressOfTheLocalName) {
  TPowersock sock(nullptr);
  const std::string ipv4 = FirstLocalAddress(AF_INET);
  const std::string expected = ipv4.empty() ? FirstLocalAddress(AF_INET6) : ipv4;
  EXPECT_EQ(sock.GetLocalIP(), expected);
  if (!ipv4.empty()) {
    EXPECT_NE(Psock::inet_addr(ipv4.c_str()), 0xFFFFFFFFu) << ipv4;
  }
}

TEST(PowersockTexts, ErrnoValuesBecomeWinsockNumbers) {
  EXPECT_EQ(Psock::TranslateErrno(0), 0);
  EXPECT_EQ(Psock::TranslateErrno(EAGAIN), Psock::WSAEWOULDBLOCK);
  EXPECT_EQ(Psock::TranslateErrno(EINPROGRESS), Psock::WSAEWOULDBLOCK);
  EXPECT_EQ(Psock::TranslateErrno(ECONNREFUSED), Psock::WSAECONNREFUSED);
  EXPECT_EQ(Psock::TranslateErrno(ENOMEM), 10055);
  EXPECT_EQ(Psock::TranslateErrno(EREMOTE), 10071);
  EXPECT_EQ(Psock::TranslateErrno(EPIPE), 10100 + EPIPE);  // no counterpart
  TPowersock sock(nullptr);
  EXPECT_EQ(sock.ErrorText(static_cast<uint16_t>(Psock::TranslateErrno(EPIPE))),
            "Unknown Error No. " + std::to_string(10100 + EPIPE));
}

TEST(PowersockTexts, FixedFailuresKeepTheirTexts) {
  using Psock::SockErrorKind;
  const ESockError refused(SockErrorKind::ConnectionFailed, 10061);
  EXPECT_EQ(refused.Message(), "Connection Failed");
  EXPECT_EQ(refused.ErrorNumber(), 10061);
  EXPECT_EQ(ESockError(SockErrorKind::InitializationFailed).Message(),
            "Initializaton of windows sockets failed");
  EXPECT_EQ(ESockError(SockErrorKind::DataConnectionFailed).Message(),
            "Error creating Data Connection");
  EXPECT_EQ(ESockError(SockErrorKind::DataConnectionFailed).ErrorNumber(), 0);
  const EAbortError aborted(SockErrorKind::ReadLnAborted);
  EXPECT_EQ(aborted.Message(), "Socket readln aborted");
  EXPECT_EQ(aborted.Kind(), SockErrorKind::ReadLnAborted);
}

TEST(PowersockTexts, DestructionDeliversNoStatusAndNoDisconnectEvent) {
  Peer peer(Answering({}));
  Strings trace;
  int disconnects = 0;
  {
    TPowersock sock(nullptr);
    sock.Host = "127.0.0.1";
    sock.Port = peer.Port();
    sock.Connect();
    sock.ReportLevel = 8;
    sock.OnStatus = [&](toolkit::Component*, const std::string& s) { trace.push_back(s); };
    sock.OnDisconnect = [&](TPowersock*) { ++disconnects; };
  }
  EXPECT_TRUE(trace.empty());
  EXPECT_EQ(disconnects, 0);
}

}  // namespace

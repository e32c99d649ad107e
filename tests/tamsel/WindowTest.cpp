// tamsel's window against loopback peers: what it lists, shows and keeps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

#include "programs/tamsel/TamselWindow.h"
#include "tests/socket/Peer.h"
#include "tests/tamsel/Replying.h"
#include "toolkit/Application.h"

namespace {

using sockettest::Peer;
using tamseltest::Replying;

TEST(TamselWindow, ListsTransactionsWithTheirReplyNumbers) {
  Peer peer([](int fd) {
    sockettest::SendAll(fd, "220 ready\r\n");
    sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "250 fine\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  tamsel::TamselWindow window;
  window.SetHost("127.0.0.1");
  window.SetPort(peer.Port());
  window.SetTimeOut(5000);
  window.ConnectToServer();
  window.SendCommand("NOOP");
  auto* list = window.findChild<QTreeWidget*>();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "(greeting)");
  EXPECT_EQ(list->topLevelItem(0)->text(1), "220");
  EXPECT_EQ(list->topLevelItem(1)->text(0), "NOOP");
  EXPECT_EQ(list->topLevelItem(1)->text(1), "250");
  EXPECT_EQ(list->topLevelItem(1)->text(2), "250 fine");
  window.DisconnectFromServer();
}

TEST(TamselWindow, CancelEndsAWaitAndTheErrorIsShown) {
  Peer peer([](int fd) { sockettest::RecvUntilClosed(fd); });  // never greets
  const std::string where = "127.0.0.1:" + std::to_string(peer.Port());
  std::vector<std::string> boxes;
  toolkit::SetErrorBoxHandler([&](const std::string& message) { boxes.push_back(message); });
  {
    tamsel::TamselWindow window;
    window.SetHost("127.0.0.1");
    window.SetPort(peer.Port());
    window.SetTimeOut(0);
    window.SetProtocol(*conversation::ProtocolNamed("smtp"));  // waits for the greeting
    // Cancel once the wait for the greeting has begun (the status trace says
    // "ReadLn"), however long the connection took; after 10 s regardless,
    // so that a fault fails the test instead of hanging it.
    window.SetReportLevel(8);
    const auto* trace = window.findChild<QPlainTextEdit*>();
    QTimer poll;
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
      if (trace->toPlainText().contains("ReadLn") || ++polls > 2000) {
        poll.stop();
        window.CancelWait();
      }
    });
    poll.start(5);
    window.ConnectToServer();  // connects, then waits for the greeting
  }
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  EXPECT_EQ(boxes, std::vector<std::string>{"the wait for " + where + " was cancelled"});
}

}  // namespace

namespace {

// A window pointed at the loopback port, its error boxes collected.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    toolkit::SetErrorBoxHandler([this](const std::string& message) { boxes.push_back(message); });
  }
  ~WindowTest() override {
    toolkit::SetErrorBoxHandler(
        [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  }
  void Aim(uint16_t port, int timeOut = 5000) {
    window.SetHost("127.0.0.1");
    window.SetPort(port);
    window.SetTimeOut(timeOut);
  }
  QTreeWidget* List() { return window.findChild<QTreeWidget*>(); }
  QString Row(int i, int column) { return List()->topLevelItem(i)->text(column); }

  std::vector<std::string> boxes;
  tamsel::TamselWindow window;
};

TEST_F(WindowTest, ConnectWorksAgainAfterARefusedConnection) {
  uint16_t refused = 0;
  { refused = sockettest::Listener().Port(); }
  Peer peer(Replying("220 up\r\n", {}));
  Aim(refused);
  window.ConnectToServer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "127.0.0.1:" + std::to_string(refused) + " refused the connection");
  window.SetPort(peer.Port());
  window.ConnectToServer();
  EXPECT_EQ(boxes.size(), 1u) << boxes.back();
  ASSERT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_EQ(Row(0, 2), "220 up");
  // The component's own text stays in the trace.
  auto* trace = window.findChild<QPlainTextEdit*>();
  ASSERT_NE(trace, nullptr);
  EXPECT_TRUE(trace->toPlainText().contains("Connection Failed (10061:Connection refused)"));
  window.DisconnectFromServer();
}

TEST_F(WindowTest, CancelAndTimeOutAreToldApartAndListed) {
  Peer peer(Replying("", {}));
  Aim(peer.Port(), 0);
  window.SetProtocol(*conversation::ProtocolNamed("line"));
  window.ConnectToServer();
  QTimer::singleShot(30, &window, [this] { window.CancelWait(); });
  window.SendCommand("FIRST");
  window.SetTimeOut(100);  // changeable while connected
  window.SendCommand("SECOND");
  ASSERT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(Row(0, 0), "FIRST");
  EXPECT_EQ(Row(0, 2), "(cancelled)");
  EXPECT_EQ(Row(1, 2), "(timed out after 100 ms)");
  const std::string where = "127.0.0.1:" + std::to_string(peer.Port());
  EXPECT_EQ(boxes,
            (std::vector<std::string>{"the wait for " + where + " was cancelled",
                                      "no reply from " + where + ": timed out after 100 ms"}));
  window.DisconnectFromServer();
}

TEST_F(WindowTest, MessageDataAndMemcachedDataLinesThenTheSessionAsText) {
  std::string received;
  Peer peer([&received](int fd) {
    sockettest::SendAll(fd, "220 smtp\r\n");
    received += sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "354 go\r\n");
    for (std::string line; (line = sockettest::RecvLine(fd)) != ".\r\n" && !line.empty();) {
      received += line;
    }
    sockettest::SendAll(fd, "250 queued\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  Aim(peer.Port());
  window.SetProtocol(*conversation::ProtocolNamed("smtp"));
  window.ConnectToServer();
  for (const char* line : {"DATA", "Subject: x", "", ".dot", "."}) window.SendCommand(line);
  window.DisconnectFromServer();
  peer.Join();
  EXPECT_EQ(received, "DATA\r\nSubject: x\r\n\r\n..dot\r\n");
  ASSERT_EQ(List()->topLevelItemCount(), 3);
  EXPECT_EQ(Row(1, 1), "354");
  EXPECT_EQ(Row(2, 0), "(message, 3 lines)");
  EXPECT_EQ(Row(2, 2), "250 queued");
  const QString text = window.SessionText();
  EXPECT_EQ(text,
            "(greeting)\n<- 220 smtp\n-> DATA\n<- 354 go\n-> Subject: x\n-> \n-> .dot\n-> .\n"
            "<- 250 queued\n");
  const QString path = QDir::temp().filePath("tamsel-session-test.txt");
  ASSERT_TRUE(window.SaveSession(path));
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(saved.readAll()), text);
  saved.remove();
  window.ClearSession();
  EXPECT_EQ(List()->topLevelItemCount(), 0);
  EXPECT_EQ(window.SessionText(), "");

  std::string stored;
  Peer cache([&stored](int fd) {
    stored += sockettest::RecvLine(fd);
    stored += sockettest::RecvLine(fd);
    sockettest::SendAll(fd, "STORED\r\n");
    sockettest::RecvUntilClosed(fd);
  });
  window.SetPort(cache.Port());
  window.SetProtocol(*conversation::ProtocolNamed("memcached"));
  window.ConnectToServer();
  window.SendCommand("set k 0 0 2");
  EXPECT_EQ(List()->topLevelItemCount(), 0);  // waits for its data line
  window.SendCommand("hi");
  ASSERT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_EQ(Row(0, 0), "set k 0 0 2");
  EXPECT_EQ(Row(0, 2), "STORED");
  window.DisconnectFromServer();
  cache.Join();
  EXPECT_EQ(stored, "set k 0 0 2\r\nhi\r\n");
}

TEST_F(WindowTest, ReturnInThePortFieldConnectsAndTheLocalAddressShowsOnlyThen) {
  Peer peer(Replying("220 up\r\n", {}));
  Aim(peer.Port());
  window.show();
  auto* port = window.findChildren<QSpinBox*>().at(0);
  QLabel* local = nullptr;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text().startsWith("Local address") || label->text().isEmpty()) local = label;
  }
  ASSERT_NE(local, nullptr);
  EXPECT_FALSE(local->isVisible());
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(port, &press);
  ASSERT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_TRUE(local->isVisible());
  EXPECT_TRUE(local->text().startsWith("Local address: "));
  window.DisconnectFromServer();
  EXPECT_FALSE(local->isVisible());
}

// The window logs in after the greeting; the password is typed into a
// field that does not show it, and appears nowhere: not in the list, the
// trace or the saved session.
TEST_F(WindowTest, LogsInWithTheFieldsAndKeepsThePasswordOutOfEverything) {
  std::string received;
  Peer peer(Replying("+OK ready\r\n",
                     {"+OK\r\nUSER\r\n.\r\n", "+OK\r\n", "+OK logged in\r\n", "+OK 0 0\r\n"},
                     &received));
  Aim(peer.Port());
  window.SetProtocol(*conversation::ProtocolNamed("pop3"));
  window.SetLogin("anna", "s3cret!", "native", /*allowPlainText=*/true);
  QLineEdit* password = nullptr;
  for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
    if (field->echoMode() == QLineEdit::Password) password = field;
  }
  ASSERT_NE(password, nullptr);
  bool buddied = false;
  for (QLabel* label : window.findChildren<QLabel*>()) buddied |= label->buddy() == password;
  EXPECT_TRUE(buddied);

  window.ConnectToServer();
  ASSERT_TRUE(boxes.empty()) << boxes.front();
  window.SendCommand("STAT");
  EXPECT_EQ(received, "CAPA\r\nUSER anna\r\nPASS s3cret!\r\nSTAT\r\n");
  const QString session = window.SessionText();
  EXPECT_TRUE(session.contains("-> PASS ****")) << session.toStdString();
  EXPECT_FALSE(session.contains("s3cret")) << session.toStdString();
  EXPECT_FALSE(window.findChild<QPlainTextEdit*>()->toPlainText().contains("s3cret"));
  EXPECT_EQ(Row(List()->topLevelItemCount() - 1, 2), "+OK 0 0");
  window.DisconnectFromServer();
}

// Without TLS and without leave, the password is not sent: the box says so.
TEST_F(WindowTest, APasswordWithoutTlsNeedsLeave) {
  std::string received;
  Peer peer(Replying("+OK ready\r\n", {"+OK\r\nUSER\r\n.\r\n"}, &received));
  Aim(peer.Port());
  window.SetProtocol(*conversation::ProtocolNamed("pop3"));
  window.SetLogin("anna", "s3cret!", "native");
  window.ConnectToServer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "the log-in (NATIVE) would send the password without TLS");
  EXPECT_EQ(received, "CAPA\r\n");
}

}  // namespace

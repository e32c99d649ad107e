#include <gtest/gtest.h>

#include <vector>

#include "toolkit/MessageWindow.h"
#include "toolkit/Pump.h"

namespace {

using toolkit::Message;
using toolkit::MessageWindow;

TEST(MessageWindow, DeliversPostedMessagesInOrderOnlyWhenPumped) {
  std::vector<Message> received;
  MessageWindow window([&](const Message& m) { received.push_back(m); });
  window.Post(1125, 7, 0x00200001);
  window.Post(1126, 0, -1);
  EXPECT_TRUE(received.empty());
  toolkit::ProcessMessages();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].number, 1125u);
  EXPECT_EQ(received[0].parameter, 7u);
  EXPECT_EQ(received[0].longParameter, 0x00200001);
  EXPECT_EQ(received[1].number, 1126u);
  EXPECT_EQ(received[1].longParameter, -1);
}

TEST(MessageWindow, MessagesPendingForADestroyedWindowAreDropped) {
  int calls = 0;
  {
    MessageWindow window([&](const Message&) { ++calls; });
    window.Post(1125, 0, 0);
  }
  toolkit::ProcessMessages();
  EXPECT_EQ(calls, 0);
}

TEST(MessageWindow, TimerTicksArriveAsTimerMessagesWhilePumping) {
  std::vector<Message> ticks;
  MessageWindow window([&](const Message& m) { ticks.push_back(m); });
  ASSERT_TRUE(window.SetTimer(1, 1));
  for (int i = 0; i < 500 && ticks.size() < 3; ++i) toolkit::WaitForMessages();
  window.KillTimer();
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_EQ(ticks[0].number, MessageWindow::kTimerMessage);
  EXPECT_EQ(ticks[0].parameter, 1u);
  const size_t seen = ticks.size();
  for (int i = 0; i < 5; ++i) toolkit::WaitForMessages();
  EXPECT_EQ(ticks.size(), seen);  // no tick after KillTimer
}

TEST(MessageWindow, RefusesAPeriodBeyondTheSystemRange) {
  MessageWindow window;
  EXPECT_FALSE(window.SetTimer(1, 0x80000000u));
  EXPECT_FALSE(window.TimerRunning());
}

}  // namespace

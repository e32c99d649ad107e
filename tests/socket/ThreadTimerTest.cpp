#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "socket/Psock.h"
#include "toolkit/Application.h"
#include "toolkit/Pump.h"

namespace {

using Psock::TThreadTimer;
using Clock = std::chrono::steady_clock;

// Pumps until `ticks` reaches `wanted`, for at most about 5 s.
void PumpUntilTicks(const int& ticks, int wanted) {
  const auto limit = Clock::now() + std::chrono::seconds(5);
  while (ticks < wanted && Clock::now() < limit) toolkit::WaitForMessages();
}

// Pumps for about `ms` milliseconds.
void PumpFor(int ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < until) toolkit::WaitForMessages();
}

TEST(ThreadTimer, StartsEnabledWithOneSecondAndNoHandlerSoItIsIdle) {
  TThreadTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.OnTimer());
  EXPECT_FALSE(timer.Running());
}

TEST(ThreadTimer, RunsExactlyWhenEnabledWithIntervalAndHandler) {
  TThreadTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(0);
  timer.SetOnTimer([&](TThreadTimer*) { ++ticks; });
  EXPECT_FALSE(timer.Running());  // interval 0: no ticks
  timer.SetEnabled(false);
  timer.SetInterval(5);
  EXPECT_FALSE(timer.Running());  // only stores the value while disabled
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
  timer.SetOnTimer({});
  EXPECT_FALSE(timer.Running());  // no handler, whatever the rest says
  PumpFor(30);
  EXPECT_EQ(ticks, 0);
}

TEST(ThreadTimer, TicksOnlyWhileTheThreadPumpsAndPassesItselfAsSender) {
  TThreadTimer timer(nullptr);
  int ticks = 0;
  TThreadTimer* sender = nullptr;
  timer.SetInterval(1);
  timer.SetOnTimer([&](TThreadTimer* s) {
    sender = s;
    ++ticks;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ticks, 0);  // nothing is delivered without a pump
  PumpUntilTicks(ticks, 3);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(sender, &timer);
}

TEST(ThreadTimer, AssigningTheCurrentValueKeepsTheRunningPeriod) {
  // Were these assignments restarting the period, no tick could ever come.
  TThreadTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(30);
  timer.SetOnTimer([&](TThreadTimer*) { ++ticks; });
  const auto limit = Clock::now() + std::chrono::seconds(5);
  while (ticks == 0 && Clock::now() < limit) {
    timer.SetEnabled(true);
    timer.SetInterval(30);
    toolkit::WaitForMessages();
  }
  EXPECT_EQ(ticks, 1);
}

TEST(ThreadTimer, AssigningTheHandlerRestartsThePeriod) {
  TThreadTimer timer(nullptr);
  int ticks = 0;
  Clock::time_point tickedAt;
  timer.SetInterval(200);
  timer.SetOnTimer([&](TThreadTimer*) { ++ticks; });
  PumpFor(120);
  const auto restart = Clock::now();
  int ticksAfter = 0;
  timer.SetOnTimer([&](TThreadTimer*) {
    if (ticksAfter++ == 0) tickedAt = Clock::now();
  });
  PumpUntilTicks(ticksAfter, 1);
  ASSERT_GE(ticksAfter, 1);
  // Without the restart the tick would have come about 80 ms after it.
  EXPECT_GE(tickedAt - restart, std::chrono::milliseconds(190));
}

TEST(ThreadTimer, RefusedTimerRaisesNoTimerAndKeepsTheNewValue) {
  TThreadTimer timer(nullptr);
  timer.SetOnTimer([](TThreadTimer*) {});
  try {
    timer.SetInterval(0x80000000u);
    FAIL() << "expected No Timer";
  } catch (const rtl::Exception& error) {
    EXPECT_EQ(error.Message(), "No Timer");
  }
  EXPECT_EQ(timer.Interval(), 0x80000000u);
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(10);  // a later change works again
  EXPECT_TRUE(timer.Running());
}

TEST(ThreadTimer, HandlerExceptionGoesToTheCentralReportAndTicksGoOn) {
  std::vector<std::string> reported;
  toolkit::SetExceptionReporter(
      [&](QObject*, const std::exception& error) { reported.push_back(error.what()); });
  {
    TThreadTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(1);
    timer.SetOnTimer([&](TThreadTimer*) {
      ++ticks;
      throw rtl::Exception("tick failed");
    });
    PumpUntilTicks(ticks, 2);
    EXPECT_GE(ticks, 2);
  }
  toolkit::SetExceptionReporter({});
  ASSERT_GE(reported.size(), 2u);
  EXPECT_EQ(reported[0], "tick failed");
}

TEST(ThreadTimer, DestroyingARunningTimerStopsItsTicks) {
  int ticks = 0;
  auto* timer = new TThreadTimer(nullptr);
  timer->SetInterval(1);
  timer->SetOnTimer([&](TThreadTimer*) { ++ticks; });
  std::this_thread::sleep_for(std::chrono::milliseconds(10));  // a tick is due
  delete timer;
  PumpFor(20);
  EXPECT_EQ(ticks, 0);
}

TEST(ThreadTimer, TheOwnerDestroysIt) {
  int ticks = 0;
  auto* owner = new toolkit::Component(nullptr);
  auto* timer = new TThreadTimer(owner);
  timer->SetInterval(1);
  timer->SetOnTimer([&](TThreadTimer*) { ++ticks; });
  EXPECT_EQ(owner->ComponentCount(), 1);
  delete owner;
  PumpFor(20);
  EXPECT_EQ(ticks, 0);
}

}  // namespace

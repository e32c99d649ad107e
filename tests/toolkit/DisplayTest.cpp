#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "toolkit/Display.h"

namespace {

// Saves an environment variable and puts it back.
class EnvironmentVariable {
 public:
  explicit EnvironmentVariable(const char* name) : name_(name) {
    const char* value = std::getenv(name);
    if (value != nullptr) saved_ = value;
    had_ = value != nullptr;
  }
  ~EnvironmentVariable() {
    if (had_) {
      setenv(name_, saved_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  void Set(const char* value) { setenv(name_, value, 1); }
  void Unset() { unsetenv(name_); }

 private:
  const char* name_;
  std::string saved_;
  bool had_ = false;
};

TEST(DisplayAvailable, HeadlessPlatformsAndMissingDisplaysMeanNoWindow) {
  EnvironmentVariable platform("QT_QPA_PLATFORM");
  EnvironmentVariable display("DISPLAY");
  EnvironmentVariable wayland("WAYLAND_DISPLAY");
  platform.Set("offscreen");
  EXPECT_FALSE(toolkit::DisplayAvailable());
  platform.Set("minimal");
  EXPECT_FALSE(toolkit::DisplayAvailable());
  platform.Unset();
  display.Set(":9876");  // no such server
  wayland.Unset();
  EXPECT_FALSE(toolkit::DisplayAvailable());
  display.Unset();
  wayland.Set("no-such-wayland-display-9876");
  EXPECT_FALSE(toolkit::DisplayAvailable());
  platform.Set("xcb");
  EXPECT_FALSE(toolkit::DisplayAvailable());
  display.Set("remote.example:0");  // a remote X display is taken on trust
  EXPECT_TRUE(toolkit::DisplayAvailable());
  platform.Set("wayland");
  EXPECT_FALSE(toolkit::DisplayAvailable());
}

}  // namespace

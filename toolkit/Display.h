/// \file
/// Whether a person can see a window. Both programs ask this one question
/// before they choose between their window and their command line.
///
/// The answer needs no Qt, so a program can decide before it loads any of
/// Qt's GUI libraries.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace toolkit {

namespace display_detail {

inline bool Exists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

inline std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

/// A local X display ":N" or "unix:N" needs its socket; a remote one is
/// taken on trust.
inline bool XDisplaySet() {
  const std::string display = Environment("DISPLAY");
  if (display.empty()) return false;
  const size_t colon = display.find(':');
  if (colon == std::string::npos) return false;
  const std::string host = display.substr(0, colon);
  if (!host.empty() && host != "unix") return true;
  const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
  return !number.empty() && Exists("/tmp/.X11-unix/X" + number);
}

inline bool WaylandDisplaySet() {
  const std::string display = Environment("WAYLAND_DISPLAY");
  if (display.empty()) return false;
  if (display[0] == '/') return Exists(display);
  const std::string runtime = Environment("XDG_RUNTIME_DIR");
  return !runtime.empty() && Exists(runtime + "/" + display);
}

}  // namespace display_detail

/// True when QT_QPA_PLATFORM names a platform other than "offscreen" and
/// "minimal" (whose windows nobody sees), or, without it, when an X display or
/// a Wayland display is set and its local socket exists.
inline bool DisplayAvailable() {
  using namespace display_detail;
  const std::string platform = Environment("QT_QPA_PLATFORM");
  if (!platform.empty()) {
    const std::string name = platform.substr(0, platform.find(':'));
    if (name == "offscreen" || name == "minimal") return false;
    if (name == "xcb") return XDisplaySet();
    if (name.rfind("wayland", 0) == 0) return WaylandDisplaySet();
    return true;
  }
  return XDisplaySet() || WaylandDisplaySet();
}

}  // namespace toolkit

#pragma once

#include <string>

class ScreenMetrics;

// The SDL 1.2 window with its OpenGL context, and the report of pending GL errors.
class Window {
 public:
  // Resizable window; caption as the window title, no icon caption.
  static bool openWindowed(ScreenMetrics* metrics, const char* caption, const char* iconCaption);
  static bool openFullscreen(ScreenMetrics* metrics);
  static std::string message();
  // Prints every pending GL error with `location`; true when none was pending.
  static bool reportGLErrors(const std::string& location);
  // The same report over any source of error codes (the driver's glGetError by default).
  static bool reportGLErrors(const std::string& location, unsigned (*nextError)());
};

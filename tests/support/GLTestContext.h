#pragma once

#include <cstdint>
#include <vector>

class ScreenMetrics;

// The one GL context the GL tests share: a 640 x 360 window, no vsync, GLEW initialised.
class GLTestContext {
 public:
  static bool open();
  static ScreenMetrics* metrics();
  // RGBA bytes of the back buffer's w x h block at (x, y), rows bottom to top.
  static std::vector<uint8_t> readPixels(int x, int y, int w, int h);
};

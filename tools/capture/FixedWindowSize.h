#pragma once

// What a capture reads back each frame must keep its size and place, so its window keeps its
// size: window managers are told it has one size, and the resize events that would move the
// engine's viewport are dropped. (Without a window manager another X client can still resize
// the window; the viewport and the picture read back stay as they were.)
class FixedWindowSize {
 public:
  // For the SDL window open now.
  static void apply(int width, int height);
};

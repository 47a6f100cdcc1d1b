#pragma once

#include <GL/glew.h>

#include <cstdlib>
#include <string>

#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Window.h"

// Opens one small GL window for the whole benchmark run; false (and the reason) without a
// display, so that GL benchmarks skip instead of failing.
inline bool openBenchContext(std::string& reason) {
  static ScreenMetrics metrics;
  static int state = 0;  // 0 untried, 1 open, 2 failed
  static std::string failure;
  if (state == 0) {
    state = 2;
    if (!std::getenv("DISPLAY")) {
      failure = "no DISPLAY";
    } else {
      metrics.setSize(320, 180);
      metrics.setFullscreen(false);
      if (Window::openWindowed(&metrics, "kvr_bench", nullptr) && glewInit() == GLEW_OK)
        state = 1;
      else
        failure = "no GL context";
    }
  }
  reason = failure;
  return state == 1;
}

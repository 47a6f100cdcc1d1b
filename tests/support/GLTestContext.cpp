#include "support/GLTestContext.h"

#include <GL/glew.h>

#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Window.h"

namespace {
ScreenMetrics testMetrics;
}

bool GLTestContext::open() {
  testMetrics.setSize(640, 360);
  testMetrics.setFullscreen(false);
  testMetrics.setVsync(false);
  if (!Window::openWindowed(&testMetrics, "Kelvaro Demosystem tests", nullptr) || glewInit() != GLEW_OK)
    return false;
  testMetrics.computeViewport();
  testMetrics.apply();
  return GLEW_VERSION_2_0;
}

ScreenMetrics* GLTestContext::metrics() { return &testMetrics; }

std::vector<uint8_t> GLTestContext::readPixels(int x, int y, int w, int h) {
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

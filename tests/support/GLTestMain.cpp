// Entry of the GL test binary: opens one SDL window with a GL 2.0 context through the engine's
// window layer, initialises GLEW, and runs every GL test in that context.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "support/GLTestContext.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!GLTestContext::open()) {
    std::fprintf(stderr, "No GL context: %s\n", SDL_GetError());
    return 1;
  }
  int result = RUN_ALL_TESTS();
  SDL_Quit();
  return result;
}

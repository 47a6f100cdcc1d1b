#include "demosys/gl/Window.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <iostream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ScreenMetrics.h"

namespace {

bool initVideo(ScreenMetrics* metrics) {
  KVRDemosys::screenMetrics = metrics;
  if (SDL_Init(SDL_INIT_VIDEO) == -1) {
    KVRDemosys::windowMessage = std::string("Failed to initialize SDL!\n") + SDL_GetError();
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  return true;
}

bool finishOpen(SDL_Surface* surface) {
  if (surface) return true;
  KVRDemosys::windowMessage = std::string("Failed to set screenmode!\n") + SDL_GetError();
  std::cout << KVRDemosys::windowMessage << std::endl;
  return false;
}

}  // namespace

bool Window::openWindowed(ScreenMetrics* metrics, const char* caption, const char* iconCaption) {
  if (!initVideo(metrics)) return false;
  if (metrics->getAntialiasing() != 0) {
    // Windowed mode always asks for four samples, whatever count was chosen.
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 4);
  }
  if (metrics->getVsync()) SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
  SDL_Surface* surface =
      SDL_SetVideoMode(metrics->getWidth(), metrics->getHeight(), 32, SDL_OPENGL | SDL_RESIZABLE);
  SDL_WM_SetCaption(caption, iconCaption);
  SDL_ShowCursor(SDL_DISABLE);
  return finishOpen(surface);
}

bool Window::openFullscreen(ScreenMetrics* metrics) {
  if (!initVideo(metrics)) return false;
  if (metrics->getVsync()) SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
  if (metrics->getAntialiasing() != 0) {
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, metrics->getAntialiasing());
  }
  SDL_Surface* surface =
      SDL_SetVideoMode(metrics->getWidth(), metrics->getHeight(), 32, SDL_FULLSCREEN | SDL_OPENGL);
  SDL_ShowCursor(SDL_DISABLE);
  return finishOpen(surface);
}

std::string Window::message() { return KVRDemosys::windowMessage; }

namespace {
unsigned driverError() { return glGetError(); }
}  // namespace

bool Window::reportGLErrors(const std::string& location) { return reportGLErrors(location, driverError); }

bool Window::reportGLErrors(const std::string& location, unsigned (*nextError)()) {
  GLenum error = nextError();
  if (error == GL_NO_ERROR) return true;
  // Bounded: without a current context some drivers report the same error forever.
  for (int reported = 0; error != GL_NO_ERROR && reported < 64; ++reported) {
    const GLubyte* text = gluErrorString(error);
    std::cout << "[GL_ERROR LOCATION = '" << location << "']" << std::endl;
    if (text)
      std::cout << "[GL_ERROR CODE " << static_cast<unsigned>(error) << "] '" << text << "'" << std::endl;
    else
      std::cout << "[GL_ERROR CODE UNKNOWN]" << std::endl;
    error = nextError();
    KVRDemosys::glErrorSeen = true;
    ++KVRDemosys::glErrorCount;
  }
  return false;
}

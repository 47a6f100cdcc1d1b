#include "demosys/gl/FBO.h"

#include <iostream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/BindObserver.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Texture.h"

FBO::FBO(int32_t width, int32_t height, bool depth, bool stencil, GLint colorInternalFormat,
         GLenum pixelFormat, GLenum pixelType)
    : depthRequested(depth), stencilRequested(stencil), width(width), height(height) {
  glGenFramebuffersEXT(1, &framebuffer);
  Texture* color = new Texture(width, height, colorInternalFormat, GL_RGBA);
  colorTextures.push_back(color);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
  glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, color->getName(), 0);
  if (depth) {
    depthTexture = new Texture(width, height, GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_TEXTURE_2D,
                              depthTexture->getName(), 0);
  }
  checkStatus();
  // Straight to the screen: the engine's record of the bound target still holds.
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

FBO::~FBO() {
  if (framebuffer != 0) {
    // A deleted framebuffer that was bound falls back to the screen.
    if (KVRDemosys::boundFramebuffer == framebuffer) KVRDemosys::boundFramebuffer = 0;
    glDeleteFramebuffersEXT(1, &framebuffer);
  }
  delete depthTexture;
  for (Texture* texture : colorTextures) delete texture;
}

const char* FBO::statusText(GLenum status) {
  switch (status) {
    case GL_FRAMEBUFFER_COMPLETE_EXT:
      return "Framebuffer is complete.";
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT:
      return "Framebuffer incomplete attachment";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT:
      return "Framebuffer missing attachment";
    case GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT:
      return "Framebuffer unsupported dimension.";
    case GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT:
      return "Framebuffer incoplete formats.";
    case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT:
      return "Framebuffer incomplete draw buffer.";
    case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT:
      return "Framebuffer incomplete read buffer";
    case GL_FRAMEBUFFER_UNSUPPORTED_EXT:
      return "Framebuffer unsupported. Try another format.";
    default:
      return "Unknown framebuffer errror.";
  }
}

bool FBO::checkStatus() {
  GLenum status = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
  statusMessage = statusText(status);
  complete = status == GL_FRAMEBUFFER_COMPLETE_EXT;
  if (!complete)
    std::cout << "FBO " << statusMessage << "(" << status << ")"
              << " = "
              << "false" << std::endl;
  return complete;
}

GLbitfield FBO::clearMask() const {
  return depthTexture ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT;
}

void bind(FBO* fbo) {
  if (fbo) {
    if (fbo->framebuffer == KVRDemosys::boundFramebuffer) return;
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo->framebuffer);
    glViewport(0, 0, fbo->width, fbo->height);
    KVRDemosys::boundFramebuffer = fbo->framebuffer;
    if (KVRDemosys::bindObserver) KVRDemosys::bindObserver->framebufferBound(fbo->framebuffer);
    return;
  }
  if (KVRDemosys::boundFramebuffer == 0) return;
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  const ScreenMetrics* screen = KVRDemosys::screenMetrics;
  if (screen) glViewport(screen->viewport[0], screen->viewport[1], screen->viewport[3], screen->viewport[2]);
  KVRDemosys::boundFramebuffer = 0;
}

void markUsed(FBO* fbo) {
  if (fbo) fbo->used = true;
}

void clear(FBO* fbo) {
  if (!fbo) return;
  bind(fbo);
  glClear(fbo->clearMask());
  fbo->used = false;
}

Texture* getColorTexture(FBO* fbo, int index) {
  if (!fbo || index < 0 || static_cast<size_t>(index) >= fbo->colorTextures.size()) return nullptr;
  return fbo->colorTextures[static_cast<size_t>(index)];
}

int32_t getWidth(FBO* fbo) { return fbo ? fbo->width : 0; }
int32_t getHeight(FBO* fbo) { return fbo ? fbo->height : 0; }
GLuint getFramebuffer(FBO* fbo) { return fbo ? fbo->framebuffer : 0; }
Texture* getDepthTexture(FBO* fbo) { return fbo ? fbo->depthTexture : nullptr; }
bool isComplete(FBO* fbo) { return fbo && fbo->complete; }
bool isUsed(FBO* fbo) { return fbo && fbo->used; }

void drawTexture(FBO* fbo) {
  if (!isComplete(fbo)) return;
  Texture* color = getColorTexture(fbo, 0);
  GLint matrixMode = GL_MODELVIEW;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  color->setWrap(GL_CLAMP_TO_EDGE);
  color->drawFullscreen();
  glMatrixMode(static_cast<GLenum>(matrixMode));
}

std::string toString(FBO* fbo) {
  if (!fbo) return "** screen or nullpointer**";
  std::string text =
      "FBO(" + std::to_string(getWidth(fbo)) + "," + std::to_string(getHeight(fbo)) + ",COLOR_BUFFER";
  if (fbo->hasDepth()) text += ",DEPTH_BUFFER";
  if (fbo->hasStencil()) text += ",STENCIL_BUFFER";
  return text + ")";
}

#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <string>
#include <vector>

class Texture;

// One off-screen render target: a framebuffer object with one colour texture and, on request, a
// depth texture, both of the FBO's size. A null FBO pointer stands for the screen; effects choose
// targets through the free functions below, which skip binds of the target already bound.
class FBO {
 public:
  // `pixelFormat` and `pixelType` describe initial data; the textures start without any.
  FBO(int32_t width, int32_t height, bool depth, bool stencil, GLint colorInternalFormat, GLenum pixelFormat,
      GLenum pixelType);
  ~FBO();
  FBO(const FBO&) = delete;
  FBO& operator=(const FBO&) = delete;

  // Checks the bound framebuffer; prints one line for anything but complete.
  bool checkStatus();
  // The status message for a glCheckFramebufferStatusEXT result.
  static const char* statusText(GLenum status);

  const std::string& getStatusMessage() const { return statusMessage; }
  bool hasDepth() const { return depthRequested; }
  bool hasStencil() const { return stencilRequested; }
  // GL_COLOR_BUFFER_BIT, with GL_DEPTH_BUFFER_BIT when a depth texture is attached.
  GLbitfield clearMask() const;

 private:
  friend void bind(FBO* fbo);
  friend void markUsed(FBO* fbo);
  friend void clear(FBO* fbo);
  friend Texture* getColorTexture(FBO* fbo, int index);
  friend int32_t getWidth(FBO* fbo);
  friend int32_t getHeight(FBO* fbo);
  friend GLuint getFramebuffer(FBO* fbo);
  friend Texture* getDepthTexture(FBO* fbo);
  friend bool isComplete(FBO* fbo);
  friend bool isUsed(FBO* fbo);

  std::vector<Texture*> colorTextures;
  std::vector<GLenum> drawBuffers;
  Texture* depthTexture = nullptr;
  GLuint framebuffer = 0;
  bool depthRequested;
  bool stencilRequested;
  bool used = false;
  bool complete = false;
  int32_t width;
  int32_t height;
  std::string statusMessage;
};

// Makes `fbo` (null: the screen, with its letterboxed viewport) the render target, unless it
// already is; the engine remembers the bound framebuffer in KVRDemosys::boundFramebuffer.
void bind(FBO* fbo);
void markUsed(FBO* fbo);
// Binds `fbo` and clears its colour (and depth) with the current clear values; clears "used".
void clear(FBO* fbo);
Texture* getColorTexture(FBO* fbo, int index);
int32_t getWidth(FBO* fbo);
int32_t getHeight(FBO* fbo);
GLuint getFramebuffer(FBO* fbo);
Texture* getDepthTexture(FBO* fbo);
bool isComplete(FBO* fbo);
bool isUsed(FBO* fbo);
// Draws the colour texture over the whole current viewport; an incomplete FBO draws nothing.
void drawTexture(FBO* fbo);
std::string toString(FBO* fbo);

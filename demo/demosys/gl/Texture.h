#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <string>

// One OpenGL texture with the settings it is bound with: loaded from an image file
// (TextureLoader) or created empty as a framebuffer attachment. Owns the GL texture.
class Texture {
 public:
  // Record for an existing GL texture.
  Texture(const std::string& fileName, GLuint name);
  // Empty GL_TEXTURE_2D render target with linear filtering, level 0 allocated without data.
  Texture(int32_t width, int32_t height, GLint internalFormat, GLenum format);
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Enables the target and binds with this record's filters, wrap and environment mode.
  void bind() const;
  void unbind() const;

  // Textured quads: over the whole viewport (identity matrices), centred on the origin, or with
  // the top-left corner at (x, y) in the current matrices; the blended forms also alpha-test > 0.
  void drawFullscreen() const;
  void drawFullscreenBlended(GLenum srcFactor, GLenum dstFactor) const;
  void drawCentered(float width, float height) const;
  void drawAt(float width, float height, float x, float y) const;
  void drawBlendedAt(GLenum srcFactor, GLenum dstFactor, float width, float height, float x, float y) const;

  void setTarget(GLenum value) { target = value; }
  void setMipmapped(bool value) { mipmapped = value; }
  void setSize(int32_t newWidth, int32_t newHeight) {
    width = newWidth;
    height = newHeight;
  }
  void setBitsPerPixel(int32_t value) { bitsPerPixel = value; }
  void setFileSize(int32_t value) { fileSize = value; }
  void setFilter(GLenum value) { filter = value; }
  void setWrap(GLenum value) { wrapS = wrapT = value; }
  void setWrap(GLenum s, GLenum t) {
    wrapS = s;
    wrapT = t;
  }
  void setEnvironmentMode(GLenum value) { environmentMode = value; }
  void setFileName(const std::string& value) { fileName = value; }

  GLuint getName() const { return name; }
  const std::string& getFileName() const { return fileName; }
  GLenum getTarget() const { return target; }
  int32_t getWidth() const { return width; }
  int32_t getHeight() const { return height; }
  int32_t getBitsPerPixel() const { return bitsPerPixel; }
  int32_t getFileSize() const { return fileSize; }
  bool getMipmapped() const { return mipmapped; }
  GLenum getFilter() const { return filter; }
  GLenum getWrapS() const { return wrapS; }
  GLenum getWrapT() const { return wrapT; }
  GLenum getEnvironmentMode() const { return environmentMode; }
  // width x height x bits per pixel / 8 bytes.
  int64_t getMemorySize() const;

  std::string toString() const;

 private:
  void drawQuad(float left, float bottom, float right, float top) const;
  void drawWithIdentityMatrices(float left, float bottom, float right, float top) const;

  GLuint name = 0;
  std::string fileName;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 32;
  int32_t fileSize = 0;
  GLenum target = GL_TEXTURE_2D;
  GLenum filter = GL_LINEAR;
  bool mipmapped = false;
  GLenum wrapS = GL_CLAMP_TO_EDGE;
  GLenum wrapT = GL_CLAMP_TO_EDGE;
  GLenum environmentMode = GL_REPLACE;
};

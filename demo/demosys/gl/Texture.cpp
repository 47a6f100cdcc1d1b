#include "demosys/gl/Texture.h"

#include <sstream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/BindObserver.h"

Texture::Texture(const std::string& fileName, GLuint name) : name(name), fileName(fileName) {}

Texture::Texture(int32_t width, int32_t height, GLint internalFormat, GLenum format)
    : width(width), height(height) {
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
}

Texture::~Texture() {
  if (name != 0) glDeleteTextures(1, &name);
}

void Texture::bind() const {
  if (KVRDemosys::bindObserver) KVRDemosys::bindObserver->textureBound(name);
  glEnable(target);
  glBindTexture(target, name);
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_LINEAR : filter);
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, mipmapped ? GL_LINEAR : filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, environmentMode);
  glTexParameteri(target, GL_TEXTURE_WRAP_S, wrapS);
  glTexParameteri(target, GL_TEXTURE_WRAP_T, wrapT);
}

void Texture::unbind() const {
  if (KVRDemosys::bindObserver) KVRDemosys::bindObserver->textureUnbound(name);
  glBindTexture(target, 0);
  glDisable(target);
}

int64_t Texture::getMemorySize() const { return int64_t(width) * height * bitsPerPixel / 8; }

void Texture::drawQuad(float left, float bottom, float right, float top) const {
  bind();
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(left, top);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(left, bottom);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(right, bottom);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(right, top);
  glEnd();
  unbind();
}

void Texture::drawWithIdentityMatrices(float left, float bottom, float right, float top) const {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  drawQuad(left, bottom, right, top);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

namespace {

void beginBlend(GLenum srcFactor, GLenum dstFactor) {
  glEnable(GL_BLEND);
  glBlendFunc(srcFactor, dstFactor);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
}

void endBlend() {
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}

}  // namespace

void Texture::drawFullscreen() const { drawWithIdentityMatrices(-1.0f, -1.0f, 1.0f, 1.0f); }

void Texture::drawFullscreenBlended(GLenum srcFactor, GLenum dstFactor) const {
  beginBlend(srcFactor, dstFactor);
  drawFullscreen();
  endBlend();
}

void Texture::drawCentered(float w, float h) const { drawQuad(-w * 0.5f, -h * 0.5f, w * 0.5f, h * 0.5f); }

void Texture::drawAt(float w, float h, float x, float y) const { drawQuad(x, y - h, x + w, y); }

void Texture::drawBlendedAt(GLenum srcFactor, GLenum dstFactor, float w, float h, float x, float y) const {
  beginBlend(srcFactor, dstFactor);
  drawWithIdentityMatrices(x, y - h, x + w, y);
  endBlend();
}

std::string Texture::toString() const {
  std::ostringstream out;
  out << "Texture {"
      << "file='" << fileName << "',id=" << name << "',size='" << width << "," << height << "',bpp='"
      << bitsPerPixel << "'";
  if (mipmapped) out << " mipmapped ";
  out << "dimtype=";
  if (target == GL_TEXTURE_1D) out << "GL_TEXTURE_1D ";
  if (target == GL_TEXTURE_2D) out << "GL_TEXTURE_2D ";
  if (target == GL_TEXTURE_3D) out << "GL_TEXTURE_3D ";
  out << "}\n";
  return out.str();
}

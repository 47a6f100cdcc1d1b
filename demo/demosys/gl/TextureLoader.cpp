#include "demosys/gl/TextureLoader.h"

#include <GL/glu.h>

#include <algorithm>
#include <iostream>
#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Texture.h"
#include "demosys/io/Image.h"

namespace {

std::unique_ptr<Image> decode(const std::string& path) {
  if (KVRDemosys::resourceSource == 0) return std::make_unique<Image>(path);
  auto image = std::make_unique<Image>();
  if (KVRDemosys::resourceSource == 1) {
    image->setFileName(path);
    image->loadFromArchive();
  }
  return image;
}

void setFilters(GLenum target, bool mipmapped) {
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void upload(const Image& image, GLenum target, bool mipmapped) {
  GLint components = image.getBitsPerPixel() == 32 ? 4 : 3;
  GLenum format = image.getBitsPerPixel() == 32 ? GL_RGBA : GL_RGB;
  GLint internalFormat = image.getBitsPerPixel() == 32 ? GL_RGBA : GL_RGB;
  const uint8_t* pixels = image.getPixels();
  if (target == GL_TEXTURE_2D) {
    if (mipmapped)
      gluBuild2DMipmaps(target, components, image.getWidth(), image.getHeight(), format, GL_UNSIGNED_BYTE,
                        pixels);
    else
      glTexImage2D(target, 0, internalFormat, image.getWidth(), image.getHeight(), 0, format,
                   GL_UNSIGNED_BYTE, pixels);
    return;
  }
  // A strip either way round: its length is the longer side.
  GLsizei length = std::max(image.getWidth(), image.getHeight());
  if (mipmapped)
    gluBuild1DMipmaps(target, components, length, format, GL_UNSIGNED_BYTE, pixels);
  else
    glTexImage1D(target, 0, internalFormat, length, 0, format, GL_UNSIGNED_BYTE, pixels);
}

void uploadPixels(const Image& image, GLenum target, bool mipmapped) {
  int32_t bits = image.getBitsPerPixel();
  if (bits != 32 && bits != 24) return;
  // RGB rows are tightly packed; the default 4-byte row alignment would shear odd widths.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  upload(image, target, mipmapped);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void reportUploadErrors(const std::string& path) {
  // Bounded: without a current context some drivers report the same error forever.
  GLenum error = glGetError();
  for (int reported = 0; error != GL_NO_ERROR && reported < 64; ++reported) {
    const GLubyte* text = gluErrorString(error);
    std::cout << "[GL_ERROR] '" << (text ? reinterpret_cast<const char*>(text) : "") << "' in ->" << path
              << std::endl;
    error = glGetError();
  }
}

}  // namespace

Texture* createTexture(const Image& image, const std::string& path, GLenum target, bool mipmapped) {
  GLuint name = 0;
  glGenTextures(1, &name);
  bool known = target == GL_TEXTURE_1D || target == GL_TEXTURE_2D;
  if (known) {
    glBindTexture(target, name);
    setFilters(target, mipmapped);
    uploadPixels(image, target, mipmapped);
    glBindTexture(target, 0);
  }
  reportUploadErrors(path);
  Texture* texture = new Texture(path, name);
  texture->setSize(image.getWidth(), image.getHeight());
  texture->setBitsPerPixel(image.getBitsPerPixel());
  // The encoded file's length where it is known, so the pool's "total file size" is one.
  texture->setFileSize(image.getFileSize() >= 0 ? image.getFileSize() : 0);
  texture->setTarget(target);
  texture->setMipmapped(mipmapped);
  return texture;
}

Texture* loadTexture(const std::string& path, GLenum target, bool mipmapped) {
  if (KVRDemosys::logFileLoads) std::cout << "Loading texture : " << path << std::endl;
  std::unique_ptr<Image> image = decode(path);
  if (!image->isValid()) return nullptr;
  return createTexture(*image, path, target, mipmapped);
}

Texture* loadTexture(const Image& image, const std::string& path, GLenum target, bool mipmapped) {
  if (KVRDemosys::logFileLoads) std::cout << "Loading texture : " << path << std::endl;
  if (!image.isValid()) return nullptr;
  return createTexture(image, path, target, mipmapped);
}

#pragma once

#include <GL/glew.h>

#include <string>

class Image;
class Texture;

// Decodes an image file from the engine's resource source (directory tree or archive) and uploads
// it as a GL_TEXTURE_1D or GL_TEXTURE_2D texture, with or without mipmaps. Null when the file
// cannot be decoded; GL errors of the upload are printed and do not stop the load.
Texture* loadTexture(const std::string& path, GLenum target, bool mipmapped);

// The upload step on its own: a new texture from decoded pixels (24 bit RGB, 32 bit RGBA; other
// depths give a texture with nothing uploaded). `path` names the texture in its record and errors.
Texture* createTexture(const Image& image, const std::string& path, GLenum target, bool mipmapped);

// loadTexture for a picture decoded elsewhere (ImageDecodeAhead): null when it is not valid.
Texture* loadTexture(const Image& image, const std::string& path, GLenum target, bool mipmapped);

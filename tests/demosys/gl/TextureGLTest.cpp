#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>

#include "assets/PngFile.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/TextureLoader.h"
#include "demosys/io/Image.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"
#include "support/TempDir.h"

namespace {

// Pictures as a viewer sees them, first row on top: red green blue / white dark yellow.
const std::vector<uint8_t> RGB_3X2 = {255, 0,   0,   0,  255, 0,  0,   0,   255,
                                      255, 255, 255, 10, 20,  30, 255, 255, 0};
const std::vector<uint8_t> RGBA_2X2 = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 1, 2, 3, 4};

// A texture from a PNG made in memory, as the decoding thread hands it over.
std::unique_ptr<Texture> upload(int width, int height, int channels, const std::vector<uint8_t>& pixels,
                                GLenum target = GL_TEXTURE_2D, bool mipmapped = false) {
  Image image;
  EXPECT_TRUE(image.loadFromMemory(PngFile::encode(width, height, channels, pixels)));
  return std::unique_ptr<Texture>(loadTexture(image, "memory.png", target, mipmapped));
}

GLint levelParameter(const Texture& texture, GLint level, GLenum parameter, GLenum target = GL_TEXTURE_2D) {
  GLint value = -1;
  glBindTexture(target, texture.getName());
  glGetTexLevelParameteriv(target, level, parameter, &value);
  glBindTexture(target, 0);
  return value;
}

// Level 0 of a 2-D texture as RGBA, rows bottom to top.
std::vector<uint8_t> readBack(const Texture& texture) {
  std::vector<uint8_t> pixels(static_cast<size_t>(texture.getWidth()) * texture.getHeight() * 4);
  glBindTexture(GL_TEXTURE_2D, texture.getName());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return pixels;
}

}  // namespace

// Files load with their length (from the archive as well: the pipeline's textures come from one);
// a missing or damaged file gives no texture, a grey one a record without pixels; all silently.
TEST(TextureGLTest, FilesLoadWithTheirLengthAndUnusableOnesGiveNoPixelsSilently) {
  TempDir root;
  const std::vector<uint8_t> png = PngFile::encode(2, 2, 4, RGBA_2X2);
  root.write("resources/graphics/packed.png", png);
  root.write("resources/graphics/grey.png", PngFile::encode(4, 4, 1, std::vector<uint8_t>(16, 77)));
  root.write("resources/graphics/garbage.png", std::string("not an image at all"));
  WorkingDirectory inside(root.path());
  std::unique_ptr<Texture> packed, grey;
  EXPECT_EQ("", stdoutOf([&] {
              packed.reset(loadTexture("resources/graphics/packed.png", GL_TEXTURE_2D, false));
              grey.reset(loadTexture("resources/graphics/grey.png", GL_TEXTURE_2D, false));
              EXPECT_EQ(nullptr, loadTexture("resources/graphics/absent.png", GL_TEXTURE_2D, false));
              EXPECT_EQ(nullptr, loadTexture("resources/graphics/garbage.png", GL_TEXTURE_2D, false));
            }));
  ASSERT_TRUE(packed && grey);
  EXPECT_EQ(int32_t(png.size()), packed->getFileSize());
  EXPECT_EQ(std::pair(8, 0), std::pair(grey->getBitsPerPixel(), levelParameter(*grey, 0, GL_TEXTURE_WIDTH)));
  EXPECT_FALSE(Image().loadFromMemory({0x89, 'P', 'N', 'G'}));
}

// Rows are stored bottom to top, 24 bits as RGB and 32 as RGBA; an odd row length must not shear.
TEST(TextureGLTest, TwentyFourBitUploadsAsRGBAndThirtyTwoAsRGBAUpsideDown) {
  std::unique_ptr<Texture> rgb = upload(3, 2, 3, RGB_3X2), rgba = upload(2, 2, 4, RGBA_2X2);
  EXPECT_EQ(std::pair(GLint(GL_RGB), GLint(GL_RGBA)),
            std::pair(levelParameter(*rgb, 0, GL_TEXTURE_INTERNAL_FORMAT),
                      levelParameter(*rgba, 0, GL_TEXTURE_INTERNAL_FORMAT)));
  EXPECT_EQ((std::vector<uint8_t>{255, 255, 255, 255, 10, 20,  30, 255, 255, 255, 0,   255,  //
                                  255, 0,   0,   255, 0,  255, 0,  255, 0,   0,   255, 255}),
            readBack(*rgb));
  EXPECT_EQ((std::vector<uint8_t>{0, 0, 255, 0, 1, 2, 3, 4, 255, 0, 0, 255, 0, 255, 0, 128}),
            readBack(*rgba));
  EXPECT_EQ(24, rgb->getBitsPerPixel());
}

// A 1-D texture takes the longer side; mipmaps go down to one texel and filter between levels.
TEST(TextureGLTest, MipmapsReachOneTexelAndOneDimensionalLengthIsTheLongerSide) {
  for (auto [width, height, mipmapped] : {std::tuple{256, 1, false}, {1, 256, true}}) {
    std::unique_ptr<Texture> texture =
        upload(width, height, 3, std::vector<uint8_t>(256 * 3, 9), GL_TEXTURE_1D, mipmapped);
    EXPECT_EQ(256, levelParameter(*texture, 0, GL_TEXTURE_WIDTH, GL_TEXTURE_1D)) << width;
    EXPECT_EQ(mipmapped ? 1 : 0, levelParameter(*texture, 8, GL_TEXTURE_WIDTH, GL_TEXTURE_1D)) << width;
  }
  std::unique_ptr<Texture> square = upload(2, 2, 4, RGBA_2X2, GL_TEXTURE_2D, true);
  EXPECT_EQ(1, levelParameter(*square, 1, GL_TEXTURE_WIDTH));
  GLint minFilter = 0;
  glBindTexture(GL_TEXTURE_2D, square->getName());
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(GLint(GL_LINEAR_MIPMAP_LINEAR), minFilter);
}

TEST(TextureGLTest, RenderTargetDumpAndFullscreenDrawShowsThePictureUpright) {
  Texture target(64, 32, GL_RGBA, GL_RGBA);
  EXPECT_EQ(32, levelParameter(target, 0, GL_TEXTURE_HEIGHT));
  EXPECT_EQ("Texture {file='',id=" + std::to_string(target.getName()) +
                "',size='64,32',bpp='32'dimtype=GL_TEXTURE_2D }\n",
            target.toString());
  std::unique_ptr<Texture> texture = upload(3, 2, 3, RGB_3X2);
  texture->setFilter(GL_NEAREST);
  glViewport(0, 0, 3, 2);
  glClear(GL_COLOR_BUFFER_BIT);
  texture->drawFullscreen();
  std::vector<uint8_t> pixels = GLTestContext::readPixels(0, 0, 3, 2);
  EXPECT_EQ((std::vector<uint8_t>{255, 0, 0}),
            std::vector<uint8_t>(pixels.begin() + 12, pixels.begin() + 15));
  EXPECT_EQ(10, pixels[4]);  // bottom middle: dark
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
  GLTestContext::metrics()->apply();
}

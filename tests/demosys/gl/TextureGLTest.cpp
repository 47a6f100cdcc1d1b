#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/TextureLoader.h"
#include "demosys/io/Image.h"
#include "demosys/io/ResourceAccess.h"
#include "assets/PngFile.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Pictures as a viewer sees them: first row on top.
const std::vector<uint8_t> RGB_3X2 = {255, 0,   0,   0,  255, 0,  0,   0,   255,  // red green blue
                                      255, 255, 255, 10, 20,  30, 255, 255, 0};   // white dark yellow
const std::vector<uint8_t> RGBA_2X2 = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 1, 2, 3, 4};

class TextureGLTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs::create_directories(directory());
    writeFile(path("rgb.png"), PngFile::encode(3, 2, 3, RGB_3X2));
    writeFile(path("rgba.png"), PngFile::encode(2, 2, 4, RGBA_2X2));
    writeFile(path("grey.png"), PngFile::encode(4, 4, 1, std::vector<uint8_t>(16, 77)));
    writeFile(path("row.png"), PngFile::encode(256, 1, 3, std::vector<uint8_t>(256 * 3, 9)));
    writeFile(path("column.png"), PngFile::encode(1, 256, 4, std::vector<uint8_t>(256 * 4, 9)));
    writeFile(path("square.png"), PngFile::encode(8, 8, 4, std::vector<uint8_t>(8 * 8 * 4, 200)));
    writeFile(path("toolong.png"), PngFile::encode(40000, 1, 3, std::vector<uint8_t>(40000 * 3, 1)));
    std::ofstream(path("garbage.png")) << "not an image at all";
  }
  void SetUp() override {
    ResourceAccess::selectSource(0);
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override { ResourceAccess::selectSource(0); }

  static std::string directory() { return std::string(KVR_BINARY_DIR) + "/fixtures/textures/"; }
  static std::string path(const std::string& name) { return directory() + name; }

  // Level 0 of a 2-D texture as RGBA, rows bottom to top.
  static std::vector<uint8_t> readBack(const Texture& texture) {
    std::vector<uint8_t> pixels(static_cast<size_t>(texture.getWidth()) * texture.getHeight() * 4);
    glBindTexture(GL_TEXTURE_2D, texture.getName());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
  }
  static GLint levelParameter(GLenum target, GLuint name, GLint level, GLenum parameter) {
    GLint value = -1;
    glBindTexture(target, name);
    glGetTexLevelParameteriv(target, level, parameter, &value);
    glBindTexture(target, 0);
    return value;
  }
};

}  // namespace

TEST_F(TextureGLTest, ImageRowsAreBottomToTop) {
  Image image(path("rgb.png"));
  ASSERT_TRUE(image.isValid());
  EXPECT_EQ(3, image.getWidth());
  EXPECT_EQ(2, image.getHeight());
  EXPECT_EQ(24, image.getBitsPerPixel());
  EXPECT_EQ(static_cast<int32_t>(fs::file_size(path("rgb.png"))), image.getFileSize());
  std::vector<uint8_t> bottomFirst(RGB_3X2.begin() + 9, RGB_3X2.end());
  bottomFirst.insert(bottomFirst.end(), RGB_3X2.begin(), RGB_3X2.begin() + 9);
  EXPECT_EQ(bottomFirst, image.pixelBuffer());
}

TEST_F(TextureGLTest, MissingOrUndecodableFileGivesNullSilently) {
  EXPECT_FALSE(Image(path("absent.png")).isValid());
  EXPECT_FALSE(Image(path("garbage.png")).isValid());
  Image fromMemory;
  EXPECT_FALSE(fromMemory.loadFromMemory({}));
  EXPECT_FALSE(fromMemory.loadFromMemory({0x89, 'P', 'N', 'G'}));
  EXPECT_EQ("", stdoutOf([] {
              EXPECT_EQ(nullptr, loadTexture(path("absent.png"), GL_TEXTURE_2D, false));
              EXPECT_EQ(nullptr, loadTexture(path("garbage.png"), GL_TEXTURE_2D, false));
            }));
}

TEST_F(TextureGLTest, TwentyFourBitUploadsAsRGBAndThirtyTwoAsRGBA) {
  std::unique_ptr<Texture> rgb(loadTexture(path("rgb.png"), GL_TEXTURE_2D, false));
  std::unique_ptr<Texture> rgba(loadTexture(path("rgba.png"), GL_TEXTURE_2D, false));
  ASSERT_TRUE(rgb && rgba);
  EXPECT_EQ(GLint(GL_RGB), levelParameter(GL_TEXTURE_2D, rgb->getName(), 0, GL_TEXTURE_INTERNAL_FORMAT));
  EXPECT_EQ(GLint(GL_RGBA), levelParameter(GL_TEXTURE_2D, rgba->getName(), 0, GL_TEXTURE_INTERNAL_FORMAT));
  // Odd row length: the pixels must not be sheared by row alignment.
  std::vector<uint8_t> expected = {255, 255, 255, 255, 10, 20,  30, 255, 255, 255, 0,   255,
                                   255, 0,   0,   255, 0,  255, 0,  255, 0,   0,   255, 255};
  EXPECT_EQ(expected, readBack(*rgb));
  expected.assign(RGBA_2X2.begin() + 8, RGBA_2X2.end());
  expected.insert(expected.end(), RGBA_2X2.begin(), RGBA_2X2.begin() + 8);
  EXPECT_EQ(expected, readBack(*rgba));
  EXPECT_EQ(24, rgb->getBitsPerPixel());
  EXPECT_EQ(32, rgba->getBitsPerPixel());
  EXPECT_EQ(static_cast<int32_t>(fs::file_size(path("rgb.png"))), rgb->getFileSize());
  EXPECT_EQ(GLenum(GL_REPLACE), rgb->getEnvironmentMode());
}

TEST_F(TextureGLTest, GreyImageGivesARecordWithoutPixels) {
  std::unique_ptr<Texture> texture;
  EXPECT_EQ("", stdoutOf([&] { texture.reset(loadTexture(path("grey.png"), GL_TEXTURE_2D, false)); }));
  ASSERT_TRUE(texture);
  EXPECT_NE(0u, texture->getName());
  EXPECT_EQ(8, texture->getBitsPerPixel());
  EXPECT_EQ(0, levelParameter(GL_TEXTURE_2D, texture->getName(), 0, GL_TEXTURE_WIDTH));
}

TEST_F(TextureGLTest, OneDimensionalLengthIsTheLongerSide) {
  for (const char* name : {"row.png", "column.png"}) {
    for (bool mipmapped : {false, true}) {
      std::unique_ptr<Texture> texture(loadTexture(path(name), GL_TEXTURE_1D, mipmapped));
      ASSERT_TRUE(texture) << name;
      EXPECT_EQ(256, levelParameter(GL_TEXTURE_1D, texture->getName(), 0, GL_TEXTURE_WIDTH)) << name;
      EXPECT_EQ(mipmapped ? 1 : 0, levelParameter(GL_TEXTURE_1D, texture->getName(), 8, GL_TEXTURE_WIDTH))
          << name;
    }
  }
}

TEST_F(TextureGLTest, MipmappedTwoDimensionalHasEveryLevel) {
  std::unique_ptr<Texture> texture(loadTexture(path("square.png"), GL_TEXTURE_2D, true));
  ASSERT_TRUE(texture);
  EXPECT_EQ(1, levelParameter(GL_TEXTURE_2D, texture->getName(), 3, GL_TEXTURE_WIDTH));
  GLint minFilter = 0;
  glBindTexture(GL_TEXTURE_2D, texture->getName());
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glBindTexture(GL_TEXTURE_2D, 0);
  EXPECT_EQ(GLint(GL_LINEAR_MIPMAP_LINEAR), minFilter);
  std::string dump = texture->toString();
  EXPECT_NE(std::string::npos, dump.find("',bpp='32' mipmapped dimtype=GL_TEXTURE_2D }\n")) << dump;
}

TEST_F(TextureGLTest, UploadErrorsArePrintedWithThePath) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (maxSize >= 40000) GTEST_SKIP() << "implementation takes 40000 texels";
  std::unique_ptr<Texture> texture;
  EXPECT_EQ("[GL_ERROR] 'invalid value' in ->" + path("toolong.png") + "\n",
            stdoutOf([&] { texture.reset(loadTexture(path("toolong.png"), GL_TEXTURE_1D, false)); }));
  EXPECT_TRUE(texture);
}

TEST_F(TextureGLTest, LoadsFromTheArchiveWithTheFileLength) {
  TempDir root;
  root.write("resources/graphics/packed.png", readFile(path("rgba.png")));
  root.pack7z("resources.7z", {"resources/graphics/packed.png"});
  WorkingDirectory inside(root.path());
  ResourceAccess::selectSource(1);
  std::unique_ptr<Texture> texture(loadTexture("resources/graphics/packed.png", GL_TEXTURE_2D, false));
  std::unique_ptr<Texture> missing(loadTexture("resources/graphics/Packed.png", GL_TEXTURE_2D, false));
  ResourceAccess::selectSource(0);
  ASSERT_TRUE(texture);
  EXPECT_EQ(static_cast<int32_t>(fs::file_size(path("rgba.png"))), texture->getFileSize());
  EXPECT_EQ(2, texture->getWidth());
  EXPECT_EQ(GLint(GL_RGBA), levelParameter(GL_TEXTURE_2D, texture->getName(), 0, GL_TEXTURE_INTERNAL_FORMAT));
  EXPECT_EQ(nullptr, missing);
}

TEST_F(TextureGLTest, RenderTargetTextureHasSizeAndNoData) {
  Texture target(64, 32, GL_RGBA, GL_RGBA);
  EXPECT_NE(0u, target.getName());
  EXPECT_EQ(64, target.getWidth());
  EXPECT_EQ(32, levelParameter(GL_TEXTURE_2D, target.getName(), 0, GL_TEXTURE_HEIGHT));
  EXPECT_EQ("Texture {file='',id=" + std::to_string(target.getName()) +
                "',size='64,32',bpp='32'dimtype=GL_TEXTURE_2D }\n",
            target.toString());
}

TEST_F(TextureGLTest, DrawFullscreenShowsThePictureUpright) {
  std::unique_ptr<Texture> texture(loadTexture(path("rgb.png"), GL_TEXTURE_2D, false));
  ASSERT_TRUE(texture);
  texture->setFilter(GL_NEAREST);
  glViewport(0, 0, 3, 2);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  texture->drawFullscreen();
  std::vector<uint8_t> pixels = GLTestContext::readPixels(0, 0, 3, 2);
  EXPECT_EQ(255, pixels[12 + 0]);  // top-left red
  EXPECT_EQ(0, pixels[12 + 1]);
  EXPECT_EQ(10, pixels[4 + 0]);  // bottom middle dark
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLTestContext::metrics()->apply();
}

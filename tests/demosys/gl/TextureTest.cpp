#include <gtest/gtest.h>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Texture.h"

// Records made for texture name 0 touch no GL, so their arithmetic and text run without a context.
TEST(TextureTest, MemorySizeIsWidthHeightAndDepthAndWrapIsSThenT) {
  Texture texture("a.png", 0);
  texture.setSize(512, 256);
  EXPECT_EQ(524288, texture.getMemorySize());
  texture.setBitsPerPixel(24);
  texture.setSize(3, 1);
  EXPECT_EQ(9, texture.getMemorySize());
  texture.setWrap(GL_REPEAT, GL_MIRRORED_REPEAT);
  EXPECT_EQ(GLenum(GL_REPEAT), texture.getWrapS());
  EXPECT_EQ(GLenum(GL_MIRRORED_REPEAT), texture.getWrapT());
}

TEST(TextureTest, DumpPerTargetAndMipmapFlag) {
  const std::string head = "Texture {file='g/a.png',id=0',size='4,2',bpp='24'";
  struct Case {
    GLenum target;
    bool mipmapped;
    std::string tail;
  } cases[] = {
      {GL_TEXTURE_2D, false, "dimtype=GL_TEXTURE_2D }\n"},
      {GL_TEXTURE_2D, true, " mipmapped dimtype=GL_TEXTURE_2D }\n"},
      {GL_TEXTURE_1D, false, "dimtype=GL_TEXTURE_1D }\n"},
      {GL_TEXTURE_3D, false, "dimtype=GL_TEXTURE_3D }\n"},
      {GL_TEXTURE_CUBE_MAP, false, "dimtype=}\n"},
  };
  for (const Case& c : cases) {
    Texture texture("g/a.png", 0);
    texture.setSize(4, 2);
    texture.setBitsPerPixel(24);
    texture.setTarget(c.target);
    texture.setMipmapped(c.mipmapped);
    EXPECT_EQ(head + c.tail, texture.toString());
  }
}

TEST(FBOTest, StatusTexts) {
  struct Case {
    GLenum status;
    const char* text;
  } cases[] = {
      {GL_FRAMEBUFFER_COMPLETE_EXT, "Framebuffer is complete."},
      {GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT, "Framebuffer incomplete attachment"},
      {GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT, "Framebuffer missing attachment"},
      {GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT, "Framebuffer unsupported dimension."},
      {GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT, "Framebuffer incoplete formats."},
      {GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT, "Framebuffer incomplete draw buffer."},
      {GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT, "Framebuffer incomplete read buffer"},
      {GL_FRAMEBUFFER_UNSUPPORTED_EXT, "Framebuffer unsupported. Try another format."},
      {0, "Unknown framebuffer errror."},
  };
  for (const Case& c : cases) EXPECT_STREQ(c.text, FBO::statusText(c.status));
}

// A null FBO stands for the screen: every query answers "nothing" and every action is harmless.
TEST(FBOTest, NullFBOIsTheScreen) {
  EXPECT_EQ("** screen or nullpointer**", toString(nullptr));
  EXPECT_EQ(nullptr, getColorTexture(nullptr, 0));
  EXPECT_EQ(nullptr, getDepthTexture(nullptr));
  EXPECT_EQ(0, getWidth(nullptr) + getHeight(nullptr));
  EXPECT_EQ(0u, getFramebuffer(nullptr));
  EXPECT_FALSE(isComplete(nullptr));
  markUsed(nullptr);
  EXPECT_FALSE(isUsed(nullptr));
  clear(nullptr);
  drawTexture(nullptr);
}

#include <gtest/gtest.h>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Texture.h"

// Records made for texture name 0 touch no GL, so their arithmetic and text run without a context.
// The plain 2-D dump is checked with the texture pool's.
TEST(TextureTest, DumpPerTargetMemorySizeAndWrapSThenT) {
  for (auto [target, mipmapped, tail] :
       {std::tuple{GLenum(GL_TEXTURE_2D), true, " mipmapped dimtype=GL_TEXTURE_2D }\n"},
        {GLenum(GL_TEXTURE_1D), false, "dimtype=GL_TEXTURE_1D }\n"},
        {GLenum(GL_TEXTURE_3D), false, "dimtype=GL_TEXTURE_3D }\n"},
        {GLenum(GL_TEXTURE_CUBE_MAP), false, "dimtype=}\n"}}) {
    Texture texture("g/a.png", 0);
    texture.setSize(3, 2);
    texture.setBitsPerPixel(24);
    texture.setTarget(target);
    texture.setMipmapped(mipmapped);
    EXPECT_EQ(std::string("Texture {file='g/a.png',id=0',size='3,2',bpp='24'") + tail, texture.toString());
    EXPECT_EQ(18, texture.getMemorySize());
    texture.setWrap(GL_REPEAT, GL_MIRRORED_REPEAT);
    EXPECT_EQ(std::pair(GLenum(GL_REPEAT), GLenum(GL_MIRRORED_REPEAT)),
              std::pair(texture.getWrapS(), texture.getWrapT()));
  }
}

// The status texts keep their odd spellings; a null FBO stands for the screen and is harmless.
TEST(FBOTest, StatusTextsAndTheNullScreen) {
  for (auto [status, text] :
       {std::pair{GLenum(GL_FRAMEBUFFER_COMPLETE_EXT), "Framebuffer is complete."},
        {GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT, "Framebuffer incomplete attachment"},
        {GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT, "Framebuffer missing attachment"},
        {GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT, "Framebuffer unsupported dimension."},
        {GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT, "Framebuffer incoplete formats."},
        {GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT, "Framebuffer incomplete draw buffer."},
        {GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT, "Framebuffer incomplete read buffer"},
        {GL_FRAMEBUFFER_UNSUPPORTED_EXT, "Framebuffer unsupported. Try another format."},
        {0, "Unknown framebuffer errror."}})
    EXPECT_STREQ(text, FBO::statusText(status));
  markUsed(nullptr), clear(nullptr), drawTexture(nullptr);
  EXPECT_EQ("** screen or nullpointer**", toString(nullptr));
  EXPECT_FALSE(getColorTexture(nullptr, 0) || getDepthTexture(nullptr) || isComplete(nullptr) ||
               isUsed(nullptr));
  EXPECT_EQ(0u, getWidth(nullptr) + getHeight(nullptr) + getFramebuffer(nullptr));
}

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"

namespace {

Texture* textureOf(const std::string& file, int width, int height, int32_t fileSize) {
  Texture* texture = new Texture(file, 0);
  texture->setSize(width, height);
  texture->setFileSize(fileSize);
  return texture;
}

}  // namespace

// Every add counts; the dump sums memory and file sizes and lists the names in byte order; the
// file map keeps the latest name a file was loaded under.
TEST(DataPoolGLTest, TexturePoolCountsEveryAddListsNamesInByteOrderAndMapsFilesToTheLatestName) {
  EXPECT_EQ(
      "[Dispose texturePool]\n", stdoutOf([&] {
        DataTexturePool pool;
        Texture* small = textureOf("a.png", 256, 256, 1000);
        pool.add("small", small);
        pool.add("Big", textureOf("b.png", 1024, 512, 524288));
        pool.add("small", small);
        pool.add("reloaded", textureOf("b.png", 1, 1, 0));
        EXPECT_TRUE(pool.isFileLoaded("a.png") && pool.getFileMap().at("b.png") == "reloaded");
        EXPECT_EQ(
            "DataTexturePool {\n    total memory size : 2.25 MB - 2359300 bytes\n    total file size : "
            "0.500954 mb - 525288 bytes\n    numTextures = 4\n    Big = Texture {file='b.png',id=0',"
            "size='1024,512',bpp='32'dimtype=GL_TEXTURE_2D }\n    reloaded = Texture {file='b.png',id=0',"
            "size='1,1',bpp='32'dimtype=GL_TEXTURE_2D }\n    small = Texture "
            "{file='a.png',id=0',size='256,256',bpp='32'dimtype=GL_TEXTURE_2D }\n}\n",
            pool.toString());
      }));
}

// The empty shader pool prints its count line as it dumps.
TEST(DataPoolGLTest, FBOPoolLookupsDumpAndClearOfTheDrawnTargetsOnlyAndTheEmptyShaderPool) {
  DataFBOPool pool;
  FBO* drawn = new FBO(8, 8, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
  FBO* idle = new FBO(8, 8, true, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
  pool.add("zeta", drawn);
  pool.add("alpha", idle);
  EXPECT_EQ(std::pair(drawn, idle), std::pair(pool.getFBO(0), pool.getFBO("alpha")));  // 0: the first added
  EXPECT_EQ("FBO::getFBO(staging9) cannot find the requested VBO\n",
            stdoutOf([&] { EXPECT_EQ(nullptr, pool.getFBO("staging9")); }));
  EXPECT_EQ("FBOPool {\n  alpha = FBO(8,8,COLOR_BUFFER,DEPTH_BUFFER)\n  zeta = FBO(8,8,COLOR_BUFFER)\n}\n",
            pool.toString());

  DataShaderPool shaders;
  EXPECT_EQ("Shaders in pool : 0\n",
            stdoutOf([&] { EXPECT_EQ("ShaderPool {\n<Empty>\n}\n", shaders.toString()); }));
  glClearColor(1, 0, 0, 1);
  for (FBO* fbo : {drawn, idle}) clear(fbo);
  markUsed(drawn);
  glClearColor(0, 0, 1, 1);
  pool.clearUsed();
  EXPECT_FALSE(isUsed(drawn) || KVRDemosys::boundFramebuffer);
  bind(drawn);
  EXPECT_EQ(255, GLTestContext::readPixels(2, 2, 1, 1)[2]);
  bind(idle);
  EXPECT_EQ(255, GLTestContext::readPixels(2, 2, 1, 1)[0]);
  bind(nullptr);
  glClearColor(0, 0, 0, 0);
}

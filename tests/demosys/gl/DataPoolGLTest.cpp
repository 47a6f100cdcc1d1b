#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "support/CapturedStdout.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

Texture* textureOf(const std::string& file, int width, int height, int32_t fileSize) {
  Texture* texture = new Texture(file, 0);
  texture->setSize(width, height);
  texture->setBitsPerPixel(32);
  texture->setFileSize(fileSize);
  return texture;
}

}  // namespace

TEST(DataPoolGLTest, EmptyTexturePoolShowsZeroSizes) {
  CaptureStdout();
  {
    DataTexturePool pool;
    EXPECT_EQ(
        "DataTexturePool {\n    total memory size : 0 MB - 0 bytes\n    total file size : 0 mb - 0 bytes\n"
        "    numTextures = 0\n}\n",
        pool.toString());
  }
  EXPECT_EQ("[Dispose texturePool]\n", GetCapturedStdout());
}

TEST(DataPoolGLTest, TexturePoolListsNamesInByteOrderAndCountsEveryAdd) {
  DataTexturePool pool;
  Texture* small = textureOf("a.png", 256, 256, 1000);
  pool.add("small", small);
  pool.add("Big", textureOf("b.png", 1024, 512, 524288));
  pool.add("small", small);
  EXPECT_EQ(3, pool.size());
  EXPECT_TRUE(pool.isFileLoaded("a.png"));
  EXPECT_FALSE(pool.isFileLoaded("c.png"));
  EXPECT_EQ(2u, pool.getFileMap().size());
  EXPECT_EQ(256 * 256 * 4 + 1024 * 512 * 4, pool.totalMemorySize());
  std::string dump = pool.toString();
  EXPECT_EQ(0u, dump.find("DataTexturePool {\n    total memory size : 2.25 MB - 2359296 bytes\n"
                          "    total file size : 0.500954 mb - 525288 bytes\n    numTextures = 3\n    Big = "));
  EXPECT_LT(dump.find("    Big = "), dump.find("    small = "));
  EXPECT_EQ("}\n", dump.substr(dump.size() - 2));
}

TEST(DataPoolGLTest, TexturePoolFileMapKeepsTheLatestName) {
  DataTexturePool pool;
  Texture* shared = textureOf("shared.png", 2, 2, 10);
  pool.add("first", shared);
  pool.add("second", shared);
  EXPECT_EQ("second", pool.getFileMap().at("shared.png"));
  // The same object under two names is not owned twice.
  pool.add("second", textureOf("other.png", 2, 2, 10));
}

TEST(DataPoolGLTest, EmptyShaderPoolDumpAndCountLine) {
  DataShaderPool pool;
  EXPECT_EQ("Shaders in pool : 0\n",
            stdoutOf([&] { EXPECT_EQ("ShaderPool {\n<Empty>\n}\n", pool.toString()); }));
}

TEST(DataPoolGLTest, FBOPoolLookupsAndInsertionLists) {
  DataFBOPool pool;
  FBO* first = new FBO(16, 16, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
  FBO* second = new FBO(8, 8, true, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
  pool.add("zeta", first);
  pool.add("alpha", second);
  EXPECT_EQ(2, pool.size());
  EXPECT_EQ(first, pool.getFBO(0));
  EXPECT_EQ("alpha", pool.getName(1));
  EXPECT_EQ(second, pool.getFBO("alpha"));
  EXPECT_EQ("FBO::getFBO(staging9) cannot find the requested VBO\n",
            stdoutOf([&] { EXPECT_EQ(nullptr, pool.getFBO("staging9")); }));
  std::string dump = pool.toString();
  EXPECT_EQ(0u, dump.find("FBOPool {\n  alpha = "));
  EXPECT_LT(dump.find("  alpha = "), dump.find("  zeta = "));
}

TEST(DataPoolGLTest, ClearUsedClearsOnlyDrawnTargetsAndBindsTheScreen) {
  DataFBOPool pool;
  FBO* drawn = new FBO(4, 4, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
  FBO* idle = new FBO(4, 4, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
  pool.add("drawn", drawn);
  pool.add("idle", idle);
  markUsed(drawn);
  EXPECT_TRUE(isUsed(drawn));
  EXPECT_FALSE(isUsed(idle));
  pool.clearUsed();
  EXPECT_FALSE(isUsed(drawn));
  EXPECT_EQ(0u, KVRDemosys::boundFramebuffer);
}

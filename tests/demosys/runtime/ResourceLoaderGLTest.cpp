#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/gl/Shader.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceArchive.h"
#include "demosys/runtime/ProgressBar.h"
#include "demosys/runtime/ResourceLoader.h"
#include "support/CapturedStdout.h"
#include "support/EngineState.h"
#include "support/TempDir.h"

namespace {

class LoaderBar : public ProgressBar {
 public:
  LoaderBar() { files = {"resources/graphics/Loader1.png"}; }
  void draw() override {}
};

class ResourceLoaderGLTest : public testing::Test {
 protected:
  void SetUp() override {
    EngineState::createPools();
    KVRDemosys::progressBar = new LoaderBar();
  }
  void TearDown() override {
    delete KVRDemosys::progressBar;
    KVRDemosys::progressBar = nullptr;
    EngineState::reset();
    // Releasing what the test made (a shader whose recompile failed, too) is error free.
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
    KVRDemosys::resourceSource = 0;
  }
  TempDir dir;
};

}  // namespace

// The script packs every file the demo uses, one line each, and logs to the trimmed name.
TEST_F(ResourceLoaderGLTest, PackScriptRebuildsAWorkingArchive) {
  for (std::string file :
       {"sound/tune.mp3", "graphics/Sky.png", "graphics/Loader1.png", "objects/ship.obj",
        "objects/ship.obj.kf", "misc/path.ani", "misc/blob.bin", "shaders/Glow.vert", "shaders/Glow.frag",
        "shaders/common.glsl", "tracks/index.list", "tracks/track.data"})
    dir.write("resources/" + file, "data of resources/" + file);
  KVRDemosys::musicFile = "tune.mp3";
  KVRDemosys::texturePool->add("a", new Texture("Sky.png", 0));
  KVRDemosys::texturePool->add("b", new Texture("Sky.png", 0));
  KVRDemosys::objectDefinitions.push_back({"ship", "ship.obj"});
  KVRDemosys::animationDefinitions.push_back({"path", "path.ani"});
  KVRDemosys::binaryDefinitions.push_back({"blob", "blob.bin"});
  KVRDemosys::shaderDefinitions.push_back({"glow", "Glow", {}});
  KVRDemosys::usedResourceFiles.push_back("resources/shaders/common.glsl");
  WorkingDirectory inside(dir.path());
  ResourceLoader().writePackScript("7zz", " pack.sh ");
  const std::string script = readFile(dir.path() + "/ pack.sh ");
  EXPECT_EQ(0u, script.find("rm  resources.7z \nrm pack.sh.log\n\n"
                            "7zz a -ms=off -mx=9  resources.7z resources/sound/tune.mp3 >> pack.sh.log \n"
                            "7zz a -ms=off -mx=9  resources.7z resources/graphics/Sky.png >> pack.sh.log \n"))
      << script;
  EXPECT_EQ(15, std::count(script.begin(), script.end(), '\n')) << script;
  ASSERT_EQ(0, std::system("sh ' pack.sh '"));
  ResourceArchive archive;
  ASSERT_TRUE(archive.open("resources.7z"));
  EXPECT_EQ(12u, archive.entryNames().size());
  std::vector<uint8_t> bytes;
  EXPECT_EQ(0, archive.extract("resources/objects/ship.obj.kf", bytes));
  EXPECT_EQ("data of resources/objects/ship.obj.kf", std::string(bytes.begin(), bytes.end()));
}

TEST_F(ResourceLoaderGLTest, ShaderReloadRecompilesInPlaceAndStopsAtAFailure) {
  for (std::string name : {"flat", "broken"}) {
    dir.write("resources/shaders/" + name + ".vert", "void main() { gl_Position = gl_Vertex; }\n");
    dir.write("resources/shaders/" + name + ".frag", "void main() { gl_FragColor = vec4(1.0); }\n");
  }
  WorkingDirectory inside(dir.path());
  ResourceAccess::selectSource(0);
  KVRDemosys::shaderDefinitions = {{"flat", "flat", {}}, {"broken", "broken", {}}};
  Shader* flat = new Shader();
  Shader* broken = new Shader();
  KVRDemosys::shaderPool->add("flat", flat);
  KVRDemosys::shaderPool->add("broken", broken);
  ResourceLoader loader;
  std::string output = stdoutOf([&] { EXPECT_TRUE(loader.reloadShaders()); });
  EXPECT_EQ(0u, output.find("[Reloading Shaders]\nAdding shader 'flat' = "));
  EXPECT_NE(std::string::npos, output.find("[Reloading Shaders] ... Done!\n"));
  EXPECT_EQ(flat, KVRDemosys::shaderPool->get("flat"));

  dir.write("resources/shaders/broken.frag", "void main() { gl_FragColor = vec4(1.0) }\n");
  output = stdoutOf([&] { EXPECT_FALSE(loader.reloadShaders()); });
  EXPECT_NE(std::string::npos, output.find("Error while recompiling 'broken' : \n"));
  EXPECT_EQ(std::string::npos, output.find("... Done!"));
}

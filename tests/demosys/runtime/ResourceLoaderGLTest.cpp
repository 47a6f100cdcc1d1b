#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/runtime/ProgressBar.h"
#include "demosys/runtime/ResourceLoader.h"
#include "support/EngineState.h"
#include "support/TempDir.h"

namespace {

class LoaderBar : public ProgressBar {
 public:
  LoaderBar() { files = {"resources/graphics/Loader1.png"}; }
  void draw() override {}
};

}  // namespace

// The script packs every file the demo uses, shared ones once, and logs to the trimmed name; an
// object's keyframe file is listed when it exists.
TEST(ResourceLoaderGLTest, PackScriptListsEveryUsedFileOnce) {
  EngineState::createPools();
  KVRDemosys::progressBar = new LoaderBar();  // the engine deletes it
  TempDir dir;
  dir.write("resources/objects/ship.obj.kf", "");
  KVRDemosys::musicFile = "tune.mp3";
  KVRDemosys::texturePool->add("a", new Texture("Sky.png", 0));
  KVRDemosys::texturePool->add("b", new Texture("Sky.png", 0));
  KVRDemosys::objectDefinitions = {{"ship", "ship.obj"}, {"boat", "boat.obj"}};
  KVRDemosys::animationDefinitions.push_back({"path", "path.ani"});
  KVRDemosys::binaryDefinitions.push_back({"blob", "blob.bin"});
  KVRDemosys::shaderDefinitions.push_back({"glow", "Glow", {}});
  KVRDemosys::usedResourceFiles.push_back("resources/shaders/common.glsl");
  WorkingDirectory inside(dir.path());
  ResourceLoader().writePackScript("7zz", " pack.sh ");
  std::string expected = "rm  resources.7z \nrm pack.sh.log\n\n";
  for (const char* file :
       {"sound/tune.mp3", "graphics/Sky.png", "objects/ship.obj", "objects/ship.obj.kf", "objects/boat.obj",
        "misc/path.ani", "misc/blob.bin", "shaders/Glow.vert", "shaders/Glow.frag", "tracks/index.list",
        "tracks/track.data", "shaders/common.glsl", "graphics/Loader1.png"})
    expected += std::string("7zz a -ms=off -mx=9  resources.7z resources/") + file + " >> pack.sh.log \n";
  EXPECT_EQ(expected, readFile(dir.path() + "/ pack.sh "));
  EngineState::reset();
}

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>

#include "assets/PngFile.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/MeshBuffer.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/runtime/ResourceLoader.h"
#include "demosys/scene/DataObjectPool.h"
#include "demosys/scene/KVRObject.h"
#include "demosys/scene/KVRScene.h"
#include "demosys/scene/ObjectLoader.h"
#include "demosys/scene/ShaderCache.h"
#include "demosys/scene/ShaderInstance.h"
#include "support/CapturedStdout.h"
#include "support/EngineState.h"
#include "support/GLTestContext.h"
#include "support/MiniDemo.h"
#include "support/ObjectFileWriter.h"

namespace {

using Colour = std::vector<uint8_t>;
const Colour kBlack = {0, 0, 0}, kRed = {255, 0, 0}, kGreen = {0, 255, 0}, kBlue = {0, 0, 255};

// Hands the one shader to every object of every scene.
class OneShaderCache : public ShaderCache {
 public:
  void setup() override {
    ShaderInstance* instance = new ShaderInstance(GetShader("scene_shader"));
    addShaderInstance("scene_shader", instance);
    for (int i = 0; i < GetSceneCount(); ++i) GetScene(i)->setShaderInstance(instance);
  }
};

// Clears the 640 x 360 window to black, 160 pixels per scene unit, origin bottom left.
void sceneView() {
  glViewport(0, 0, 640, 360);
  glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(0.0, 4.0, 0.0, 2.25, -10.0, 10.0);
  glMatrixMode(GL_MODELVIEW), glLoadIdentity();
  glClearColor(0, 0, 0, 1), glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST), glDisable(GL_CULL_FACE);
}

Colour pixelAt(float x, float y) {
  std::vector<uint8_t> rgba =
      GLTestContext::readPixels(static_cast<int>(x * 160), static_cast<int>(y * 160), 1, 1);
  return {rgba[0], rgba[1], rgba[2]};
}

class SceneGLTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GLTestContext::open());
    EngineState::createPools();
    // Flat material colour, or the texture on unit 0.
    for (const char* name : {"flat", "textured"})
      script.dir.write(std::string("resources/shaders/") + name + ".vert",
                       "void main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_Position = ftransform(); }\n");
    script.dir.write("resources/shaders/flat.frag",
                     "void main() { gl_FragColor = vec4(gl_FrontMaterial.diffuse.rgb, 1.0); }\n");
    script.dir.write("resources/shaders/textured.frag",
                     "uniform sampler2D diffuseMap;\n"
                     "void main() { gl_FragColor = texture2D(diffuseMap, gl_TexCoord[0].st); }\n");
  }
  void TearDown() override {
    stdoutOf([] { EngineState::reset(); });
  }

  // Writes the object file, packs it with the shaders and `files` into resources.7z and runs the
  // loading stages from it; the scene loaded, or null.
  KVRScene* load(const ObjectFileData& data, const std::string& shader, std::vector<std::string> files = {}) {
    files.push_back(ObjectFileWriter::write(script.dir, "scene.obj", data));
    for (const char* name : {"flat.vert", "flat.frag", "textured.vert", "textured.frag"})
      files.push_back(std::string("resources/shaders/") + name);
    script.dir.pack7z("resources.7z", files);
    script.shaders = {{"scene_shader", shader, {}}};
    script.objects = {{"scene", "scene.obj"}};
    WorkingDirectory inside(script.dir.path());
    ResourceAccess::selectSource(1);
    KVRDemosys::resources = &script;
    KVRDemosys::shaderCache = new OneShaderCache();
    output = stdoutOf([&] { loader.defineAndLoadResources(); });
    KVRDemosys::resources = nullptr;
    ResourceAccess::selectSource(0);
    return KVRDemosys::sceneDataPool->get("scene");
  }

  MiniDemo script;
  ResourceLoader loader;
  std::string output;
};

// Quads of one mesh: "left" at x 0, "right" at x 2, "child" 1.2 up under the group "parent".
ObjectFileData threeQuads() {
  ObjectFileData data;
  data.meshes.push_back(ObjectFileWriter::texturedQuad(7));
  data.materials.push_back({1, "green", {0.0f}, {0.0f, 1.0f}, 0, ""});
  data.nodes.push_back(ObjectFileWriter::groupNode(1, 0, "parent"));
  data.nodes.back().matrix[13] = 1.2f;
  data.nodes.push_back(ObjectFileWriter::meshNode(2, 7, 1, "child", 1));
  data.nodes.push_back(ObjectFileWriter::meshNode(3, 7, 0, "left", 1));
  data.nodes.push_back(ObjectFileWriter::meshNode(4, 7, 0, "right"));
  data.nodes.back().matrix[12] = 2.0f;
  return data;
}

}  // namespace

TEST_F(SceneGLTest, LoadedSceneDrawsItsObjectsWhereTheyArePlaced) {
  KVRScene* scene = load(threeQuads(), "flat");
  ASSERT_NE(nullptr, scene) << loader.getMessage();
  EXPECT_NE(std::string::npos, output.find("[Loading 3D Objects]\nLoading : 'resources/objects/scene.obj\n"
                                           "[Loading Textures]\n"))
      << output;

  // Each case: what the draw is, and the colour at left, right and child; two places stay empty.
  KVRObject* parent = scene->getObjectByName("parent");
  MeshBuffer* mesh = scene->getObjectByName("left")->getMesh();
  ASSERT_EQ(3u, scene->getMeshGroups().at(mesh).objects.size());
  uint32_t binds = 0;
  const struct {
    const char* what;
    std::function<void()> draw;
    Colour left, right, child;
  } draws[] = {
      // "right" has no material: the default one.
      {"placed", [&] { scene->draw(0.0f, 0); }, kGreen, kRed, kGreen},
      {"hidden parent", [&] { parent->setVisible(false), scene->draw(0.0f, 0); }, kGreen, kRed, kBlack},
      {"forced", [&] { scene->draw(0.0f, true, 0); }, kGreen, kRed, kGreen},
      {"by mesh group",
       [&] { parent->setVisible(true), binds = mesh->getBindCount(), scene->drawMeshGroups(0.0f); }, kGreen,
       kRed, kGreen},
  };
  for (const auto& d : draws) {
    sceneView();
    d.draw();
    EXPECT_EQ(d.left, pixelAt(0.5f, 0.5f)) << d.what;
    EXPECT_EQ(d.right, pixelAt(2.5f, 0.5f)) << d.what;
    EXPECT_EQ(d.child, pixelAt(0.5f, 1.7f)) << d.what;
    EXPECT_EQ(kBlack, pixelAt(1.5f, 0.5f)) << d.what;
    EXPECT_EQ(kBlack, pixelAt(2.5f, 1.7f)) << d.what;
  }
  // Drawing by mesh group binds the shared mesh once for all its objects.
  EXPECT_EQ(binds + 1, mesh->getBindCount());

  // An object without a shader instance shows only its box, in red.
  scene->getObjectByName("left")->setShaderInstance(nullptr);
  sceneView();
  scene->draw(0.0f, 0);
  EXPECT_EQ(kBlack, pixelAt(0.5f, 0.5f));
  EXPECT_EQ(kRed, pixelAt(0.5f, 0.995f));
}

// The picture (left half red, right half blue, the top four rows yellow) stands upright and
// unmirrored on the quad.
TEST_F(SceneGLTest, TexturedObjectShowsItsPictureUpright) {
  std::vector<uint8_t> texels;
  for (int i = 0; i < 256; ++i)
    texels.insert(texels.end(), {uint8_t(i % 16 < 8 || i < 64 ? 255 : 0), uint8_t(i < 64 ? 255 : 0),
                                 uint8_t(i % 16 >= 8 && i >= 64 ? 255 : 0)});
  script.dir.write("resources/graphics/crate.png", PngFile::encode(16, 16, 3, texels));
  ObjectFileData data;
  data.meshes.push_back(ObjectFileWriter::texturedQuad(7));
  data.meshes[0].texcoords = {0, 1, 1, 1, 1, 0, 0, 0};  // the corner (0, 0) at (0, 0), as an OBJ has it
  data.textures.push_back({3, "crate", "crate.png"});
  data.materials.push_back({5, "wood", {0.0f}, {1.0f, 1.0f, 1.0f}, 3, ""});
  data.nodes = {ObjectFileWriter::meshNode(2, 7, 0, "crate", 5)};
  KVRScene* scene = load(data, "textured", {"resources/graphics/crate.png"});
  ASSERT_NE(nullptr, scene) << loader.getMessage();
  sceneView();
  scene->draw(0.0f, 0);
  EXPECT_EQ(kRed, pixelAt(0.2f, 0.4f));
  EXPECT_EQ(kBlue, pixelAt(0.8f, 0.4f));
  EXPECT_EQ((Colour{255, 255, 0}), pixelAt(0.8f, 0.95f));
}

TEST_F(SceneGLTest, MissingAndOldObjectFilesStopTheStage) {
  ObjectFileData old = threeQuads();
  old.version = 2;
  EXPECT_EQ(nullptr, load(old, "flat"));
  EXPECT_EQ(
      "Invalid object version in file 'resources/objects/scene.obj', File version states version 2. "
      "Expected version 1.",
      loader.getMessage());
  ObjectLoader missing("resources/objects/none.obj");
  EXPECT_EQ(nullptr, missing.Load());
  EXPECT_FALSE(missing.IsOk());
  EXPECT_EQ("Object 'resources/objects/none.obj' not found", missing.GetError());
}

// Only four lights are switched on, and that is said.
TEST_F(SceneGLTest, FiveLightsLightFourAndSayItOnce) {
  ObjectFileData data;
  for (uint32_t i = 0; i < 5; ++i) {
    data.lights.push_back({10 + i, 0, {1.0f, 1.0f, 1.0f}});
    data.nodes.push_back(ObjectFileWriter::groupNode(20 + i, 0, "lamp" + std::to_string(i)));
    data.nodes.back().type = NodeLight, data.nodes.back().lightId = 10 + i;
  }
  WorkingDirectory inside(script.dir.path());
  std::unique_ptr<KVRScene> scene(ObjectLoader(ObjectFileWriter::write(script.dir, "lamps", data)).Load());
  ASSERT_NE(nullptr, scene);
  EXPECT_EQ("Too many light sources\n", stdoutOf([&] { scene->lightsOn(); }));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
  scene->lightsOff();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

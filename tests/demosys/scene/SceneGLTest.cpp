#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/gl/MeshBuffer.h"
#include "demosys/io/ObjectFileParser.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/runtime/ProgressBar.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "demosys/runtime/ResourceLoader.h"
#include "demosys/scene/DataObjectPool.h"
#include "demosys/scene/KVRLight.h"
#include "demosys/scene/KVRMaterial.h"
#include "demosys/scene/KVRObject.h"
#include "demosys/scene/KVRScene.h"
#include "demosys/scene/ObjectLoader.h"
#include "demosys/scene/ShaderCache.h"
#include "demosys/scene/ShaderInstance.h"
#include "objconv/ObjectFileEncoder.h"
#include "assets/PngFile.h"
#include "support/CapturedStdout.h"
#include "support/EngineState.h"
#include "support/GLTestContext.h"
#include "support/ObjectFileWriter.h"
#include "support/TempDir.h"

namespace {

// Flat material colour, or the texture on unit 0 for the textured variant.
const char* kVertex = "void main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_Position = ftransform(); }\n";
const char* kFlat = "void main() { gl_FragColor = vec4(gl_FrontMaterial.diffuse.rgb, 1.0); }\n";
const char* kTextured =
    "uniform sampler2D diffuseMap;\n"
    "void main() { gl_FragColor = texture2D(diffuseMap, gl_TexCoord[0].st); }\n";

// Loads one object with one shader; the cache hands that shader to every object.
class SceneScript : public ResourceDefinition {
 public:
  SceneScript(std::string object, std::string shader) : object(object), shader(shader) {}
  void defineResources() override {
    AddShader({"scene_shader", shader, {}});
    AddObject({"scene", object});
  }

 private:
  std::string object, shader;
};

class OneShaderCache : public ShaderCache {
 public:
  void setup() override {
    ShaderInstance* instance = new ShaderInstance(GetShader("scene_shader"));
    addShaderInstance("scene_shader", instance);
    for (int i = 0; i < GetSceneCount(); ++i) GetScene(i)->setShaderInstance(instance);
  }
};

// 4 x 2.25 scene units over the 640 x 360 window: 160 pixels per unit, origin bottom left.
void sceneView() {
  glViewport(0, 0, 640, 360);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 4.0, 0.0, 2.25, -10.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
}

std::vector<uint8_t> pixelAt(float x, float y) {
  std::vector<uint8_t> rgba =
      GLTestContext::readPixels(static_cast<int>(x * 160), static_cast<int>(y * 160), 1, 1);
  return {rgba[0], rgba[1], rgba[2]};
}

const std::vector<uint8_t> kBlack = {0, 0, 0};

class SceneGLTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GLTestContext::open());
    EngineState::createPools();
  }
  void TearDown() override {
    delete KVRDemosys::progressBar;
    KVRDemosys::progressBar = nullptr;
    testing::internal::CaptureStdout();
    EngineState::reset();
    testing::internal::GetCapturedStdout();
    ResourceAccess::selectSource(0);
  }

  // Packs the written files into resources.7z and runs the loading stages from the archive.
  bool loadFromArchive(const std::vector<std::string>& files, const std::string& object,
                       const std::string& shader) {
    dir.pack7z("resources.7z", files);
    WorkingDirectory inside(dir.path());
    ResourceAccess::selectSource(1);
    SceneScript script(object, shader);
    KVRDemosys::resources = &script;
    KVRDemosys::shaderCache = new OneShaderCache();
    testing::internal::CaptureStdout();
    bool loaded = loader.defineAndLoadResources();
    output = testing::internal::GetCapturedStdout();
    KVRDemosys::resources = nullptr;
    ResourceAccess::selectSource(0);
    return loaded;
  }

  std::vector<std::string> writeShaders() {
    dir.write("resources/shaders/flat.vert", std::string(kVertex));
    dir.write("resources/shaders/flat.frag", std::string(kFlat));
    dir.write("resources/shaders/textured.vert", std::string(kVertex));
    dir.write("resources/shaders/textured.frag", std::string(kTextured));
    return {"resources/shaders/flat.vert", "resources/shaders/flat.frag", "resources/shaders/textured.vert",
            "resources/shaders/textured.frag"};
  }

  TempDir dir;
  ResourceLoader loader;
  std::string output;
};

// Quads of one mesh: "left" at x 0, "right" at x 2, "child" 1.2 up under the group "parent".
ObjectFileData threeQuads() {
  ObjectFileData data;
  data.meshes.push_back(ObjectFileWriter::texturedQuad(7));
  ObjectMaterialData green;
  green.id = 1;
  green.name = "green";
  green.diffuse[1] = 1.0f;
  data.materials.push_back(green);
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
  std::vector<std::string> files = writeShaders();
  files.push_back(ObjectFileWriter::write(dir, "quads.obj", threeQuads()));
  ASSERT_TRUE(loadFromArchive(files, "quads.obj", "flat")) << loader.getMessage();
  EXPECT_NE(std::string::npos, output.find("[Loading Shaders]\n-> Loading flat\n[Loading 3D Objects]\n"
                                           "Loading : 'resources/objects/quads.obj\n[Loading Textures]\n"
                                           "[Loading Binary Data]\n[Loading Animation Data]\n"))
      << output;
  EXPECT_EQ(1, KVRDemosys::progressBar->getCurrent());
  KVRScene* scene = KVRDemosys::sceneDataPool->get("scene");
  ASSERT_NE(nullptr, scene);
  EXPECT_EQ(4, scene->getObjectCount());
  EXPECT_FLOAT_EQ(3.0f, scene->getBounds()[3]);
  EXPECT_FLOAT_EQ(2.2f, scene->getBounds()[4]);

  sceneView();
  scene->draw(0.0f, 0);
  const std::vector<uint8_t> green = {0, 255, 0}, red = {255, 0, 0};
  EXPECT_EQ(green, pixelAt(0.5f, 0.5f));  // left
  EXPECT_EQ(red, pixelAt(2.5f, 0.5f));    // right: no material, the default one
  EXPECT_EQ(green, pixelAt(0.5f, 1.7f));  // child, moved by its parent
  EXPECT_EQ(kBlack, pixelAt(1.5f, 0.5f));
  EXPECT_EQ(kBlack, pixelAt(2.5f, 1.7f));
  EngineState::saveFrame(EngineState::framesDirectory("scenes") + "/three_quads.png");

  // A hidden parent hides its child unless the draw is forced.
  scene->getObjectByName("parent")->setVisible(false);
  sceneView();
  scene->draw(0.0f, 0);
  EXPECT_EQ(kBlack, pixelAt(0.5f, 1.7f));
  EXPECT_EQ(green, pixelAt(0.5f, 0.5f));
  sceneView();
  scene->draw(0.0f, true, 0);
  EXPECT_EQ(green, pixelAt(0.5f, 1.7f));

  // Drawing by mesh group binds the shared mesh once for all its objects.
  scene->getObjectByName("parent")->setVisible(true);
  MeshBuffer* mesh = scene->getObjectByName("left")->getMesh();
  ASSERT_EQ(3u, scene->getMeshGroups().at(mesh).objects.size());
  uint32_t binds = mesh->getBindCount();
  sceneView();
  scene->drawMeshGroups(0.0f);
  EXPECT_EQ(binds + 1, mesh->getBindCount());
  EXPECT_EQ(green, pixelAt(0.5f, 0.5f));
  EXPECT_EQ(red, pixelAt(2.5f, 0.5f));
  EXPECT_EQ(green, pixelAt(0.5f, 1.7f));
}

TEST_F(SceneGLTest, ObjectWithoutShaderInstanceShowsItsBoxInRed) {
  std::vector<std::string> files = writeShaders();
  files.push_back(ObjectFileWriter::write(dir, "quads.obj", threeQuads()));
  ASSERT_TRUE(loadFromArchive(files, "quads.obj", "flat")) << loader.getMessage();
  KVRScene* scene = KVRDemosys::sceneDataPool->get("scene");
  scene->getObjectByName("left")->setShaderInstance(nullptr);
  sceneView();
  scene->draw(0.0f, 0);
  EXPECT_EQ(kBlack, pixelAt(0.5f, 0.5f));  // inside: only the outline
  EXPECT_EQ((std::vector<uint8_t>{255, 0, 0}), pixelAt(0.5f, 0.995f));
}

TEST_F(SceneGLTest, MissingAndOldObjectFilesStopTheStage) {
  std::vector<std::string> files = writeShaders();
  ObjectFileData old = threeQuads();
  old.version = 2;
  files.push_back(ObjectFileWriter::write(dir, "x", old));
  ASSERT_FALSE(loadFromArchive(files, "x", "flat"));
  EXPECT_EQ(
      "Invalid object version in file 'resources/objects/x', File version states version 2. Expected version "
      "1.",
      loader.getMessage());
  EXPECT_EQ(nullptr, KVRDemosys::sceneDataPool->get("scene"));
  WorkingDirectory inside(dir.path());
  ObjectLoader missing("resources/objects/none.obj");
  EXPECT_EQ(nullptr, missing.Load());
  EXPECT_FALSE(missing.IsOk());
  EXPECT_EQ("Object 'resources/objects/none.obj' not found", missing.GetError());
}

TEST_F(SceneGLTest, FiveLightsLightFourAndSayItOnce) {
  ObjectFileData data;
  for (uint32_t i = 0; i < 5; ++i) {
    data.lights.push_back({10 + i, 0, {1.0f, 1.0f, 1.0f}});
    ObjectNodeData node;
    node.id = 20 + i;
    node.type = NodeLight;
    node.lightId = 10 + i;
    node.name = std::string("lamp") + char('e' - i);  // added in reverse name order
    data.nodes.push_back(node);
  }
  WorkingDirectory inside(dir.path());
  ObjectFileWriter::write(dir, "lamps", data);
  ObjectLoader objectLoader("resources/objects/lamps");
  std::unique_ptr<KVRScene> scene(objectLoader.Load());
  ASSERT_TRUE(objectLoader.IsOk()) << objectLoader.GetError();
  EXPECT_EQ("Too many light sources\n", stdoutOf([&] { scene->lightsOn(); }));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(glIsEnabled(GL_LIGHT0 + i)) << i;
  EXPECT_FALSE(glIsEnabled(GL_LIGHT4));
  EXPECT_EQ(uint32_t(GL_LIGHT0), scene->getLightByName("lampa")->getLightNumber());
  EXPECT_EQ(0u, scene->getLightByName("lampe")->getLightNumber());
  scene->lightsOff();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i)) << i;
}

// The way a demo maker works: an OBJ with a textured material through objconv, placed by a
// ".kf" track, loaded by the stages and drawn at one second.
TEST_F(SceneGLTest, DemoScriptDrawsAConvertedTexturedObjectPlacedByItsKeyframes) {
  dir.write("src/crate.obj", std::string("mtllib crate.mtl\no crate\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                         "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nusemtl wood\nf 1/1 2/2 3/3 4/4\n"));
  dir.write("src/crate.mtl", std::string("newmtl wood\nKd 1 1 1\nmap_Kd crate.png\n"));
  // Left half red, right half blue, top row band yellow.
  std::vector<uint8_t> texels(16 * 16 * 3);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint8_t* t = &texels[(y * 16 + x) * 3];
      t[0] = (x < 8 || y < 4) ? 255 : 0;
      t[1] = y < 4 ? 255 : 0;
      t[2] = (x >= 8 && y >= 4) ? 255 : 0;
    }
  dir.write("resources/graphics/crate.png", PngFile::encode(16, 16, 3, texels));
  dir.write("resources/objects/.keep", std::string());
  std::string command = std::string(KVR_BINARY_DIR) + "/objconv " + dir.path() + "/src/crate.obj " +
                        dir.path() + "/resources/objects/crate.kvr > " + dir.path() + "/objconv.log";
  ASSERT_EQ(0, std::system(command.c_str()));

  ObjectFileParser parser("resources/objects/crate.kvr");
  {
    WorkingDirectory inside(dir.path());
    ASSERT_TRUE(parser.Parse()) << parser.GetError();
  }
  ObjectFileData data = parser.GetData();
  ASSERT_FALSE(data.objectOrder.empty());
  ASSERT_EQ(1u, data.textures.size());
  const uint32_t crateId = data.nodes[data.objectOrder[0]].id;
  ObjectKeyframeTrack track = ObjectFileWriter::track(TargetObject, crateId, {0.0f, 2.0f});
  track.keys[0].position[0] = 0.5f;
  track.keys[1].position[0] = 2.5f;
  track.keys[0].position[1] = track.keys[1].position[1] = 0.5f;
  track.keys[0].rotation[2] = track.keys[1].rotation[2] = 0.0f;
  data.keyframeTracks = {track};
  dir.write("resources/objects/crate.kvr.kf", ObjectFileEncoder::keyframeBytes(data));

  std::vector<std::string> files = writeShaders();
  for (const char* file :
       {"resources/objects/crate.kvr", "resources/objects/crate.kvr.kf", "resources/graphics/crate.png"})
    files.push_back(file);
  ASSERT_TRUE(loadFromArchive(files, "crate.kvr", "textured")) << loader.getMessage();
  EXPECT_NE(std::string::npos, output.find("Load : resources/graphics/crate.png\n")) << output;
  KVRScene* scene = KVRDemosys::sceneDataPool->get("scene");
  ASSERT_NE(nullptr, scene);
  ASSERT_NE(nullptr, scene->getObject(0)->getMaterial());
  EXPECT_NE(nullptr, scene->getObject(0)->getMaterial()->getTexture());

  sceneView();
  scene->draw(1.0f, 0);  // half way: x from 0.5 to 2.5 gives 1.5
  EngineState::saveFrame(EngineState::framesDirectory("scenes") + "/textured_crate.png");
  const std::vector<uint8_t> red = {255, 0, 0}, blue = {0, 0, 255}, yellow = {255, 255, 0};
  EXPECT_EQ(red, pixelAt(1.7f, 0.9f));
  EXPECT_EQ(blue, pixelAt(2.3f, 0.9f));
  EXPECT_EQ(kBlack, pixelAt(1.3f, 0.9f));
  EXPECT_EQ(kBlack, pixelAt(2.7f, 0.9f));
  // The picture stands upright: the image's top band along the quad's top edge.
  EXPECT_EQ(yellow, pixelAt(2.3f, 1.45f));
  EXPECT_EQ(blue, pixelAt(2.3f, 0.55f));
}

#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/MeshBuffer.h"
#include "demosys/io/ObjectFileData.h"
#include "demosys/scene/Animation.h"
#include "demosys/scene/DataAnimationPool.h"
#include "demosys/scene/DataObjectPool.h"
#include "demosys/scene/KVRAnimation.h"
#include "demosys/scene/KVRCamera.h"
#include "demosys/scene/KVRLight.h"
#include "demosys/scene/KVRMaterial.h"
#include "demosys/scene/KVRObject.h"
#include "demosys/scene/KVRScene.h"
#include "demosys/scene/ShaderCache.h"
#include "demosys/scene/ShaderInstance.h"
#include "support/CapturedStdout.h"

namespace {

// A mesh record with only bounds: the scene's bookkeeping needs no GL buffer.
MeshBuffer* boxMesh(KVRScene& scene, float lo, float hi) {
  ObjectMeshData data;
  for (int i = 0; i < 3; ++i) {
    data.boundsA[i] = lo;
    data.boundsB[i] = hi;
  }
  MeshBuffer* mesh = new MeshBuffer(data);
  scene.adoptMesh(mesh);
  return mesh;
}

KVRObject* object(const std::string& name, MeshBuffer* mesh, KVRObject* parent, float x) {
  KVRObject* result = new KVRObject(0, 0, name);
  result->setMesh(mesh);
  result->setBaseMatrix(Matrix4::translation(x, 0.0f, 0.0f));
  if (parent) {
    result->setParent(parent);
    parent->addChild(result);
  }
  return result;
}

const char* kSceneSource = "demo/demosys/KVRScene.cpp:[0-9]+: ";

}  // namespace

TEST(KVRSceneTest, RootsBoundsAndMeshGroups) {
  KVRScene scene;
  MeshBuffer* shared = boxMesh(scene, -1.0f, 1.0f);
  KVRObject* group = object("group", nullptr, nullptr, 10.0f);
  KVRObject* left = object("left", shared, group, -5.0f);
  KVRObject* right = object("right", shared, group, 5.0f);
  KVRObject* other = object("other", boxMesh(scene, 0.0f, 2.0f), nullptr, 0.0f);
  for (KVRObject* o : {group, left, right, other}) scene.AddObject(o);

  ASSERT_EQ(2u, scene.getRootObjects().size());
  EXPECT_EQ(group, scene.getRootObjects()[0]);
  EXPECT_EQ(other, scene.getRootObjects()[1]);
  EXPECT_EQ(4, scene.getObjectCount());
  EXPECT_EQ(right, scene.getObject(2));
  EXPECT_EQ(left, scene.getObjectByName("left"));
  EXPECT_TRUE(left->isShown());
  group->setVisible(false);
  EXPECT_FALSE(left->isShown());  // a hidden parent hides its children
  group->setVisible(true);

  scene.prepare();
  // The group has no mesh: its zero box counts; children move by the group's translation.
  const float expected[6] = {0.0f, -1.0f, -1.0f, 16.0f, 2.0f, 2.0f};
  for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(expected[i], scene.getBounds()[i]) << i;
  const auto& groups = scene.getMeshGroups();
  ASSERT_EQ(3u, groups.size());
  EXPECT_EQ((std::vector<KVRObject*>{left, right}), groups.at(shared).objects);
  EXPECT_EQ(shared, groups.at(shared).mesh);
}

TEST(KVRSceneTest, AnimationsAttachToTheObjectOrElseTheCameraOfTheirName) {
  KVRScene scene;
  scene.AddObject(object("box", nullptr, nullptr, 0.0f));
  KVRCamera* camera = new KVRCamera("eye");
  scene.AddCamera("eye", camera);
  KVRAnimation* boxAnimation = new KVRAnimation();
  KVRAnimation* eyeAnimation = new KVRAnimation();
  KVRAnimation* loose = new KVRAnimation();
  scene.AddAnimation("box", boxAnimation);
  scene.AddAnimation("eye", eyeAnimation);
  scene.AddAnimation("nobody", loose);
  EXPECT_EQ(boxAnimation, scene.getObjectByName("box")->getAnimation());
  EXPECT_EQ(eyeAnimation, camera->getAnimation());
  EXPECT_EQ(loose, scene.GetAnimation("nobody"));
}

TEST(KVRSceneTest, ShaderInstancesByNameByMaterialAndForAll) {
  KVRScene scene;
  KVRMaterial* stone = new KVRMaterial();
  scene.addMaterial("stone", stone);
  KVRObject* a = object("a", nullptr, nullptr, 0.0f);
  KVRObject* b = object("b", nullptr, nullptr, 0.0f);
  b->setMaterial(stone);
  scene.AddObject(a);
  scene.AddObject(b);
  ShaderInstance first(nullptr), second(nullptr), third(nullptr);
  scene.setShaderInstance(&first);
  scene.setShaderInstanceByMaterial(stone, &second);
  EXPECT_EQ(&first, a->getShaderInstance());
  EXPECT_EQ(&second, b->getShaderInstance());
  scene.ApplyShaderInstance("a", &third);
  EXPECT_EQ(&third, a->getShaderInstance());
  KVRTimeSource clock;
  scene.setObjectTimeSource("b", &clock);
  scene.setObjectTimeSource("missing", &clock);
  EXPECT_EQ(&clock, b->getTimeSource());
}

TEST(KVRSceneTest, DefaultMaterialAndDump) {
  const KVRMaterial& fallback = KVRMaterial::defaultMaterial();
  EXPECT_EQ("Amb : [1,0,0]\nDif : [1,0,0]\n", fallback.dump());
  KVRMaterial material;
  material.setDiffuse(0.5f, 0.25f, 1.0f);
  EXPECT_EQ("Amb : [1,0,0]\nDif : [0.5,0.25,1]\n", material.dump());
}

TEST(KVRSceneTest, LightPositionIsTheAxisTurnedToYUp) {
  KVRLight light(0, 1.0f, 0.5f, 0.25f);
  Matrix4 matrix = Matrix4::identity();
  matrix.m[8] = 0.25f;
  matrix.m[9] = 0.5f;
  matrix.m[10] = 0.75f;
  light.setMatrix(matrix);
  float position[4];
  light.directionalPosition(position);
  EXPECT_FLOAT_EQ(0.25f, position[0]);
  EXPECT_NEAR(0.75f, position[1], 1e-6f);
  EXPECT_NEAR(-0.5f, position[2], 1e-6f);
  EXPECT_EQ(0.0f, position[3]);
  EXPECT_FLOAT_EQ(1.0f, light.getColour()[3]);
}

TEST(KVRSceneDeathTest, BrokenInvariantsStopWithTheirAssertions) {
  struct Case {
    std::function<void(KVRScene&)> act;
    std::string report;
  } cases[] = {
      {[](KVRScene& s) { s.AddObject(nullptr); },
       "void KVRScene::AddObject\\(KVRObject\\*\\): Assertion `obj != __null'"},
      {[](KVRScene& s) { s.AddObject(new KVRObject(2, 0, "box")); },
       "void KVRScene::AddObject\\(KVRObject\\*\\): Assertion `!objectExists\\(obj->getName\\(\\)\\)'"},
      {[](KVRScene& s) { s.getObject(1); }, "Assertion `i >= 0 && i < objectList.size\\(\\)'"},
      {[](KVRScene& s) { s.getObjectByName("nothing"); }, "KVRScene::getObjectByName.*Assertion `0'"},
      {[](KVRScene& s) { s.GetCamera("nothing"); }, "KVRScene::GetCamera.*Assertion `0'"},
      {[](KVRScene& s) { s.AddCamera("eye", nullptr); }, "KVRScene::AddCamera.*Assertion `0'"},
      {[](KVRScene& s) { s.addLight("sun", nullptr); }, "Assertion `!lightExists\\(name\\)'"},
      {[](KVRScene& s) { s.getLightByName("moon"); }, "KVRScene::getLightByName.*Assertion `0'"},
      {[](KVRScene& s) { s.addMaterial("stone", nullptr); }, "Assertion `!materialExists\\(name\\)'"},
      {[](KVRScene& s) { s.getMaterialByName("wood"); }, "KVRScene::getMaterialByName.*Assertion `0'"},
      {[](KVRScene& s) { s.GetAnimation("spin"); }, "KVRScene::GetAnimation.*Assertion `0'"},
      {[](KVRScene& s) { s.ApplyShaderInstance("nothing", nullptr); },
       "void KVRScene::ApplyShaderInstance\\(std::string, ShaderInstance\\*\\): Assertion `obj != __null'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    EXPECT_DEATH(
        {
          KVRScene scene;
          scene.AddObject(new KVRObject(1, 0, "box"));
          scene.AddCamera("eye", new KVRCamera("eye"));
          scene.addLight("sun", new KVRLight(0, 1, 1, 1));
          scene.addMaterial("stone", new KVRMaterial());
          c.act(scene);
        },
        std::string(kSceneSource) + ".*" + c.report);
  }
}

TEST(DataScenePoolsTest, DumpsCountersAndIndexLookups) {
  DataObjectPool* objects = new DataObjectPool();
  objects->add("b", new KVRScene());
  objects->add("B", new KVRScene());
  KVRScene* again = new KVRScene();
  objects->add("a", again);
  objects->add("a", again);
  EXPECT_EQ(4, objects->size());
  EXPECT_EQ("DataObjectPool {\n}\n", objects->toString());
  EXPECT_EQ(objects->get("B"), objects->get(0));
  EXPECT_EQ(again, objects->get(1));
  EXPECT_EQ(nullptr, objects->get(3));
  EXPECT_EQ(nullptr, objects->get("c"));
  EXPECT_TRUE(objects->contains("b"));

  DataAnimationPool* animations = new DataAnimationPool();
  animations->add("zoom", new Animation());
  Animation* path = new Animation();
  path->AddKeyframe(new AnimationKeyframe());
  animations->add("Path", path);
  EXPECT_EQ(
      "AnimationPool {\n    Path = Animation { keyframes = 1 }\n    zoom = Animation { keyframes = 0 }\n}\n",
      animations->toString());
  EXPECT_EQ(2, animations->size());
  EXPECT_EQ(nullptr, animations->get(2));

  EXPECT_EQ("[Dispose objectPool]\n[Dispose animationPool]\n", stdoutOf([&] {
              delete objects;
              delete animations;
            }));
}

class ShaderCacheTest : public testing::Test {
 protected:
  void SetUp() override { KVRDemosys::sceneDataPool = new DataObjectPool(); }
  void TearDown() override {
    stdoutOf([] { delete KVRDemosys::sceneDataPool; });
    KVRDemosys::sceneDataPool = nullptr;
  }
};

TEST_F(ShaderCacheTest, ScenesByIndexInNameOrderAndNamedInstances) {
  KVRScene* second = new KVRScene();
  KVRScene* first = new KVRScene();
  KVRDemosys::sceneDataPool->add("water", second);
  KVRDemosys::sceneDataPool->add("city", first);
  ShaderCache cache;
  cache.setup();
  EXPECT_EQ(2, cache.GetSceneCount());
  EXPECT_EQ(first, cache.GetScene(0));
  EXPECT_EQ(second, cache.GetScene(1));
  EXPECT_EQ(second, cache.GetScene("water"));
  ShaderInstance* instance = new ShaderInstance(nullptr);
  cache.addShaderInstance("lit", instance);
  EXPECT_EQ(instance, cache.getShaderInstance("lit"));
}

TEST_F(ShaderCacheTest, FailedLookupsStopWithTheirLines) {
  KVRDemosys::sceneDataPool->add("city", new KVRScene());
  struct Case {
    std::function<void(ShaderCache&)> act;
    std::string report;
  } cases[] = {
      {[](ShaderCache& c) { c.getShaderInstance("none"); },
       "ShaderCache.cpp:40: ShaderInstance\\* ShaderCache::getShaderInstance\\(std::string\\): Assertion `0' "
       "failed"},
      {[](ShaderCache& c) {
         c.addShaderInstance("lit", new ShaderInstance(nullptr));
         c.addShaderInstance("lit", new ShaderInstance(nullptr));
       },
       "ShaderCache.cpp:50: void ShaderCache::addShaderInstance\\(std::string, ShaderInstance\\*\\): "
       "Assertion `0' "
       "failed"},
      {[](ShaderCache& c) { c.GetScene("sea"); },
       "ShaderCache.cpp:79: KVRScene\\* ShaderCache::GetScene\\(std::string\\): Assertion `scene != __null' "
       "failed"},
      {[](ShaderCache& c) { c.GetScene(1); },
       "ShaderCache.cpp:90: KVRScene\\* ShaderCache::GetScene\\(int\\): Assertion `i >= 0 && i < "
       "KVRDemosys::sceneDataPool->size\\(\\)' failed"},
      {[](ShaderCache& c) { c.GetScene(-1); }, "ShaderCache.cpp:90: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    EXPECT_DEATH(
        {
          ShaderCache cache;
          c.act(cache);
        },
        "demo/demosys/" + c.report);
  }
}

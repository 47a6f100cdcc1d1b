#include <gtest/gtest.h>

#include <algorithm>

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
  std::fill(data.boundsA, data.boundsA + 3, lo);
  std::fill(data.boundsB, data.boundsB + 3, hi);
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

}  // namespace

TEST(KVRSceneTest, RootsBoundsAndMeshGroups) {
  KVRScene scene;
  MeshBuffer* shared = boxMesh(scene, -1.0f, 1.0f);
  KVRObject* group = object("group", nullptr, nullptr, 10.0f);
  KVRObject* left = object("left", shared, group, -5.0f);
  KVRObject* right = object("right", shared, group, 5.0f);
  KVRObject* other = object("other", boxMesh(scene, 0.0f, 2.0f), nullptr, 0.0f);
  for (KVRObject* o : {group, left, right, other}) scene.AddObject(o);
  EXPECT_EQ((std::vector<KVRObject*>{group, other}), scene.getRootObjects());
  EXPECT_EQ(std::pair(right, left), std::pair(scene.getObject(2), scene.getObjectByName("left")));
  group->setVisible(false);
  EXPECT_FALSE(left->isShown());  // a hidden parent hides its children
  group->setVisible(true);
  scene.prepare();
  // The group has no mesh: its zero box counts; children move by the group's translation.
  EXPECT_EQ((std::vector<float>{0.0f, -1.0f, -1.0f, 16.0f, 2.0f, 2.0f}),
            std::vector<float>(scene.getBounds(), scene.getBounds() + 6));
  EXPECT_EQ(3u, scene.getMeshGroups().size());
  EXPECT_EQ((std::vector<KVRObject*>{left, right}), scene.getMeshGroups().at(shared).objects);
}

// An animation goes to the object of its name, else the camera; a shader instance to every
// object, to those of a material, or to one object by name.
TEST(KVRSceneTest, AnimationsAndShaderInstancesFindTheirObjects) {
  KVRScene scene;
  KVRMaterial* stone = new KVRMaterial();
  scene.addMaterial("stone", stone);
  KVRObject *a = object("a", nullptr, nullptr, 0.0f), *b = object("b", nullptr, nullptr, 0.0f);
  b->setMaterial(stone);
  for (KVRObject* o : {a, b}) scene.AddObject(o);
  KVRCamera* camera = new KVRCamera("eye");
  scene.AddCamera("eye", camera);
  KVRAnimation *forA = new KVRAnimation(), *forEye = new KVRAnimation(), *loose = new KVRAnimation();
  for (auto [name, animation] : {std::pair{"a", forA}, {"eye", forEye}, {"nobody", loose}})
    scene.AddAnimation(name, animation);
  EXPECT_EQ(
      (std::vector<KVRAnimation*>{forA, forEye, loose}),
      (std::vector<KVRAnimation*>{a->getAnimation(), camera->getAnimation(), scene.GetAnimation("nobody")}));
  ShaderInstance first(nullptr), second(nullptr), third(nullptr);
  scene.setShaderInstance(&first);
  scene.setShaderInstanceByMaterial(stone, &second);
  EXPECT_EQ(std::pair(&first, &second), std::pair(a->getShaderInstance(), b->getShaderInstance()));
  scene.ApplyShaderInstance("a", &third);
  EXPECT_EQ(&third, a->getShaderInstance());
  KVRTimeSource clock;
  scene.setObjectTimeSource("missing", &clock);
  scene.setObjectTimeSource("b", &clock);
  EXPECT_EQ(&clock, b->getTimeSource());
}

// The fallback material is red; a light shines along its matrix's z axis turned from z-up to y-up.
TEST(KVRSceneTest, MaterialDumpAndLightPosition) {
  EXPECT_EQ("Amb : [1,0,0]\nDif : [1,0,0]\n", KVRMaterial::defaultMaterial().dump());
  KVRMaterial material;
  material.setDiffuse(0.5f, 0.25f, 1.0f);
  EXPECT_EQ("Amb : [1,0,0]\nDif : [0.5,0.25,1]\n", material.dump());
  KVRLight light(0, 1.0f, 0.5f, 0.25f);
  Matrix4 matrix = Matrix4::identity();
  matrix.m[8] = 0.25f, matrix.m[9] = 0.5f, matrix.m[10] = 0.75f;
  light.setMatrix(matrix);
  float position[4];
  light.directionalPosition(position);
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR((std::vector<float>{0.25f, 0.75f, -0.5f, 0})[i], position[i], 1e-6f);
}

// Null entries, duplicate names and index ranges: one of each stands for the scene's lists, which
// share the assertion forms.
TEST(KVRSceneDeathTest, BrokenInvariantsStopWithTheirAssertions) {
  KVRScene scene;
  scene.AddObject(new KVRObject(1, 0, "box"));
  for (auto [act, report] : std::initializer_list<std::pair<std::function<void()>, std::string>>{
           {[&] { scene.AddObject(nullptr); },
            "void KVRScene::AddObject\\(KVRObject\\*\\): Assertion `obj != __null'"},
           {[&] { scene.AddObject(new KVRObject(2, 0, "box")); },
            "Assertion `!objectExists\\(obj->getName\\(\\)\\)'"},
           {[&] { scene.getObject(1); }, "Assertion `i >= 0 && i < objectList.size\\(\\)'"}})
    EXPECT_DEATH(act(), "demo/demosys/KVRScene.cpp:[0-9]+: .*" + report);
}

// The object pool dumps no entries; the animation pool lists its paths in byte order.
TEST(DataScenePoolsTest, DumpsAndDisposeLines) {
  DataObjectPool* objects = new DataObjectPool();
  DataAnimationPool* animations = new DataAnimationPool();
  objects->add("city", new KVRScene());
  animations->add("zoom", new Animation());
  animations->add("Path", new Animation());
  EXPECT_EQ(
      "DataObjectPool {\n}\nAnimationPool {\n    Path = Animation { keyframes = 0 }\n"
      "    zoom = Animation { keyframes = 0 }\n}\n",
      objects->toString() + animations->toString());
  EXPECT_EQ("[Dispose objectPool]\n[Dispose animationPool]\n",
            stdoutOf([&] { delete objects, delete animations; }));
}

// Scenes are numbered in name order; a lookup that finds nothing stops with its assertion line.
TEST(ShaderCacheDeathTest, ScenesByIndexInNameOrderNamedInstancesAndFailedLookups) {
  KVRDemosys::sceneDataPool = new DataObjectPool();
  KVRScene *water = new KVRScene(), *city = new KVRScene();
  KVRDemosys::sceneDataPool->add("water", water);
  KVRDemosys::sceneDataPool->add("city", city);
  ShaderCache cache;
  cache.setup();
  EXPECT_EQ(2, cache.GetSceneCount());
  EXPECT_EQ((std::vector<KVRScene*>{city, water, water}),
            (std::vector<KVRScene*>{cache.GetScene(0), cache.GetScene(1), cache.GetScene("water")}));
  ShaderInstance* instance = new ShaderInstance(nullptr);
  cache.addShaderInstance("lit", instance);
  EXPECT_EQ(instance, cache.getShaderInstance("lit"));
  for (auto [act, report] : std::initializer_list<std::pair<std::function<void()>, std::string>>{
           {[&] { cache.getShaderInstance("none"); },
            "40: ShaderInstance\\* ShaderCache::getShaderInstance\\(std::string\\): Assertion `0' failed"},
           {[&] { cache.GetScene(-1); },
            "90: KVRScene\\* ShaderCache::GetScene\\(int\\): Assertion `i >= 0 && i < "
            "KVRDemosys::sceneDataPool->size\\(\\)' failed"}})
    EXPECT_DEATH(act(), "demo/demosys/ShaderCache.cpp:" + report);
  stdoutOf([] { delete KVRDemosys::sceneDataPool; });
  KVRDemosys::sceneDataPool = nullptr;
}

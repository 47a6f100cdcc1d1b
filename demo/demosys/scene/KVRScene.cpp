#include "demosys/scene/KVRScene.h"

#include <GL/glew.h>

#include <algorithm>
#include <iostream>

#include "demosys/core/KVRAssert.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/gl/MeshBuffer.h"
#include "demosys/scene/KVRAnimation.h"
#include "demosys/scene/KVRCamera.h"
#include "demosys/scene/KVRLight.h"
#include "demosys/scene/KVRMaterial.h"
#include "demosys/scene/KVRObject.h"

namespace {

const int MAX_LIGHTS = 4;

template <typename T>
T* find(const std::map<std::string, T*>& map, const std::string& name) {
  auto found = map.find(name);
  return found == map.end() ? nullptr : found->second;
}

}  // namespace

KVRScene::~KVRScene() {
  for (KVRObject* object : objectList) delete object;
  for (auto& entry : cameras) delete entry.second;
  for (auto& entry : animations) delete entry.second;
  for (auto& entry : materials) delete entry.second;
  for (auto& entry : lights) delete entry.second;
  for (KVRAnimation* animation : nodeAnimations) delete animation;
  for (MeshBuffer* mesh : meshes) delete mesh;
}

void KVRScene::AddObject(KVRObject* obj) {
  KVR_ASSERT(obj != nullptr, "obj != __null");
  KVR_ASSERT(!objectExists(obj->getName()), "!objectExists(obj->getName())");
  objectList.push_back(obj);
  objects[obj->getName()] = obj;
  if (!obj->getParent()) rootObjects.push_back(obj);
}

KVRObject* KVRScene::getObject(int i) {
  KVR_ASSERT(i >= 0 && i < static_cast<int>(objectList.size()), "i >= 0 && i < objectList.size()");
  return objectList[i];
}

KVRObject* KVRScene::getObjectByName(std::string name) {
  KVRObject* object = find(objects, name);
  KVR_ASSERT(object != nullptr, "0");
  return object;
}

bool KVRScene::objectExists(std::string name) const { return objects.count(name) != 0; }

void KVRScene::AddCamera(std::string name, KVRCamera* camera) {
  KVR_ASSERT(cameras.count(name) == 0, "0");
  cameras[name] = camera;
}

KVRCamera* KVRScene::GetCamera(std::string name) {
  KVRCamera* camera = find(cameras, name);
  KVR_ASSERT(camera != nullptr, "0");
  return camera;
}

void KVRScene::addLight(std::string name, KVRLight* light) {
  KVR_ASSERT(!lightExists(name), "!lightExists(name)");
  lights[name] = light;
}

KVRLight* KVRScene::getLightByName(std::string name) {
  KVRLight* light = find(lights, name);
  KVR_ASSERT(light != nullptr, "0");
  return light;
}

bool KVRScene::lightExists(std::string name) const { return lights.count(name) != 0; }

void KVRScene::addMaterial(std::string name, KVRMaterial* material) {
  KVR_ASSERT(!materialExists(name), "!materialExists(name)");
  materials[name] = material;
}

KVRMaterial* KVRScene::getMaterialByName(std::string name) {
  KVRMaterial* material = find(materials, name);
  KVR_ASSERT(material != nullptr, "0");
  return material;
}

bool KVRScene::materialExists(std::string name) const { return materials.count(name) != 0; }

void KVRScene::AddAnimation(std::string name, KVRAnimation* animation) {
  KVR_ASSERT(animations.count(name) == 0, "0");
  animations[name] = animation;
  if (KVRObject* object = find(objects, name))
    object->setAnimation(animation);
  else if (KVRCamera* camera = find(cameras, name))
    camera->setAnimation(animation);
}

KVRAnimation* KVRScene::GetAnimation(std::string name) {
  KVRAnimation* animation = find(animations, name);
  KVR_ASSERT(animation != nullptr, "0");
  return animation;
}

void KVRScene::ApplyShaderInstance(std::string name, ShaderInstance* instance) {
  KVRObject* obj = find(objects, name);
  KVR_ASSERT(obj != nullptr, "obj != __null");
  obj->setShaderInstance(instance);
}

void KVRScene::setShaderInstance(ShaderInstance* instance) {
  for (KVRObject* object : objectList) object->setShaderInstance(instance);
}

void KVRScene::setShaderInstanceByMaterial(KVRMaterial* material, ShaderInstance* instance) {
  for (KVRObject* object : objectList)
    if (object->getMaterial() == material) object->setShaderInstance(instance);
}

void KVRScene::setObjectTimeSource(std::string name, KVRTimeSource* timer) {
  if (KVRObject* object = find(objects, name)) object->setTimeSource(timer);
}

void KVRScene::resolveTextures() {
  if (!KVRDemosys::texturePool) return;
  for (KVRObject* object : objectList) {
    KVRMaterial* material = object->getMaterial();
    if (!material || material->getTextureFile().empty()) continue;
    // The texture is named after its file, unless the file came in first under another name.
    Texture* texture = KVRDemosys::texturePool->get(material->getTextureFile());
    if (!texture) {
      auto files = KVRDemosys::texturePool->getFileMap();
      auto found = files.find(material->getTextureFile());
      if (found != files.end()) texture = KVRDemosys::texturePool->get(found->second);
    }
    material->setTexture(texture);
  }
}

void KVRScene::prepare() {
  computeBounds();
  buildMeshGroups();
}

void KVRScene::computeBounds() {
  for (size_t i = 0; i < objectList.size(); ++i) {
    float minimum[3], maximum[3];
    objectList[i]->worldBounds(minimum, maximum);
    for (int axis = 0; axis < 3; ++axis) {
      bounds[axis] = i == 0 ? minimum[axis] : std::min(bounds[axis], minimum[axis]);
      bounds[3 + axis] = i == 0 ? maximum[axis] : std::max(bounds[3 + axis], maximum[axis]);
    }
  }
}

void KVRScene::buildMeshGroups() {
  meshGroups.clear();
  for (KVRObject* object : objectList) {
    KVRMeshGroup& group = meshGroups[object->getMesh()];
    group.mesh = object->getMesh();
    group.objects.push_back(object);
  }
}

void KVRScene::draw(bool noShader) {
  for (KVRObject* root : rootObjects) root->draw(0.0f, false, 0, noShader);
}

void KVRScene::draw(float seconds, int mode) {
  for (KVRObject* root : rootObjects) root->draw(seconds, false, mode, false);
}

void KVRScene::draw(float seconds, bool force, int mode) {
  for (KVRObject* root : rootObjects) root->draw(seconds, force, mode, false);
}

void KVRScene::drawWireframe() {
  for (KVRObject* root : rootObjects) root->draw(0.0f, false, 1, true);
}

void KVRScene::drawMeshGroups(float seconds) {
  for (auto& entry : meshGroups) {
    // Group nodes have no mesh and nothing to draw.
    if (!entry.first) continue;
    entry.first->bind();
    for (KVRObject* object : entry.second.objects) {
      if (!object->isShown()) continue;
      glPushMatrix();
      glMultMatrixf(object->worldMatrix(seconds).m);
      object->drawBoundMesh();
      glPopMatrix();
    }
    entry.first->unbind();
  }
}

void KVRScene::lightsOn() {
  glEnable(GL_LIGHTING);
  int number = 0;
  for (auto& entry : lights) {
    if (number == MAX_LIGHTS) {
      std::cout << "Too many light sources" << std::endl;
      return;
    }
    entry.second->enable(GL_LIGHT0 + number++);
  }
}

void KVRScene::lightsOff() {
  glDisable(GL_LIGHTING);
  for (auto& entry : lights) entry.second->disable();
}

void KVRScene::drawLights() const {
  for (const auto& entry : lights) entry.second->debugDraw();
}

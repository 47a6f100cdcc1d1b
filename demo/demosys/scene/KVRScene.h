#pragma once

#include <map>
#include <string>
#include <vector>

#include "demosys/math/Matrix4.h"

class KVRAnimation;
class KVRCamera;
class KVRLight;
class KVRMaterial;
class KVRObject;
class MeshBuffer;
class ShaderInstance;
struct KVRTimeSource;

// The objects of a scene that share one mesh: drawn with a single bind of it.
struct KVRMeshGroup {
  MeshBuffer* mesh = nullptr;
  std::vector<KVRObject*> objects;
};

// A 3D scene as an object file describes it: named objects in a hierarchy, cameras, lights,
// materials and node animations. The scene owns all of them, and the meshes handed to it.
// Lookups of names the scene lacks, and duplicate names, are programming errors and stop the
// program.
class KVRScene {
 public:
  KVRScene() = default;
  ~KVRScene();
  KVRScene(const KVRScene&) = delete;
  KVRScene& operator=(const KVRScene&) = delete;

  void AddObject(KVRObject* obj);
  KVRObject* getObject(int i);
  int getObjectCount() const { return static_cast<int>(objectList.size()); }
  KVRObject* getObjectByName(std::string name);
  bool objectExists(std::string name) const;
  const std::vector<KVRObject*>& getRootObjects() const { return rootObjects; }

  void AddCamera(std::string name, KVRCamera* camera);
  KVRCamera* GetCamera(std::string name);
  void addLight(std::string name, KVRLight* light);
  KVRLight* getLightByName(std::string name);
  bool lightExists(std::string name) const;
  void addMaterial(std::string name, KVRMaterial* material);
  KVRMaterial* getMaterialByName(std::string name);
  bool materialExists(std::string name) const;
  // Enters the animation and attaches it to the object of that name, else to the camera.
  void AddAnimation(std::string name, KVRAnimation* animation);
  KVRAnimation* GetAnimation(std::string name);
  // Keyframe animations fixed to their node directly: owned here, reached through the node.
  void adoptAnimation(KVRAnimation* animation) { nodeAnimations.push_back(animation); }
  void adoptMesh(MeshBuffer* mesh) { meshes.push_back(mesh); }

  void ApplyShaderInstance(std::string name, ShaderInstance* instance);
  void setShaderInstance(ShaderInstance* instance);
  void setShaderInstanceByMaterial(KVRMaterial* material, ShaderInstance* instance);
  void setObjectTimeSource(std::string name, KVRTimeSource* timer);
  // Gives every material that names a texture file the texture loaded from that file.
  void resolveTextures();

  // The two steps after loading: scene bounds and mesh groups.
  void prepare();
  void computeBounds();
  void buildMeshGroups();
  const float* getBounds() const { return bounds; }
  const std::map<MeshBuffer*, KVRMeshGroup>& getMeshGroups() const { return meshGroups; }

  // Every root object with its children; see KVRObject::draw for mode and flags.
  void draw(bool noShader);
  void draw(float seconds, int mode);
  void draw(float seconds, bool force, int mode);
  void drawWireframe();
  // Every shown object group by group, each mesh bound once.
  void drawMeshGroups(float seconds);

  // GL lighting with the first four lights in name order; a fifth is reported and stays off.
  void lightsOn();
  void lightsOff();
  void drawLights() const;

 private:
  std::vector<KVRObject*> objectList;
  std::map<std::string, KVRObject*> objects;
  std::vector<KVRObject*> rootObjects;
  std::map<std::string, KVRAnimation*> animations;
  std::map<std::string, KVRCamera*> cameras;
  std::map<std::string, KVRMaterial*> materials;
  std::map<std::string, KVRLight*> lights;
  Matrix4 sceneMatrix = Matrix4::identity();
  std::map<MeshBuffer*, KVRMeshGroup> meshGroups;
  float bounds[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  std::vector<KVRAnimation*> nodeAnimations;
  std::vector<MeshBuffer*> meshes;
};

#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

class KVRCamera;
class KVRLight;
class KVRMaterial;
class KVRObject;
class KVRScene;
class MeshBuffer;
struct ObjectFileData;

// Turns an object file and its ".kf" keyframes into a prepared KVRScene: the file is read
// into plain data by ObjectFileParser, then the meshes are uploaded and the scene is built.
// The texture files the object names join the engine's texture definitions.
class ObjectLoader {
 public:
  // `path` is what the resource access opens, objects directory included.
  explicit ObjectLoader(const std::string& path);
  ~ObjectLoader();
  ObjectLoader(const ObjectLoader&) = delete;
  ObjectLoader& operator=(const ObjectLoader&) = delete;

  // The scene, which the caller owns from then on, or null with the error text set.
  KVRScene* Load();
  // Builds the scene from data already read (needs a GL context for the mesh upload).
  KVRScene* Build(const ObjectFileData& data);
  bool IsOk() const { return ok; }
  std::string GetError() const { return error; }
  void setVerbose(bool value) { verbose = value; }

 private:
  void createMeshes(const ObjectFileData& data);
  void createMaterials(const ObjectFileData& data);
  void createNodes(const ObjectFileData& data);
  void linkObjects(const ObjectFileData& data);
  void attachAnimations(const ObjectFileData& data);
  void printDetails(const ObjectFileData& data) const;

  std::string path;
  KVRScene* scene;
  bool ok = false;
  std::string error;
  bool verbose = false;
  // By index into the parsed records (the parser resolved every id to an index).
  std::map<int32_t, MeshBuffer*> meshes;
  std::map<int32_t, KVRObject*> objects;
  std::map<int32_t, KVRMaterial*> materials;
  std::map<int32_t, KVRCamera*> cameras;
  std::map<int32_t, KVRLight*> lights;
  std::set<KVRLight*> placedLights;
};

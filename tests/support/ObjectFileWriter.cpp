#include "support/ObjectFileWriter.h"

#include "objconv/ObjectFileEncoder.h"
#include "support/TempDir.h"

namespace ObjectFileWriter {

std::vector<uint8_t> objectBytes(const ObjectFileData& data) { return ObjectFileEncoder::objectBytes(data); }

std::vector<uint8_t> keyframeBytes(const ObjectFileData& data) {
  return ObjectFileEncoder::keyframeBytes(data);
}

std::string write(const TempDir& dir, const std::string& name, const ObjectFileData& data) {
  std::string path = "resources/objects/" + name;
  dir.write(path, objectBytes(data));
  if (!data.keyframeTracks.empty()) dir.write(path + ".kf", keyframeBytes(data));
  return path;
}

ObjectMeshData texturedQuad(uint32_t id) {
  ObjectMeshData mesh;
  mesh.id = id;
  mesh.name = "quad";
  mesh.vertexOffset = 0;
  mesh.texcoordOffset = 1;
  mesh.positions = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
  mesh.texcoords = {0, 0, 1, 0, 1, 1, 0, 1};
  // Texture coordinates numbered the other way round, so a mix-up of the slots shows.
  mesh.indices = {0, 3, 1, 2, 2, 1, 0, 3, 2, 1, 3, 0};
  mesh.boundsB[0] = mesh.boundsB[1] = 1.0f;
  return mesh;
}

ObjectNodeData meshNode(uint32_t id, uint32_t meshId, uint32_t parentId, const std::string& name,
                        uint32_t materialId) {
  ObjectNodeData node;
  node.id = id;
  node.type = NodeMeshObject;
  node.meshId = meshId;
  node.parentId = parentId;
  node.name = name;
  node.materialId = materialId;
  return node;
}

ObjectNodeData groupNode(uint32_t id, uint32_t parentId, const std::string& name) {
  ObjectNodeData node;
  node.id = id;
  node.type = NodeGroup;
  node.parentId = parentId;
  node.name = name;
  return node;
}

ObjectKeyframeTrack track(uint32_t targetType, uint32_t targetId, const std::vector<float>& times) {
  ObjectKeyframeTrack result;
  result.targetType = targetType;
  result.targetId = targetId;
  for (float time : times) {
    ObjectKeyData key;
    key.time = time;
    key.position[0] = time;
    key.rotation[2] = -time;
    result.keys.push_back(key);
  }
  return result;
}

ObjectFileData sampleScene() {
  ObjectFileData data;
  data.meshes.push_back(texturedQuad(7));
  data.textures.push_back({3, "wall", "wall.png"});
  ObjectMaterialData material;
  material.id = 5;
  material.name = "stone";
  material.ambient[0] = 0.5f;
  material.diffuse[1] = 0.75f;
  material.textureId = 3;
  data.materials.push_back(material);
  data.lights.push_back({9, 1, {1.0f, 0.5f, 0.25f}});
  data.nodes.push_back(groupNode(1, 0, "root"));
  data.nodes.push_back(meshNode(2, 7, 1, "floor", 5));
  ObjectNodeData camera;
  camera.id = 3;
  camera.type = NodeCamera;
  camera.name = "eye";
  camera.matrix[12] = 4.0f;
  data.nodes.push_back(camera);
  ObjectNodeData light;
  light.id = 4;
  light.type = NodeLight;
  light.lightId = 9;
  light.name = "sun";
  data.nodes.push_back(light);
  data.keyframeTracks.push_back(track(TargetObject, 2, {0.0f, 1.5f}));
  return data;
}

}  // namespace ObjectFileWriter

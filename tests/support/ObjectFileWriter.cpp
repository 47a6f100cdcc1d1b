#include "support/ObjectFileWriter.h"

#include <tuple>

#include "objconv/ObjectFileEncoder.h"
#include "support/TempDir.h"

namespace ObjectFileWriter {

std::string write(const TempDir& dir, const std::string& name, const ObjectFileData& data) {
  std::string path = "resources/objects/" + name;
  dir.write(path, ObjectFileEncoder::objectBytes(data));
  if (!data.keyframeTracks.empty()) dir.write(path + ".kf", ObjectFileEncoder::keyframeBytes(data));
  return path;
}

ObjectMeshData texturedQuad(uint32_t id) {
  ObjectMeshData mesh;
  mesh.id = id;
  mesh.name = "quad";
  mesh.texcoordOffset = 1;
  mesh.positions = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
  mesh.texcoords = {0, 0, 1, 0, 1, 1, 0, 1};
  // Texture coordinates numbered the other way round, so a mix-up of the slots shows.
  mesh.indices = {0, 3, 1, 2, 2, 1, 0, 3, 2, 1, 3, 0};
  mesh.boundsB[0] = mesh.boundsB[1] = 1.0f;
  return mesh;
}

ObjectNodeData groupNode(uint32_t id, uint32_t parentId, const std::string& name) {
  ObjectNodeData node;
  std::tie(node.id, node.parentId, node.name) = std::tie(id, parentId, name);
  return node;
}

ObjectNodeData meshNode(uint32_t id, uint32_t meshId, uint32_t parentId, const std::string& name,
                        uint32_t materialId) {
  ObjectNodeData node = groupNode(id, parentId, name);
  std::tie(node.type, node.meshId, node.materialId) = std::make_tuple(NodeMeshObject, meshId, materialId);
  return node;
}

ObjectKeyframeTrack track(uint32_t targetType, uint32_t targetId, const std::vector<float>& times) {
  ObjectKeyframeTrack result;
  result.targetType = targetType;
  result.targetId = targetId;
  for (float time : times) result.keys.emplace_back().time = time;
  return result;
}

ObjectFileData sampleScene() {
  ObjectFileData data;
  data.meshes.push_back(texturedQuad(7));
  data.textures.push_back({3, "wall", "wall.png"});
  data.materials.push_back({5, "stone", {0.5f}, {0.0f, 0.75f}, 3, ""});
  data.lights.push_back({9, 1, {1.0f, 0.5f, 0.25f}});
  data.nodes = {groupNode(1, 0, "root"), meshNode(2, 7, 1, "floor", 5), groupNode(3, 0, "eye"),
                groupNode(4, 0, "sun")};
  data.nodes[2].type = NodeCamera;
  data.nodes[2].matrix[12] = 4.0f;
  data.nodes[3].type = NodeLight;
  data.nodes[3].lightId = 9;
  data.keyframeTracks.push_back(track(TargetObject, 2, {0.0f, 1.5f}));
  return data;
}

}  // namespace ObjectFileWriter

#include "demosys/io/ObjectFileParser.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <set>

#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"

namespace {

const int32_t OBJECT_FILE_VERSION = 1;

// True when `count` items of `itemBytes` each can still be read; checked before any array is
// sized from a count, so a damaged count never makes the reader allocate beyond the file.
bool fits(const ResourceFile& file, uint64_t count, uint64_t itemBytes) {
  uint64_t remaining = file.size() - std::min(file.getPosition(), file.size());
  return count * itemBytes <= remaining;
}

bool readFloats(ResourceFile& file, uint64_t count, std::vector<float>& values) {
  if (!fits(file, count, 4)) return false;
  values.resize(count);
  for (float& value : values) value = file.readF32();
  return true;
}

void readFloats(ResourceFile& file, float* values, int count) {
  for (int i = 0; i < count; ++i) values[i] = file.readF32();
}

int32_t indexOf(const std::map<uint32_t, int32_t>& table, uint32_t id) {
  auto found = table.find(id);
  return found == table.end() ? -1 : found->second;
}

}  // namespace

uint32_t keyframeTimeMilliseconds(float seconds) {
  double whole = std::trunc(static_cast<double>(seconds));
  // Negative and NaN times key at the start, times past the clock's range at its end.
  if (!(whole > 0.0)) return 0;
  if (whole * 1000.0 >= 4294967295.0) return 4294967295u;
  return static_cast<uint32_t>(whole) * 1000u;
}

ObjectFileParser::ObjectFileParser(const std::string& path) : path(path) {}

bool ObjectFileParser::Parse() {
  std::unique_ptr<ResourceFile> object(ResourceAccess::loadFile(path));
  if (!object || !object->isOk()) return fail("Object '" + path + "' not found");
  std::unique_ptr<ResourceFile> keyframes(ResourceAccess::loadFile(path + ".kf"));
  if (keyframes && !keyframes->isOk()) keyframes.reset();
  return ParseFiles(*object, keyframes.get());
}

bool ObjectFileParser::ParseFiles(ResourceFile& object, ResourceFile* keyframes) {
  data = ObjectFileData();
  for (auto* table : {&meshes, &textures, &materials, &lights, &objects, &cameras}) table->clear();
  if (!readObjectFile(object)) return false;
  ok = true;
  linkObjects();
  if (keyframes && !readKeyframeFile(*keyframes)) return false;
  return true;
}

bool ObjectFileParser::readObjectFile(ResourceFile& file) {
  data.version = file.readI32();
  if (truncated(file)) return false;
  if (data.version != OBJECT_FILE_VERSION)
    return fail("Invalid object version in file '" + path + "', File version states version " +
                std::to_string(data.version) + ". Expected version " + std::to_string(OBJECT_FILE_VERSION) +
                ".");
  return readMeshes(file) && readTextures(file) && readMaterials(file) && readLights(file) && readNodes(file);
}

bool ObjectFileParser::readMeshes(ResourceFile& file) {
  uint32_t count = file.readU32();
  if (truncated(file)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    ObjectMeshData mesh;
    if (!readMesh(file, mesh)) return false;
    meshes[mesh.id] = static_cast<int32_t>(data.meshes.size());
    data.meshes.push_back(std::move(mesh));
  }
  return true;
}

bool ObjectFileParser::readMesh(ResourceFile& file, ObjectMeshData& mesh) {
  mesh.id = file.readU32();
  mesh.name = file.readString();
  uint32_t vertexCount = file.readU32();
  mesh.vertexOffset = file.readU32();
  uint32_t normalCount = file.readU32();
  mesh.normalOffset = file.readU32();
  uint32_t texcoordCount = file.readU32();
  mesh.texcoordOffset = file.readU32();
  uint32_t indexCount = file.readU32();
  readFloats(file, mesh.boundsA, 3);
  readFloats(file, mesh.boundsB, 3);
  if (truncated(file)) return false;
  bool complete = readFloats(file, uint64_t(vertexCount) * 3, mesh.positions) &&
                  readFloats(file, uint64_t(normalCount) * 3, mesh.normals) &&
                  readFloats(file, uint64_t(texcoordCount) * 2, mesh.texcoords) && fits(file, indexCount, 4);
  if (!complete) return failTruncated(file);
  mesh.indices.resize(indexCount);
  for (uint32_t& index : mesh.indices) index = file.readU32();
  if (truncated(file)) return false;
  return interleave(mesh);
}

bool ObjectFileParser::interleave(ObjectMeshData& mesh) {
  uint32_t vertexCount = static_cast<uint32_t>(mesh.positions.size() / 3);
  uint32_t normalCount = static_cast<uint32_t>(mesh.normals.size() / 3);
  uint32_t texcoordCount = static_cast<uint32_t>(mesh.texcoords.size() / 2);
  mesh.positionComponents = vertexCount > 0 ? 3 : 0;
  mesh.normalComponents = normalCount > 0 ? 3 : 0;
  mesh.texcoordComponents = texcoordCount > 0 ? 2 : 0;
  mesh.indexStride = (vertexCount > 0) + (normalCount > 0) + (texcoordCount > 0);
  // A mesh without attributes has no corners rather than a division by zero.
  mesh.cornerCount =
      mesh.indexStride == 0 ? 0 : static_cast<uint32_t>(mesh.indices.size()) / mesh.indexStride;

  // Each present attribute needs a slot of its own inside the tuple, or corners would come out
  // shorter than the stride that the vertex buffer is drawn with.
  std::set<uint32_t> slots;
  if (vertexCount > 0) slots.insert(mesh.vertexOffset);
  if (normalCount > 0) slots.insert(mesh.normalOffset);
  if (texcoordCount > 0) slots.insert(mesh.texcoordOffset);
  if (slots.size() != mesh.indexStride || (!slots.empty() && *slots.rbegin() > 2))
    return fail("Mesh '" + mesh.name + "' in object '" + path + "' has invalid index slots");

  mesh.interleaved.clear();
  mesh.interleaved.reserve(size_t(mesh.cornerCount) * mesh.floatsPerCorner());
  size_t next = 0;
  for (uint32_t corner = 0; corner < mesh.cornerCount; ++corner) {
    for (uint32_t slot = 0; slot < 3; ++slot) {
      const std::vector<float>* source = nullptr;
      uint32_t components = 0;
      uint32_t count = 0;
      if (slot == mesh.vertexOffset && vertexCount > 0) {
        source = &mesh.positions, components = 3, count = vertexCount;
      } else if (slot == mesh.normalOffset && normalCount > 0) {
        source = &mesh.normals, components = 3, count = normalCount;
      } else if (slot == mesh.texcoordOffset && texcoordCount > 0) {
        source = &mesh.texcoords, components = 2, count = texcoordCount;
      }
      if (!source) continue;
      uint32_t index = mesh.indices[next++];
      if (index >= count)
        return fail("Mesh '" + mesh.name + "' in object '" + path + "' has index " + std::to_string(index) +
                    " past its data");
      const float* first = source->data() + size_t(index) * components;
      mesh.interleaved.insert(mesh.interleaved.end(), first, first + components);
    }
  }
  return true;
}

bool ObjectFileParser::readTextures(ResourceFile& file) {
  uint32_t count = file.readU32();
  if (truncated(file)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    ObjectTextureData texture;
    texture.id = file.readU32();
    texture.name = file.readString();
    texture.file = file.readString();
    if (truncated(file)) return false;
    textures[texture.id] = static_cast<int32_t>(data.textures.size());
    data.textures.push_back(std::move(texture));
  }
  return true;
}

bool ObjectFileParser::readMaterials(ResourceFile& file) {
  uint32_t count = file.readU32();
  if (truncated(file)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    ObjectMaterialData material;
    material.id = file.readU32();
    material.name = file.readString();
    readFloats(file, material.ambient, 4);
    readFloats(file, material.diffuse, 4);
    material.textureId = file.readU32();
    if (truncated(file)) return false;
    int32_t texture = indexOf(textures, material.textureId);
    if (texture >= 0) material.textureFile = data.textures[texture].file;
    materials[material.id] = static_cast<int32_t>(data.materials.size());
    data.materials.push_back(std::move(material));
  }
  return true;
}

bool ObjectFileParser::readLights(ResourceFile& file) {
  uint32_t count = file.readU32();
  if (truncated(file)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    ObjectLightData light;
    light.id = file.readU32();
    light.type = file.readU32();
    readFloats(file, light.colour, 3);
    if (truncated(file)) return false;
    lights[light.id] = static_cast<int32_t>(data.lights.size());
    data.lights.push_back(light);
  }
  return true;
}

bool ObjectFileParser::readNodes(ResourceFile& file) {
  int32_t count = file.readI32();
  if (truncated(file)) return false;
  for (int32_t i = 0; i < count; ++i) {
    ObjectNodeData node;
    node.id = file.readU32();
    node.type = file.readI32();
    readNodeBody(file, node);
    if (truncated(file)) return false;
    resolveNode(node);
    int32_t index = static_cast<int32_t>(data.nodes.size());
    if (node.type == NodeGroup || node.type == NodeMeshObject) objects[node.id] = index;
    if (node.type == NodeCamera) cameras[node.id] = index;
    data.nodes.push_back(std::move(node));
  }
  return true;
}

void ObjectFileParser::readNodeBody(ResourceFile& file, ObjectNodeData& node) {
  switch (node.type) {
    case NodeGroup:
      node.parentId = file.readU32();
      node.name = file.readString();
      readFloats(file, node.matrix, 16);
      break;
    case NodeMeshObject:
      node.meshId = file.readU32();
      node.parentId = file.readU32();
      node.name = file.readString();
      readFloats(file, node.matrix, 16);
      node.materialId = file.readU32();
      break;
    case NodeCamera:
      file.readU32();
      file.readU32();
      node.name = file.readString();
      readFloats(file, node.matrix, 16);
      file.readU32();
      break;
    case NodeLight:
      node.lightId = file.readU32();
      file.readU32();
      node.name = file.readString();
      readFloats(file, node.matrix, 16);
      file.readU32();
      break;
    default:
      break;
  }
}

void ObjectFileParser::resolveNode(ObjectNodeData& node) {
  if (node.type == NodeMeshObject) {
    node.meshIndex = indexOf(meshes, node.meshId);
    if (node.meshIndex < 0) std::cout << "ERROR : Cannot find mesh " << node.meshId << std::endl;
    node.materialIndex = indexOf(materials, node.materialId);
  } else if (node.type == NodeLight) {
    // Without its light record there is nothing to name, place or add to the scene.
    node.lightIndex = indexOf(lights, node.lightId);
    if (node.lightIndex < 0) std::cout << "ERROR : Cannot find light " << node.lightId << std::endl;
  }
}

void ObjectFileParser::linkObjects() {
  for (const auto& entry : objects) {
    int32_t child = entry.second;
    data.objectOrder.push_back(child);
    int32_t parent = indexOf(objects, data.nodes[child].parentId);
    // A node that is its own ancestor would make drawing and bounds recurse for ever: it
    // stays a root.
    if (parent >= 0 && !wouldLoop(child, parent)) data.nodes[child].parentIndex = parent;
  }
}

bool ObjectFileParser::wouldLoop(int32_t child, int32_t parent) const {
  for (int32_t ancestor = parent; ancestor >= 0; ancestor = data.nodes[ancestor].parentIndex)
    if (ancestor == child) return true;
  return false;
}

bool ObjectFileParser::readKeyframeFile(ResourceFile& file) {
  data.hasKeyframeFile = true;
  data.keyframeHeader = file.readU32();
  int32_t count = file.readI32();
  if (truncated(file)) return false;
  for (int32_t i = 0; i < count; ++i) {
    ObjectKeyframeTrack track;
    if (!readKeyframeTrack(file, track)) return false;
    if (resolveTarget(track)) data.keyframeTracks.push_back(std::move(track));
  }
  return true;
}

bool ObjectFileParser::readKeyframeTrack(ResourceFile& file, ObjectKeyframeTrack& track) {
  uint32_t keyCount = file.readU32();
  track.targetType = file.readU32();
  track.targetId = file.readU32();
  if (truncated(file)) return false;
  // Each key is a time, three position and three rotation floats.
  if (!fits(file, keyCount, 7 * 4)) return failTruncated(file);
  track.keys.resize(keyCount);
  for (ObjectKeyData& key : track.keys) {
    key.time = file.readF32();
    key.timeMs = keyframeTimeMilliseconds(key.time);
  }
  for (ObjectKeyData& key : track.keys) readFloats(file, key.position, 3);
  for (int axis = 0; axis < 3; ++axis)
    for (ObjectKeyData& key : track.keys) key.rotation[axis] = file.readF32();
  return !truncated(file);
}

bool ObjectFileParser::resolveTarget(ObjectKeyframeTrack& track) const {
  const char* missing = nullptr;
  switch (track.targetType) {
    case TargetGroup:
    case TargetObject:
      track.targetIndex = indexOf(objects, track.targetId);
      missing = "ERROR: Failed to find object with id ";
      break;
    case TargetCamera:
      track.targetIndex = indexOf(cameras, track.targetId);
      missing = "ERROR: Failed to find camera with id ";
      break;
    case TargetLight:
      track.targetIndex = indexOf(lights, track.targetId);
      missing = "ERROR: Failed to fing light with id ";
      break;
    default:
      return false;
  }
  if (track.targetIndex < 0) std::cout << missing << track.targetId << std::endl;
  return track.targetIndex >= 0;
}

bool ObjectFileParser::truncated(const ResourceFile& file) {
  if (!file.overrun()) return false;
  failTruncated(file);
  return true;
}

bool ObjectFileParser::failTruncated(const ResourceFile& file) {
  return fail("Object '" + file.getName() + "' ends before its data is complete");
}

bool ObjectFileParser::fail(const std::string& message) {
  error = message;
  ok = false;
  return false;
}

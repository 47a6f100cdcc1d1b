#include "objconv/ObjectFileEncoder.h"

#include "common/PendingFile.h"
#include "demosys/io/ResourceFile.h"

namespace {

uint32_t countOf(size_t values, size_t perItem) { return static_cast<uint32_t>(values / perItem); }

void appendString(ResourceFile& out, const std::string& text) {
  out.appendChars(text);
  out.appendByte(0);
}

void appendFloats(ResourceFile& out, const float* values, size_t count) {
  for (size_t i = 0; i < count; ++i) out.appendF32(values[i]);
}

void appendMesh(ResourceFile& out, const ObjectMeshData& mesh) {
  out.appendU32(mesh.id);
  appendString(out, mesh.name);
  out.appendU32(countOf(mesh.positions.size(), 3));
  out.appendU32(mesh.vertexOffset);
  out.appendU32(countOf(mesh.normals.size(), 3));
  out.appendU32(mesh.normalOffset);
  out.appendU32(countOf(mesh.texcoords.size(), 2));
  out.appendU32(mesh.texcoordOffset);
  out.appendU32(static_cast<uint32_t>(mesh.indices.size()));
  appendFloats(out, mesh.boundsA, 3);
  appendFloats(out, mesh.boundsB, 3);
  appendFloats(out, mesh.positions.data(), mesh.positions.size());
  appendFloats(out, mesh.normals.data(), mesh.normals.size());
  appendFloats(out, mesh.texcoords.data(), mesh.texcoords.size());
  for (uint32_t index : mesh.indices) out.appendU32(index);
}

void appendNode(ResourceFile& out, const ObjectNodeData& node) {
  out.appendU32(node.id);
  out.appendU32(static_cast<uint32_t>(node.type));
  switch (node.type) {
    case NodeGroup:
      out.appendU32(node.parentId);
      appendString(out, node.name);
      appendFloats(out, node.matrix, 16);
      break;
    case NodeMeshObject:
      out.appendU32(node.meshId);
      out.appendU32(node.parentId);
      appendString(out, node.name);
      appendFloats(out, node.matrix, 16);
      out.appendU32(node.materialId);
      break;
    case NodeCamera:
      out.appendU32(0);
      out.appendU32(0);
      appendString(out, node.name);
      appendFloats(out, node.matrix, 16);
      out.appendU32(0);
      break;
    case NodeLight:
      out.appendU32(node.lightId);
      out.appendU32(0);
      appendString(out, node.name);
      appendFloats(out, node.matrix, 16);
      out.appendU32(0);
      break;
    default:
      break;
  }
}

void appendTrack(ResourceFile& out, const ObjectKeyframeTrack& track) {
  out.appendU32(static_cast<uint32_t>(track.keys.size()));
  out.appendU32(track.targetType);
  out.appendU32(track.targetId);
  for (const ObjectKeyData& key : track.keys) out.appendF32(key.time);
  for (const ObjectKeyData& key : track.keys) appendFloats(out, key.position, 3);
  for (int axis = 0; axis < 3; ++axis)
    for (const ObjectKeyData& key : track.keys) out.appendF32(key.rotation[axis]);
}

bool writePending(PendingFile& file, const std::vector<uint8_t>& bytes, std::string& error) {
  if (!file.create()) {
    error = file.getError();
    return false;
  }
  ResourceFile out(file.temporaryPath(), ResourceFile::Write);
  out.fill(bytes);
  if (out.writeAndClose()) return true;
  error = "Cannot write '" + file.finalPath() + "'";
  return false;
}

}  // namespace

namespace ObjectFileEncoder {

std::vector<uint8_t> objectBytes(const ObjectFileData& data) {
  ResourceFile out("object");
  out.appendU32(static_cast<uint32_t>(data.version));
  out.appendU32(static_cast<uint32_t>(data.meshes.size()));
  for (const ObjectMeshData& mesh : data.meshes) appendMesh(out, mesh);
  out.appendU32(static_cast<uint32_t>(data.textures.size()));
  for (const ObjectTextureData& texture : data.textures) {
    out.appendU32(texture.id);
    appendString(out, texture.name);
    appendString(out, texture.file);
  }
  out.appendU32(static_cast<uint32_t>(data.materials.size()));
  for (const ObjectMaterialData& material : data.materials) {
    out.appendU32(material.id);
    appendString(out, material.name);
    appendFloats(out, material.ambient, 4);
    appendFloats(out, material.diffuse, 4);
    out.appendU32(material.textureId);
  }
  out.appendU32(static_cast<uint32_t>(data.lights.size()));
  for (const ObjectLightData& light : data.lights) {
    out.appendU32(light.id);
    out.appendU32(light.type);
    appendFloats(out, light.colour, 3);
  }
  out.appendU32(static_cast<uint32_t>(data.nodes.size()));
  for (const ObjectNodeData& node : data.nodes) appendNode(out, node);
  return out.bytes();
}

std::vector<uint8_t> keyframeBytes(const ObjectFileData& data) {
  ResourceFile out("keyframes");
  out.appendU32(data.keyframeHeader);
  out.appendU32(static_cast<uint32_t>(data.keyframeTracks.size()));
  for (const ObjectKeyframeTrack& track : data.keyframeTracks) appendTrack(out, track);
  return out.bytes();
}

bool writeFiles(const std::string& path, const ObjectFileData& data, std::string& error) {
  PendingFile object(path), keyframes(path + ".kf");
  std::vector<PendingFile*> files = {&object};
  if (!writePending(object, objectBytes(data), error)) return false;
  if (!data.keyframeTracks.empty()) {
    if (!writePending(keyframes, keyframeBytes(data), error)) return false;
    files.push_back(&keyframes);
  }
  return PendingFile::commitAll(files, error);
}

}  // namespace ObjectFileEncoder

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demosys/core/Definitions.h"

// The contents of an object file and its ".kf" keyframe companion as plain records, read
// without GL. The scene is built from these in a second step: one vertex buffer per mesh from
// `interleaved`, materials, lights, cameras and objects from the records, with every cross
// reference already resolved to an index into the vectors below (-1: none).

// Attribute data as stored, plus the interleaved corner array the reader derives from it.
struct ObjectMeshData {
  uint32_t id = 0;
  std::string name;
  uint32_t vertexOffset = 0;    // slot of the position index in each corner's index tuple
  uint32_t normalOffset = 0;    // used only when there are normals
  uint32_t texcoordOffset = 0;  // used only when there are texture coordinates
  float boundsA[3] = {0.0f, 0.0f, 0.0f};
  float boundsB[3] = {0.0f, 0.0f, 0.0f};
  std::vector<float> positions;  // 3 per vertex
  std::vector<float> normals;    // 3 per normal
  std::vector<float> texcoords;  // 2 per texture coordinate
  std::vector<uint32_t> indices;

  // Derived by the reader.
  uint32_t positionComponents = 0;  // 3 or 0
  uint32_t normalComponents = 0;    // 3 or 0
  uint32_t texcoordComponents = 0;  // 2 or 0
  uint32_t indexStride = 0;         // indices per corner
  uint32_t cornerCount = 0;         // vertices of the plain triangle list
  std::vector<float> interleaved;   // cornerCount corners, attributes in slot order

  uint32_t floatsPerCorner() const { return positionComponents + normalComponents + texcoordComponents; }
  uint32_t strideBytes() const { return floatsPerCorner() * 4; }
};

struct ObjectTextureData {
  uint32_t id = 0;
  std::string name;
  std::string file;
};

struct ObjectMaterialData {
  uint32_t id = 0;
  std::string name;
  float ambient[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // the fourth value is stored but unused
  float diffuse[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  uint32_t textureId = 0;
  std::string textureFile;  // resolved by the reader; empty when the id names no texture
};

struct ObjectLightData {
  uint32_t id = 0;
  uint32_t type = 0;
  float colour[3] = {0.0f, 0.0f, 0.0f};  // alpha is 1
};

enum ObjectNodeType : int32_t { NodeGroup = 0, NodeMeshObject = 1, NodeCamera = 2, NodeLight = 3 };

struct ObjectNodeData {
  uint32_t id = 0;
  int32_t type = NodeGroup;  // other values carry the head only
  uint32_t parentId = 0;     // group and mesh object
  uint32_t meshId = 0;       // mesh object
  uint32_t materialId = 0;   // mesh object
  uint32_t lightId = 0;      // light
  std::string name;
  float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  // Resolved by the reader.
  int32_t parentIndex = -1;    // the parent object node; -1 for a root
  int32_t meshIndex = -1;      // mesh object whose mesh exists
  int32_t materialIndex = -1;  // mesh object whose material exists
  int32_t lightIndex = -1;     // light node whose light record exists; -1 means skip the node
};

struct ObjectKeyData {
  float time = 0.0f;    // seconds, as stored
  uint32_t timeMs = 0;  // whole seconds in milliseconds, derived by the reader
  float position[3] = {0.0f, 0.0f, 0.0f};
  float rotation[3] = {0.0f, 0.0f, 0.0f};  // Euler angles in degrees
};

enum KeyframeTargetType : uint32_t { TargetGroup = 0, TargetObject = 1, TargetCamera = 2, TargetLight = 3 };

struct ObjectKeyframeTrack {
  uint32_t targetType = TargetObject;
  uint32_t targetId = 0;  // node id, or light record id for lights
  // Resolved by the reader: a node index for objects and cameras, a light index for lights.
  // Tracks whose target is missing or of another type are not kept.
  int32_t targetIndex = -1;
  std::vector<ObjectKeyData> keys;
};

struct ObjectFileData {
  int32_t version = 1;
  std::vector<ObjectMeshData> meshes;
  std::vector<ObjectTextureData> textures;
  std::vector<ObjectMaterialData> materials;
  std::vector<ObjectLightData> lights;
  std::vector<ObjectNodeData> nodes;  // file order

  // Group and mesh-object nodes in ascending id order, the last node of a repeated id only:
  // the order in which objects enter the scene.
  std::vector<int32_t> objectOrder;

  bool hasKeyframeFile = false;
  uint32_t keyframeHeader = 0;  // the keyframe file's first word, stored but unused
  std::vector<ObjectKeyframeTrack> keyframeTracks;

  // The texture stage's entries for the textures this file names (name and file both the file).
  std::vector<TextureDefinition> textureDefinitions() const;
};

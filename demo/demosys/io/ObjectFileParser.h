#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "demosys/io/ObjectFileData.h"

class ResourceFile;

// Reads an object file and its ".kf" keyframe companion into plain records, without GL.
// Damaged data (a file that ends early, a mesh index past its attribute data) fails with a
// message naming the file; references that name nothing are reported or ignored as the
// engine always did, and the reading goes on.
class ObjectFileParser {
 public:
  // `path` is what the resource access opens, objects directory included.
  explicit ObjectFileParser(const std::string& path);

  // Opens path and path + ".kf" through the resource access.
  bool Parse();
  // Reads files already in memory; `keyframes` may be null (no keyframe file).
  bool ParseFiles(ResourceFile& object, ResourceFile* keyframes);

  bool IsOk() const { return ok; }
  const std::string& GetError() const { return error; }
  const ObjectFileData& GetData() const { return data; }

 private:
  bool readObjectFile(ResourceFile& file);
  bool readMeshes(ResourceFile& file);
  bool readMesh(ResourceFile& file, ObjectMeshData& mesh);
  bool interleave(ObjectMeshData& mesh);
  bool readTextures(ResourceFile& file);
  bool readMaterials(ResourceFile& file);
  bool readLights(ResourceFile& file);
  bool readNodes(ResourceFile& file);
  void readNodeBody(ResourceFile& file, ObjectNodeData& node);
  void resolveNode(ObjectNodeData& node);
  void linkObjects();
  bool wouldLoop(int32_t child, int32_t parent) const;
  bool readKeyframeFile(ResourceFile& file);
  bool readKeyframeTrack(ResourceFile& file, ObjectKeyframeTrack& track);
  bool resolveTarget(ObjectKeyframeTrack& track) const;

  // Checked after every record: reads past the end only ever yield zeros.
  bool truncated(const ResourceFile& file);
  bool failTruncated(const ResourceFile& file);
  bool fail(const std::string& message);

  std::string path;
  ObjectFileData data;
  std::string error;
  bool ok = false;

  // Lookups by id into the vectors of `data`; a repeated id replaces the earlier entry.
  std::map<uint32_t, int32_t> meshes;
  std::map<uint32_t, int32_t> textures;
  std::map<uint32_t, int32_t> materials;
  std::map<uint32_t, int32_t> lights;
  std::map<uint32_t, int32_t> objects;
  std::map<uint32_t, int32_t> cameras;
};

// A keyframe time in seconds as the engine keys it: whole seconds, in milliseconds.
uint32_t keyframeTimeMilliseconds(float seconds);

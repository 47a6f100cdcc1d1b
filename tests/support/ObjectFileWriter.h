#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demosys/io/ObjectFileData.h"

class TempDir;

// Object files for tests, written from plain data with the object file encoder, and small
// scenes that cover every record kind.
namespace ObjectFileWriter {

// Writes resources/objects/<name> (and its ".kf" when there are tracks) under the directory;
// returns the path the engine opens, relative to that directory.
std::string write(const TempDir& dir, const std::string& name, const ObjectFileData& data);

// A unit quad of two triangles with positions and texture coordinates only (offsets 0 and 1).
ObjectMeshData texturedQuad(uint32_t id);
ObjectNodeData meshNode(uint32_t id, uint32_t meshId, uint32_t parentId, const std::string& name,
                        uint32_t materialId = 0);
ObjectNodeData groupNode(uint32_t id, uint32_t parentId, const std::string& name);
ObjectKeyframeTrack track(uint32_t targetType, uint32_t targetId, const std::vector<float>& times);
// A mesh, a texture, a material, a light, a group with a mesh child, a camera, a light node
// and a keyframe track.
ObjectFileData sampleScene();

}  // namespace ObjectFileWriter

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demosys/io/ObjectFileData.h"

// Writes plain object data in the engine's object file format and its ".kf" keyframe
// companion. Counts come from the array sizes; the reader's derived fields are not used.
namespace ObjectFileEncoder {

std::vector<uint8_t> objectBytes(const ObjectFileData& data);
std::vector<uint8_t> keyframeBytes(const ObjectFileData& data);
// Writes `path`, and `path` + ".kf" when there are keyframe tracks, each renamed into place only
// when both are complete; false with `error` set, the previous files left as they were.
bool writeFiles(const std::string& path, const ObjectFileData& data, std::string& error);

}  // namespace ObjectFileEncoder

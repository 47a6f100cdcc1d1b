// An object file and its ".kf" keyframe companion. Input: the object file, then the keyframe
// file (see FuzzInput.h); an empty keyframe part stands for a missing ".kf".
#include "demosys/io/ObjectFileParser.h"
#include "demosys/io/ResourceFile.h"
#include "fuzz/FuzzInput.h"

namespace {

void fill(ResourceFile& file, const std::string& bytes) {
  file.fill(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::vector<std::string> files = FuzzInput::split(bytes, size, 2);
  ResourceFile object("resources/objects/fuzz.obj");
  ResourceFile keyframes("resources/objects/fuzz.obj.kf");
  fill(object, files[0]);
  fill(keyframes, files[1]);
  ObjectFileParser parser("resources/objects/fuzz.obj");
  if (parser.ParseFiles(object, files[1].empty() ? nullptr : &keyframes)) parser.GetData().textureDefinitions();
  return 0;
}

// An object file and its ".kf" keyframe companion. Input: the object file, then the keyframe
// file (see FuzzInput.h); an empty keyframe part stands for a missing ".kf".
#include "demosys/io/ObjectFileParser.h"
#include "demosys/io/ResourceFile.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::vector<std::string> files = FuzzInput::split(bytes, size, 2);
  ResourceFile object("resources/objects/fuzz.obj"), keyframes("resources/objects/fuzz.obj.kf");
  object.fill(std::vector<uint8_t>(files[0].begin(), files[0].end()));
  keyframes.fill(std::vector<uint8_t>(files[1].begin(), files[1].end()));
  ObjectFileParser parser("resources/objects/fuzz.obj");
  if (parser.ParseFiles(object, files[1].empty() ? nullptr : &keyframes))
    parser.GetData().textureDefinitions();
  return 0;
}

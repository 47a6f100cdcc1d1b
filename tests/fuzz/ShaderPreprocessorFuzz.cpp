// The shader preprocessor over a set of files in memory: the shader itself and three files it
// may include (see FuzzInput.h for how the input holds them).
#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/io/ShaderPreprocessor.h"
#include "fuzz/FuzzInput.h"

namespace {

const char* const DIRECTORY = "resources/shaders/";
const char* const FILE_NAMES[] = {"main.vert", "common.glsl", "noise.glsl", "lib/light.glsl"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::vector<std::string> parts = FuzzInput::split(bytes, size, 4);
  std::map<std::string, std::string> files;
  for (size_t i = 0; i < parts.size(); ++i) files[std::string(DIRECTORY) + FILE_NAMES[i]] = parts[i];
  ShaderPreprocessor preprocessor(ShaderPreprocessor::memoryFiles(files));
  std::unique_ptr<ResourceFile> shader(preprocessor.open(std::string(DIRECTORY) + FILE_NAMES[0]));

  ShaderLoadResult result;
  std::string source;
  ShaderPreprocessor::appendDefines(source, {"set", "LIGHTS 4", "USE_NOISE"});
  preprocessor.includeFiles(result, source, shader->lines(), DIRECTORY, FILE_NAMES[0], 0);
  // Every include is recorded for the pack script; the fuzzer's names would pile up.
  KVRDemosys::usedResourceFiles.clear();
  return 0;
}

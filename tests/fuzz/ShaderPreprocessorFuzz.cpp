// The shader preprocessor over a set of files in memory: the shader itself and three files it
// may include (see FuzzInput.h for how the input holds them).
#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/io/ShaderPreprocessor.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string directory = "resources/shaders/";
  std::vector<std::string> parts = FuzzInput::split(bytes, size, 4);
  std::map<std::string, std::string> files;
  const char* const names[] = {"main.vert", "common.glsl", "noise.glsl", "lib/light.glsl"};
  for (size_t i = 0; i < parts.size(); ++i) files[directory + names[i]] = parts[i];
  ShaderPreprocessor preprocessor(ShaderPreprocessor::memoryFiles(files));
  std::unique_ptr<ResourceFile> shader(preprocessor.open(directory + "main.vert"));
  ShaderLoadResult result;
  std::string source;
  ShaderPreprocessor::appendDefines(source, {"set", "LIGHTS 4", "USE_NOISE"});
  preprocessor.includeFiles(result, source, shader->lines(), directory, "main.vert", 0);
  // Every include is recorded for the pack script; the fuzzer's names would pile up.
  KVRDemosys::usedResourceFiles.clear();
  return 0;
}

#pragma once

#include <string>
#include <vector>

#include "demosys/io/ShaderPreprocessor.h"

class Shader;

// Loads one shader pair "<base>.vert" / "<base>.frag" from the shader directory: defines in
// front, includes resolved, then compiled and linked by the Shader. Failures go to the result.
class ShaderLoader {
 public:
  ShaderLoader() = default;
  explicit ShaderLoader(ShaderPreprocessor preprocessor) : preprocessor(std::move(preprocessor)) {}

  // `defines` is the definition's list: its first string names the set and is not emitted.
  bool loadShaderPair(ShaderLoadResult& result, Shader& shader, const std::string& baseName,
                      const std::vector<std::string>& defines) const;
  // The preprocessed text of `directory + fileName` (no GL); `missingMessage` when it cannot be opened.
  bool buildSource(ShaderLoadResult& result, std::string& source, const std::string& directory,
                   const std::string& fileName, const std::vector<std::string>& defines,
                   const std::string& missingMessage) const;

 private:
  ShaderPreprocessor preprocessor;
};

#include "demosys/gl/ShaderLoader.h"

#include <memory>

#include "demosys/gl/Shader.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"

namespace {

bool fail(ShaderLoadResult& result, const std::string& message) {
  result.message = message;
  result.ok = false;
  return false;
}

}  // namespace

bool ShaderLoader::buildSource(ShaderLoadResult& result, std::string& source, const std::string& directory,
                               const std::string& fileName, const std::vector<std::string>& defines,
                               const std::string& missingMessage) const {
  std::unique_ptr<ResourceFile> file(preprocessor.open(directory + fileName));
  if (!file || !file->isOk()) return fail(result, missingMessage);
  ShaderPreprocessor::appendDefines(source, defines);
  return preprocessor.includeFiles(result, source, file->lines(), directory, fileName, 0);
}

bool ShaderLoader::loadShaderPair(ShaderLoadResult& result, Shader& shader, const std::string& baseName,
                                  const std::vector<std::string>& defines) const {
  const std::string directory = ResourceAccess::SHADERS_DIRECTORY;
  const std::string vertexName = baseName + ".vert";
  const std::string fragmentName = baseName + ".frag";
  std::string vertexSource;
  if (!buildSource(result, vertexSource, directory, vertexName, defines,
                   "Vertex shader '" + vertexName + "' not found"))
    return false;
  if (!shader.compileVertexShader(vertexSource))
    return fail(result,
                "Error while compiling vertex shader\nShader: " + vertexName + "\n" + shader.getInfoLog());
  std::string fragmentSource;
  if (!buildSource(result, fragmentSource, directory, fragmentName, defines,
                   "Fragement shader '" + fragmentName + "' not found"))
    return false;
  if (!shader.compileFragmentShader(fragmentSource))
    return fail(result, "Error while compiling fragment shader\nShader: " + fragmentName + "\n" +
                            shader.getInfoLog());
  if (!shader.link())
    return fail(result, "Error while linking shader pair\nShader: " + baseName + "\n" + shader.getInfoLog());
  return true;
}

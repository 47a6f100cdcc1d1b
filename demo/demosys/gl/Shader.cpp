#include "demosys/gl/Shader.h"

#include <algorithm>
#include <iostream>
#include <sstream>
#include <utility>

#include "demosys/core/KVRAssert.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Texture.h"

Shader::Shader() {
  GLint units = 0;
  glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
  textureSlots.assign(static_cast<size_t>(slotCountFor(units)), nullptr);
}

Shader::~Shader() {
  // Deleting the program detaches whatever is attached; after a failed recompile a shader
  // may not be attached at all, and detaching it would be an error.
  if (program != 0) glDeleteProgram(program);
  if (vertexShader != 0) glDeleteShader(vertexShader);
  if (fragmentShader != 0) glDeleteShader(fragmentShader);
}

int32_t Shader::slotCountFor(int32_t imageUnits) {
  if (imageUnits < 0) return 0;
  return imageUnits < MAX_TEXTURE_SLOTS ? imageUnits : MAX_TEXTURE_SLOTS;
}

bool Shader::compileVertexShader(const std::string& source) {
  return compile(GL_VERTEX_SHADER, source, vertexSource, vertexShader);
}

bool Shader::compileFragmentShader(const std::string& source) {
  return compile(GL_FRAGMENT_SHADER, source, fragmentSource, fragmentShader);
}

namespace {

// Shader and program logs share one reader; the two GL entry points have the same signature.
std::string readLog(GLint length, PFNGLGETSHADERINFOLOGPROC getLog, GLuint object) {
  if (length < 1) return std::string();
  std::vector<GLchar> buffer(static_cast<size_t>(length) + 1, 0);
  GLsizei written = 0;
  getLog(object, length, &written, buffer.data());
  return std::string(buffer.data(),
                     static_cast<size_t>(std::max<GLsizei>(0, std::min<GLsizei>(written, length))));
}

}  // namespace

bool Shader::compile(GLenum type, const std::string& source, std::string& sourceField, GLuint& shaderName) {
  sourceField = source;
  // A reload compiles into the same object; the stage's previous shader is no longer needed.
  if (shaderName != 0) {
    if (program != 0) glDetachShader(program, shaderName);
    glDeleteShader(shaderName);
  }
  shaderName = glCreateShader(type);
  const GLchar* text = sourceField.c_str();
  glShaderSource(shaderName, 1, &text, nullptr);
  glCompileShader(shaderName);
  GLint status = GL_FALSE;
  glGetShaderiv(shaderName, GL_COMPILE_STATUS, &status);
  if (status == GL_TRUE) return true;
  GLint length = 0;
  glGetShaderiv(shaderName, GL_INFO_LOG_LENGTH, &length);
  infoLog += readLog(length, glGetShaderInfoLog, shaderName);
  ok = false;
  return false;
}

bool Shader::link() {
  if (program != 0) glDeleteProgram(program);
  locations.clear();
  program = glCreateProgram();
  glAttachShader(program, vertexShader);
  glAttachShader(program, fragmentShader);
  glLinkProgram(program);
  GLint status = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &status);
  if (status == GL_TRUE) return true;
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  if (length < 1) {
    infoLog += "Unknown error while linking shader pair";
    return false;
  }
  ok = false;
  infoLog += readLog(length, glGetProgramInfoLog, program);
  return false;
}

void Shader::takeProgramOf(Shader& rebuilt) {
  std::swap(vertexSource, rebuilt.vertexSource);
  std::swap(fragmentSource, rebuilt.fragmentSource);
  std::swap(vertexShader, rebuilt.vertexShader);
  std::swap(fragmentShader, rebuilt.fragmentShader);
  std::swap(program, rebuilt.program);
  std::swap(ok, rebuilt.ok);
  std::swap(infoLog, rebuilt.infoLog);
  locations.clear();
  rebuilt.locations.clear();
}

void Shader::bind() {
  glUseProgram(program);
  std::fill(textureSlots.begin(), textureSlots.end(), nullptr);
}

void Shader::unbind() {
  glUseProgram(0);
  for (size_t unit = 0; unit < textureSlots.size(); ++unit) {
    if (!textureSlots[unit]) continue;
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    textureSlots[unit]->unbind();
  }
  glActiveTexture(GL_TEXTURE0);
}

GLint Shader::uniformLocation(const std::string& name) const {
  auto known = locations.find(name);
  if (known != locations.end()) return known->second;
  const GLint location = glGetUniformLocation(program, name.c_str());
  locations.emplace(name, location);
  return location;
}

GLint Shader::reportedLocation(const std::string& name) const {
  GLint location = uniformLocation(name);
  if (location == -1) {
    std::cout << "Error: Uniform variable '" << name << "' not found!" << std::endl;
    ++KVRDemosys::missingUniformCount;
  }
  return location;
}

void Shader::setUniform(const std::string& name, float value) {
  GLint location = reportedLocation(name);
  if (location != -1) glUniform1f(location, value);
}

void Shader::setUniform(const std::string& name, float a, float b) {
  GLint location = uniformLocation(name);
  if (location != -1) glUniform2f(location, a, b);
}

void Shader::setUniform(const std::string& name, float a, float b, float c) {
  GLint location = uniformLocation(name);
  if (location != -1) glUniform3f(location, a, b, c);
}

void Shader::setUniform(const std::string& name, float a, float b, float c, float d) {
  GLint location = uniformLocation(name);
  if (location != -1) glUniform4f(location, a, b, c, d);
}

void Shader::setUniform(const std::string& name, int value) { setUniform(name, static_cast<float>(value)); }

void Shader::setUniformMatrix3(const std::string& name, const float* matrix) {
  GLint location = reportedLocation(name);
  if (location != -1) glUniformMatrix3fv(location, 1, GL_FALSE, matrix);
}

void Shader::setUniformMatrix4(const std::string& name, const float* matrix) {
  GLint location = reportedLocation(name);
  if (location != -1) glUniformMatrix4fv(location, 1, GL_FALSE, matrix);
}

void Shader::bindTexture(int32_t unit, const std::string& name, Texture* texture) {
  KVR_ASSERT(unit >= 0 && static_cast<size_t>(unit) < textureSlots.size(),
             "unit >= 0 && unit < textureSlots.size()");
  GLint location = uniformLocation(name);
  glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
  if (texture) texture->bind();
  glUniform1i(location, unit);
  glActiveTexture(GL_TEXTURE0);
  textureSlots[static_cast<size_t>(unit)] = texture;
}

std::string Shader::toString() const {
  std::ostringstream out;
  out << "Shader("
      << "vshader size = " << vertexSource.size() << ", fragshader size = " << fragmentSource.size()
      << ", pref=" << program << ", vref=" << vertexShader << ", fref=" << fragmentShader << ")";
  return out.str();
}

#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class Texture;

// One GLSL program of a vertex and a fragment shader, with the textures bound to its units.
// Made in a current GL context; built by the shader loader, then bound, fed and unbound by effects.
class Shader {
 public:
  // The slot table never grows past this many units, whatever the implementation offers.
  static const int32_t MAX_TEXTURE_SLOTS = 8;

  Shader();
  ~Shader();
  Shader(const Shader&) = delete;
  Shader& operator=(const Shader&) = delete;

  bool compileVertexShader(const std::string& source);
  bool compileFragmentShader(const std::string& source);
  bool link();
  std::string getInfoLog() const { return infoLog; }
  bool isOk() const { return ok; }

  // Makes the program current and forgets which textures were bound.
  void bind();
  // Makes no program current and unbinds every recorded texture; leaves unit 0 selected.
  void unbind();
  GLuint getProgram() const { return program; }

  // A missing uniform is reported (one line) by the one-float, int and matrix setters only.
  void setUniform(const std::string& name, float value);
  void setUniform(const std::string& name, float a, float b);
  void setUniform(const std::string& name, float a, float b, float c);
  void setUniform(const std::string& name, float a, float b, float c, float d);
  void setUniform(const std::string& name, int value);
  void setUniformMatrix3(const std::string& name, const float* matrix);
  void setUniformMatrix4(const std::string& name, const float* matrix);

  // Binds `texture` on unit `unit` and points the sampler `name` at that unit.
  void bindTexture(int32_t unit, const std::string& name, Texture* texture);
  void bindTexture0(const std::string& name, Texture* texture) { bindTexture(0, name, texture); }
  void bindTexture1(const std::string& name, Texture* texture) { bindTexture(1, name, texture); }
  void bindTexture2(const std::string& name, Texture* texture) { bindTexture(2, name, texture); }
  void bindTexture3(const std::string& name, Texture* texture) { bindTexture(3, name, texture); }

  const std::vector<Texture*>& getTextureSlots() const { return textureSlots; }
  // Slot table length for an implementation offering `imageUnits` texture image units.
  static int32_t slotCountFor(int32_t imageUnits);
  const std::string& getVertexSource() const { return vertexSource; }
  const std::string& getFragmentSource() const { return fragmentSource; }
  std::string toString() const;
  // Takes over the program, shaders and sources that `rebuilt` compiled and linked, and hands it
  // this shader's old ones to delete. Effects keep their pointer to this object, so a reload
  // swaps what is inside it; texture slots stay, uniform locations are asked again.
  void takeProgramOf(Shader& rebuilt);

 private:
  bool compile(GLenum type, const std::string& source, std::string& sourceField, GLuint& shaderName);
  // The location of `name`, or -1 after printing the missing-uniform line.
  GLint reportedLocation(const std::string& name) const;
  // Locations are asked of the driver once per linked program: asking is a round trip to the
  // driver (with a threaded driver, a wait for it) on every uniform of every frame.
  GLint uniformLocation(const std::string& name) const;

  std::string vertexSource;
  std::string fragmentSource;
  GLuint vertexShader = 0;
  GLuint fragmentShader = 0;
  GLuint program = 0;
  mutable std::unordered_map<std::string, GLint> locations;
  bool ok = true;
  std::string infoLog;
  std::vector<Texture*> textureSlots;
};

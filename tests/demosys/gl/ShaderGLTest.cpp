#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "demosys/gl/Shader.h"
#include "demosys/gl/ShaderLoader.h"
#include "demosys/gl/Texture.h"
#include "support/CapturedStdout.h"

namespace {

const char* const VERTEX = "uniform float scale;\nvoid main() { gl_Position = gl_Vertex * scale; }\n";
const char* const FRAGMENT =
    "uniform sampler2D tex;\nuniform vec2 offset;\nuniform mat4 warp;\n"
    "void main() { gl_FragColor = warp * texture2D(tex, offset); }\n";
// Compiles, but a fragment stage without main cannot be linked.
const char* const NO_MAIN = "vec4 colour() { return vec4(1.0); }\n";

std::map<std::string, std::string> shaderFiles() {
  return {{"resources/shaders/good.vert", VERTEX},
          {"resources/shaders/good.frag", FRAGMENT},
          {"resources/shaders/bad.vert", "void main() { gl_Position = undefinedThing; }"},
          {"resources/shaders/badfrag.vert", VERTEX},
          {"resources/shaders/badfrag.frag", "void main() { gl_FragColor = 1.0 }"},
          {"resources/shaders/nolink.vert", VERTEX},
          {"resources/shaders/nolink.frag", NO_MAIN},
          {"resources/shaders/nofrag.vert", VERTEX},
          {"resources/shaders/defs.vert",
           "#include common.glsl\nvoid main() { gl_Position = gl_Vertex * SCALE; }"},
          {"resources/shaders/defs.frag", "void main() { gl_FragColor = vec4(SCALE); }"},
          {"resources/shaders/common.glsl", "// shared"},
          {"resources/shaders/missinc.vert", VERTEX},
          {"resources/shaders/missinc.frag", "#include gone.glsl"}};
}

ShaderLoadResult load(Shader& shader, const std::string& base, const std::vector<std::string>& defines = {}) {
  ShaderLoader loader(ShaderPreprocessor(ShaderPreprocessor::memoryFiles(shaderFiles())));
  ShaderLoadResult result;
  result.message = "before";
  EXPECT_EQ(loader.loadShaderPair(result, shader, base, defines), result.ok);
  return result;
}

GLint boundTexture(GLenum unit) {
  GLint name = -1;
  glActiveTexture(unit);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  glActiveTexture(GL_TEXTURE0);
  return name;
}

}  // namespace

TEST(ShaderGLTest, LoadsCompilesAndLinksAPair) {
  Shader shader;
  ShaderLoadResult result = load(shader, "good");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ("before", result.message);
  EXPECT_TRUE(shader.isOk());
  EXPECT_NE(0u, shader.getProgram());
  EXPECT_EQ(std::string(VERTEX) + "\n", shader.getVertexSource());
  std::string expected = "Shader(vshader size = " + std::to_string(std::string(VERTEX).size() + 1) +
                         ", fragshader size = " + std::to_string(std::string(FRAGMENT).size() + 1) +
                         ", pref=" + std::to_string(shader.getProgram()) + ", vref=";
  EXPECT_EQ(0u, shader.toString().rfind(expected, 0)) << shader.toString();
}

TEST(ShaderGLTest, DefinesAndIncludesReachTheCompiler) {
  Shader shader;
  ShaderLoadResult result = load(shader, "defs", {"set", "SCALE 0.5"});
  EXPECT_TRUE(result.ok) << result.message;
  EXPECT_EQ("#define SCALE 0.5\n// shared\nvoid main() { gl_Position = gl_Vertex * SCALE; }\n",
            shader.getVertexSource());
}

TEST(ShaderGLTest, FailureMessages) {
  struct Case {
    const char* base;
    std::string messageStart;
    bool withLog;
  } cases[] = {
      {"absent", "Vertex shader 'absent.vert' not found", false},
      {"nofrag", "Fragement shader 'nofrag.frag' not found", false},
      {"bad", "Error while compiling vertex shader\nShader: bad.vert\n", true},
      {"badfrag", "Error while compiling fragment shader\nShader: badfrag.frag\n", true},
      {"nolink", "Error while linking shader pair\nShader: nolink\n", true},
      {"missinc", "Failed to include '#include gone.glsl' in missinc.frag depth 0", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base);
    Shader shader;
    ShaderLoadResult result = load(shader, c.base);
    EXPECT_FALSE(result.ok);
    if (!c.withLog) {
      EXPECT_EQ(c.messageStart, result.message);
      continue;
    }
    ASSERT_EQ(0u, result.message.rfind(c.messageStart, 0)) << result.message;
    EXPECT_FALSE(shader.getInfoLog().empty());
    EXPECT_EQ(c.messageStart + shader.getInfoLog(), result.message);
    EXPECT_FALSE(shader.isOk());
  }
}

TEST(ShaderGLTest, InfoLogAndFlagSurviveALaterSuccess) {
  Shader shader;
  EXPECT_FALSE(shader.compileVertexShader("void main() { broken"));
  std::string log = shader.getInfoLog();
  EXPECT_FALSE(log.empty());
  EXPECT_TRUE(shader.compileVertexShader(VERTEX));
  EXPECT_FALSE(shader.isOk());
  EXPECT_EQ(log, shader.getInfoLog());
}

TEST(ShaderGLTest, MissingUniformReportedByOneFloatIntAndMatrixSetters) {
  Shader shader;
  ASSERT_TRUE(load(shader, "good").ok);
  shader.bind();
  const float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  struct Case {
    std::function<void()> call;
    const char* output;
  } cases[] = {
      {[&] { shader.setUniform("nothing", 1.0f); }, "Error: Uniform variable 'nothing' not found!\n"},
      {[&] { shader.setUniform("nothing", 1.0f, 2.0f); }, ""},
      {[&] { shader.setUniform("nothing", 1.0f, 2.0f, 3.0f); }, ""},
      {[&] { shader.setUniform("nothing", 1.0f, 2.0f, 3.0f, 4.0f); }, ""},
      {[&] { shader.setUniform("nothing", 3); }, "Error: Uniform variable 'nothing' not found!\n"},
      {[&] { shader.setUniformMatrix3("m3", matrix); }, "Error: Uniform variable 'm3' not found!\n"},
      {[&] { shader.setUniformMatrix4("m4", matrix); }, "Error: Uniform variable 'm4' not found!\n"},
      {[&] { shader.setUniform("scale", 2.0f); }, ""},
      {[&] { shader.setUniformMatrix4("warp", matrix); }, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.output, stdoutOf(c.call));
  shader.setUniform("scale", 7);
  shader.setUniform("offset", 0.25f, 0.5f);
  GLfloat scale = 0, offset[2] = {0, 0};
  glGetUniformfv(shader.getProgram(), glGetUniformLocation(shader.getProgram(), "scale"), &scale);
  glGetUniformfv(shader.getProgram(), glGetUniformLocation(shader.getProgram(), "offset"), offset);
  EXPECT_EQ(7.0f, scale);
  EXPECT_EQ(0.5f, offset[1]);
  shader.unbind();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

TEST(ShaderGLTest, SlotTableFollowsTheUnitCountUpToEight) {
  EXPECT_EQ(8, Shader::slotCountFor(16));
  EXPECT_EQ(8, Shader::slotCountFor(8));
  EXPECT_EQ(4, Shader::slotCountFor(4));
  GLint units = 0;
  glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
  Shader shader;
  EXPECT_EQ(static_cast<size_t>(std::min(units, 8)), shader.getTextureSlots().size());
  for (Texture* slot : shader.getTextureSlots()) EXPECT_EQ(nullptr, slot);
}

TEST(ShaderGLTest, SamplerBindingRecordsAndUnbindReleasesSlots) {
  Shader shader;
  ASSERT_TRUE(load(shader, "good").ok);
  Texture texture(4, 4, GL_RGBA, GL_RGBA);
  shader.bind();
  shader.bindTexture1("tex", &texture);
  EXPECT_EQ(&texture, shader.getTextureSlots()[1]);
  EXPECT_EQ(GLint(texture.getName()), boundTexture(GL_TEXTURE1));
  GLint sampler = -1;
  glGetUniformiv(shader.getProgram(), glGetUniformLocation(shader.getProgram(), "tex"), &sampler);
  EXPECT_EQ(1, sampler);
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  EXPECT_EQ(GLint(GL_TEXTURE0), active);
  shader.unbind();
  EXPECT_EQ(0, boundTexture(GL_TEXTURE1));
  EXPECT_EQ(&texture, shader.getTextureSlots()[1]);
  GLint program = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  EXPECT_EQ(0, program);

  // bind() forgets the slots, so a later unbind() leaves the unit's texture alone.
  shader.bind();
  shader.bindTexture1("tex", &texture);
  shader.bind();
  EXPECT_EQ(nullptr, shader.getTextureSlots()[1]);
  shader.unbind();
  EXPECT_EQ(GLint(texture.getName()), boundTexture(GL_TEXTURE1));
  glActiveTexture(GL_TEXTURE1);
  texture.unbind();
  glActiveTexture(GL_TEXTURE0);
  // A sampler name the program lacks is ignored by GL.
  shader.bind();
  shader.bindTexture0("notASampler", &texture);
  shader.unbind();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

// Locations are remembered per linked program: a shader linked again asks afresh.
TEST(ShaderGLTest, RelinkedShaderLooksItsUniformsUpAgain) {
  Shader shader;
  ASSERT_TRUE(load(shader, "defs", {"set", "SCALE 1.0"}).ok);
  shader.bind();
  EXPECT_EQ("Error: Uniform variable 'scale' not found!\n", stdoutOf([&] { shader.setUniform("scale", 2.0f); }));
  shader.unbind();
  ASSERT_TRUE(load(shader, "good").ok);
  shader.bind();
  EXPECT_EQ("", stdoutOf([&] { shader.setUniform("scale", 2.0f); }));
  GLfloat scale = 0;
  glGetUniformfv(shader.getProgram(), glGetUniformLocation(shader.getProgram(), "scale"), &scale);
  EXPECT_EQ(2.0f, scale);
  shader.unbind();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

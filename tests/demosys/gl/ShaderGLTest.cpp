#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>

#include "demosys/gl/Shader.h"
#include "demosys/gl/ShaderLoader.h"
#include "demosys/gl/Texture.h"
#include "support/CapturedStdout.h"

namespace {

const std::string VERTEX = "uniform float scale;\nvoid main() { gl_Position = gl_Vertex * scale; }\n";
const std::string FRAGMENT =
    "uniform sampler2D tex;\nuniform vec2 offset;\nuniform mat4 warp;\n"
    "void main() { gl_FragColor = warp * texture2D(tex, offset); }\n";

ShaderLoadResult load(Shader& shader, const std::string& base, const std::vector<std::string>& defines = {}) {
  // nolink.frag compiles, but has no main to link.
  std::map<std::string, std::string> files;
  for (const auto& [name, text] : std::initializer_list<std::pair<std::string, std::string>>{
           {"good.frag", FRAGMENT},
           {"bad.vert", "void main() { gl_Position = undefinedThing; }"},
           {"badfrag.frag", "void main() { gl_FragColor = 1.0 }"},
           {"nolink.frag", "vec4 colour() { return vec4(1.0); }\n"},
           {"defs.vert", "#include common.glsl\nvoid main() { gl_Position = gl_Vertex * SCALE; }"},
           {"defs.frag", "void main() { gl_FragColor = vec4(SCALE); }"},
           {"common.glsl", "// shared"},
           {"missinc.frag", "#include gone.glsl"}})
    files["resources/shaders/" + name] = text;
  for (const char* base : {"good", "badfrag", "nolink", "nofrag", "missinc"})
    files["resources/shaders/" + std::string(base) + ".vert"] = VERTEX;
  ShaderLoader loader(ShaderPreprocessor(ShaderPreprocessor::memoryFiles(files)));
  ShaderLoadResult result;
  result.message = "before";
  EXPECT_EQ(loader.loadShaderPair(result, shader, base, defines), result.ok);
  return result;
}

float uniformOf(const Shader& shader, const char* name, int index = 0) {
  GLfloat values[16] = {};
  glGetUniformfv(shader.getProgram(), glGetUniformLocation(shader.getProgram(), name), values);
  return values[index];
}

GLint boundTexture(GLenum unit) {
  GLint name = -1;
  glActiveTexture(unit);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  glActiveTexture(GL_TEXTURE0);
  return name;
}

}  // namespace

TEST(ShaderGLTest, FailureMessages) {
  for (auto [base, messageStart, withLog] :
       {std::tuple{"absent", "Vertex shader 'absent.vert' not found", false},
        {"nofrag", "Fragement shader 'nofrag.frag' not found", false},
        {"bad", "Error while compiling vertex shader\nShader: bad.vert\n", true},
        {"badfrag", "Error while compiling fragment shader\nShader: badfrag.frag\n", true},
        {"nolink", "Error while linking shader pair\nShader: nolink\n", true},
        {"missinc", "Failed to include '#include gone.glsl' in missinc.frag depth 0", false}}) {
    Shader shader;
    ShaderLoadResult result = load(shader, base);
    EXPECT_FALSE(result.ok) << base;
    EXPECT_EQ(std::pair(withLog, !withLog), std::pair(!shader.getInfoLog().empty(), shader.isOk())) << base;
    EXPECT_EQ(messageStart + shader.getInfoLog(), result.message);
  }
}

// Defines come first, includes are spliced in; the loaded text keeps a final newline. Uniform
// locations are remembered per linked program: a shader linked again asks afresh.
TEST(ShaderGLTest, LoadsAPairWithDefinesAndIncludesAndSetsItsUniforms) {
  Shader shader;
  ShaderLoadResult result = load(shader, "defs", {"set", "SCALE 1.0"});
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ("#define SCALE 1.0\n// shared\nvoid main() { gl_Position = gl_Vertex * SCALE; }\n",
            shader.getVertexSource());
  shader.bind();
  EXPECT_EQ("Error: Uniform variable 'scale' not found!\n",
            stdoutOf([&] { shader.setUniform("scale", 2.0f); }));
  shader.unbind();
  result = load(shader, "good");
  EXPECT_TRUE(result.ok && shader.isOk() && result.message == "before") << result.message;
  EXPECT_EQ(VERTEX + "\n", shader.getVertexSource());
  const std::string dump = "Shader(vshader size = " + std::to_string(VERTEX.size() + 1) +
                           ", fragshader size = " + std::to_string(FRAGMENT.size() + 1) +
                           ", pref=" + std::to_string(shader.getProgram());
  EXPECT_EQ(0u, shader.toString().rfind(dump + ", vref=", 0)) << shader.toString();
  shader.bind();
  const float matrix[16] = {2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (auto [call, output] : std::initializer_list<std::pair<std::function<void()>, std::string>>{
           {[&] { shader.setUniform("nothing", 1.0f); }, "Error: Uniform variable 'nothing' not found!\n"},
           {[&] { shader.setUniform("nothing", 1.0f, 2.0f); }, ""},
           {[&] { shader.setUniform("nothing", 3); }, "Error: Uniform variable 'nothing' not found!\n"},
           {[&] { shader.setUniformMatrix4("m4", matrix); }, "Error: Uniform variable 'm4' not found!\n"},
           {[&] { shader.setUniform("scale", 7); }, ""},
           {[&] { shader.setUniform("offset", 0.25f, 0.5f); }, ""},
           {[&] { shader.setUniformMatrix4("warp", matrix); }, ""}})
    EXPECT_EQ(output, stdoutOf(call));
  EXPECT_EQ(7.0f, uniformOf(shader, "scale"));
  EXPECT_EQ(0.5f, uniformOf(shader, "offset", 1));
  EXPECT_EQ(2.0f, uniformOf(shader, "warp"));
  shader.unbind();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

// A sampler is bound on its unit, the active unit going back to 0; unbind() releases the units
// recorded since the last bind(), which forgets them.
TEST(ShaderGLTest, SamplersBindOnTheirUnitAndUnbindReleasesOnlyRecordedSlots) {
  EXPECT_EQ(std::pair(8, 4), std::pair(Shader::slotCountFor(16), Shader::slotCountFor(4)));  // eight at most
  Shader shader;
  ASSERT_TRUE(load(shader, "good").ok);
  Texture texture(4, 4, GL_RGBA, GL_RGBA), kept(4, 4, GL_RGBA, GL_RGBA);
  shader.bind();
  shader.bindTexture1("tex", &kept);
  shader.bind();
  shader.bindTexture2("tex", &texture);
  GLint active = 0, program = -1;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  EXPECT_EQ(GLint(GL_TEXTURE0), active);
  EXPECT_EQ(GLint(texture.getName()), boundTexture(GL_TEXTURE2));
  EXPECT_EQ(2.0f, uniformOf(shader, "tex"));
  shader.unbind();
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  EXPECT_EQ((std::vector<GLint>{0, 0, GLint(kept.getName())}),
            (std::vector<GLint>{program, boundTexture(GL_TEXTURE2), boundTexture(GL_TEXTURE1)}));
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

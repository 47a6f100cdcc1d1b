#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <sstream>

#include "demosys/gl/GLExtensions.h"
#include "support/CapturedStdout.h"

// The printed block: a title, a dotted label per limit with its value (the unqueried last ones
// 0), a rule. The returned line: every extension once, in byte order, space-ended.
TEST(GLExtensionsGLTest, ReportPrintsTheLimitsAndReturnsTheSortedExtensions) {
  GLExtensions extensions;
  std::string line;
  const std::string block = stdoutOf([&] { line = extensions.report(); });
  GLint textureSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
  for (const std::string& text :
       {std::string(
            "--- Implementation Independent API Values ---\nGL_MAX_VERTEX_ATTRIBS ................... "),
        "\nGL_MAX_TEXTURE_SIZE ..................... " + std::to_string(textureSize) + "\n",
        std::string("\nGL_MAX_FRAGMENT_LIGHTS_EXT .............. "
                    "0\n---------------------------------------------\n")})
    EXPECT_NE(std::string::npos, block.find(text)) << block;
  EXPECT_EQ(" \n", line.substr(line.size() - 2));
  std::istringstream names(line);
  const std::vector<std::string> list{std::istream_iterator<std::string>(names), {}};
  EXPECT_EQ(list.end(),
            std::adjacent_find(list.begin(), list.end(), std::greater_equal<>()));  // sorted, once each
  EXPECT_GT(list.size(), 10u);
  for (const std::string& name : list) EXPECT_TRUE(extensions.hasExtension(name)) << name;
}

TEST(GLExtensionsGLTest, MissingRequiredExtensionsAreListed) {
  GLExtensions extensions;
  const std::string title = "Error: Your OpenGL implementation is missing the following extensions :\n";
  EXPECT_TRUE(extensions.checkRequired() && extensions.missingReport() == title);
  for (const char* name : {"GL_ARB_multitexture", "GL_KVR_imaginary", "GL_KVR_dream"})
    extensions.addRequired(name);
  EXPECT_FALSE(extensions.checkRequired());
  EXPECT_EQ(title + " - GL_KVR_imaginary\n - GL_KVR_dream\n", extensions.missingReport());
}

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <sstream>

#include "demosys/gl/GLExtensions.h"
#include "support/CapturedStdout.h"

// The printed block: a title, one 42-column label per limit with its value (the last two never
// queried, so 0), a rule. The returned line: every extension once, in byte order, space-ended.
TEST(GLExtensionsGLTest, ReportPrintsTheLimitsAndReturnsTheSortedExtensions) {
  GLExtensions extensions;
  std::string line, text;
  std::istringstream block(stdoutOf([&] { line = extensions.report(); }));
  std::getline(block, text);
  EXPECT_EQ("--- Implementation Independent API Values ---", text);
  for (int i = 0; i < GLExtensions::VALUE_COUNT && std::getline(block, text); ++i) {
    const std::string label = GLExtensions::VALUE_LABELS[i];
    EXPECT_EQ(42u, label.size()) << label;
    ASSERT_EQ(0u, text.find(label)) << text;
    EXPECT_EQ(i<8, std::stoi(text.substr(label.size()))> 0) << text;
  }
  EXPECT_TRUE(std::getline(block, text) && text == std::string(45, '-')) << text;
  EXPECT_FALSE(std::getline(block, text));
  GLint textureSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
  EXPECT_EQ(textureSize, GLExtensions::values[7]);

  ASSERT_GT(line.size(), 2u);
  EXPECT_EQ(" \n", line.substr(line.size() - 2));
  std::istringstream names(line);
  std::string previous, name;
  int count = 0;
  for (; names >> name; ++count, previous = name)
    EXPECT_TRUE(previous < name && extensions.hasExtension(name)) << name;
  EXPECT_GT(count, 10);
}

TEST(GLExtensionsGLTest, MissingRequiredExtensionsAreListed) {
  GLExtensions extensions;
  const std::string title = "Error: Your OpenGL implementation is missing the following extensions :\n";
  EXPECT_TRUE(extensions.checkRequired());
  EXPECT_EQ(title, extensions.missingReport());
  for (const char* name : {"GL_ARB_multitexture", "GL_KVR_imaginary", "GL_KVR_dream"})
    extensions.addRequired(name);
  EXPECT_FALSE(extensions.checkRequired());
  EXPECT_EQ(title + " - GL_KVR_imaginary\n - GL_KVR_dream\n", extensions.missingReport());
}

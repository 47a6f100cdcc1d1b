#include "demosys/gl/GLExtensions.h"
#include "support/CapturedStdout.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <sstream>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(GLExtensionsGLTest, ReportBlockHasEveryLabelAndTheLastTwoAreZero) {
  GLExtensions extensions;
  std::string block = stdoutOf([&] { extensions.report(); });
  std::istringstream lines(block);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ("--- Implementation Independent API Values ---", line);
  for (int i = 0; i < GLExtensions::VALUE_COUNT; ++i) {
    std::getline(lines, line);
    std::string label = GLExtensions::VALUE_LABELS[i];
    EXPECT_EQ(42u, label.size()) << label;
    ASSERT_EQ(0u, line.find(label)) << line;
    int value = std::stoi(line.substr(label.size()));
    if (i >= 8) EXPECT_EQ(0, value) << label;
    else EXPECT_GT(value, 0) << label;
  }
  std::getline(lines, line);
  EXPECT_EQ(std::string(45, '-'), line);
  EXPECT_FALSE(std::getline(lines, line));
  GLint textureSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
  EXPECT_EQ(textureSize, GLExtensions::values[7]);
}

TEST(GLExtensionsGLTest, ExtensionLineIsInByteOrderEachNameOnce) {
  GLExtensions extensions;
  CaptureStdout();
  std::string line = extensions.report();
  GetCapturedStdout();
  ASSERT_FALSE(line.empty());
  EXPECT_EQ('\n', line.back());
  EXPECT_EQ(' ', line[line.size() - 2]);
  std::istringstream names(line);
  std::string previous, name;
  int count = 0;
  while (names >> name) {
    EXPECT_LT(previous, name);
    EXPECT_TRUE(extensions.hasExtension(name));
    previous = name;
    ++count;
  }
  EXPECT_GT(count, 10);
  EXPECT_LT(line.find("GL_ARB_"), line.find("GL_EXT_"));
}

TEST(GLExtensionsGLTest, RequiredExtensionsAreChecked) {
  GLExtensions extensions;
  EXPECT_TRUE(extensions.checkRequired());
  EXPECT_EQ("Error: Your OpenGL implementation is missing the following extensions :\n",
            extensions.missingReport());
  extensions.addRequired("GL_ARB_multitexture");
  extensions.addRequired("GL_KVR_imaginary");
  extensions.addRequired("GL_KVR_dream");
  EXPECT_FALSE(extensions.checkRequired());
  EXPECT_EQ(
      "Error: Your OpenGL implementation is missing the following extensions :\n - GL_KVR_imaginary\n"
      " - GL_KVR_dream\n",
      extensions.missingReport());
}

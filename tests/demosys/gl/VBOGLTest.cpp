#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/VBO.h"
#include "demosys/gl/VBODynamic.h"
#include "demosys/math/Vec3f.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"

namespace {

GLint bufferSize(GLenum target, GLuint buffer) {
  GLint size = -1;
  glBindBuffer(target, buffer);
  glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
  glBindBuffer(target, 0);
  return size;
}

}  // namespace

// Every point lands on its pixel in its colour; the client arrays are off again afterwards.
TEST(VBOGLTest, ParticleBuffersDrawEveryPointWithItsColourAndValidate) {
  const int width = 16, height = 128;
  VBO particles(width, height, true, false, false, false);
  EXPECT_EQ(width * height * 3 * 4, bufferSize(GL_ARRAY_BUFFER, particles.getColourBuffer()));
  EXPECT_EQ(0u, particles.getVelocityBuffer() + particles.getTexCoordBuffer());
  float* positions = particles.mapPositions(GL_WRITE_ONLY);
  float* colours = particles.mapColours(GL_WRITE_ONLY);
  ASSERT_TRUE(positions && colours);
  for (int i = 0; i < width * height; ++i) {  // the pixel centres of the target, in green
    const float point[6] = {
        (i % width + 0.5f) / width * 2 - 1, (i / width + 0.5f) / height * 2 - 1, 0, 0, 1, 0};
    std::copy(point, point + 3, positions + 3 * i);
    std::copy(point + 3, point + 6, colours + 3 * i);
  }
  particles.unmapPositions(), particles.unmapColours();
  FBO fbo(width, height, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(&fbo);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPointSize(1.0f);
  particles.draw(nullptr);
  std::vector<uint8_t> pixels = GLTestContext::readPixels(0, 0, width, height);
  bind(nullptr);
  GLTestContext::metrics()->apply();
  int green = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) green += pixels[i] == 0 && pixels[i + 1] == 255;
  EXPECT_EQ(width * height, green);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_COLOR_ARRAY));
  particles.setPointSize(2.5f, 1280.0f);  // percent of a screen dimension
  EXPECT_EQ(32.0f, particles.getPointSize());
  particles.release();
  EXPECT_EQ(0u, particles.getPositionBuffer());
  VBO everything(4, 2, true);  // with start times and velocities
  EXPECT_EQ(8 * 3 * 4, bufferSize(GL_ARRAY_BUFFER, everything.getVelocityBuffer()));
  // validateBuffer prints the bound buffer's size and reports GL errors under its own name (the
  // report's lines are checked with the window's).
  glBindBuffer(GL_ARRAY_BUFFER, everything.getStartTimeBuffer());
  EXPECT_EQ("Buffer size = 32\n", stdoutOf([&] { EXPECT_TRUE(VBO::validateBuffer(GL_ARRAY_BUFFER, true)); }));
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  everything.release();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
  glEnable(GL_INVALID_ENUM);  // leaves an error pending for the report
  EXPECT_EQ(0u, stdoutOf([] {
                  EXPECT_FALSE(VBO::validateBuffer(GL_ARRAY_BUFFER, false));
                }).find("[GL_ERROR LOCATION = 'VBO::validateBuffer']\n"));
  KVRDemosys::glErrorSeen = false;
}

TEST(VBOGLTest, SettersRefuseWritesPastTheMappedArrays) {
  VBODynamic mesh(4, 3, 3, 0, 0, 3, 2);  // 4 vertices of 3 + 3 components, 2 triangles
  EXPECT_EQ(48, bufferSize(GL_ARRAY_BUFFER, mesh.getColourBuffer()));
  EXPECT_EQ(24, bufferSize(GL_ELEMENT_ARRAY_BUFFER, mesh.getIndexBuffer()));
  EXPECT_EQ(0u, mesh.getNormalBuffer() + mesh.getTexCoordBuffer());
  EXPECT_EQ("VBODynamic::setPolygon(0) overflow!\n", stdoutOf([&] { mesh.setPolygon(0, 1, 2, 3); }));
  float* positions = mesh.mapPositions(GL_READ_WRITE);
  uint32_t* indices = mesh.mapIndices(GL_READ_WRITE);
  mesh.mapColours(GL_READ_WRITE);
  for (auto [write, output] : std::initializer_list<std::pair<std::function<void()>, std::string>>{
           {[&] { mesh.setVertex(3, Vec3f(7, 8, 9)); }, ""},
           {[&] { mesh.setVertex(4, Vec3f(1, 1, 1)); }, "VBODynamic::setVertex(4) overflow!\n"},
           {[&] { mesh.setVertex(-1, 1, 1, 1); }, "VBODynamic::setVertex(-1) overflow!\n"},
           // Four values from the last vertex of a 3-component array would run past its end.
           {[&] { mesh.setColor(3, 0.1f, 0.1f, 0.1f, 0.1f); }, "VBODynamic::setColor(3) overflow!\n"},
           {[&] { mesh.setPolygon(1, 1, 2, 3); }, ""},
           {[&] { mesh.setPolygon(2, 1, 2, 3); }, "VBODynamic::setPolygon(2) overflow!\n"},
           {[&] { mesh.setPolygon(1, 1, 2, 3, 4); }, "VBODynamic::setPolygon(1) overflow!\n"}})
    EXPECT_EQ(output, stdoutOf(write));
  EXPECT_EQ((std::vector<float>{7, 8, 9}), std::vector<float>(positions + 9, positions + 12));
  EXPECT_EQ((std::vector<uint32_t>{1, 2, 3}), std::vector<uint32_t>(indices + 3, indices + 6));
  mesh.unmapPositions(), mesh.unmapColours(), mesh.unmapIndices();
  // Unmapped again: nothing to write into.
  EXPECT_EQ("VBODynamic::setVertex(0) overflow!\n", stdoutOf([&] { mesh.setVertex(0, 1, 1, 1); }));
  mesh.release();
}

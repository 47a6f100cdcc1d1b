#include <GL/glew.h>
#include <gtest/gtest.h>

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

template <typename T>
std::vector<T> bufferContents(GLenum target, GLuint buffer, size_t count) {
  std::vector<T> values(count);
  glBindBuffer(target, buffer);
  glGetBufferSubData(target, 0, static_cast<GLsizeiptr>(count * sizeof(T)), values.data());
  glBindBuffer(target, 0);
  return values;
}

// Draws through identity matrices into a fresh FBO of the given size; the caller reads it back.
class OffscreenTarget {
 public:
  OffscreenTarget(int width, int height)
      : fbo(width, height, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE) {
    bind(&fbo);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
  }
  ~OffscreenTarget() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    bind(nullptr);
  }

 private:
  FBO fbo;
};

}  // namespace

TEST(VBOGLTest, ParticleBufferSizesAndPointCount) {
  testing::internal::CaptureStdout();
  VBO particles(16, 128, true, false, false, false);
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ(24576, bufferSize(GL_ARRAY_BUFFER, particles.getPositionBuffer()));
  EXPECT_EQ(24576, bufferSize(GL_ARRAY_BUFFER, particles.getColourBuffer()));
  EXPECT_EQ(0u, particles.getVelocityBuffer());
  EXPECT_EQ(0u, particles.getTexCoordBuffer());
  EXPECT_EQ(2048, particles.getPointCount());
  EXPECT_EQ(100.0f, particles.getPointSize());
  particles.setPointSize(2.5f, 1280.0f);
  EXPECT_EQ(32.0f, particles.getPointSize());
  particles.release();
  EXPECT_EQ(0u, particles.getPositionBuffer());

  VBO everything(4, 2, true);
  EXPECT_EQ(32, bufferSize(GL_ARRAY_BUFFER, everything.getStartTimeBuffer()));
  EXPECT_EQ(64, bufferSize(GL_ARRAY_BUFFER, everything.getTexCoordBuffer()));
  EXPECT_EQ(96, bufferSize(GL_ARRAY_BUFFER, everything.getVelocityBuffer()));
  float* texCoords = everything.getTexCoords();
  EXPECT_EQ(texCoords, everything.getTexCoords());
  EXPECT_EQ(0.0f, texCoords[15]);
  everything.release();
}

TEST(VBOGLTest, DrawsEveryPointWithItsColour) {
  const int width = 16, height = 128;
  VBO particles(width, height, true, false, false, false);
  float* positions = particles.mapPositions(GL_WRITE_ONLY);
  ASSERT_NE(nullptr, positions);
  EXPECT_EQ(positions, particles.getPositions());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float* p = positions + 3 * (y * width + x);
      p[0] = (x + 0.5f) / width * 2.0f - 1.0f;  // pixel centres of a width x height target
      p[1] = (y + 0.5f) / height * 2.0f - 1.0f;
      p[2] = 0.0f;
    }
  }
  particles.unmapPositions();
  float* colours = particles.mapColours(GL_WRITE_ONLY);
  ASSERT_NE(nullptr, colours);
  for (int i = 0; i < width * height; ++i) {
    colours[3 * i] = 0.0f;
    colours[3 * i + 1] = 1.0f;
    colours[3 * i + 2] = 0.0f;
  }
  particles.unmapColours();
  std::vector<uint8_t> pixels;
  {
    OffscreenTarget target(width, height);
    glPointSize(1.0f);
    particles.draw(nullptr);
    pixels = GLTestContext::readPixels(0, 0, width, height);
  }
  int green = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) green += pixels[i] == 0 && pixels[i + 1] == 255;
  EXPECT_EQ(2048, green);
  GLboolean vertexArray = glIsEnabled(GL_VERTEX_ARRAY), colourArray = glIsEnabled(GL_COLOR_ARRAY);
  EXPECT_FALSE(vertexArray);
  EXPECT_FALSE(colourArray);
  particles.release();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

TEST(VBOGLTest, ValidationReportsSizeAndErrors) {
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, 12, nullptr, GL_STREAM_DRAW);
  EXPECT_EQ("Buffer size = 12\n", stdoutOf([&] { EXPECT_TRUE(VBO::validateBuffer(GL_ARRAY_BUFFER, true)); }));
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glDeleteBuffers(1, &buffer);
  testing::internal::CaptureStdout();
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glEnable(GL_INVALID_ENUM);  // leaves an error pending for the report
  EXPECT_FALSE(VBO::validateBuffer(GL_ARRAY_BUFFER, false));
  std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(0u, output.rfind("[GL_ERROR LOCATION = 'VBO::validateBuffer']\n", 0)) << output;
  KVRDemosys::glErrorSeen = false;
}

TEST(VBOGLTest, DynamicBufferSizes) {
  VBODynamic mesh(10, 3, 4, 3, 2, 4, 6);
  EXPECT_EQ(120, bufferSize(GL_ARRAY_BUFFER, mesh.getPositionBuffer()));
  EXPECT_EQ(160, bufferSize(GL_ARRAY_BUFFER, mesh.getColourBuffer()));
  EXPECT_EQ(120, bufferSize(GL_ARRAY_BUFFER, mesh.getNormalBuffer()));
  EXPECT_EQ(80, bufferSize(GL_ARRAY_BUFFER, mesh.getTexCoordBuffer()));
  EXPECT_EQ(96, bufferSize(GL_ELEMENT_ARRAY_BUFFER, mesh.getIndexBuffer()));
  mesh.release();
  VBODynamic bare(10, 3, 0, 0, 0, 3, 2);
  EXPECT_EQ(0u, bare.getColourBuffer());
  EXPECT_EQ(0u, bare.getNormalBuffer());
  bare.release();
}

TEST(VBOGLTest, SettersRefuseWritesPastTheMappedArrays) {
  const int vertices = 4, polygons = 2;
  VBODynamic mesh(vertices, 3, 3, 0, 0, 3, polygons);
  struct Case {
    std::function<void()> write;
    const char* output;
  } beforeMapping[] = {
      {[&] { mesh.setVertex(0, Vec3f(1, 2, 3)); }, "VBODynamic::setVertex(0) overflow!\n"},
      {[&] { mesh.setPolygon(0, 1, 2, 3); }, "VBODynamic::setPolygon(0) overflow!\n"},
  };
  for (const Case& c : beforeMapping) EXPECT_EQ(c.output, stdoutOf(c.write));
  mesh.mapPositions(GL_READ_WRITE);
  mesh.mapColours(GL_READ_WRITE);
  mesh.mapIndices(GL_READ_WRITE);
  Case cases[] = {
      {[&] { mesh.setVertex(vertices - 1, Vec3f(7, 8, 9)); }, ""},
      {[&] { mesh.setVertex(vertices, Vec3f(1, 1, 1)); }, "VBODynamic::setVertex(4) overflow!\n"},
      {[&] { mesh.setVertex(-1, 1, 1, 1); }, "VBODynamic::setVertex(-1) overflow!\n"},
      {[&] { mesh.setColor(vertices - 1, 0.5f, 0.25f, 1.0f); }, ""},
      // Four values from the last vertex of a 3-component array would run past its end.
      {[&] { mesh.setColor(vertices - 1, 0.1f, 0.1f, 0.1f, 0.1f); }, "VBODynamic::setColor(3) overflow!\n"},
      {[&] { mesh.setColor(vertices, 0.1f, 0.1f, 0.1f); }, "VBODynamic::setColor(4) overflow!\n"},
      {[&] { mesh.setPolygon(polygons - 1, 1, 2, 3); }, ""},
      {[&] { mesh.setPolygon(polygons, 1, 2, 3); }, "VBODynamic::setPolygon(2) overflow!\n"},
      {[&] { mesh.setPolygon(1, 1, 2, 3, 4); }, "VBODynamic::setPolygon(1) overflow!\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.output, stdoutOf(c.write));
  mesh.unmapPositions();
  mesh.unmapColours();
  mesh.unmapIndices();
  std::vector<float> positions = bufferContents<float>(GL_ARRAY_BUFFER, mesh.getPositionBuffer(), 12);
  EXPECT_EQ((std::vector<float>{7, 8, 9}), std::vector<float>(positions.begin() + 9, positions.end()));
  std::vector<float> colours = bufferContents<float>(GL_ARRAY_BUFFER, mesh.getColourBuffer(), 12);
  EXPECT_EQ((std::vector<float>{0.5f, 0.25f, 1.0f}), std::vector<float>(colours.begin() + 9, colours.end()));
  std::vector<uint32_t> indices = bufferContents<uint32_t>(GL_ELEMENT_ARRAY_BUFFER, mesh.getIndexBuffer(), 6);
  EXPECT_EQ((std::vector<uint32_t>{1, 2, 3}), std::vector<uint32_t>(indices.begin() + 3, indices.end()));
  testing::internal::CaptureStdout();
  mesh.setVertex(0, 1, 1, 1);  // unmapped again: nothing to write into
  EXPECT_EQ("VBODynamic::setVertex(0) overflow!\n", testing::internal::GetCapturedStdout());
  mesh.release();
}

TEST(VBOGLTest, GeometryUploadDrawsItsQuads) {
  const float positions[] = {-1, -1, 0, 0, -1, 0, 0, 1, 0, -1, 1, 0};  // left half of the target
  const float normals[] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
  const float texCoords[] = {0, 0, 1, 0, 1, 1, 0, 1};
  const uint32_t indices[] = {0, 1, 2, 3};
  VBOGeometry geometry;
  geometry.vertexCount = 4;
  geometry.polygonCount = 1;
  geometry.indicesPerPolygon = 4;
  geometry.positions = positions;
  geometry.normals = normals;
  geometry.texCoords = texCoords;
  geometry.indices = indices;
  VBODynamic mesh(geometry);
  EXPECT_EQ(48, bufferSize(GL_ARRAY_BUFFER, mesh.getNormalBuffer()));
  EXPECT_EQ(32, bufferSize(GL_ARRAY_BUFFER, mesh.getTexCoordBuffer()));
  EXPECT_EQ(16, bufferSize(GL_ELEMENT_ARRAY_BUFFER, mesh.getIndexBuffer()));
  std::vector<uint8_t> pixels;
  {
    OffscreenTarget target(8, 8);
    glColor4f(1, 1, 1, 1);
    mesh.draw(GL_QUADS, 0, 0);
    pixels = GLTestContext::readPixels(0, 0, 8, 8);
  }
  EXPECT_EQ(255, pixels[(4 * 8 + 1) * 4]);  // left half drawn
  EXPECT_EQ(0, pixels[(4 * 8 + 6) * 4]);    // right half untouched
  GLint elementBuffer = -1;
  glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
  EXPECT_EQ(0, elementBuffer);
  mesh.release();
  GLTestContext::metrics()->apply();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

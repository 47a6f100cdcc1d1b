#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/VBODynamic.h"
#include "demosys/scene/KVRMesh.h"
#include "effects/UnderwaterEffect.h"
#include "support/EffectHarness.h"

namespace {

using EffectHarness::loadPicture;
using EffectHarness::loadShader;

FBO* newTarget() { return new FBO(1024, 1024, true, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE); }

std::vector<uint8_t> bytesOf(GLuint buffer, size_t size) {
  std::vector<uint8_t> bytes(size);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(size), bytes.data());
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return bytes;
}

// Bright pixels (red over 128) in [from, to) of one row.
int brightPixels(const EffectHarness::Picture& picture, int from, int to, int row) {
  int count = 0;
  for (int x = from; x < to; ++x) count += picture.rgba[(size_t(row) * picture.width + x) * 4] > 128;
  return count;
}

class UnderwaterEffectGLTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    EffectHarness::begin();
    effect = new UnderwaterEffect();
    effect->createTracks();
    effect->laplaceShader = loadShader("Laplacian", "Laplacian");
    effect->dilateShader = loadShader("Dilate", "Dilate");
    effect->oceanTexture = loadPicture("ocean", "OceanSurface.png", GL_TEXTURE_2D, true);
    effect->waveNormals2 = loadPicture("waves3", "Waves3Normals.png", GL_TEXTURE_2D, false);
    effect->init();
  }
  static void TearDownTestSuite() {
    delete effect;
    EffectHarness::end();
  }

  static UnderwaterEffect* effect;
};

UnderwaterEffect* UnderwaterEffectGLTest::effect = nullptr;

// The loader starts the seabed on a thread from the prototype; the instance must get the same one.
TEST_F(UnderwaterEffectGLTest, SeabedBuiltAheadIsTheSeabedInitBuilds) {
  EXPECT_EQ(4 * 256 * 256, effect->seabedBuffer->getVertexCount());
  EXPECT_EQ(static_cast<GLenum>(GL_REPEAT), effect->waveNormals2->getWrapS());
  EXPECT_EQ(static_cast<GLenum>(GL_REPEAT), effect->oceanTexture->getWrapT());
  UnderwaterEffect prototype;
  prototype.prepareAhead();
  std::unique_ptr<UnderwaterEffect> ahead(static_cast<UnderwaterEffect*>(prototype.clone()));
  ahead->init();
  ASSERT_TRUE(ahead->seabedMesh && ahead->seabedBuffer);
  EXPECT_EQ(effect->seabedMesh->faces(), ahead->seabedMesh->faces());
  const VBODynamic *built = effect->seabedBuffer, *aheadBuilt = ahead->seabedBuffer;
  const std::pair<GLuint (VBODynamic::*)() const, size_t> buffers[] = {{&VBODynamic::getPositionBuffer, 3},
                                                                       {&VBODynamic::getNormalBuffer, 3},
                                                                       {&VBODynamic::getTexCoordBuffer, 2},
                                                                       {&VBODynamic::getIndexBuffer, 1}};
  for (const auto& [buffer, floats] : buffers) {
    const size_t size = 262144 * sizeof(float) * floats;
    EXPECT_TRUE(bytesOf((built->*buffer)(), size) == bytesOf((aheadBuilt->*buffer)(), size)) << floats;
  }
}

// A flat image has no edges; a hard edge becomes a line, which the dilation widens.
TEST_F(UnderwaterEffectGLTest, EdgePassOutlinesOnlyChanges) {
  std::unique_ptr<FBO> source(newTarget()), edges(newTarget()), dilated(newTarget());
  auto run = [&](Shader* shader, FBO* from, FBO* to) {
    bind(to);
    shader->bind();
    shader->bindTexture(0, "Texture", getColorTexture(from, 0));
    shader->setUniform("viewportStep", 1.0f / 1024.0f);
    if (shader == effect->laplaceShader) {
      shader->setUniform("contrast", 2.0f);
      shader->setUniform("color", 1.0f, 1.0f, 1.0f);
    }
    drawTexture(from);
    shader->unbind();
    return EffectHarness::grab(to);
  };
  // Left half black, right half white (or all one colour), at a nearness (alpha) of 1 at the
  // eye down to 0 far off.
  auto step = [&](float nearness, float left) {
    for (const float colour : {left, 1.0f}) {
      glClearColor(colour, colour, colour, nearness);
      clear(source.get());
      glEnable(GL_SCISSOR_TEST), glScissor(512, 0, 512, 1024);
    }
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    return run(effect->laplaceShader, source.get(), edges.get());
  };
  // The water and the faint shading between the lines vary only with height: no line anywhere.
  const EffectHarness::Picture flat = step(1.0f, 1.0f);
  for (size_t i = 0; i < flat.rgba.size(); i += 4)
    ASSERT_TRUE(flat.rgba[i] == flat.rgba[i / 4096 * 4096] && flat.rgba[i + 3] == 0) << "pixel " << i / 4;
  EXPECT_EQ(0, brightPixels(step(0.2f, 0.0f), 505, 519, 300)) << "a far edge sinks into the water";
  const EffectHarness::Picture line = step(1.0f, 0.0f);
  EXPECT_EQ(0, brightPixels(line, 0, 505, 300) + brightPixels(line, 519, 1024, 300));
  EXPECT_EQ(2, brightPixels(line, 505, 519, 300));  // both sides of the step
  EXPECT_EQ(255, line.rgba[(300 * 1024 + 512) * 4 + 3]);
  const EffectHarness::Picture thick = run(effect->dilateShader, edges.get(), dilated.get());
  EXPECT_EQ(4, brightPixels(thick, 505, 519, 300));
  EXPECT_EQ(0, brightPixels(thick, 0, 505, 300) + brightPixels(thick, 519, 1024, 300));
  bind(nullptr);
}

}  // namespace

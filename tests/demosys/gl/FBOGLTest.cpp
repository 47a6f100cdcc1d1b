#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Texture.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"

namespace {

// The bound framebuffer, then the viewport.
std::vector<GLint> binding() {
  std::vector<GLint> state(5);
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, state.data());
  glGetIntegerv(GL_VIEWPORT, state.data() + 1);
  return state;
}

class FBOGLTest : public testing::Test {
 protected:
  void TearDown() override {
    bind(nullptr);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    KVRDemosys::boundFramebuffer = 0;
    GLTestContext::metrics()->apply();
    glClearDepth(1.0);
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
  }
};

}  // namespace

// Construction prints nothing for a complete target and leaves the screen bound; clear() binds
// and clears depth only where there is a depth buffer.
TEST_F(FBOGLTest, CompleteTargetsDumpsAndClear) {
  std::unique_ptr<FBO> fbo, plain, rgb;
  EXPECT_EQ("", stdoutOf([&] {
              fbo = std::make_unique<FBO>(256, 256, true, true, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
              plain = std::make_unique<FBO>(64, 32, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
              // The floating-point targets of the fluid simulation.
              rgb = std::make_unique<FBO>(64, 64, false, false, GL_RGB16F, GL_RGB, GL_FLOAT);
            }));
  for (FBO* target : {fbo.get(), plain.get(), rgb.get()}) EXPECT_TRUE(isComplete(target));
  EXPECT_EQ("FBO(256,256,COLOR_BUFFER,DEPTH_BUFFER,STENCIL_BUFFER)", toString(fbo.get()));
  EXPECT_EQ("FBO(64,32,COLOR_BUFFER)", toString(plain.get()));
  EXPECT_TRUE(getColorTexture(fbo.get(), 0) && getDepthTexture(fbo.get()));
  EXPECT_FALSE(getColorTexture(fbo.get(), 1) || getDepthTexture(plain.get()));
  EXPECT_EQ(GLbitfield(GL_COLOR_BUFFER_BIT), plain->clearMask());
  EXPECT_EQ(std::pair(0, 0u), std::pair(binding()[0], KVRDemosys::boundFramebuffer));
  markUsed(fbo.get());
  glClearDepth(0.25);
  clear(fbo.get());
  EXPECT_FALSE(isUsed(fbo.get()));
  EXPECT_EQ(getFramebuffer(fbo.get()), KVRDemosys::boundFramebuffer);
  float depth = -1.0f;
  glReadPixels(3, 3, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_NEAR(0.25f, depth, 1e-4f);
}

TEST_F(FBOGLTest, RedundantBindsAreSkipped) {
  FBO fbo(128, 64, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(&fbo);
  EXPECT_EQ((std::vector<GLint>{GLint(getFramebuffer(&fbo)), 0, 0, 128, 64}), binding());
  // Change GL behind the engine's back: a second bind of the same FBO must not touch GL.
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  glViewport(1, 2, 3, 4);
  bind(&fbo);
  EXPECT_EQ((std::vector<GLint>{0, 1, 2, 3, 4}), binding());
  // The screen: the letterboxed viewport of the 640 x 360 test window's metrics.
  bind(nullptr);
  EXPECT_EQ((std::vector<GLint>{0, 0, 0, 640, 360}), binding());
  EXPECT_EQ(0u, KVRDemosys::boundFramebuffer);
  // Deleting the bound FBO leaves the screen recorded as bound.
  auto doomed = std::make_unique<FBO>(8, 8, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(doomed.get());
  doomed.reset();
  EXPECT_EQ(0u, KVRDemosys::boundFramebuffer);
}

// The colour texture is drawn over the viewport pixel for pixel, keeping the matrix mode; an
// incomplete target is reported once with its status and draws nothing.
TEST_F(FBOGLTest, DrawTextureCopiesPixelsExactlyAndIncompleteTargetsDrawNothing) {
  const int size = 16;
  std::unique_ptr<FBO> broken;
  std::string output = stdoutOf(
      [&] { broken = std::make_unique<FBO>(0, 0, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE); });
  FBO source(size, size, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  FBO copy(size, size, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  std::vector<uint8_t> expected(size * size * 4);
  for (size_t i = 0; i < expected.size(); ++i) expected[i] = i % 4 == 3 ? 255 : uint8_t(i * 7);
  glBindTexture(GL_TEXTURE_2D, getColorTexture(&source, 0)->getName());
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, expected.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  bind(&copy);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  drawTexture(&source);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(GLint(GL_PROJECTION), mode);
  glMatrixMode(GL_MODELVIEW);
  EXPECT_EQ(expected, GLTestContext::readPixels(0, 0, size, size));
  EXPECT_EQ(GLenum(GL_CLAMP_TO_EDGE), getColorTexture(&source, 0)->getWrapS());

  EXPECT_FALSE(isComplete(broken.get()));
  GLenum status = 0;
  for (GLenum candidate = 0x8CD5; candidate <= 0x8CDD; ++candidate)
    if (broken->getStatusMessage() == FBO::statusText(candidate)) status = candidate;
  ASSERT_NE(0u, status) << broken->getStatusMessage();
  EXPECT_EQ("FBO " + broken->getStatusMessage() + "(" + std::to_string(status) + ") = false\n", output);
  drawTexture(broken.get());
  EXPECT_EQ(expected, GLTestContext::readPixels(0, 0, size, size));
}

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Texture.h"
#include "support/GLTestContext.h"

namespace {

GLint currentFramebuffer() {
  GLint name = -1;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &name);
  return name;
}

std::vector<GLint> currentViewport() {
  std::vector<GLint> viewport(4);
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  return viewport;
}

float depthAt(int x, int y) {
  float depth = -1.0f;
  glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  return depth;
}

class FBOGLTest : public testing::Test {
 protected:
  void TearDown() override {
    bind(nullptr);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    KVRDemosys::boundFramebuffer = 0;
    GLTestContext::metrics()->apply();
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
  }
};

}  // namespace

TEST_F(FBOGLTest, CompleteTargetWithDepthAndStencilDump) {
  testing::internal::CaptureStdout();
  FBO fbo(256, 256, true, true, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_TRUE(isComplete(&fbo));
  EXPECT_EQ("Framebuffer is complete.", fbo.getStatusMessage());
  EXPECT_EQ("FBO(256,256,COLOR_BUFFER,DEPTH_BUFFER,STENCIL_BUFFER)", toString(&fbo));
  ASSERT_NE(nullptr, getColorTexture(&fbo, 0));
  EXPECT_EQ(nullptr, getColorTexture(&fbo, 1));
  EXPECT_EQ(256, getColorTexture(&fbo, 0)->getWidth());
  ASSERT_NE(nullptr, getDepthTexture(&fbo));
  EXPECT_EQ(0, currentFramebuffer());
  EXPECT_EQ(0u, KVRDemosys::boundFramebuffer);

  FBO plain(64, 32, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  EXPECT_EQ("FBO(64,32,COLOR_BUFFER)", toString(&plain));
  EXPECT_EQ(nullptr, getDepthTexture(&plain));
  EXPECT_EQ(GLbitfield(GL_COLOR_BUFFER_BIT), plain.clearMask());
  EXPECT_EQ(GLbitfield(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT), fbo.clearMask());
}

TEST_F(FBOGLTest, IncompleteTargetIsReportedOnceAndDrawsNothing) {
  testing::internal::CaptureStdout();
  FBO fbo(0, 0, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  std::string output = testing::internal::GetCapturedStdout();
  EXPECT_FALSE(isComplete(&fbo));
  GLenum status = 0;
  for (GLenum candidate = 0x8CD5; candidate <= 0x8CDD; ++candidate)
    if (fbo.getStatusMessage() == FBO::statusText(candidate)) status = candidate;
  ASSERT_NE(0u, status) << fbo.getStatusMessage();
  EXPECT_EQ("FBO " + fbo.getStatusMessage() + "(" + std::to_string(status) + ") = false\n", output);

  FBO target(4, 4, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(&target);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  drawTexture(&fbo);
  std::vector<uint8_t> pixel = GLTestContext::readPixels(1, 1, 1, 1);
  EXPECT_EQ(255, pixel[2]);
}

TEST_F(FBOGLTest, RedundantBindsAreSkipped) {
  FBO fbo(128, 64, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(&fbo);
  EXPECT_EQ(GLint(getFramebuffer(&fbo)), currentFramebuffer());
  EXPECT_EQ((std::vector<GLint>{0, 0, 128, 64}), currentViewport());
  EXPECT_EQ(getFramebuffer(&fbo), KVRDemosys::boundFramebuffer);

  // Change GL behind the engine's back: a second bind of the same FBO must not touch GL.
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  glViewport(1, 2, 3, 4);
  bind(&fbo);
  EXPECT_EQ(0, currentFramebuffer());
  EXPECT_EQ((std::vector<GLint>{1, 2, 3, 4}), currentViewport());

  // The screen: the letterboxed viewport of the metrics in use.
  bind(nullptr);
  const ScreenMetrics* screen = KVRDemosys::screenMetrics;
  EXPECT_EQ((std::vector<GLint>{screen->viewport[0], screen->viewport[1], screen->viewport[3],
                                screen->viewport[2]}),
            currentViewport());
  EXPECT_EQ(0u, KVRDemosys::boundFramebuffer);

  // And the screen again, while it is bound: nothing, not even the viewport.
  glViewport(5, 6, 7, 8);
  bind(nullptr);
  EXPECT_EQ((std::vector<GLint>{5, 6, 7, 8}), currentViewport());
}

TEST_F(FBOGLTest, ClearTouchesDepthOnlyWhenTheFBOHasIt) {
  FBO withDepth(8, 8, true, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  markUsed(&withDepth);
  EXPECT_TRUE(isUsed(&withDepth));
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(0.25);
  clear(&withDepth);
  EXPECT_FALSE(isUsed(&withDepth));
  EXPECT_EQ(getFramebuffer(&withDepth), KVRDemosys::boundFramebuffer);
  EXPECT_NEAR(0.25f, depthAt(3, 3), 1e-4f);
  EXPECT_EQ(255, GLTestContext::readPixels(3, 3, 1, 1)[0]);

  // Give a colour-only FBO a depth buffer of our own: its clear must leave that depth alone.
  FBO colourOnly(8, 8, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  GLuint depthBuffer = 0;
  glGenRenderbuffersEXT(1, &depthBuffer);
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthBuffer);
  glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, 8, 8);
  bind(&colourOnly);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depthBuffer);
  glClearDepth(0.75);
  glClear(GL_DEPTH_BUFFER_BIT);
  glClearDepth(0.25);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  clear(&colourOnly);
  EXPECT_NEAR(0.75f, depthAt(3, 3), 1e-4f);
  EXPECT_EQ(255, GLTestContext::readPixels(3, 3, 1, 1)[1]);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, 0);
  glDeleteRenderbuffersEXT(1, &depthBuffer);
}

TEST_F(FBOGLTest, DrawTextureCopiesPixelsExactly) {
  const int size = 16;
  FBO source(size, size, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  FBO copy(size, size, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(&source);
  glEnable(GL_SCISSOR_TEST);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      glScissor(x, y, 1, 1);
      glClearColor(x / 15.0f, y / 15.0f, (x ^ y) / 15.0f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
    }
  }
  glDisable(GL_SCISSOR_TEST);
  std::vector<uint8_t> expected = GLTestContext::readPixels(0, 0, size, size);
  bind(&copy);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  drawTexture(&source);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(GLint(GL_PROJECTION), mode);
  glMatrixMode(GL_MODELVIEW);
  EXPECT_EQ(expected, GLTestContext::readPixels(0, 0, size, size));
  EXPECT_EQ(GLenum(GL_CLAMP_TO_EDGE), getColorTexture(&source, 0)->getWrapS());
}

TEST_F(FBOGLTest, FloatingPointTargetsOfTheFluidSimulation) {
  testing::internal::CaptureStdout();
  FBO red(64, 64, false, false, GL_R16F, GL_RED, GL_FLOAT);
  FBO rgb(64, 64, false, false, GL_RGB16F, GL_RGB, GL_FLOAT);
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_TRUE(isComplete(&red));
  EXPECT_TRUE(isComplete(&rgb));
}

TEST_F(FBOGLTest, DeletingTheBoundFBOLeavesTheScreenRecorded) {
  auto fbo = std::make_unique<FBO>(8, 8, false, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(fbo.get());
  fbo.reset();
  EXPECT_EQ(0u, KVRDemosys::boundFramebuffer);
}

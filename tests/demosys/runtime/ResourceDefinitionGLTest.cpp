#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/runtime/DataEffectPool.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "support/EngineState.h"
#include "support/MiniDemo.h"

namespace {

class CountingEffect : public Effect {
 public:
  Effect* clone() override { return new CountingEffect(); }
  void createTracks() override { ++tracksMade; }
  int tracksMade = 0;
};

class ResourceDefinitionGLTest : public testing::Test {
 protected:
  void SetUp() override { EngineState::createPools(); }
  void TearDown() override { EngineState::reset(); }
  MiniDemo script;
};

}  // namespace

TEST_F(ResourceDefinitionGLTest, InstancesAreClonesWithTracksAndTheLastOfANameWins) {
  CountingEffect* prototype = new CountingEffect();
  script.DefineEffect("Counting", prototype);
  Effect* first = script.CreateEffectInstance("Counting", "one", true);
  Effect* second = script.CreateEffectInstance("Counting", "one", false);
  EXPECT_NE(prototype, first);
  EXPECT_EQ(1, static_cast<CountingEffect*>(first)->tracksMade);
  EXPECT_TRUE(first->tracked);
  EXPECT_FALSE(second->tracked);
  EXPECT_EQ(second, KVRDemosys::effectInstancePool->get("one"));
  EXPECT_EQ(1, KVRDemosys::effectInstancePool->size());
  delete first;  // replaced in the pool, so nobody else frees it
}

// An added framebuffer is cleared and the screen bound again; a missing effect lookup enters the
// name with a placeholder.
TEST_F(ResourceDefinitionGLTest, AFrameBufferAddedIsClearedAndMissingEffectLookupsEnterTheName) {
  FBO* fbo = new FBO(8, 8, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
  markUsed(fbo);
  script.AddFBO("staging0", fbo);
  EXPECT_EQ(fbo, script.GetFBO("staging0"));
  EXPECT_FALSE(isUsed(fbo));
  EXPECT_EQ(0u, KVRDemosys::boundFramebuffer);
  EXPECT_EQ(nullptr, KVRDemosys::effectInstancePool->get("ghost"));
  EXPECT_EQ("EffectPool {\n    ghost = Effect\n}\n", KVRDemosys::effectInstancePool->toString());
}

// The assertion names the file, the function and the condition. A bare script, since the child
// that dies runs the test again from its start and would leave a mini demo's folder behind.
TEST(ResourceDefinitionDeathTest, AMissingNameStopsWithItsAssertion) {
  struct Lookup : ResourceDefinition {
    using ResourceDefinition::GetShader;
  } script;
  EngineState::createPools();
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_DEATH(script.GetShader("none"),
               "demo/demosys/ResourceDefinition.cpp:[0-9]+: Shader\\* ResourceDefinition::GetShader\\(std::"
               "string\\): Assertion `shader != __null' failed");
  EngineState::reset();
}

#include <gtest/gtest.h>

#include <sstream>

#include "capture/CaptureStats.h"
#include "demosys/core/KVRDemosys.h"

namespace {

// Texture 7 belongs to framebuffer 3, texture 8 to framebuffer 4; 9 is an image texture.
// Events: "[" begins an instance, "]" ends it and notes whether it saw a feedback loop,
// "fN" binds framebuffer N, "tN" binds texture N, "uN" unbinds it.
std::string feedbackSeen(const std::string& events) {
  CaptureStats stats;
  stats.setOwner(7, 3);
  stats.setOwner(8, 4);
  std::istringstream in(events);
  std::string verdicts;
  for (std::string event; in >> event;) {
    uint32_t id = event.size() > 1 ? std::stoul(event.substr(1)) : 0;
    if (event == "[") stats.beginInstance();
    if (event == "]") verdicts += stats.endInstance() ? "loop " : "clean ";
    if (event[0] == 'f') stats.framebufferBound(KVRDemosys::boundFramebuffer = id);
    if (event[0] == 't') stats.textureBound(id);
    if (event[0] == 'u') stats.textureUnbound(id);
  }
  KVRDemosys::boundFramebuffer = 0;
  return verdicts;
}

TEST(CaptureStatsTest, AnInstanceSamplingItsOwnTargetIsAFeedbackLoop) {
  const std::pair<const char*, const char*> cases[] = {
      {"[ t7 f3 ]", "loop "},                         // binds the target of a bound texture
      {"[ f3 t8 t9 u8 f4 f0 t7 ]", "clean "},         // other targets, images, unbound textures
      {"f3 t7 [ ] [ t7 ] [ ]", "clean loop clean "},  // only binds inside an instance count, each anew
  };
  for (const auto& [events, verdicts] : cases) EXPECT_EQ(verdicts, feedbackSeen(events)) << events;
}

}  // namespace

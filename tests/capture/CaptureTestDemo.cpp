#include "capture/CaptureTestDemo.h"

#include "demosys/gl/FBO.h"

void CaptureTestDemo::setup(ScreenMetrics* metrics) {
  // The base sets a 1280 x 768 window, which the capture must override.
  ResourceDefinition::setup(metrics);
  SetEndTime("00:03:000");
}

void CaptureTestDemo::defineResources() {
  SetMusic("tone.mp3");
  AddShader({"capture_tint", "capture_tint", {}});
  AddFBO("offscreen", new FBO(256, 144, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE));
}

void CaptureTestDemo::defineEffects() {
  DefineEffect("tint", new TintTestEffect("green", nullptr));
  DefineEffect("present", new TintTestEffect("green", "offscreen"));
  DefineEffect("wrong_uniform", new TintTestEffect("gren", nullptr));
  DefineEffect("feedback", new TintTestEffect("green", ""));
}

void CaptureTestDemo::defineInstances() {
  for (const char* name : {"tint", "present", "wrong_uniform", "feedback"})
    CreateEffectInstance(name, std::string(name) + "_effect", true);
}

#pragma once

#include <cstdint>
#include <map>
#include <set>

#include "demosys/gl/BindObserver.h"

// What a capture learns from the engine's texture and framebuffer binds: whether an effect
// instance samples a texture of the framebuffer it is drawing into (a feedback loop, whose
// result the GL leaves undefined). Installed as the engine's bind observer while a capture runs.
class CaptureStats : public BindObserver {
 public:
  // Which framebuffer each colour and depth texture of the FBO pool belongs to.
  void mapFramebufferTextures();
  void setOwner(uint32_t texture, uint32_t framebuffer) { owners[texture] = framebuffer; }

  void textureBound(uint32_t texture) override;
  void textureUnbound(uint32_t texture) override;
  void framebufferBound(uint32_t framebuffer) override;

  // Brackets the calls of one effect instance; only binds inside them are judged, since the
  // engine's own clearing binds framebuffers while their textures may still be bound.
  void beginInstance();
  // True when the instance sampled its own render target since beginInstance.
  bool endInstance();

 private:
  uint32_t ownerOf(uint32_t texture) const;
  void judge(uint32_t texture, uint32_t framebuffer);

  std::map<uint32_t, uint32_t> owners;
  std::set<uint32_t> boundTextures;
  bool insideInstance = false;
  bool feedbackSeen = false;
};

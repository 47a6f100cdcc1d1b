#pragma once

#include <cstdint>

// Told of every texture and framebuffer bind while installed as KVRDemosys::bindObserver. A
// capture installs one to find effect instances that sample their own render target; in a
// normal run none is installed and a bind pays one pointer test.
class BindObserver {
 public:
  virtual ~BindObserver() = default;
  virtual void textureBound(uint32_t texture) = 0;
  virtual void textureUnbound(uint32_t texture) = 0;
  virtual void framebufferBound(uint32_t framebuffer) = 0;
};

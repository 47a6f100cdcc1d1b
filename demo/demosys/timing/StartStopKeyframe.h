#pragma once

#include <cstdint>
#include <string>

#include "demosys/timing/Keyframe.h"

class FBO;

// One end of an instance's active interval. A start names the render target of the
// interval: "screen" (null targetFBO) or the name of a framebuffer object.
class StartStopKeyframe : public Keyframe {
 public:
  enum Kind : uint32_t { Stop = 0, Start = 1 };

  StartStopKeyframe(uint32_t row, uint32_t kind) : Keyframe(row), kind(kind) {}
  StartStopKeyframe(uint32_t row, uint32_t kind, const std::string& target, FBO* targetFBO = nullptr)
      : Keyframe(row), kind(kind), target(target), targetFBO(targetFBO) {}

  bool IsStart() const { return kind == Start; }

  uint32_t kind;
  std::string target = "screen";
  FBO* targetFBO = nullptr;
};

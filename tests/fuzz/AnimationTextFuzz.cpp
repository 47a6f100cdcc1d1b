// The "KVRANI1" camera-path text, parsed and then evaluated along its whole range in both modes.
#include <memory>

#include "demosys/scene/Animation.h"
#include "demosys/scene/AnimationLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  AnimationLoader loader("resources/misc/fuzz.ani");
  std::unique_ptr<Animation> animation(
      loader.LoadText(std::string(reinterpret_cast<const char*>(bytes), size)));
  if (!animation) return 0;
  for (uint32_t mode : {Animation::Linear, Animation::CatmullRom}) {
    animation->SetMode(mode);
    for (float t : {-1.0f, 0.0f, 0.1f, 0.5f, 0.999f, 1.0f, 2.0f}) animation->Evaluate(t);
  }
  animation->Describe();
  return 0;
}

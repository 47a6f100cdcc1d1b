#pragma once

#include "Canvas.h"

// Point sprites. Each alpha falls smoothly to zero before the border, so a sprite never shows
// the edge of its square.
class SpriteArt {
 public:
  static Canvas glow(int size);
  static Canvas brightParticle(int size);
  static Canvas darkParticle(int size);
  static Canvas puff(int size);
};

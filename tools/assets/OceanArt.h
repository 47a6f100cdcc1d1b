#pragma once

#include "Canvas.h"

// The water: the surface seen from below with its caustic light, and three scales of wave
// normals. Everything tiles, because the underwater scene repeats both across the sky.
class OceanArt {
 public:
  static Canvas oceanSurface(int size);
  // scale 0: long swell, 1: chop, 2: fine ripples.
  static Canvas waveNormals(int scale, int size);
};

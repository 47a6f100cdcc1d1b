#pragma once

#include "Canvas.h"

// Start velocities for the fluid. Each picture holds one component, the same in R, G and B:
// 0.5 is still, 0 and 1 are the fastest flow against and along the axis (u to the right,
// v towards the top of the picture). Pictures 0/1, 2/3 and 4/5 are the u/v halves of one field.
class FlowArt {
 public:
  static const int kFieldCount = 3;
  static Canvas velocityComponent(int field, bool vertical, int size);
};

#pragma once

// One camera-path keyframe: a position and the view angles, in degrees.
struct AnimationKeyframe {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float heading = 0.0f;
  float pitch = 0.0f;
};

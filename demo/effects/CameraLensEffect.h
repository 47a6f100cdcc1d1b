#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class FBO;
class TrackInterpolate;

// The timeline's camera: draws nothing, and before every frame's drawing copies its tracks
// into the engine camera and the field of view.
class CameraLensEffect : public Effect {
 public:
  CameraLensEffect() = default;
  ~CameraLensEffect() override = default;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;
  // A place for derived lenses to add their own settings; nothing calls it here.
  virtual void prepare();

  TrackInterpolate* fov = nullptr;
  TrackInterpolate* head = nullptr;
  TrackInterpolate* pitch = nullptr;
  TrackInterpolate* x = nullptr;
  TrackInterpolate* y = nullptr;
  TrackInterpolate* z = nullptr;
};

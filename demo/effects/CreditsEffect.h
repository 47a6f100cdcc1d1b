#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class FBO;
class Shader;
class Texture;
class TrackInterpolate;

// One credit picture, chosen by "index", placed, scaled and faded over "staging0" into
// "staging1", which is then drawn into the target. The resource script sets the resource members.
class CreditsEffect : public Effect {
 public:
  static const int IMAGE_COUNT = 6;

  CreditsEffect() = default;
  ~CreditsEffect() override = default;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;
  // Runs first in init; a place for derived credits to get ready. Does nothing here.
  virtual void prepare();

  // The picture for an index value: only the exact values 0 to 5 pick one, anything else null.
  Texture* imageFor(float index) const;

  // "quor", "mizt", "ovar", "sendrik", "kelvarologo", "brinovalogo", in index order.
  Texture* images[IMAGE_COUNT] = {};
  Shader* shader = nullptr;
  FBO* backgroundFBO = nullptr;
  FBO* outputFBO = nullptr;

  TrackInterpolate* index = nullptr;
  TrackInterpolate* xpos = nullptr;
  TrackInterpolate* ypos = nullptr;
  TrackInterpolate* scale = nullptr;
  TrackInterpolate* alpha = nullptr;
};

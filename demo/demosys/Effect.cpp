#include "demosys/Effect.h"

#include <iostream>

#include "demosys/TrackInterpolate.h"

Effect::~Effect() {
  if (tracksHandedOver) return;
  for (TrackInterpolate* track : trackList) delete track;
}

void Effect::preDraw(uint32_t time) {}

void Effect::draw(uint32_t time, uint32_t delta, FBO* target) {
  std::cout << "Fallback draw method! This should never happen!" << std::endl;
}

void Effect::postDraw(uint32_t time) {}

void Effect::init() {}

Effect* Effect::clone() { return new Effect(); }

void Effect::createTracks() {}

void Effect::NewTrack(const std::string& name, TrackInterpolate*& slot) {
  slot = new TrackInterpolate(name);
  trackList.push_back(slot);
}

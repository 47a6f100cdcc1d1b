#include "effects/CameraLensEffect.h"

#include "demosys/gl/Camera.h"
#include "demosys/gl/ScreenMetrics.h"
#include "effects/TrackValue.h"

void CameraLensEffect::draw(uint32_t time, uint32_t delta, FBO* target) {}

void CameraLensEffect::postDraw(uint32_t time) {}

void CameraLensEffect::init() {}

void CameraLensEffect::prepare() {}

Effect* CameraLensEffect::clone() { return new CameraLensEffect(); }

void CameraLensEffect::createTracks() {
  NewTrack("fov", fov);
  NewTrack("head", head);
  NewTrack("pitch", pitch);
  NewTrack("x", x);
  NewTrack("y", y);
  NewTrack("z", z);
}

// The frame loop has already loaded this frame's projection, so a new field of view shows
// from the next frame on.
void CameraLensEffect::preDraw(uint32_t time) {
  KVRDemosys::screenMetrics->fieldOfView = trackValue(fov, time);
  KVRDemosys::camera.setPitch(trackValue(pitch, time));
  KVRDemosys::camera.setHeading(trackValue(head, time));
  KVRDemosys::camera.setPosition(trackValue(x, time), trackValue(y, time), trackValue(z, time));
}

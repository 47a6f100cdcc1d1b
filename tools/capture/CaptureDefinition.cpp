#include "capture/CaptureDefinition.h"

#include "demosys/gl/ScreenMetrics.h"

void CaptureDefinition::setup(ScreenMetrics* metrics) {
  production->setup(metrics);
  metrics->setSize(width, height);
  metrics->setFullscreen(false);
  metrics->setVsync(false);
  metrics->setAntialiasing(0);
  metrics->setQuality(quality);
}

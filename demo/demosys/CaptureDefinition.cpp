#include "demosys/CaptureDefinition.h"

#include "demosys/ScreenMetrics.h"

void CaptureDefinition::setup(ScreenMetrics* metrics) {
  production->setup(metrics);
  metrics->setSize(width, height);
  metrics->setFullscreen(false);
  metrics->setVsync(false);
  metrics->setAntialiasing(0);
  metrics->setQuality(quality);
}

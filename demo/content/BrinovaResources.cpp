#include "content/BrinovaResources.h"

#include "demosys/ScreenMetrics.h"

void BrinovaResources::setup(ScreenMetrics* metrics) {
  metrics->setNearPlane(1.0f);
  metrics->setFarPlane(200.0f);
  SetStartTime("00:00:00");
  SetEndTime("02:30:850");
}

void BrinovaResources::defineResources() {
  SetMusic("brinova_final_c.mp3");
  AddShader({"standard_light", "standard_light", {}});
}

#pragma once

#include "demosys/ResourceDefinition.h"

// The production Brinova: what it loads, which effects it uses, how long it runs.
class BrinovaResources : public ResourceDefinition {
 public:
  // Keeps the launcher's window choice; sets only the clip planes and the time range.
  void setup(ScreenMetrics* metrics) override;
  void defineResources() override;
};

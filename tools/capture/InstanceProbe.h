#pragma once

#include <cstdint>
#include <string>

#include "demosys/runtime/Effect.h"

class CaptureStats;

// Stands in for an effect instance in its track set during a capture: forwards the frame calls
// and measures them (CPU time of this thread, GL errors and missing-uniform lines printed, a
// sampled render target). Frame records are read and reset by the capture after each frame.
class InstanceProbe : public Effect {
 public:
  struct Record {
    double cpuMs = 0.0;
    uint32_t glErrors = 0;
    uint32_t missingUniforms = 0;
    bool feedback = false;
  };

  // stats, when not null, judges the binds made inside each call.
  InstanceProbe(const std::string& name, Effect* instance, CaptureStats* stats)
      : name(name), instance(instance), stats(stats) {}

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;

  Effect* getInstance() const { return instance; }
  const Record& getRecord() const { return record; }
  void resetRecord() { record = Record(); }

 private:
  // Runs `call` inside the measurements; `phase` names the GL error report's location.
  template <typename Call>
  void measure(const char* phase, Call call);

  std::string name;
  Effect* instance;
  CaptureStats* stats;
  Record record;
};

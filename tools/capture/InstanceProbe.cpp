#include "capture/InstanceProbe.h"

#include <time.h>

#include "capture/CaptureStats.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Window.h"

namespace {

double threadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1.0e6;
}

}  // namespace

template <typename Call>
void InstanceProbe::measure(const char* phase, Call call) {
  const uint32_t errorsBefore = KVRDemosys::glErrorCount;
  const uint32_t uniformsBefore = KVRDemosys::missingUniformCount;
  if (stats) stats->beginInstance();
  const double started = threadCpuMs();
  call();
  record.cpuMs += threadCpuMs() - started;
  if (stats && stats->endInstance()) record.feedback = true;
  Window::reportGLErrors(name + phase);
  record.glErrors += KVRDemosys::glErrorCount - errorsBefore;
  record.missingUniforms += KVRDemosys::missingUniformCount - uniformsBefore;
}

void InstanceProbe::preDraw(uint32_t time) {
  measure(":preDraw()", [&] { instance->preDraw(time); });
}

void InstanceProbe::draw(uint32_t time, uint32_t delta, FBO* target) {
  measure(":draw()", [&] { instance->draw(time, delta, target); });
}

void InstanceProbe::postDraw(uint32_t time) {
  measure(":postDraw()", [&] { instance->postDraw(time); });
}

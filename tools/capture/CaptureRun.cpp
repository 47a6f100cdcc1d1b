#include "capture/CaptureRun.h"

#include <GL/glew.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "capture/CaptureDefinition.h"
#include "capture/CaptureOptions.h"
#include "capture/CaptureStats.h"
#include "capture/FixedStepTimer.h"
#include "capture/FixedWindowSize.h"
#include "capture/InstanceProbe.h"
#include "capture/LostDisplay.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/core/StopRequest.h"
#include "demosys/core/TimeCode.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Window.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/runtime/Demo.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/StartStopKeyframe.h"
#include "demosys/timing/TrackStartStop.h"

namespace {

const uint32_t DEFAULT_ROWS_PER_SECOND = 20;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A name for the music copy that no other capture uses; the file is created empty.
std::string reserveTemporaryFile(const std::string& extension) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "brinova-music-XXXXXX").string() + extension;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int descriptor = mkstemps(name.data(), static_cast<int>(extension.size()));
  if (descriptor < 0) return "";
  close(descriptor);
  return name.data();
}

std::string targetName(const EffectTrackSet* set, uint32_t row) {
  const StartStopKeyframe* start = set->startStop ? set->startStop->ActiveStart(row) : nullptr;
  if (!start || start->target.empty()) return "screen";
  return start->target;
}

std::string signalName(int signal) {
  if (signal == SIGINT) return "SIGINT";
  if (signal == SIGTERM) return "SIGTERM";
  return "signal " + std::to_string(signal);
}

}  // namespace

bool CaptureRun::fail(const std::string& text) {
  ending = {CaptureEnding::FAILED, text};
  return false;
}

bool CaptureRun::interrupt(const std::string& text) {
  ending = {CaptureEnding::INTERRUPTED, text};
  return true;
}

bool CaptureRun::stopAsked() {
  if (StopRequest::requested()) return interrupt("stopped by " + signalName(StopRequest::signalNumber()));
  if (KVRDemosys::quitRequested) return interrupt("stopped by Escape");
  return false;
}

int CaptureRun::exitStatus() const {
  if (ending.status == CaptureEnding::COMPLETE) return 0;
  if (ending.status == CaptureEnding::INTERRUPTED && StopRequest::requested())
    return StopRequest::exitStatus();
  return 1;
}

bool CaptureRun::checkRange(std::string& warning) {
  if (!KVRDemosys::resources) return fail("No demo to capture: no resource definition");
  // The script's set-up only names sizes and times, so it can tell the end before anything loads.
  ScreenMetrics scratch;
  KVRDemosys::resources->setup(&scratch);
  const uint32_t end = KVRDemosys::endTime.total;
  if (settings.fromMs >= end)
    return fail("--from " + CaptureOptions::timeText(settings.fromMs) +
                " lies at or after the end of the demo (" + CaptureOptions::timeText(end) + ")");
  if (settings.hasTo && settings.toMs > end) {
    warning = "--to " + CaptureOptions::timeText(settings.toMs) + " lies after the end of the demo (" +
              CaptureOptions::timeText(end) + "); capturing up to the end";
    settings.toMs = end;
  }
  return true;
}

bool CaptureRun::run(CaptureSink& sink) {
  if (!KVRDemosys::resources) return fail("No demo to capture: no resource definition");
  // The music is only copied out, never played: no sound device is needed or disturbed.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Mesa's GL driver gets a thread of its own (other drivers ignore the setting, and a value in
  // the environment wins): this thread then only records GL commands, so the instances' CPU
  // times are the engine's own work, not a software rasteriser's vertex processing.
  setenv("mesa_glthread", "true", 0);
  ResourceDefinition* production = KVRDemosys::resources;
  CaptureDefinition window(production, settings.width, settings.height, settings.quality);
  ScreenMetrics metrics;
  metrics.setSize(settings.width, settings.height);
  metrics.setFullscreen(false);
  metrics.setVsync(false);
  metrics.setQuality(settings.quality);
  KVRDemosys::resources = &window;
  Demo demo;
  demo.load(&metrics, settings.source);
  KVRDemosys::resources = production;
  bool ok = false;
  if (!demo.isOk())
    fail("The demo failed to load");
  else if (!stopAsked())
    ok = capture(demo, sink);
  demo.shutdown();
  return ok;
}

bool CaptureRun::capture(Demo& demo, CaptureSink& sink) {
  CaptureInfo info;
  if (!prepare(info)) return false;
  const char* glthread = std::getenv("mesa_glthread");
  info.mesaGlthread = glthread && std::string(glthread) == "true";
  // Copying the music out is the capture's own work, not part of the demo's start-up.
  KVRDemosys::loadTimings.mark("capture set-up");
  CaptureStats stats;
  stats.mapFramebufferTextures();
  KVRDemosys::bindObserver = &stats;
  installProbes(&stats);
  demo.setupRendering();
  demo.startRun();
  KVRDemosys::loadTimings.mark("start");
  Window::reportGLErrors("capture:start");
  FixedWindowSize::apply(settings.width, settings.height);
  computeReadArea();
  info.width = area[2];
  info.height = area[3];
  active = &sink;
  bool ok = sink.begin(info) || fail(sink.message());
  for (uint32_t n = 0; ok && n < info.frameCount && !stopAsked(); ++n, clock->advance()) {
    CaptureFrame frame;
    frame.index = n;
    drawFrame(demo, frame);
    ok = sink.frame(frame) || fail(sink.message());
    if (ok) ++captured;
  }
  finishOutputs();
  removeProbes();
  KVRDemosys::bindObserver = nullptr;
  return ending.status == CaptureEnding::COMPLETE;
}

void CaptureRun::finishOutputs() {
  CaptureSink* sink = active;
  active = nullptr;
  if (sink && !sink->end(ending)) {
    if (ending.status == CaptureEnding::COMPLETE)
      fail(sink->message());
    else
      ending.reason += "; " + sink->message();
  }
  removeMusicCopy();
}

void CaptureRun::abandon(const std::string& reason) {
  fail(reason);
  finishOutputs();
}

void CaptureRun::removeMusicCopy() {
  if (!musicPath.empty()) std::remove(musicPath.c_str());
  musicPath.clear();
}

void CaptureRun::drawFrame(Demo& demo, CaptureFrame& frame) {
  frame.time = clock->GetTime();
  frame.row = clock->GetFrame();
  frame.delta = clock->GetDelta(frame.time);
  for (InstanceProbe* probe : probes) probe->resetRecord();
  const uint32_t errorsBefore = KVRDemosys::glErrorCount;
  const uint32_t uniformsBefore = KVRDemosys::missingUniformCount;
  const std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  demo.renderFrame(frame.time, frame.row, frame.delta);
  describeInstances(frame);
  bind(nullptr);
  readPicture(frame);
  demo.finishFrame();
  Window::reportGLErrors("capture:frame");
  frame.wallMs = millisecondsSince(started);
  frame.glErrors = KVRDemosys::glErrorCount - errorsBefore;
  frame.missingUniforms = KVRDemosys::missingUniformCount - uniformsBefore;
}

bool CaptureRun::prepare(CaptureInfo& info) {
  info.fromMs = settings.fromMs;
  info.toMs = settings.hasTo ? settings.toMs : KVRDemosys::endTime.total;
  info.framesPerSecond = settings.framesPerSecond == 0 ? 1 : settings.framesPerSecond;
  if (info.toMs <= info.fromMs)
    return fail("Nothing to capture: " + CaptureOptions::timeText(info.fromMs) + " to " +
                CaptureOptions::timeText(info.toMs) + " is empty");
  // Every frame that starts before the end: the video lasts the range, rounded up to a frame.
  const uint64_t span = uint64_t(info.toMs - info.fromMs) * info.framesPerSecond;
  info.frameCount = static_cast<uint32_t>((span + 999) / 1000);
  if (!extractMusic(musicPath)) return false;
  info.musicPath = musicPath;
  LostDisplay::removeOnLoss(musicPath);
  const int32_t rate =
      static_cast<int32_t>(KVRDemosys::tracks ? KVRDemosys::tracks->GetRate() : DEFAULT_ROWS_PER_SECOND);
  clock = new FixedStepTimer(rate, info.framesPerSecond);
  clock->Init();
  delete KVRDemosys::timer;
  KVRDemosys::timer = clock;
  KVRDemosys::startTime = TimeCode::fromMilliseconds(info.fromMs);
  return true;
}

bool CaptureRun::extractMusic(std::string& path) {
  path.clear();
  if (KVRDemosys::musicFile.empty()) return true;
  const std::string entry = ResourceAccess::SOUND_DIRECTORY + KVRDemosys::musicFile;
  // Loading closed the archive; it is opened once more for the music.
  ResourceAccess::selectSource(settings.source);
  std::unique_ptr<ResourceFile> file(ResourceAccess::loadFile(entry));
  if (settings.source == 1) ResourceAccess::closeArchive();
  if (!file || !file->isOk()) return fail("Cannot read the music '" + entry + "'");
  const std::string extension = std::filesystem::path(KVRDemosys::musicFile).extension().string();
  path = reserveTemporaryFile(extension);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file->bytes().data()), file->size());
  if (path.empty() || !out) {
    if (!path.empty()) std::remove(path.c_str());
    return fail("Cannot write a temporary copy of the music '" + entry + "'");
  }
  return true;
}

void CaptureRun::installProbes(CaptureStats* stats) {
  if (!KVRDemosys::tracks) return;
  for (EffectTrackSet* set : KVRDemosys::tracks->ordered) {
    if (!set->effect) continue;
    InstanceProbe* probe = new InstanceProbe(set->name, set->effect, stats);
    probes.push_back(probe);
    set->effect = probe;
  }
}

void CaptureRun::removeProbes() {
  if (KVRDemosys::tracks)
    for (EffectTrackSet* set : KVRDemosys::tracks->ordered)
      if (InstanceProbe* probe = dynamic_cast<InstanceProbe*>(set->effect))
        set->effect = probe->getInstance();
  for (InstanceProbe* probe : probes) delete probe;
  probes.clear();
}

void CaptureRun::describeInstances(CaptureFrame& frame) {
  if (!KVRDemosys::tracks) return;
  for (const EffectTrackSet* set : KVRDemosys::tracks->active) {
    CaptureInstance instance;
    instance.name = set->name;
    instance.target = targetName(set, frame.row);
    if (const InstanceProbe* probe = dynamic_cast<const InstanceProbe*>(set->effect)) {
      const InstanceProbe::Record& record = probe->getRecord();
      instance.cpuMs = record.cpuMs;
      instance.glErrors = record.glErrors;
      instance.missingUniforms = record.missingUniforms;
      instance.feedback = record.feedback;
    }
    frame.instances.push_back(instance);
  }
}

// The letterboxed picture, cut to the window where it overflows (windows wider than 16:9).
void CaptureRun::computeReadArea() {
  const ScreenMetrics* screen = KVRDemosys::screenMetrics;
  const int left = std::max(0, screen->viewport[0]);
  const int bottom = std::max(0, screen->viewport[1]);
  const int right = std::min(screen->width, screen->viewport[0] + screen->viewport[3]);
  const int top = std::min(screen->height, screen->viewport[1] + screen->viewport[2]);
  area[0] = left;
  area[1] = bottom;
  area[2] = std::max(0, right - left);
  area[3] = std::max(0, top - bottom);
}

void CaptureRun::readPicture(CaptureFrame& frame) {
  const int width = area[2], height = area[3];
  const size_t rowBytes = size_t(width) * 3;
  bottomUp.resize(rowBytes * height);
  pixels.resize(bottomUp.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(area[0], area[1], width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  for (int y = 0; y < height; ++y) {
    const uint8_t* source = &bottomUp[(height - 1 - y) * rowBytes];
    std::copy(source, source + rowBytes, &pixels[y * rowBytes]);
  }
  frame.look = PictureMeasure::of(pixels, width, height);
  frame.pixels = &pixels;
}

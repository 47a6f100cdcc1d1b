#include "demosys/runtime/Demo.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <iostream>

#include "demosys/core/KVRAssert.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/core/StopRequest.h"
#include "demosys/core/TimeCode.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceArchive.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "demosys/runtime/ResourceLoader.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/Timer.h"

Demo::Demo() : loader(nullptr), caption("Kelvaro Demosystem"), failed(false) {}

Demo::~Demo() { delete loader; }

bool Demo::fail(const std::string& text) {
  message = text;
  // Every lookup of a missing or damaged archive fails; say where the failures come from.
  if (KVRDemosys::resourceSource == 1 && (!KVRDemosys::archive || !KVRDemosys::archive->isOpen()))
    message += std::string("\nArchive '") + ResourceAccess::ARCHIVE_NAME + "' is missing or damaged";
  failed = true;
  return false;
}

bool Demo::load(ScreenMetrics* metrics, int source) {
  KVR_ASSERT(KVRDemosys::resources != nullptr, "KVRDemosys::resources != __null");
  KVRDemosys::loadTimings.start();
  ResourceAccess::selectSource(source);
  KVRDemosys::loadTimings.mark("archive");
  loader = new ResourceLoader();
  loader->createPools();
  if (!loader->openScreen(metrics, caption)) return fail(loader->getMessage());
  if (glewInit() != GLEW_OK) return fail("Error initializing glew\n");
  KVRDemosys::loadTimings.mark("window");
  if (!GLEW_VERSION_2_0) return fail("No OpenGL 2.0 support found!");
  const GLubyte* glslVersion = glGetString(GL_SHADING_LANGUAGE_VERSION);
  std::cout << "GLSL version : ";
  if (glslVersion) std::cout << glslVersion;
  std::cout << std::endl;
  if (!loader->defineAndLoadResources()) return fail(loader->getMessage());
  KVRDemosys::resources->defineInstances();
  KVRDemosys::loadTimings.mark("instances");
  if (!loader->createTrackData()) return fail(loader->getMessage());
  if (!loader->setupSound()) return fail(loader->getMessage());
  KVRDemosys::loadTimings.mark("sound");
  if (source == 1) ResourceAccess::closeArchive();
  return true;
}

void Demo::setupRendering() {
  if (failed) return;
  glClearColor(0, 0, 0, 0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
}

void Demo::run() {
  if (failed) return;
  startRun();
  while (!KVRDemosys::quitRequested) drawFrame();
  reportRun();
}

void Demo::startRun() {
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  if (hasStartOverride) KVRDemosys::startTime = TimeCode::fromMilliseconds(startOverride);
  loader->startDemo();
  runStartTime = KVRDemosys::startTime.total;
  KVRDemosys::runStartTicks = SDL_GetTicks();
  // A signal that came while loading: the report follows at once, no frame is drawn.
  if (StopRequest::requested()) KVRDemosys::quitRequested = true;
}

void Demo::drawFrame() {
  Timer* clock = KVRDemosys::timer;
  clock->Update();
  uint32_t time = clock->GetTime();
  uint32_t row = clock->GetFrame();
  uint32_t delta = clock->GetDelta(time);
  if (time > KVRDemosys::endTime.total) KVRDemosys::quitRequested = true;
  renderFrame(time, row, delta);
  finishFrame();
}

void Demo::renderFrame(uint32_t time, uint32_t row, uint32_t delta) {
  if (KVRDemosys::boundFramebuffer != 0) bind(nullptr);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  KVRDemosys::screenMetrics->apply();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  handleEvents();
  if (KVRDemosys::tracks) KVRDemosys::tracks->Step(time, row, delta);
  drawOverlay(time, row);
}

void Demo::drawOverlay(uint32_t time, uint32_t row) {
  if (!overlay.isVisible()) return;
  if (KVRDemosys::boundFramebuffer != 0) bind(nullptr);
  const bool paused = KVRDemosys::timer && KVRDemosys::timer->IsPaused();
  const ScreenMetrics* screen = KVRDemosys::screenMetrics;
  overlay.draw(DebugOverlay::describe(time, row, paused, KVRDemosys::tracks), screen->getWidth(),
               screen->getHeight());
}

void Demo::finishFrame() {
  KVRDemosys::fboPool->clearUsed();
  SDL_GL_SwapBuffers();
  ++KVRDemosys::frameCount;
}

void Demo::handleEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) handleEvent(event);
  // SDL's quit event is also the close button, which must not end a demo; a signal must.
  if (StopRequest::requested()) KVRDemosys::quitRequested = true;
}

void Demo::handleEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    handleKey(event.key.keysym.sym);
  } else if (event.type == SDL_VIDEORESIZE) {
    std::cout << "Screen resize (" << event.resize.w << "," << event.resize.h << ")" << std::endl;
    KVRDemosys::screenMetrics->resize(event.resize.w, event.resize.h);
  }
}

void Demo::handleKey(int key) {
  Timer* clock = KVRDemosys::timer;
  switch (key) {
    case SDLK_ESCAPE:
      KVRDemosys::quitRequested = true;
      break;
    case SDLK_SPACE:
      togglePause();
      break;
    case SDLK_LEFT:
      if (clock) seekTo(int64_t(clock->GetTime()) - SEEK_MS);
      break;
    case SDLK_RIGHT:
      if (clock) seekTo(int64_t(clock->GetTime()) + SEEK_MS);
      break;
    case SDLK_HOME:
      seekTo(runStartTime);
      break;
    case SDLK_F5:
      if (loader) loader->reloadShaders();
      break;
    case SDLK_F6:
      if (loader) loader->reloadTracks();
      break;
    case SDLK_t:
      overlay.toggle();
      break;
    default:
      break;
  }
}

void Demo::togglePause() {
  Timer* clock = KVRDemosys::timer;
  if (!clock) return;
  if (clock->IsPaused())
    clock->Start();
  else
    clock->Pause();
}

// Held between 0 and the end time: a seek past the end ends the run after one more frame.
void Demo::seekTo(int64_t time) {
  if (!KVRDemosys::timer) return;
  const int64_t end = KVRDemosys::endTime.total;
  const int64_t held = time < 0 ? 0 : (time > end ? end : time);
  KVRDemosys::timer->SetTime(static_cast<uint32_t>(held));
}

void Demo::reportRun() {
  TimeCode duration = TimeCode::fromMilliseconds(KVRDemosys::timer->GetTime());
  std::cout << "Duration : " << duration.format() << std::endl;
  // From the elapsed milliseconds: whole seconds would overstate short runs badly.
  uint32_t elapsedMs = SDL_GetTicks() - KVRDemosys::runStartTicks;
  double seconds = (elapsedMs == 0 ? 1u : elapsedMs) / 1000.0;
  std::cout << "FPS = " << KVRDemosys::frameCount / seconds << std::endl;
}

bool Demo::shutdown() {
  std::cout << "[Shutting Down]" << std::endl;
  if ((loader && !loader->isOk()) || failed) {
    std::cout << "Message from demosys :" << std::endl
              << KVRDemosys::windowMessage << std::endl
              << "Message from resourceloader" << std::endl
              << message << std::endl;
  }
  if (loader) loader->deleteEverything();
  std::cout << "KVRDemosys::shutdown()" << std::endl;
  SDL_Quit();
  std::cout << "[Application End]" << std::endl;
  return true;
}

#include "demosys/ResourceLoader.h"

#include <SDL/SDL.h>

#include <iostream>

#include "demosys/FMODTimer.h"
#include "demosys/GLExtensions.h"
#include "demosys/KVRDemosys.h"
#include "demosys/ResourceAccess.h"
#include "demosys/ResourceDefinition.h"
#include "demosys/ScreenMetrics.h"
#include "demosys/Timer.h"
#include "demosys/Window.h"

namespace {
const int kRowsPerSecond = 20;
}

bool ResourceLoader::fail(const std::string& text) {
  message = text;
  ok = false;
  return false;
}

bool ResourceLoader::createPools() {
  std::cout << "[Creating DataPools]" << std::endl;
  return true;
}

bool ResourceLoader::openScreen(ScreenMetrics* metrics, const std::string& caption) {
  KVRDemosys::resources->setup(metrics);
  bool opened = metrics->getFullscreen() ? Window::openFullscreen(metrics)
                                         : Window::openWindowed(metrics, caption.c_str(), nullptr);
  if (!opened)
    return fail("Failed to open screen : " + std::to_string(metrics->getWidth()) + "x" +
                std::to_string(metrics->getHeight()) + Window::message());
  KVRDemosys::screenMetrics->computeViewport();
  KVRDemosys::screenMetrics->apply();
  std::cout << "[Supported OpenGL Extensions]" << std::endl;
  KVRDemosys::glExtensions = new GLExtensions();
  std::cout << KVRDemosys::glExtensions->report() << std::endl;
  return true;
}

bool ResourceLoader::defineAndLoadResources() {
  std::cout << "[Defining Resources]" << std::endl;
  KVRDemosys::resources->defineResources();
  std::cout << "[Define Effects]" << std::endl;
  KVRDemosys::resources->defineEffects();
  return true;
}

bool ResourceLoader::createTrackData() { return true; }

bool ResourceLoader::setupSound() {
  std::cout << "[Setting up sound]" << std::endl;
  const int rate = kRowsPerSecond;
  if (KVRDemosys::musicFile.empty()) {
    KVRDemosys::timer = new Timer(rate);
    KVRDemosys::timer->Init();
    return true;
  }
  std::cout << "Play : " << KVRDemosys::musicFile << std::endl;
  KVRDemosys::timer = new FMODTimer(ResourceAccess::SOUND_DIRECTORY + KVRDemosys::musicFile, rate);
  if (!KVRDemosys::timer->Init())
    return fail("Failed to load sound!\nFile : '" + KVRDemosys::musicFile + "'");
  return true;
}

void ResourceLoader::startDemo() {
  if (verbose) {
    std::cout << "[Getting Startpos]" << std::endl;
    std::cout << "startpos = " << KVRDemosys::startTime.format() << std::endl;
  }
  KVRDemosys::timer->SetTime(KVRDemosys::startTime.total);
  std::cout << "[Demo Init]" << std::endl;
  if (!KVRDemosys::musicFile.empty()) {
    KVRDemosys::timer->Start();
    SDL_ShowCursor(SDL_DISABLE);
  }
  if (verbose) std::cout << "[Demo Init END]" << std::endl;
}

void ResourceLoader::deleteEverything() {
  std::cout << "[Deleting Pools]" << std::endl;
  if (KVRDemosys::glExtensions) {
    std::cout << "delete KVRDemosys::glExtensions" << std::endl;
    delete KVRDemosys::glExtensions;
  }
  std::cout << "delete KVRDemosys::tracks" << std::endl;
  std::cout << "delete KVRDemosys::timer" << std::endl;
  delete KVRDemosys::timer;
}

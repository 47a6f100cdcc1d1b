#include <FL/Fl.H>

#include <iostream>

#include "content/BrinovaProgressBar.h"
#include "content/BrinovaResources.h"
#include "content/BrinovaShaderCache.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/runtime/Demo.h"
#include "launcher/KVRGui.h"

int main(int, char**) {
  ScreenMetrics metrics;
  KVRGui* gui = new KVRGui(450, 300, "Kelvaro Demosys v.1.0");
  Fl::scheme("gtk+");
  Fl::run();

  metrics.setSize(gui->getWidth(), gui->getHeight());
  metrics.setFullscreen(gui->getFullscreen());
  metrics.setAntialiasing(gui->getAntialiasing());
  metrics.setVsync(gui->getVsync());
  metrics.setQuality(gui->getQuality());
  if (gui->getQuit()) {
    std::cout << "Quit demo" << std::endl;
    delete gui;
    return 0;
  }

  std::cout << "Run demo" << std::endl;
  Demo* demo = new Demo();
  KVRDemosys::progressBar = new BrinovaProgressBar();
  KVRDemosys::shaderCache = new BrinovaShaderCache();
  KVRDemosys::resources = new BrinovaResources();
  demo->load(&metrics, 1);
  demo->setupRendering();
  demo->run();
  demo->shutdown();
  delete demo;
  delete gui;
  return 0;
}

#include <FL/Fl.H>

#include <iostream>
#include <string>
#include <vector>

#include "content/BrinovaProgressBar.h"
#include "content/BrinovaResources.h"
#include "content/BrinovaShaderCache.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/core/StopRequest.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/runtime/Demo.h"
#include "demosys/runtime/TrackNameList.h"
#include "launcher/KVRGui.h"
#include "launcher/LauncherOptions.h"

namespace {

const char* const PROGRAM = "brinova";
const int LOAD_FAILED_STATUS = 1;
const int USAGE_STATUS = 2;
// How long the dialog may sleep before it looks for a stop request again.
const double DIALOG_WAKE_SECONDS = 0.25;

// Fl::run(), but also left on a stop request. A signal interrupts FLTK's wait; the timeout
// catches one that lands between the check and the wait.
void runDialog() {
  while (Fl::first_window() && !StopRequest::requested()) Fl::wait(DIALOG_WAKE_SECONDS);
}

int playDemo(ScreenMetrics& metrics) {
  std::cout << "Run demo" << std::endl;
  Demo* demo = new Demo();
  KVRDemosys::progressBar = new BrinovaProgressBar();
  KVRDemosys::shaderCache = new BrinovaShaderCache();
  KVRDemosys::resources = new BrinovaResources();
  demo->load(&metrics, 1);
  demo->setupRendering();
  demo->run();
  demo->shutdown();
  // Scripts that run the demo must be able to tell a failed load from a demo that played.
  const int status = demo->isOk() ? 0 : LOAD_FAILED_STATUS;
  delete demo;
  return StopRequest::requested() ? StopRequest::exitStatus() : status;
}

}  // namespace

int main(int argc, char** argv) {
  LauncherOptions options;
  if (!options.parse(std::vector<std::string>(argv + 1, argv + argc))) {
    std::cerr << PROGRAM << ": " << options.getError() << std::endl << LauncherOptions::usage(PROGRAM);
    return USAGE_STATUS;
  }
  if (options.helpRequested) {
    std::cout << LauncherOptions::help(PROGRAM);
    return 0;
  }
  if (options.versionRequested) {
    std::cout << PROGRAM << " " << KVR_VERSION << std::endl;
    return 0;
  }
  if (options.listTracksRequested) {
    BrinovaResources production;
    TrackNameList names;
    names.addDefinedInstances(production);
    names.write(std::cout);
    if (std::cout.flush()) return 0;
    std::cerr << PROGRAM << ": cannot write to standard output" << std::endl;
    return 1;
  }

  // Before the dialog starts SDL: SDL leaves handlers that are already in place alone, instead
  // of turning the signals into quit events that the frame loop ignores.
  StopRequest::install();
  ScreenMetrics metrics;
  KVRGui* gui = new KVRGui(450, 300, "Kelvaro Demosys v.1.0");
  Fl::scheme("gtk+");
  runDialog();

  metrics.setSize(gui->getWidth(), gui->getHeight());
  metrics.setFullscreen(gui->getFullscreen());
  metrics.setAntialiasing(gui->getAntialiasing());
  metrics.setVsync(gui->getVsync());
  metrics.setQuality(gui->getQuality());
  int status = 0;
  if (gui->getQuit()) {
    std::cout << "Quit demo" << std::endl;
    status = StopRequest::exitStatus();
  } else {
    status = playDemo(metrics);
  }
  delete gui;
  return status;
}

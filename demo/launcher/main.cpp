#include <FL/Fl.H>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

int usageError(const std::string& message) {
  std::cerr << PROGRAM << ": " << message << std::endl << LauncherOptions::usage(PROGRAM);
  return USAGE_STATUS;
}

int listTracks() {
  BrinovaResources production;
  TrackNameList names;
  names.addDefinedInstances(production);
  names.write(std::cout);
  if (std::cout.flush()) return 0;
  std::cerr << PROGRAM << ": cannot write to standard output" << std::endl;
  return 1;
}

// The production's own end time, as its set-up states it, without opening anything.
uint32_t productionEndMs() {
  BrinovaResources production;
  ScreenMetrics scratch;
  production.setup(&scratch);
  return KVRDemosys::endTime.total;
}

// The dialog with the command line's choices preselected; false when the user quit.
bool chooseInDialog(const LauncherOptions& options, ScreenMetrics& metrics) {
  KVRGui* gui = new KVRGui(450, 300, "Kelvaro Demosys v.1.0");
  if (options.hasSize) gui->presetSize(options.width, options.height);
  if (options.windowed) gui->presetFullscreen(false);
  if (options.hasQuality) gui->presetQuality(options.quality);
  Fl::scheme("gtk+");
  runDialog();
  metrics.setSize(gui->getWidth(), gui->getHeight());
  metrics.setFullscreen(gui->getFullscreen());
  metrics.setAntialiasing(gui->getAntialiasing());
  metrics.setVsync(gui->getVsync());
  metrics.setQuality(gui->getQuality());
  const bool start = !gui->getQuit();
  delete gui;
  return start;
}

// What the dialog would give when nothing is touched, changed by the command line.
void chooseWithoutDialog(const LauncherOptions& options, ScreenMetrics& metrics) {
  if (options.hasSize) {
    metrics.setSize(options.width, options.height);
  } else {
    const KVRGui::Mode largest = KVRGui::listModes().front();
    metrics.setSize(largest.width, largest.height);
  }
  metrics.setFullscreen(!options.windowed);
  metrics.setAntialiasing(0);
  metrics.setVsync(true);
  metrics.setQuality(options.quality);
}

int playDemo(ScreenMetrics& metrics, const LauncherOptions& options, int source) {
  std::cout << "Run demo" << std::endl;
  Demo* demo = new Demo();
  KVRDemosys::progressBar = new BrinovaProgressBar();
  KVRDemosys::shaderCache = new BrinovaShaderCache();
  KVRDemosys::resources = new BrinovaResources();
  if (options.hasFrom) demo->startFrom(options.fromMs);
  demo->load(&metrics, source);
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
  if (!options.parse(std::vector<std::string>(argv + 1, argv + argc))) return usageError(options.getError());
  if (options.helpRequested) {
    std::cout << LauncherOptions::help(PROGRAM);
    return 0;
  }
  if (options.versionRequested) {
    std::cout << PROGRAM << " " << KVR_VERSION << std::endl;
    return 0;
  }
  if (options.listTracksRequested) return listTracks();
  if (options.hasFrom && !options.checkFrom(productionEndMs())) return usageError(options.getError());
  int source = 1;
  if (!options.resourceDirectory.empty()) {
    std::string root;
    if (!options.resourceRoot(root)) return usageError(options.getError());
    // The directory source reads "resources/..." from the working folder.
    if (chdir(root.c_str()) != 0)
      return usageError("--resources: cannot enter '" + root + "': " + std::strerror(errno));
    source = 0;
  }

  // Before the dialog starts SDL: SDL leaves handlers that are already in place alone, instead
  // of turning the signals into quit events that the frame loop ignores.
  StopRequest::install();
  ScreenMetrics metrics;
  bool start = true;
  if (options.noDialog)
    chooseWithoutDialog(options, metrics);
  else
    start = chooseInDialog(options, metrics);
  if (!start) {
    std::cout << "Quit demo" << std::endl;
    return StopRequest::exitStatus();
  }
  return playDemo(metrics, options, source);
}

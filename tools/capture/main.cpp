#include "capture/CaptureProgram.h"
#include "content/BrinovaProgressBar.h"
#include "content/BrinovaResources.h"
#include "demosys/core/KVRDemosys.h"

// Brinova rendered to pictures, video and a report instead of played: see --help.
int main(int argc, char** argv) {
  KVRDemosys::progressBar = new BrinovaProgressBar();
  KVRDemosys::resources = new BrinovaResources();
  return runCaptureProgram("brinova-capture", argc, argv);
}

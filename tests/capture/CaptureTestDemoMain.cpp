#include "capture/CaptureProgram.h"
#include "capture/CaptureTestDemo.h"
#include "demosys/core/KVRDemosys.h"

// The capture program over the test production, run by the capture tests.
int main(int argc, char** argv) {
  KVRDemosys::resources = new CaptureTestDemo();
  return runCaptureProgram("capture_test_demo", argc, argv);
}

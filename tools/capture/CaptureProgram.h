#pragma once

#include <string>

// The capture program over whatever demo the caller put into KVRDemosys (resources and,
// optionally, progress bar): options, checks, display, capture, outputs. Returns the exit
// status: 0 complete, 1 failed or stopped by Escape, 2 bad options (a range outside the demo
// included), 128 + the signal for a capture stopped by SIGINT or SIGTERM.
int runCaptureProgram(const std::string& program, int argc, char** argv);

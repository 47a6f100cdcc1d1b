#pragma once

#include <string>

// The capture program over whatever demo the caller put into KVRDemosys (resources and,
// optionally, progress bar): options, display, capture, outputs. Returns the exit status:
// 0 done, 1 failed, 2 bad options.
int runCaptureProgram(const std::string& program, int argc, char** argv);

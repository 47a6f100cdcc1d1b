#include "capture/LostDisplay.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <thread>

namespace {

const int MAX_REMOVALS = 4;
const size_t MAX_PATH_BYTES = 4096;

std::string programName;
std::thread::id mainThread;
std::function<void()> finishing;
// Plain arrays: read by a thread that must not allocate or wait for the main thread.
char removals[MAX_REMOVALS][MAX_PATH_BYTES];
int removalCount = 0;
bool lost = false;

extern "C" int displayLost(Display*) {
  // An X call made while finishing comes back here: what is left cannot be done.
  if (lost) _exit(1);
  lost = true;
  if (std::this_thread::get_id() == mainThread && finishing) {
    finishing();
  } else {
    for (int i = 0; i < removalCount; ++i) unlink(removals[i]);
    std::fprintf(stderr, "%s: the X server went away; the outputs could not be finished\n",
                 programName.c_str());
  }
  std::cout.flush();
  std::fflush(nullptr);
  // Not exit(): the GL driver's exit handlers would talk to the server that is gone.
  _exit(1);
}

}  // namespace

void LostDisplay::install(const std::string& program) {
  programName = program;
  mainThread = std::this_thread::get_id();
  XSetIOErrorHandler(displayLost);
}

void LostDisplay::onLoss(std::function<void()> finish) {
  finishing = std::move(finish);
  removalCount = 0;
}

void LostDisplay::removeOnLoss(const std::string& path) {
  if (removalCount == MAX_REMOVALS || path.size() >= MAX_PATH_BYTES) return;
  std::memcpy(removals[removalCount], path.c_str(), path.size() + 1);
  ++removalCount;
}

#include "capture/XvfbDisplay.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "demosys/core/StopRequest.h"

namespace {
const int START_TIMEOUT_MS = 20000;
}

bool XvfbDisplay::canOpen(const char* name) {
  if (!name || !*name) return false;
  Display* connection = XOpenDisplay(name);
  if (!connection) return false;
  XCloseDisplay(connection);
  return true;
}

bool XvfbDisplay::ensure(int width, int height) {
  const char* current = std::getenv("DISPLAY");
  if (canOpen(current)) {
    display = current;
    return true;
  }
  return start(width, height);
}

// The server writes its number and a newline once it listens; a signal ends the wait early.
std::string XvfbDisplay::readDisplayNumber(int channel) {
  std::string number;
  pollfd waiting{channel, POLLIN, 0};
  char c = 0;
  while (server.running() && poll(&waiting, 1, START_TIMEOUT_MS) > 0 && read(channel, &c, 1) == 1 &&
         c != '\n')
    number += c;
  return number;
}

bool XvfbDisplay::start(int width, int height) {
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) {
    error = "Cannot start Xvfb: no pipe";
    return false;
  }
  const std::string screen =
      std::to_string(std::max(width, 1280)) + "x" + std::to_string(std::max(height, 1024)) + "x24";
  ChildProcess::Setup setup;
  setup.kept = channel[1];
  setup.quiet = true;
  server.start({"Xvfb", "-displayfd", std::to_string(channel[1]), "-screen", "0", screen, "+extension", "GLX",
                "-nolisten", "tcp", "-noreset"},
               setup);
  close(channel[1]);
  const std::string number = readDisplayNumber(channel[0]);
  close(channel[0]);
  if (number.empty()) {
    stop();
    error = "No display, and Xvfb could not be started";
    return false;
  }
  display = ":" + number;
  // The number comes when the server listens; clients may still be turned away a moment. The
  // server runs with -noreset, since this probe's disconnection would otherwise reset it.
  for (int waited = 0; !StopRequest::requested() && !canOpen(display.c_str()) && waited < START_TIMEOUT_MS;
       waited += 50)
    usleep(50 * 1000);
  setenv("DISPLAY", display.c_str(), 1);
  return true;
}

void XvfbDisplay::stop() { server.stop(SIGTERM); }

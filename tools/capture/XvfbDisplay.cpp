#include "capture/XvfbDisplay.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace {
const int START_TIMEOUT_MS = 20000;
}

XvfbDisplay::~XvfbDisplay() { stop(); }

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

bool XvfbDisplay::start(int width, int height) {
  int channel[2];
  if (pipe(channel) != 0) {
    error = "Cannot start Xvfb: no pipe";
    return false;
  }
  const std::string screen =
      std::to_string(std::max(width, 1280)) + "x" + std::to_string(std::max(height, 1024)) + "x24";
  const std::string descriptor = std::to_string(channel[1]);
  pid = fork();
  if (pid == 0) {
    close(channel[0]);
    int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
    execlp("Xvfb", "Xvfb", "-displayfd", descriptor.c_str(), "-screen", "0", screen.c_str(), "+extension",
           "GLX", "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(channel[1]);
  std::string number;
  pollfd waiting{channel[0], POLLIN, 0};
  char c = 0;
  while (pid > 0 && poll(&waiting, 1, START_TIMEOUT_MS) > 0 && read(channel[0], &c, 1) == 1 && c != '\n')
    number += c;
  close(channel[0]);
  if (pid < 0 || number.empty()) {
    stop();
    error = "No display, and Xvfb could not be started";
    return false;
  }
  display = ":" + number;
  // The number comes when the server listens; clients may still be turned away a moment. The
  // server runs with -noreset, since this probe's disconnection would otherwise reset it.
  for (int waited = 0; !canOpen(display.c_str()) && waited < START_TIMEOUT_MS; waited += 50)
    usleep(50 * 1000);
  setenv("DISPLAY", display.c_str(), 1);
  return true;
}

void XvfbDisplay::stop() {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

#pragma once

#include <string>

#include "capture/ChildProcess.h"

// Makes sure the program has an X display: the one in DISPLAY when it can be opened, else a
// private Xvfb screen (with GLX) that picks a free display number itself and is stopped again.
class XvfbDisplay {
 public:
  // width and height: the least screen size needed.
  bool ensure(int width, int height);
  bool started() const { return server.running(); }
  const std::string& getDisplay() const { return display; }
  const std::string& getError() const { return error; }
  void stop();

  static bool canOpen(const char* name);

 private:
  bool start(int width, int height);
  std::string readDisplayNumber(int channel);

  ChildProcess server;
  std::string display;
  std::string error;
};

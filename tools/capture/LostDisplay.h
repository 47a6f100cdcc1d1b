#pragma once

#include <functional>
#include <string>

// The X server going away during a capture (a killed Xvfb, a closed session). Xlib ends the
// process once its I/O error handler returns; the capture's handler first finishes what can
// still be finished safely, then exits with status 1. Noticed on the main thread (the usual
// case: it is inside an X call between the capture's own steps), the registered function
// finishes the outputs. Noticed on another thread (the GL driver's), the main thread may be
// anywhere: only the files registered for removal are removed, and the children end with the
// process (see ChildProcess).
class LostDisplay {
 public:
  // Before SDL starts: SDL's own handler then hands the loss on to this one. `program` prefixes
  // the message.
  static void install(const std::string& program);
  // An empty function for nothing; also forgets the files registered for removal.
  static void onLoss(std::function<void()> finish);
  // A temporary file of the capture's; a few at most.
  static void removeOnLoss(const std::string& path);
};

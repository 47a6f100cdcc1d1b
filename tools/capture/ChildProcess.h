#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A program the capture runs beside itself (Xvfb, ffmpeg), in a process group of its own: a
// terminal's Ctrl-C goes to the whole foreground group, and must reach only the capture, which
// then stops its children in order. A child is also sent SIGTERM by the system should the
// capture end without stopping it.
class ChildProcess {
 public:
  struct Setup {
    // Becomes the child's standard input; -1 keeps the capture's.
    int input = -1;
    // Stays open in the child (a descriptor the child is told to write to); -1 for none.
    int kept = -1;
    // Standard output and error to /dev/null.
    bool quiet = false;
    // Added to the child's nice value.
    int niceness = 0;
  };

  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Stops a child still running.
  ~ChildProcess();

  // arguments[0] is looked up on PATH. False when the process could not be made; a program
  // that cannot be run shows as a child ending at once with status 127.
  bool start(const std::vector<std::string>& arguments, const Setup& setup);
  bool running() const { return pid > 0; }
  pid_t getPid() const { return pid; }
  // Waits for the child to end by itself; its wait status, -1 when none was running.
  int wait();
  // Sends `signal` to the child's group and waits for the child; its wait status.
  int stop(int signal);

 private:
  pid_t pid = -1;
};

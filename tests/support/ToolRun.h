#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

// How a program of the build ended and what it printed on each stream.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs build/PROGRAM with `arguments` (shell words, quoted by the caller).
inline ToolRun runTool(const std::string& program, const std::string& arguments) {
  TempDir logs;
  std::string command = std::string(KVR_BINARY_DIR) + "/" + program + " " + arguments + " >" + logs.path() +
                        "/out 2>" + logs.path() + "/err";
  int wait = std::system(command.c_str());
  ToolRun run;
  run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  run.out = readFile(logs.path() + "/out");
  run.err = readFile(logs.path() + "/err");
  return run;
}

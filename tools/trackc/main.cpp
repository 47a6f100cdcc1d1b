#include <iostream>
#include <string>

#include "trackc/TrackCompiler.h"

// trackc compile TIMELINE OUTDIR | trackc dump DIR. The dump goes to standard output, so
// failures are reported on standard error.
int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  TrackCompiler compiler;
  bool done = false;
  if (command == "compile" && argc == 4) {
    done = compiler.Compile(argv[2], argv[3]);
  } else if (command == "dump" && argc == 3) {
    done = compiler.Dump(argv[2], std::cout);
  } else {
    std::cerr << "usage: trackc compile TIMELINE OUTDIR | trackc dump DIR" << std::endl;
    return 2;
  }
  if (!done) std::cerr << "trackc: " << compiler.GetError() << std::endl;
  return done ? 0 : 1;
}

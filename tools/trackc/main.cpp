#include <iostream>
#include <string>
#include <vector>

#include "common/PendingFile.h"
#include "trackc/TrackCompiler.h"

namespace {

const char* const USAGE = "usage: trackc compile TIMELINE OUTDIR | trackc dump DIR";
const char* const HELP =
    "Turns the demo's timeline text into the packed track files, and packed files back into text.\n"
    "\n"
    "  compile TIMELINE OUTDIR  read TIMELINE and write OUTDIR/index.list and OUTDIR/track.data,\n"
    "                           creating OUTDIR; the previous pair stays until both are complete\n"
    "  dump DIR                 print DIR/index.list and DIR/track.data as timeline text\n"
    "  --help                   print this text\n"
    "  --version                print the program's name and version\n";

int run(const std::vector<std::string>& arguments) {
  const std::string command = arguments.empty() ? "" : arguments[0];
  TrackCompiler compiler;
  bool done = false;
  if (command == "compile" && arguments.size() == 3) {
    done = compiler.Compile(arguments[1], arguments[2]);
  } else if (command == "dump" && arguments.size() == 2) {
    done = compiler.Dump(arguments[1], std::cout);
    if (done && !std::cout.flush()) {
      std::cerr << "trackc: cannot write to standard output" << std::endl;
      return 1;
    }
  } else {
    std::cerr << USAGE << std::endl;
    return 2;
  }
  if (!done) std::cerr << "trackc: " << compiler.GetError() << std::endl;
  return done ? 0 : 1;
}

}  // namespace

// The dump goes to standard output, so everything else the program says goes to standard error.
int main(int argc, char** argv) {
  PendingFile::installSignalCleanup();
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && arguments[0] == "--help") {
    std::cout << USAGE << "\n\n" << HELP;
    return 0;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    std::cout << "trackc " << KVR_VERSION << std::endl;
    return 0;
  }
  return run(arguments);
}

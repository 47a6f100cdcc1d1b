#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/PendingFile.h"
#include "trackc/TrackCompiler.h"

namespace {

const char* const USAGE = "usage: trackc compile [--effects FILE] TIMELINE OUTDIR | trackc dump DIR";
const char* const HELP =
    "Turns the demo's timeline text into the packed track files, and packed files back into text.\n"
    "\n"
    "  compile TIMELINE OUTDIR  read TIMELINE and write OUTDIR/index.list and OUTDIR/track.data,\n"
    "                           creating OUTDIR; the previous pair stays until both are complete\n"
    "    --effects FILE         fail on every instance or track name of TIMELINE that FILE does\n"
    "                           not list (one line per instance: its name, then its track names;\n"
    "                           `brinova --list-tracks` prints the production's)\n"
    "  dump DIR                 print DIR/index.list and DIR/track.data as timeline text\n"
    "  --help                   print this text\n"
    "  --version                print the program's name and version\n";

// The words after "compile": TIMELINE and OUTDIR, with "--effects FILE" anywhere among them.
bool parseCompile(const std::vector<std::string>& arguments, std::vector<std::string>& paths,
                  std::string& effects) {
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] != "--effects") {
      paths.push_back(arguments[i]);
    } else if (i + 1 < arguments.size() && effects.empty()) {
      effects = arguments[++i];
    } else {
      return false;
    }
  }
  return paths.size() == 2 && paths[0].rfind("--", 0) != 0 && paths[1].rfind("--", 0) != 0;
}

// One line per problem: a timeline checked against an effects list names every unknown name.
void printError(const std::string& error) {
  std::istringstream lines(error);
  for (std::string line; std::getline(lines, line);) std::cerr << "trackc: " << line << std::endl;
}

int run(const std::vector<std::string>& arguments) {
  const std::string command = arguments.empty() ? "" : arguments[0];
  TrackCompiler compiler;
  bool done = false;
  std::vector<std::string> paths;
  std::string effects;
  if (command == "compile" && parseCompile(arguments, paths, effects)) {
    done = compiler.Compile(paths[0], paths[1], effects);
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
  if (!done) printError(compiler.GetError());
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

#include "launcher/LauncherOptions.h"

bool LauncherOptions::parse(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--help") {
      helpRequested = true;
    } else if (argument == "--version") {
      versionRequested = true;
    } else if (argument == "--list-tracks") {
      listTracksRequested = true;
    } else {
      error = "unknown argument '" + argument + "'";
      return false;
    }
  }
  return true;
}

std::string LauncherOptions::usage(const std::string& program) {
  return "usage: " + program + " [--help] [--version] [--list-tracks]\n";
}

std::string LauncherOptions::help(const std::string& program) {
  return usage(program) +
         "\n"
         "Plays the real-time demo Brinova in step with its music. Opens the launcher dialog\n"
         "\"Kelvaro Demosys v.1.0\" to choose the resolution, full screen, vertical sync,\n"
         "antialiasing and quality; \"Start!\" loads \"resources.7z\" from the working directory and\n"
         "plays the demo to its end or until Escape, \"Exit!\" quits. Progress and the closing\n"
         "report go to standard output.\n"
         "\n"
         "  --help         this text\n"
         "  --version      the program's version\n"
         "  --list-tracks  each effect instance and its track names, one line each, without\n"
         "                 opening a window (for `trackc compile --effects`)\n"
         "\n"
         "Ctrl-C or SIGTERM ends the run like Escape. Exit status: 0 when the demo ended or was\n"
         "quit, 1 when it failed to load, 2 for a bad command line, 128 + the signal's number after\n"
         "a signal.\n";
}

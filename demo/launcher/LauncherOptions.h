#pragma once

#include <string>
#include <vector>

// The command line of the demo program. Without arguments the launcher dialog decides
// everything; options only answer questions about the program for now.
class LauncherOptions {
 public:
  // False with a message on the first argument that is not an option of the program.
  bool parse(const std::vector<std::string>& arguments);
  static std::string usage(const std::string& program);
  static std::string help(const std::string& program);
  const std::string& getError() const { return error; }

  bool helpRequested = false;
  bool versionRequested = false;
  // Print the production's instances and their track names (what `trackc --effects` reads).
  bool listTracksRequested = false;

 private:
  std::string error;
};

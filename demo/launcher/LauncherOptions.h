#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The command line of the demo program. Without arguments the launcher dialog decides
// everything; the options preset the dialog's choices or, with --no-dialog, replace it.
class LauncherOptions {
 public:
  static constexpr int MAX_SIZE = 16384;
  static constexpr int MAX_QUALITY = 3;

  // False with a message on the first argument that is not an option of the program or whose
  // value is bad.
  bool parse(const std::vector<std::string>& arguments);
  // False with a message when --from lies past the production's end.
  bool checkFrom(uint32_t endMs);
  // The folder to work in so that the directory source's "resources/..." paths land in the
  // --resources tree: the tree's parent when it is named "resources", else the folder itself
  // when it holds "resources/". False with a message for any other folder.
  bool resourceRoot(std::string& root);
  static std::string usage(const std::string& program);
  static std::string help(const std::string& program);
  const std::string& getError() const { return error; }

  bool helpRequested = false;
  bool versionRequested = false;
  // Print the production's instances and their track names (what `trackc --effects` reads).
  bool listTracksRequested = false;

  bool hasSize = false;
  int width = 0;
  int height = 0;
  bool windowed = false;
  bool hasQuality = false;
  int quality = 2;
  // Empty: the archive.
  std::string resourceDirectory;
  bool hasFrom = false;
  uint32_t fromMs = 0;
  bool noDialog = false;

 private:
  bool parseValue(const std::string& option, const std::string& value);
  bool parseSize(const std::string& value);
  bool parseQuality(const std::string& value);
  bool parseFrom(const std::string& value);
  bool fail(const std::string& text);

  std::string error;
};

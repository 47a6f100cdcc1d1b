#include "launcher/LauncherOptions.h"

#include <sys/stat.h>

#include <cstdlib>

#include "demosys/core/TimeCode.h"

namespace {

bool isDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A whole decimal number without sign, at most `digits` long.
bool readNumber(const std::string& text, size_t maxDigits, long& number) {
  if (text.empty() || text.size() > maxDigits) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  number = std::strtol(text.c_str(), nullptr, 10);
  return true;
}

std::string timeText(uint32_t ms) {
  const std::string formatted = TimeCode::fromMilliseconds(ms).format();
  return formatted.substr(formatted.find('[') + 1, 9);
}

}  // namespace

bool LauncherOptions::fail(const std::string& text) {
  error = text;
  return false;
}

bool LauncherOptions::parse(const std::vector<std::string>& arguments) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const size_t equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    if (option == "--size" || option == "--quality" || option == "--resources" || option == "--from") {
      std::string value;
      if (equals != std::string::npos)
        value = argument.substr(equals + 1);
      else if (i + 1 < arguments.size())
        value = arguments[++i];
      else
        return fail("option '" + option + "' needs a value");
      if (!parseValue(option, value)) return false;
    } else if (argument == "--help") {
      helpRequested = true;
    } else if (argument == "--version") {
      versionRequested = true;
    } else if (argument == "--list-tracks") {
      listTracksRequested = true;
    } else if (argument == "--windowed") {
      windowed = true;
    } else if (argument == "--no-dialog") {
      noDialog = true;
    } else {
      return fail("unknown argument '" + argument + "'");
    }
  }
  return true;
}

bool LauncherOptions::parseValue(const std::string& option, const std::string& value) {
  if (option == "--size") return parseSize(value);
  if (option == "--quality") return parseQuality(value);
  if (option == "--from") return parseFrom(value);
  if (value.empty()) return fail("--resources: the folder name is empty");
  resourceDirectory = value;
  return true;
}

bool LauncherOptions::parseSize(const std::string& value) {
  const size_t x = value.find('x');
  long w = 0;
  long h = 0;
  if (x == std::string::npos || !readNumber(value.substr(0, x), 5, w) ||
      !readNumber(value.substr(x + 1), 5, h) || w < 1 || h < 1 || w > MAX_SIZE || h > MAX_SIZE)
    return fail("--size: '" + value + "' is not WIDTHxHEIGHT with each from 1 to " +
                std::to_string(MAX_SIZE));
  hasSize = true;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool LauncherOptions::parseQuality(const std::string& value) {
  long level = 0;
  if (!readNumber(value, 1, level) || level > MAX_QUALITY)
    return fail("--quality: '" + value + "' is not 0 (Low), 1 (Medium), 2 (High) or 3 (Ultra)");
  hasQuality = true;
  quality = static_cast<int>(level);
  return true;
}

// Stricter than the timeline's times: two-digit seconds below 60, three-digit milliseconds.
bool LauncherOptions::parseFrom(const std::string& value) {
  const size_t first = value.find(':');
  const size_t second = first == std::string::npos ? first : value.find(':', first + 1);
  long minutes = 0;
  long seconds = 0;
  long milliseconds = 0;
  if (second == std::string::npos || !readNumber(value.substr(0, first), 3, minutes) ||
      value.substr(first + 1, second - first - 1).size() != 2 ||
      !readNumber(value.substr(first + 1, second - first - 1), 2, seconds) || seconds > 59 ||
      value.size() - second - 1 != 3 || !readNumber(value.substr(second + 1), 3, milliseconds))
    return fail("--from: '" + value + "' is not a time mm:ss:mmm (such as 01:10:000)");
  hasFrom = true;
  fromMs = static_cast<uint32_t>(minutes * 60000 + seconds * 1000 + milliseconds);
  return true;
}

bool LauncherOptions::checkFrom(uint32_t endMs) {
  if (!hasFrom || fromMs <= endMs) return true;
  return fail("--from: " + timeText(fromMs) + " is past the end of the demo (" + timeText(endMs) + ")");
}

bool LauncherOptions::resourceRoot(std::string& root) {
  std::string tree = resourceDirectory;
  while (tree.size() > 1 && tree.back() == '/') tree.pop_back();
  const size_t slash = tree.rfind('/');
  const std::string name = slash == std::string::npos ? tree : tree.substr(slash + 1);
  if (name == "resources" && isDirectory(tree)) {
    root = slash == std::string::npos ? "." : (slash == 0 ? "/" : tree.substr(0, slash));
    return true;
  }
  if (isDirectory(tree + "/resources")) {
    root = tree;
    return true;
  }
  return fail("--resources: '" + resourceDirectory +
              "' is neither a folder named resources nor a folder that holds one");
}

std::string LauncherOptions::usage(const std::string& program) {
  return "usage: " + program +
         " [--help] [--version] [--list-tracks] [--size WxH] [--windowed] [--quality 0-3]\n"
         "       [--resources DIR] [--from mm:ss:mmm] [--no-dialog]\n";
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
         "  --help             this text\n"
         "  --version          the program's version\n"
         "  --list-tracks      each effect instance and its track names, one line each, without\n"
         "                     opening a window (for `trackc compile --effects`)\n"
         "  --size WxH         the window or screen size, such as 1280x720\n"
         "  --windowed         a window instead of the full screen\n"
         "  --quality 0-3      0 Low, 1 Medium, 2 High (the default), 3 Ultra\n"
         "  --resources DIR    read the loose resource tree DIR (such as build/resources) instead\n"
         "                     of the archive; DIR is named resources or holds resources/\n"
         "  --from mm:ss:mmm   start the music and the clock at that time\n"
         "  --no-dialog        start at once with these choices (without --size: the largest\n"
         "                     screen mode)\n"
         "\n"
         "Keys while the demo plays: Escape quits, Space pauses and resumes, Left and Right seek\n"
         "one bar (2 s), Home goes back to where the run started, F5 reloads the shaders, F6 the\n"
         "tracks, T shows or hides the time, row, bar, beat and active instances.\n"
         "\n"
         "Ctrl-C or SIGTERM ends the run like Escape. Exit status: 0 when the demo ended or was\n"
         "quit, 1 when it failed to load, 2 for a bad command line, 128 + the signal's number after\n"
         "a signal.\n";
}

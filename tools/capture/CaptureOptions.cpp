#include "capture/CaptureOptions.h"

#include <cstdio>
#include <cstdlib>
#include <set>

#include "demosys/core/TimeCode.h"

namespace {

const std::set<std::string> OPTIONS_WITH_VALUE = {"--size", "--quality", "--fps",   "--from",
                                                  "--to",   "--frames",  "--video", "--report"};
const long LARGEST_SIDE = 8192;
const long HIGHEST_RATE = 1000;

bool isDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

bool CaptureOptions::bad(const std::string& text) {
  error = text;
  return false;
}

bool CaptureOptions::parse(const std::vector<std::string>& arguments) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--help") {
      helpRequested = true;
    } else if (option == "--version") {
      versionRequested = true;
    } else if (option == "--quiet") {
      quiet = true;
    } else if (option == "--overwrite") {
      overwrite = true;
    } else if (OPTIONS_WITH_VALUE.count(option)) {
      if (i + 1 >= arguments.size()) return bad(option + " needs a value");
      if (!parseOption(option, arguments[++i])) return false;
    } else {
      return bad("unknown option '" + option + "'");
    }
  }
  if (settings.hasTo && settings.toMs <= settings.fromMs) return bad("--to must lie after --from");
  // A run that keeps nothing would render for minutes for nothing.
  if (!helpRequested && !versionRequested && framesDirectory.empty() && videoFile.empty() &&
      reportFile.empty())
    return bad("nothing to keep: give --frames DIR, --video FILE or --report FILE");
  return true;
}

bool CaptureOptions::parseOption(const std::string& option, const std::string& value) {
  long number = 0;
  if (option == "--size") return parseSize(value);
  if (option == "--quality") {
    if (!parseNumber(option, value, 0, 3, number)) return false;
    settings.quality = static_cast<int>(number);
  } else if (option == "--fps") {
    if (!parseNumber(option, value, 1, HIGHEST_RATE, number)) return false;
    settings.framesPerSecond = static_cast<uint32_t>(number);
  } else if (option == "--from") {
    return parseTime(option, value, settings.fromMs);
  } else if (option == "--to") {
    settings.hasTo = true;
    return parseTime(option, value, settings.toMs);
  } else if (value.empty()) {
    return bad(option + " needs a value");
  } else if (option == "--frames") {
    framesDirectory = value;
  } else if (option == "--video") {
    videoFile = value;
  } else {
    reportFile = value;
  }
  return true;
}

bool CaptureOptions::parseSize(const std::string& value) {
  const size_t cross = value.find('x');
  long width = 0, height = 0;
  if (cross == std::string::npos) return bad("--size expects WIDTHxHEIGHT, found '" + value + "'");
  if (!parseNumber("--size", value.substr(0, cross), 16, LARGEST_SIDE, width) ||
      !parseNumber("--size", value.substr(cross + 1), 16, LARGEST_SIDE, height))
    return bad("--size expects WIDTHxHEIGHT, each 16 to " + std::to_string(LARGEST_SIDE) + ", found '" +
               value + "'");
  settings.width = static_cast<int>(width);
  settings.height = static_cast<int>(height);
  return true;
}

bool CaptureOptions::parseNumber(const std::string& option, const std::string& value, long low, long high,
                                 long& out) {
  const std::string range = std::to_string(low) + " to " + std::to_string(high);
  if (!isDigits(value) || value.size() > 9)
    return bad(option + " expects a number " + range + ", found '" + value + "'");
  out = std::strtol(value.c_str(), nullptr, 10);
  if (out < low || out > high) return bad(option + " expects a number " + range + ", found '" + value + "'");
  return true;
}

bool CaptureOptions::parseTime(const std::string& option, const std::string& value, uint32_t& out) {
  const TimeCode time = TimeCode::parse(value);
  // The engine's reader also takes signs and wide fields; a command line wants plain mm:ss:mmm.
  const bool plain = value.size() == 9 && isDigits(value.substr(0, 2)) && value[2] == ':' &&
                     isDigits(value.substr(3, 2)) && value[5] == ':' && isDigits(value.substr(6, 3));
  if (!time.valid || !plain || time.seconds > 59)
    return bad(option + " expects mm:ss:mmm, found '" + value + "'");
  out = time.total;
  return true;
}

std::string CaptureOptions::timeText(uint32_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%02u:%02u:%03u", ms / 60000, ms / 1000 % 60, ms % 1000);
  return text;
}

std::string CaptureOptions::usage(const std::string& program) {
  return "Usage: " + program +
         " [--size WxH] [--quality 0-3] [--fps N] [--from mm:ss:mmm] [--to mm:ss:mmm] [--frames DIR]"
         " [--video FILE] [--report FILE] [--overwrite] [--quiet] [--help] [--version]";
}

std::string CaptureOptions::help(const std::string& program) {
  return usage(program) +
         "\n"
         "Renders the demo from resources.7z in the working directory on a fixed clock:\n"
         "frame n shows the time FROM + n x 1000 / FPS ms, however long it takes to draw.\n"
         "  --size WxH        window size (default 1280x720); the letterboxed picture is saved\n"
         "  --quality 0-3     quality level, 0 Low to 3 Ultra (default 2)\n"
         "  --fps N           frames per demo second (default 60)\n"
         "  --from mm:ss:mmm  first frame's time (default 00:00:000)\n"
         "  --to mm:ss:mmm    end of the range (default the demo's end time)\n"
         "  --frames DIR      one PNG per frame, DIR/frame_000000.png ...\n"
         "  --video FILE      H.264 MP4 with the music in sync (needs ffmpeg)\n"
         "  --report FILE     JSON: every frame's instances, errors and luminance, and a summary\n"
         "  --overwrite       remove the frame files already in DIR (without it, such a DIR is refused)\n"
         "  --quiet           no progress bar on standard error\n"
         "  --help            this text\n"
         "  --version         the program's version\n"
         "At least one of --frames, --video and --report is needed. A range running past the demo's\n"
         "end is cut there. Ctrl-C, SIGTERM or Escape stops the capture early: the video and the\n"
         "report are finished with the frames rendered, the report's \"status\" saying why it\n"
         "stopped, and the exit status is 130 (SIGINT), 143 (SIGTERM) or 1.\n"
         "Without a display the program starts its own Xvfb.\n";
}

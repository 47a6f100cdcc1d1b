#include "capture/VideoEncoder.h"

#include <sys/wait.h>

#include <cstdlib>

namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string seconds(uint64_t numerator, uint64_t denominator) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", static_cast<double>(numerator) / static_cast<double>(denominator));
  return text;
}

}  // namespace

VideoEncoder::~VideoEncoder() {
  if (pipe) close();
}

bool VideoEncoder::available() { return std::system("command -v ffmpeg >/dev/null 2>&1") == 0; }

// The encoder runs at a lower priority than the renderer: it keeps up easily, and left at the
// same priority it takes turns on the cores with the rendering thread and inflates the
// instances' CPU times in the report.
std::string VideoEncoder::command(const Settings& settings) {
  const std::string duration = seconds(settings.frameCount, settings.framesPerSecond);
  std::string line = "nice -n 10 ffmpeg -hide_banner -loglevel error -nostdin -y -f rawvideo -pix_fmt rgb24 -s " +
                     std::to_string(settings.width) + "x" + std::to_string(settings.height) + " -framerate " +
                     std::to_string(settings.framesPerSecond) + " -i pipe:0";
  if (!settings.musicFile.empty())
    line += " -ss " + seconds(settings.fromMs, 1000) + " -t " + duration + " -i " + quoted(settings.musicFile);
  line += " -map 0:v";
  if (!settings.musicFile.empty()) line += " -map 1:a -c:a aac -b:a 192k";
  // H.264 in 4:2:0 wants even sides; an odd one gets a black line.
  line += " -vf 'pad=ceil(iw/2)*2:ceil(ih/2)*2' -c:v libx264 -preset veryfast -crf 18 -pix_fmt yuv420p";
  line += " -t " + duration + " -movflags +faststart " + quoted(settings.outputFile);
  return line;
}

bool VideoEncoder::open(const Settings& settings) {
  outputFile = settings.outputFile;
  frameBytes = static_cast<size_t>(settings.width) * settings.height * 3;
  pipe = popen(command(settings).c_str(), "w");
  if (!pipe) error = "Cannot start ffmpeg for '" + outputFile + "'";
  return pipe != nullptr;
}

bool VideoEncoder::write(const std::vector<uint8_t>& topDownRgb) {
  if (!pipe || topDownRgb.size() < frameBytes || std::fwrite(topDownRgb.data(), 1, frameBytes, pipe) != frameBytes) {
    error = "ffmpeg stopped taking frames for '" + outputFile + "'";
    return false;
  }
  return true;
}

bool VideoEncoder::close() {
  if (!pipe) return false;
  const int status = pclose(pipe);
  pipe = nullptr;
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = "ffmpeg failed to write '" + outputFile + "'";
    return false;
  }
  return true;
}

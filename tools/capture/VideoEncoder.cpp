#include "capture/VideoEncoder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/PendingFile.h"

namespace {

const int ENCODER_NICENESS = 10;

std::string seconds(uint64_t numerator, uint64_t denominator) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", static_cast<double>(numerator) / static_cast<double>(denominator));
  return text;
}

bool writeAll(int descriptor, const uint8_t* bytes, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(descriptor, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

VideoEncoder::VideoEncoder() = default;

VideoEncoder::~VideoEncoder() { discard(); }

bool VideoEncoder::fail(const std::string& text) {
  error = text;
  return false;
}

bool VideoEncoder::available() { return std::system("command -v ffmpeg >/dev/null 2>&1") == 0; }

// The music is padded with silence and the output ends with the shortest stream: a capture that
// stops early gets a video as long as its frames, with the music cut to the same length, and a
// range past the music's end still gets all its frames. The output format is named because the
// temporary file name has no extension to go by.
std::vector<std::string> VideoEncoder::arguments(const Settings& settings) {
  const std::string duration = seconds(settings.frameCount, settings.framesPerSecond);
  std::vector<std::string> line = {
      "ffmpeg",     "-hide_banner",
      "-loglevel",  "error",
      "-nostdin",   "-y",
      "-f",         "rawvideo",
      "-pix_fmt",   "rgb24",
      "-s",         std::to_string(settings.width) + "x" + std::to_string(settings.height),
      "-framerate", std::to_string(settings.framesPerSecond),
      "-i",         "pipe:0"};
  const bool music = !settings.musicFile.empty();
  if (music)
    line.insert(line.end(),
                {"-ss", seconds(settings.fromMs, 1000), "-t", duration, "-i", settings.musicFile});
  line.insert(line.end(), {"-map", "0:v"});
  if (music) line.insert(line.end(), {"-map", "1:a", "-af", "apad", "-c:a", "aac", "-b:a", "192k"});
  // H.264 in 4:2:0 wants even sides; an odd one gets a black line.
  line.insert(line.end(), {"-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264", "-preset", "veryfast",
                           "-crf", "18", "-pix_fmt", "yuv420p", "-shortest", "-t", duration, "-movflags",
                           "+faststart", "-f", "mp4", settings.outputFile});
  return line;
}

// The encoder runs at a lower priority than the renderer: it keeps up easily, and left at the
// same priority it takes turns on the cores with the rendering thread and inflates the
// instances' CPU times in the report.
bool VideoEncoder::open(const Settings& settings) {
  outputFile = settings.outputFile;
  frameBytes = static_cast<size_t>(settings.width) * settings.height * 3;
  video.reset(new PendingFile(outputFile));
  if (!video->create()) return fail("Cannot write the video: " + video->getError());
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) return fail("Cannot start ffmpeg for '" + outputFile + "': no pipe");
  Settings temporary = settings;
  temporary.outputFile = video->temporaryPath();
  ChildProcess::Setup setup;
  setup.input = channel[0];
  setup.niceness = ENCODER_NICENESS;
  const bool started = encoder.start(arguments(temporary), setup);
  ::close(channel[0]);
  input = channel[1];
  if (!started) {
    discard();
    return fail("Cannot start ffmpeg for '" + outputFile + "'");
  }
  return true;
}

bool VideoEncoder::write(const std::vector<uint8_t>& topDownRgb) {
  if (input < 0 || topDownRgb.size() < frameBytes || !writeAll(input, topDownRgb.data(), frameBytes))
    return fail("ffmpeg stopped taking frames for '" + outputFile + "'");
  return true;
}

std::string VideoEncoder::temporaryPath() const { return video ? video->temporaryPath() : ""; }

void VideoEncoder::closeInput() {
  if (input >= 0) ::close(input);
  input = -1;
}

bool VideoEncoder::close() {
  if (!encoder.running()) return fail("ffmpeg is not running for '" + outputFile + "'");
  closeInput();
  const int status = encoder.wait();
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    discard();
    return fail("ffmpeg failed to write '" + outputFile + "'");
  }
  if (!video->commit()) return fail("Cannot write the video: " + video->getError());
  return true;
}

void VideoEncoder::discard() {
  closeInput();
  encoder.stop(SIGTERM);
  if (video) video->discard();
}

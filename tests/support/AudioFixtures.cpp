#include "support/AudioFixtures.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace AudioFixtures {

namespace {

std::string shellQuoted(const std::string& text) { return "'" + text + "'"; }

// 16-bit stereo PCM, the left channel first.
bool writeWav(const std::string& path, const Tone& tone) {
  const uint32_t rate = tone.sampleRate, frames = static_cast<uint32_t>(tone.seconds * rate);
  std::string bytes;
  auto put = [&bytes](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
  };
  bytes += "RIFF";
  put(36 + frames * 4, 4);
  bytes += "WAVEfmt ";
  for (uint32_t field : {16u, 0x00020001u, rate, rate * 4, 0x00100004u}) put(field, 4);
  bytes += "data";
  put(frames * 4, 4);
  const double twoPi = 2.0 * std::acos(-1.0);
  for (uint32_t i = 0; i < frames; ++i)
    for (double hz : {tone.leftHz, tone.rightHz})
      put(static_cast<uint16_t>(
              static_cast<int16_t>(32767 * tone.amplitude * std::sin(twoPi * hz * i / rate))),
          2);
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace

std::string makeTempDir() {
  std::string name = (std::filesystem::temp_directory_path() / "kvr_audio_XXXXXX").string();
  return mkdtemp(name.data()) ? name : std::string();
}

void removeTree(const std::string& path) {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

bool makeMp3(const std::string& mp3Path, const Tone& tone) {
  std::string wavPath = mp3Path + ".wav";
  std::string command = "lame --quiet -b 192 " + shellQuoted(wavPath) + " " + shellQuoted(mp3Path);
  return writeWav(wavPath, tone) && std::system(command.c_str()) == 0;
}

bool pack7z(const std::string& dir, const std::string& archiveName, const std::string& entry) {
  std::string command = "cd " + shellQuoted(dir) + " && 7zz a -bd -bso0 -bsp0 " + shellQuoted(archiveName) +
                        " " + shellQuoted(entry);
  return std::system(command.c_str()) == 0;
}

}  // namespace AudioFixtures

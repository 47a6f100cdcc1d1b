#include "support/AudioFixtures.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TempDir.h"

namespace AudioFixtures {

std::string makeTempDir() {
  std::string name = (std::filesystem::temp_directory_path() / "kvr_audio_XXXXXX").string();
  return mkdtemp(name.data()) ? name : std::string();
}

void removeTree(const std::string& path) {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

bool makeMp3(const std::string& mp3Path, const Tone& tone) {
  // Raw 16-bit little-endian stereo PCM, the left channel first.
  std::string pcm;
  const double twoPi = 2.0 * std::acos(-1.0);
  for (int i = 0; i < static_cast<int>(tone.seconds * tone.sampleRate); ++i)
    for (double hz : {tone.leftHz, tone.rightHz}) {
      const auto sample =
          static_cast<int16_t>(32767 * tone.amplitude * std::sin(twoPi * hz * i / tone.sampleRate));
      pcm += {static_cast<char>(sample & 0xff), static_cast<char>((sample >> 8) & 0xff)};
    }
  const std::string pcmPath = mp3Path + ".pcm";
  const std::string command = "lame --quiet -r --signed --little-endian --bitwidth 16 -s " +
                              std::to_string(tone.sampleRate / 1000.0) + " -b 192 '" + pcmPath + "' '" +
                              mp3Path + "'";
  return std::ofstream(pcmPath, std::ios::binary) << pcm && std::system(command.c_str()) == 0;
}

std::string mp3(const Tone& tone) {
  static const TempDir dir;
  std::ostringstream path;
  path << dir.path() << "/" << tone.seconds << "s" << tone.sampleRate << "Hz" << tone.leftHz << "_"
       << tone.rightHz << "x" << tone.amplitude << ".mp3";
  return std::filesystem::exists(path.str()) || makeMp3(path.str(), tone) ? path.str() : std::string();
}

bool pack7z(const std::string& dir, const std::string& archiveName, const std::string& entry) {
  return std::system(
             ("cd '" + dir + "' && 7zz a -bd -bso0 -bsp0 '" + archiveName + "' '" + entry + "'").c_str()) ==
         0;
}

}  // namespace AudioFixtures

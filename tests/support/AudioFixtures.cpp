#include "support/AudioFixtures.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace AudioFixtures {

namespace {

void putU32(std::ofstream& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putU16(std::ofstream& out, uint16_t value) {
  out.put(static_cast<char>(value & 0xFF));
  out.put(static_cast<char>(value >> 8));
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

std::string makeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kvr_audio_XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  return mkdtemp(name.data()) ? std::string(name.data()) : std::string();
}

void removeTree(const std::string& path) {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

bool writeWav(const std::string& path, const Tone& tone) {
  const uint32_t frames = static_cast<uint32_t>(tone.seconds * tone.sampleRate);
  const uint32_t dataBytes = frames * 4;
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  putU32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  putU32(out, 16);
  putU16(out, 1);  // PCM
  putU16(out, 2);
  putU32(out, static_cast<uint32_t>(tone.sampleRate));
  putU32(out, static_cast<uint32_t>(tone.sampleRate) * 4);
  putU16(out, 4);
  putU16(out, 16);
  out.write("data", 4);
  putU32(out, dataBytes);
  const double twoPi = 2.0 * std::acos(-1.0);
  for (uint32_t i = 0; i < frames; ++i) {
    double t = double(i) / tone.sampleRate;
    putU16(out, static_cast<uint16_t>(
                    static_cast<int16_t>(32767 * tone.amplitude * std::sin(twoPi * tone.leftHz * t))));
    putU16(out, static_cast<uint16_t>(
                    static_cast<int16_t>(32767 * tone.amplitude * std::sin(twoPi * tone.rightHz * t))));
  }
  return static_cast<bool>(out);
}

bool encodeMp3(const std::string& wavPath, const std::string& mp3Path) {
  std::string command = "lame --quiet -b 192 " + quoted(wavPath) + " " + quoted(mp3Path);
  return std::system(command.c_str()) == 0;
}

bool makeMp3(const std::string& mp3Path, const Tone& tone) {
  std::string wavPath = mp3Path + ".wav";
  return writeWav(wavPath, tone) && encodeMp3(wavPath, mp3Path);
}

bool pack7z(const std::string& dir, const std::string& archiveName, const std::string& entry) {
  std::string command =
      "cd " + quoted(dir) + " && 7zz a -bd -bso0 -bsp0 " + quoted(archiveName) + " " + quoted(entry);
  return std::system(command.c_str()) == 0;
}

}  // namespace AudioFixtures

#pragma once

#include <string>

// Sound fixtures made at test time: a temporary folder, a sine tone encoded to MP3 with the
// lame tool, and 7z archives packed with 7zz.
namespace AudioFixtures {

// A fresh folder under the system's temporary directory; removed by removeTree.
std::string makeTempDir();
void removeTree(const std::string& path);

struct Tone {
  double seconds = 2.0;
  int sampleRate = 44100;
  double leftHz = 1000.0;
  double rightHz = 1000.0;
  double amplitude = 0.5;  // of full scale
};

// Writes the tone as a 192 kbit/s MP3 at `mp3Path` (its raw samples go beside it); false when
// lame fails.
bool makeMp3(const std::string& mp3Path, const Tone& tone);
// The tone as an MP3 made once per process in a folder removed at exit; empty when lame fails.
std::string mp3(const Tone& tone);
// Packs `entry` (relative to `dir`) into dir/archiveName, storing it under that relative path.
bool pack7z(const std::string& dir, const std::string& archiveName, const std::string& entry);

}  // namespace AudioFixtures

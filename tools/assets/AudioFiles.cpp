#include "AudioFiles.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

#include "common/PendingFile.h"

bool AudioFiles::writeMp3(const StereoBuffer& audio, int sampleRate, int kbps, const std::string& path) {
  lame_global_flags* lame = lame_init();
  if (!lame) return error_ = "Cannot start the MP3 encoder", false;
  lame_set_in_samplerate(lame, sampleRate);
  lame_set_out_samplerate(lame, sampleRate);
  lame_set_num_channels(lame, 2);
  lame_set_mode(lame, JOINT_STEREO);
  lame_set_brate(lame, kbps);
  lame_set_quality(lame, 7);
  lame_set_bWriteVbrTag(lame, 0);
  lame_set_write_id3tag_automatic(lame, 0);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    return error_ = "Cannot configure the MP3 encoder", false;
  }
  const int chunk = 8192;
  std::vector<unsigned char> encoded(static_cast<size_t>(1.25 * chunk + 7200));
  std::string bytes;
  for (size_t start = 0; start < audio.frames(); start += chunk) {
    int n = static_cast<int>(std::min<size_t>(chunk, audio.frames() - start));
    int size = lame_encode_buffer_ieee_float(lame, &audio.left[start], &audio.right[start], n, encoded.data(),
                                             static_cast<int>(encoded.size()));
    if (size < 0) break;
    bytes.append(reinterpret_cast<char*>(encoded.data()), size);
  }
  int size = lame_encode_flush(lame, encoded.data(), static_cast<int>(encoded.size()));
  if (size > 0) bytes.append(reinterpret_cast<char*>(encoded.data()), size);
  lame_close(lame);
  return writeWhole(bytes, path);
}

static void putLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool AudioFiles::writeWav(const StereoBuffer& audio, int sampleRate, const std::string& path) {
  uint32_t dataBytes = static_cast<uint32_t>(audio.frames() * 4);
  std::string bytes = "RIFF";
  putLittle(bytes, 36 + dataBytes, 4);
  bytes += "WAVEfmt ";
  putLittle(bytes, 16, 4);
  putLittle(bytes, 1, 2);
  putLittle(bytes, 2, 2);
  putLittle(bytes, static_cast<uint32_t>(sampleRate), 4);
  putLittle(bytes, static_cast<uint32_t>(sampleRate) * 4, 4);
  putLittle(bytes, 4, 2);
  putLittle(bytes, 16, 2);
  bytes += "data";
  putLittle(bytes, dataBytes, 4);
  for (size_t i = 0; i < audio.frames(); ++i)
    for (float s : {audio.left[i], audio.right[i]})
      putLittle(
          bytes,
          static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f))), 2);
  return writeWhole(bytes, path);
}

bool AudioFiles::writeWhole(const std::string& bytes, const std::string& path) {
  PendingFile output(path);
  if (!output.create()) return error_ = output.getError(), false;
  std::ofstream out(output.temporaryPath(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return error_ = "Cannot write '" + path + "'", false;
  if (!output.commit()) return error_ = output.getError(), false;
  return true;
}

// Checks the production's generated data files in the build tree (made by the build's
// brinova-assets step), and that a fresh run of the generator reproduces its pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "assets/AssetGenerator.h"
#include "assets/LoudnessMeter.h"
#include "assets/PngFile.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/io/Image.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

namespace {

const std::string kResources = std::string(KVR_BINARY_DIR) + "/resources";

// A picture as the engine's texture loader receives it.
struct Decoded {
  int width = 0, height = 0, bitsPerPixel = 0;
  std::vector<unsigned char> pixels;
  int at(int x, int y, int c) const {
    return pixels.at((static_cast<size_t>(y) * width + x) * bitsPerPixel / 8 + c);
  }
};

Decoded decode(const std::string& file) {
  Image image(kResources + "/graphics/" + file);
  EXPECT_TRUE(image.isValid()) << file << " does not decode; build the brinova-assets outputs first";
  return {image.getWidth(), image.getHeight(), image.getBitsPerPixel(), image.pixelBuffer()};
}

// Each size, width x height x bits per pixel, followed by the pictures that have it, as the
// effects and the loading screen use them.
const char* const kSizes =
    "1024x1024x32 FrameOverlay\n1024x256x32 Quor Mizt Ovar Sendrik KelvaroLogo BrinovaLogo\n"
    "1024x512x24 Loader1\n1024x512x32 Loader2\n"
    "128x128x24 Velocities Velocities2 Velocities3 Velocities4 Velocities5 Velocities6\n"
    "128x128x32 light Puff\n16x1x24 Kernel\n256x1x24 Threshold\n"
    "256x256x24 Waves1Normals Waves2Normals Waves3Normals Noise QuorSmall MiztSmall OvarSmall SendrikSmall "
    "KelvaroLogoSmall BrinovaLogoSmall\n512x512x24 OceanSurface\n64x64x32 Particle ParticleBlack\n";

// The pictures are made again here and must come out as the build's files, byte for byte.
TEST(AssetGeneratorTest, EveryPictureHasItsSizeAndDepthAndAFreshRunWritesTheSameBytes) {
  std::map<std::string, std::string> sizes;  // the pictures of each size
  TempDir fresh;
  PngFile png;
  AssetGenerator generator("/usr/share/fonts/truetype/dejavu");
  for (const AssetGenerator::Image& image : generator.images()) {
    const std::string& file = image.fileName;
    Decoded d = decode(file);
    sizes[std::to_string(d.width) + "x" + std::to_string(d.height) + "x" + std::to_string(d.bitsPerPixel)] +=
        " " + file.substr(0, file.size() - 4);
    ASSERT_TRUE(png.write(image.storedFlipped ? image.picture.flippedVertically() : image.picture,
                          image.channels, fresh.path() + "/" + file));
    EXPECT_TRUE(readFile(fresh.path() + "/" + file) == readFile(kResources + "/graphics/" + file))
        << file << " differs from a fresh run";
  }
  std::string listed;
  for (const auto& [size, names] : sizes) listed += size + names + "\n";
  EXPECT_EQ(kSizes, listed);
}

TEST(AssetGeneratorTest, NormalMapsHoldUnitNormalsAndTileWithoutSeam) {
  for (const char* file : {"Waves1Normals.png", "Waves2Normals.png", "Waves3Normals.png"}) {
    Decoded d = decode(file);
    const int w = d.width;
    auto n = [&](int x, int y, int c) { return d.at(x, y, c) / 127.5 - 1.0; };
    // It tiles: the largest step into a pixel from its left or upper neighbour, wrapping round, is
    // no larger across the seam (into the first column or row) than inside.
    int step[2] = {0, 0};
    double worst = 0.0;  // the largest error in a normal's length
    for (int i = 0; i < w * w * 3; ++i) {
      const int x = i / 3 % w, y = i / 3 / w, c = i % 3, here = d.at(x, y, c);
      step[x > 0] = std::max(step[x > 0], std::abs(here - d.at((x + w - 1) % w, y, c)));
      step[y > 0] = std::max(step[y > 0], std::abs(here - d.at(x, (y + w - 1) % w, c)));
      worst = std::max(worst, std::fabs(std::hypot(n(x, y, 0), n(x, y, 1), n(x, y, 2)) - 1));
    }
    EXPECT_LT(worst, 0.02) << file;
    EXPECT_LE(step[0], step[1]) << file;
    EXPECT_GT(step[1], 0) << file << " is flat";
  }
}

TEST(AssetGeneratorTest, SpritesFadeToZeroAlphaAtTheBorder) {
  for (const char* file : {"light.png", "Particle.png", "ParticleBlack.png", "Puff.png"}) {
    Decoded d = decode(file);
    int edge = 0;
    for (int i = 0; i < d.width; ++i)
      edge += d.at(i, 0, 3) + d.at(i, d.height - 1, 3) + d.at(0, i, 3) + d.at(d.width - 1, i, 3);
    EXPECT_EQ(0, edge) << file;
    EXPECT_GT(d.at(d.width / 2, d.height / 2, 3), 100) << file << " has no body";
  }
}

// Decoded through the engine's sound layer, as the demo plays it.
TEST(AssetGeneratorTest, MusicIsLongEnoughMasteredAndFollowsTheStoryboard) {
  AudioSound sound;
  ASSERT_EQ(0, sound.loadFile(kResources + "/sound/" + AssetGenerator::kMusicFile));
  ASSERT_EQ(44100, sound.sampleRate());
  const size_t rate = 44100;
  StereoBuffer audio;
  for (uint32_t i = 0; i < 2 * sound.frameCount(); ++i)
    (i % 2 ? audio.right : audio.left).push_back(sound.samples()[i] / 32768.0f);
  EXPECT_GE(static_cast<double>(audio.frames()) / rate, 152.85);
  EXPECT_LE(20.0 * std::log10(audio.peak()), -1.0);
  EXPECT_NEAR(-14.0, LoudnessMeter::integratedLufs(audio, rate), 2.0);
  EXPECT_LT(std::fabs(std::accumulate(audio.left.begin(), audio.left.end(), 0.0) / audio.frames()), 0.001);
  // The drums come in at bar 9 (a bar is 2 s): more than 2 dB louder than bar 8.
  auto power = [&](size_t bar) {
    const float* from = &audio.left[(bar - 1) * 2 * rate];
    return std::inner_product(from, from + 2 * rate, from, 0.0);
  };
  EXPECT_GT(power(9), power(8) * std::pow(10.0, 0.2));
}

// Mistakes show the usage (status 2); paths that cannot be written are named (status 1) before
// a single picture is made.
TEST(AssetGeneratorTest, CommandLineMistakesAndUnwritablePathsFailBeforeAnyWork) {
  TempDir dir;
  std::string file = dir.write("file", "x"), out = dir.path() + "/out";
  const std::tuple<std::string, int, std::string> cases[] = {
      {"", 2, "no <resources-dir> given"},
      {out + " --frobnicate", 2, "unknown option '--frobnicate'"},
      {out + " --wav --fonts /tmp", 2, "option '--wav' needs a value"},
      {file + "/out", 1, "cannot create folder '" + file + "/out/graphics': "},
      {out + " --wav /proc/brinova.wav", 1, "cannot write in folder '/proc': "},
      {out + " --contact-sheet " + dir.path(), 1, "'" + dir.path() + "' is a folder, not a file"},
  };
  for (const auto& [args, status, error] : cases) {
    const std::string answer = runTool("brinova-assets", args).answer();
    EXPECT_EQ(0u, answer.find(std::to_string(status) + " |brinova-assets: " + error)) << answer;
    EXPECT_EQ(status == 2, answer.find("\nUsage: brinova-assets <resources-dir>") != std::string::npos)
        << args;
  }
  EXPECT_TRUE(std::filesystem::is_empty(out + "/graphics"));
  expectHelpVersionAndUsage("brinova-assets", {"\n  --contact-sheet <png>", "\n  --fonts <dir>"},
                            "brinova-assets " KVR_VERSION "\n", "", {});
}

// Nothing to encode: the error names the file, which keeps what it held.
TEST(AssetGeneratorTest, FailedWriteKeepsThePreviousFile) {
  TempDir dir;
  const std::string path = dir.write("picture.png", "previous");
  PngFile png;
  EXPECT_FALSE(png.write(Canvas(0, 0), 3, path));
  EXPECT_EQ("Cannot encode '" + path + "'|previous", png.error() + "|" + readFile(path));
}

}  // namespace

// Checks the production's generated data files in the build tree (made by the build's
// brinova-assets step), and that a fresh run of the generator reproduces them byte for byte.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "assets/AssetGenerator.h"
#include "assets/LoudnessMeter.h"
#include "assets/PngFile.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/io/Image.h"
#include "support/TempDir.h"

namespace {

const std::string kResources = std::string(KVR_BINARY_DIR) + "/resources";

struct Decoded {
  int width = 0, height = 0, bytesPerPixel = 0, bitsPerPixel = 0;
  std::vector<unsigned char> pixels;
  int at(int x, int y, int c) const {
    return pixels[(static_cast<size_t>(y) * width + x) * bytesPerPixel + c];
  }
};

// Decodes through the engine's image step, the one its texture loader uploads from.
bool decode(const std::string& file, Decoded& out) {
  Image image(kResources + "/graphics/" + file);
  if (!image.isValid()) return false;
  out.width = image.getWidth();
  out.height = image.getHeight();
  out.bytesPerPixel = image.getBytesPerPixel();
  out.bitsPerPixel = image.getBitsPerPixel();
  out.pixels = image.pixelBuffer();
  return true;
}

Decoded decodeOrFail(const std::string& file) {
  Decoded d;
  EXPECT_TRUE(decode(file, d)) << file << " does not decode; build the brinova-assets outputs first";
  return d;
}

struct ExpectedImage {
  const char* file;
  int width, height, bits;
};

const ExpectedImage kImages[] = {
    {"OceanSurface.png", 512, 512, 24},
    {"Waves1Normals.png", 256, 256, 24},
    {"Waves2Normals.png", 256, 256, 24},
    {"Waves3Normals.png", 256, 256, 24},
    {"FrameOverlay.png", 1024, 1024, 32},
    {"Noise.png", 256, 256, 24},
    {"Kernel.png", 16, 1, 24},
    {"Threshold.png", 256, 1, 24},
    {"light.png", 128, 128, 32},
    {"Particle.png", 64, 64, 32},
    {"ParticleBlack.png", 64, 64, 32},
    {"Puff.png", 128, 128, 32},
    {"Velocities.png", 128, 128, 24},
    {"Velocities2.png", 128, 128, 24},
    {"Velocities3.png", 128, 128, 24},
    {"Velocities4.png", 128, 128, 24},
    {"Velocities5.png", 128, 128, 24},
    {"Velocities6.png", 128, 128, 24},
    {"Quor.png", 1024, 256, 32},
    {"Mizt.png", 1024, 256, 32},
    {"Ovar.png", 1024, 256, 32},
    {"Sendrik.png", 1024, 256, 32},
    {"KelvaroLogo.png", 1024, 256, 32},
    {"BrinovaLogo.png", 1024, 256, 32},
    {"QuorSmall.png", 256, 256, 24},
    {"MiztSmall.png", 256, 256, 24},
    {"OvarSmall.png", 256, 256, 24},
    {"SendrikSmall.png", 256, 256, 24},
    {"KelvaroLogoSmall.png", 256, 256, 24},
    {"BrinovaLogoSmall.png", 256, 256, 24},
    {"Loader1.png", 1024, 512, 24},
    {"Loader2.png", 1024, 512, 32},
};

TEST(AssetGeneratorTest, EveryImageDecodesWithItsSizeAndDepth) {
  for (const ExpectedImage& e : kImages) {
    Decoded d = decodeOrFail(e.file);
    EXPECT_EQ(e.width, d.width) << e.file;
    EXPECT_EQ(e.height, d.height) << e.file;
    EXPECT_EQ(e.bits, d.bitsPerPixel) << e.file;
    EXPECT_EQ(0, e.width & (e.width - 1)) << e.file << " width is not a power of two";
    EXPECT_EQ(0, e.height & (e.height - 1)) << e.file << " height is not a power of two";
  }
  EXPECT_EQ(std::size(kImages), AssetGenerator("/usr/share/fonts/truetype/dejavu").images().size());
}

float normalComponent(const Decoded& d, int x, int y, int c) { return d.at(x, y, c) / 255.0f * 2.0f - 1.0f; }

TEST(AssetGeneratorTest, NormalMapsHoldUnitNormalsAndTileWithoutSeam) {
  for (const char* file : {"Waves1Normals.png", "Waves2Normals.png", "Waves3Normals.png"}) {
    Decoded d = decodeOrFail(file);
    ASSERT_EQ(256, d.width);
    float worstLength = 0.0f, seam = 0.0f, inner = 0.0f;
    for (int y = 0; y < d.height; ++y)
      for (int x = 0; x < d.width; ++x) {
        float len = std::sqrt(std::pow(normalComponent(d, x, y, 0), 2.0f) +
                              std::pow(normalComponent(d, x, y, 1), 2.0f) +
                              std::pow(normalComponent(d, x, y, 2), 2.0f));
        worstLength = std::max(worstLength, std::fabs(len - 1.0f));
      }
    // The step across the wrap (last to first row or column) must look like any other step.
    for (int i = 0; i < d.width; ++i)
      for (int c = 0; c < 3; ++c) {
        seam = std::max({seam, static_cast<float>(std::abs(d.at(i, 0, c) - d.at(i, d.height - 1, c))),
                         static_cast<float>(std::abs(d.at(0, i, c) - d.at(d.width - 1, i, c)))});
        for (int k = 1; k < d.height; ++k)
          inner = std::max({inner, static_cast<float>(std::abs(d.at(i, k, c) - d.at(i, k - 1, c))),
                            static_cast<float>(std::abs(d.at(k, i, c) - d.at(k - 1, i, c)))});
      }
    EXPECT_LT(worstLength, 0.02f) << file;
    EXPECT_LE(seam, inner) << file;
    EXPECT_GT(inner, 0.0f) << file << " is flat";
  }
}

TEST(AssetGeneratorTest, SpritesFadeToZeroAlphaAtTheBorder) {
  for (const char* file : {"light.png", "Particle.png", "ParticleBlack.png", "Puff.png"}) {
    Decoded d = decodeOrFail(file);
    ASSERT_EQ(4, d.bytesPerPixel) << file;
    int border = 0;
    for (int i = 0; i < d.width; ++i)
      border += d.at(i, 0, 3) + d.at(i, d.height - 1, 3) + d.at(0, i, 3) + d.at(d.width - 1, i, 3);
    EXPECT_EQ(0, border) << file;
    EXPECT_GT(d.at(d.width / 2, d.height / 2, 3), 100) << file << " has no body";
  }
}

TEST(AssetGeneratorTest, VelocityFieldsHaveZeroMeanAndMove) {
  for (const char* file : {"Velocities.png", "Velocities2.png", "Velocities3.png", "Velocities4.png",
                           "Velocities5.png", "Velocities6.png"}) {
    Decoded d = decodeOrFail(file);
    double sum = 0.0, spread = 0.0;
    for (int y = 0; y < d.height; ++y)
      for (int x = 0; x < d.width; ++x) {
        double v = d.at(x, y, 0) / 255.0 - 0.5;
        sum += v;
        spread = std::max(spread, std::fabs(v));
        EXPECT_EQ(d.at(x, y, 0), d.at(x, y, 1));
      }
    EXPECT_LT(std::fabs(sum / (d.width * d.height)), 0.02 * 0.5) << file;
    EXPECT_GT(spread, 0.2) << file << " is nearly still";
  }
}

TEST(AssetGeneratorTest, KernelWeightsSumToOne) {
  Decoded d = decodeOrFail("Kernel.png");
  double sum = 0.0;
  for (int x = 0; x < d.width; ++x) sum += d.at(x, 0, 0) / 255.0;
  EXPECT_NEAR(1.0, sum, 0.01);
  EXPECT_EQ(0, d.at(15, 0, 0));
  EXPECT_EQ(d.at(6, 0, 0), d.at(8, 0, 0));  // symmetric about the centre tap 7
  EXPECT_GT(d.at(7, 0, 0), d.at(6, 0, 0));
}

TEST(AssetGeneratorTest, CreditImagesCoverAModestShareOfTheirArea) {
  for (const char* file :
       {"Quor.png", "Mizt.png", "Ovar.png", "Sendrik.png", "KelvaroLogo.png", "BrinovaLogo.png"}) {
    Decoded d = decodeOrFail(file);
    size_t covered = 0;
    for (int y = 0; y < d.height; ++y)
      for (int x = 0; x < d.width; ++x) covered += d.at(x, y, 3) > 25;
    double share = static_cast<double>(covered) / (d.width * d.height);
    EXPECT_GT(share, 0.03) << file;
    EXPECT_LT(share, 0.60) << file;
  }
}

TEST(AssetGeneratorTest, FrameOverlayLeavesTheCentreClear) {
  Decoded d = decodeOrFail("FrameOverlay.png");
  long alphaAtCentre = 0, alphaOverall = 0;
  // The shown part is 960 x 540 at the left; in decoded rows it lies at the top or the bottom.
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x) {
      bool centre = x >= 60 && x < 900 && ((y >= 60 && y < 480) || (y >= 544 && y < 964));
      (centre ? alphaAtCentre : alphaOverall) += d.at(x, y, 3);
    }
  EXPECT_EQ(0, alphaAtCentre);
  EXPECT_GT(alphaOverall, 0);
}

struct DecodedMusic {
  long rate = 0;
  StereoBuffer audio;
};

// Decodes through the engine's sound layer, as the demo plays it.
DecodedMusic decodeMusic() {
  DecodedMusic out;
  AudioSound sound;
  if (sound.loadFile(kResources + "/sound/" + AssetGenerator::kMusicFile) != 0) return out;
  out.rate = sound.sampleRate();
  const int16_t* samples = sound.samples();
  for (uint32_t i = 0; i < sound.frameCount(); ++i) {
    out.audio.left.push_back(samples[2 * i] / 32768.0f);
    out.audio.right.push_back(samples[2 * i + 1] / 32768.0f);
  }
  return out;
}

double barRmsDb(const StereoBuffer& audio, long rate, int bar) {
  size_t start = static_cast<size_t>((bar - 1) * 2 * rate), end = std::min(audio.frames(), start + 2 * rate);
  double sum = 0.0;
  for (size_t i = start; i < end; ++i) sum += audio.left[i] * audio.left[i] + audio.right[i] * audio.right[i];
  return 10.0 * std::log10(sum / (2.0 * (end - start)) + 1e-20);
}

TEST(AssetGeneratorTest, MusicIsLongEnoughMasteredAndFollowsTheStoryboard) {
  DecodedMusic m = decodeMusic();
  ASSERT_EQ(44100, m.rate) << "the music does not decode";
  double seconds = static_cast<double>(m.audio.frames()) / m.rate;
  EXPECT_GE(seconds, 152.85);
  EXPECT_LE(20.0 * std::log10(m.audio.peak()), -1.0);
  double lufs = LoudnessMeter::integratedLufs(m.audio, m.rate);
  EXPECT_GE(lufs, -16.0);
  EXPECT_LE(lufs, -12.0);
  double dc = std::accumulate(m.audio.left.begin(), m.audio.left.end(), 0.0) / m.audio.frames();
  EXPECT_LT(std::fabs(dc), 0.001);
  // Drums arrive at bars 9 (kick), 25 (full groove) and 61 (climax), and leave at 45 and 71.
  for (int bar : {9, 17, 25, 61})
    EXPECT_GT(barRmsDb(m.audio, m.rate, bar), barRmsDb(m.audio, m.rate, bar - 1) + 0.3) << bar;
  for (int bar : {45, 71})
    EXPECT_LT(barRmsDb(m.audio, m.rate, bar), barRmsDb(m.audio, m.rate, bar - 1) - 3.0) << bar;
  EXPECT_GT(barRmsDb(m.audio, m.rate, 13), barRmsDb(m.audio, m.rate, 1) + 6.0);
}

TEST(AssetGeneratorTest, TwoRunsWriteIdenticalBytes) {
  std::filesystem::path fresh =
      std::filesystem::temp_directory_path() / ("brinova-assets-" + std::to_string(::getpid()));
  AssetGenerator generator("/usr/share/fonts/truetype/dejavu");
  ASSERT_TRUE(generator.writeResources(fresh.string())) << generator.error();
  size_t compared = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(fresh)) {
    if (!entry.is_regular_file()) continue;
    std::filesystem::path built = kResources / std::filesystem::relative(entry.path(), fresh);
    EXPECT_TRUE(readFile(entry.path()) == readFile(built)) << built << " differs from a fresh run";
    ++compared;
  }
  EXPECT_EQ(std::size(kImages) + 1, compared);
  std::filesystem::remove_all(fresh);
}

TEST(AssetGeneratorTest, BannerIsA390By49XpmWithTwoCharactersPerPixel) {
  std::string header = readFile(std::string(KVR_BINARY_DIR) + "/generated/BrinovaBanner.h");
  ASSERT_NE(std::string::npos, header.find("static const char* const brinova_banner_xpm[] = {"));
  size_t open = header.find("\"390 49 ");
  ASSERT_NE(std::string::npos, open);
  int colours = std::atoi(header.c_str() + open + 8);
  EXPECT_GT(colours, 100);
  EXPECT_LE(colours, 4096);
  EXPECT_NE(std::string::npos, header.find(" 2\",", open));
  size_t rows = 0, pos = header.find('\n', open);
  for (int skip = 0; skip < colours; ++skip) pos = header.find('\n', pos + 1);
  for (size_t next; (next = header.find('\n', pos + 1)) != std::string::npos; pos = next)
    if (header.compare(pos + 1, 1, "\"") == 0) {
      size_t close = header.find('"', pos + 2);
      EXPECT_EQ(780u, close - pos - 2);
      ++rows;
    }
  EXPECT_EQ(49u, rows);
}

struct ToolRun {
  int status;
  std::string out, err;
};

ToolRun runAssets(const TempDir& dir, const std::string& args) {
  std::string out = dir.path() + "/stdout", err = dir.path() + "/stderr";
  std::string command = std::string(KVR_BINARY_DIR) + "/brinova-assets " + args + " >" + out + " 2>" + err;
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
}

// Mistakes show the usage (status 2); paths that cannot be written are named (status 1) before
// a single picture is made.
TEST(AssetGeneratorTest, CommandLineMistakesAndUnwritablePathsFailBeforeAnyWork) {
  TempDir dir;
  std::string file = dir.write("file", "x"), out = dir.path() + "/out";
  struct Case {
    std::string args;
    int status;
    std::string error;
  };
  const Case cases[] = {
      {"", 2, "no <resources-dir> given"},
      {out + " --frobnicate", 2, "unknown option '--frobnicate'"},
      {out + " --banner", 2, "option '--banner' needs a value"},
      {out + " --wav --fonts /tmp", 2, "option '--wav' needs a value"},
      {file + "/out", 1, "cannot create folder '" + file + "/out/graphics': "},
      {out + " --wav /proc/brinova.wav", 1, "cannot write in folder '/proc': "},
      {out + " --contact-sheet " + dir.path(), 1, "'" + dir.path() + "' is a folder, not a file"},
  };
  for (const Case& c : cases) {
    ToolRun run = runAssets(dir, c.args);
    EXPECT_EQ(c.status, run.status) << c.args;
    EXPECT_EQ(0u, run.err.find("brinova-assets: " + c.error)) << run.err;
    EXPECT_EQ(c.status == 2, run.err.find("\nUsage: brinova-assets <resources-dir>") != std::string::npos)
        << c.args;
    EXPECT_EQ("", run.out) << c.args;
  }
  EXPECT_TRUE(std::filesystem::is_empty(out + "/graphics"));

  ToolRun help = runAssets(dir, "--help");
  EXPECT_EQ(0, help.status);
  for (const char* option :
       {"--banner <header>", "--contact-sheet <png>", "--wav <file>", "--fonts <dir>", "--help", "--version"})
    EXPECT_NE(std::string::npos, help.out.find(std::string("\n  ") + option)) << option;
  ToolRun version = runAssets(dir, "--version");
  EXPECT_EQ(0, version.status);
  EXPECT_EQ("brinova-assets " KVR_VERSION "\n", version.out);
}

// The file appears only when complete: a write that fails leaves what the path held, and no
// temporary file beside it.
TEST(AssetGeneratorTest, FailedWriteKeepsThePreviousFile) {
  TempDir dir;
  std::string path = dir.write("picture.png", "previous");
  PngFile png;
  EXPECT_FALSE(png.write(Canvas(0, 0), 3, path));  // libpng refuses it after the file is opened
  EXPECT_EQ("Cannot encode '" + path + "'", png.error());
  EXPECT_EQ("previous", readFile(path));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.path()), {}));
  ASSERT_TRUE(png.write(Canvas(2, 1), 4, path)) << png.error();
  EXPECT_EQ("\x89PNG", readFile(path).substr(0, 4));
}

}  // namespace
